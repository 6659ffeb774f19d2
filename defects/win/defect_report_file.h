// The defect report on Windows: the covered monitor's EDID from its device's registry
// key, the page written to the Documents folder (the temporary folder when Documents
// cannot be written), never over an existing file, its row added to the report table
// there, and the page opened in the browser.
#pragma once

#include <vector>

#include "defects/edid.h"
#include "defects/mark_log.h"
#include "text/text.h"

// The EDID of the monitor on display `device` (\\.\DISPLAY1): the monitor device's
// interface, then its "EDID" value through SetupAPI. Empty when there is none.
[[nodiscard]] std::vector<std::uint8_t> ReadMonitorEdid(TextView device);

// Writes a new file in `folder` named for the date and `monitor`, adding a number to
// the name where one exists; the path written, empty when the folder takes none.
[[nodiscard]] Text WriteNewReportFile(const Text& folder, TextView date,
                                      const MonitorIdentity& monitor, const std::string& page);

// Adds `row` to the report table in `folder`, making the table with its header when
// it is not there or empty; rows already in it are never rewritten. False when the
// table cannot be appended to (open elsewhere without sharing, read-only).
bool AppendReportTableRow(const Text& folder, const std::string& row);

struct WrittenReport {
    Text path;                  // empty when no folder took the report
    bool tableAppended = false; // its row is in the folder's report table
    bool opened = false;        // the shell took it to open
};

// Writes the report of `log` for the monitor on `device`, adds its row to the report
// table beside it and opens it with the shell's "open" verb.
[[nodiscard]] WrittenReport WriteAndOpenDefectReport(TextView device, const MarkLog& log,
                                                     TextView program);
