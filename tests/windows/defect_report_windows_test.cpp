// The defect report's file on Windows: a new name for every report in the folder, no
// file in a folder that is not there, and no EDID where the display names no monitor.
#include <gtest/gtest.h>

#include <windows.h>

#include "defects/report_table.h"
#include "defects/win/defect_report_file.h"
#include "screens/win/gdi_owners.h"
#include "tests/windows/support/scratch_files.h"
#include "text/win/unique_owner.h"
#include "text/win/wide.h"

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
    // The monitor list walked and its keys opened leave no handle behind.
    const int handles = LiveHandleOwners();
    (void)ReadMonitorEdid(u"\\\\.\\DISPLAY1");
    EXPECT_EQ(LiveHandleOwners(), handles);
}

// The report table gains a row per report and never loses one; a table it cannot
// append to is left as it was and says so.
TEST(DefectReportFile, TheTableGrowsByARowAndRefusesWhatItCannotAppendTo) {
    const ScratchFolder scratch;
    const Text folder = scratch.Make(u"Documents");
    const Text table = JoinPath(folder, kReportTableName);
    ASSERT_TRUE(AppendReportTableRow(folder, "1\r\n"));
    ASSERT_TRUE(AppendReportTableRow(folder + u"\\", "2\r\n"));
    EXPECT_EQ(ReadFileBytes(table), BytesOf(ReportTableHeader() + "1\r\n2\r\n"));

    WriteFileBytes(table, "kept,cut off");
    ASSERT_TRUE(AppendReportTableRow(folder, "3\r\n"));
    EXPECT_EQ(ReadFileBytes(table), BytesOf("kept,cut off\r\n3\r\n"));
    {
        const UniqueHandle locked(CreateFileW(Wide(table), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_FALSE(AppendReportTableRow(folder, "4\r\n")) << "open elsewhere, unshared";
    }
    ASSERT_TRUE(SetFileAttributesW(Wide(table), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(AppendReportTableRow(folder, "5\r\n")) << "read-only";
    EXPECT_EQ(ReadFileBytes(table), BytesOf("kept,cut off\r\n3\r\n"));
    EXPECT_FALSE(AppendReportTableRow(scratch.File(u"gone"), "6\r\n"));
}

} // namespace
