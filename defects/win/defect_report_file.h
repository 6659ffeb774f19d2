// The defect report on Windows: the covered monitor's EDID from its device's registry
// key, the page written to the Documents folder (the temporary folder when Documents
// cannot be written), never over an existing file, and opened in the browser.
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

// Writes the report of `log` for the monitor on `device` and opens it with the shell's
// "open" verb; false when no folder took it.
bool WriteAndOpenDefectReport(TextView device, const MarkLog& log, TextView program);
