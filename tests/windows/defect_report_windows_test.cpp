// The defect report's file on Windows: a new name for every report in the folder, no
// file in a folder that is not there, and no EDID where the display names no monitor.
#include <gtest/gtest.h>

#include "defects/win/defect_report_file.h"
#include "tests/windows/support/scratch_files.h"

namespace {

TEST(DefectReportFile, NeverOverwritesAndRefusesAMissingFolder) {
    const ScratchFolder scratch;
    const Text folder = scratch.Make(u"Documents");
    const MonitorIdentity unknown;
    const Text first = WriteNewReportFile(folder, u"2026-12-08", unknown, "first");
    const Text second = WriteNewReportFile(folder, u"2026-12-08", unknown, "second");
    EXPECT_EQ(first, JoinPath(folder, u"Glimmerix pixel report 2026-12-08 unknown monitor.html"));
    EXPECT_EQ(second,
              JoinPath(folder, u"Glimmerix pixel report 2026-12-08 unknown monitor (2).html"));
    EXPECT_EQ(ReadFileBytes(first), BytesOf("first"));
    EXPECT_EQ(ReadFileBytes(second), BytesOf("second"));
    EXPECT_EQ(WriteNewReportFile(scratch.File(u"gone"), u"2026-12-08", unknown, "x"), u"");
    EXPECT_EQ(WriteNewReportFile(u"", u"2026-12-08", unknown, "x"), u"");

    EXPECT_TRUE(ReadMonitorEdid(u"\\\\.\\DISPLAY99").empty());
    EXPECT_TRUE(ReadMonitorEdid(u"").empty());
}

} // namespace
