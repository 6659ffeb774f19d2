// The table across monitors: every defect report also adds one row to a CSV file in
// the folder it went to, so a shop that checks twenty monitors gets one sheet. Fields
// are quoted as RFC 4180 says, lines end in CR LF, the text is UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "defects/defect_report.h"
#include "text/text.h"

inline constexpr char16_t kReportTableName[] = u"Glimmerix pixel reports.csv";

// The first line of a new table, after a UTF-8 byte order mark (spreadsheets read the
// file as UTF-8 only with it).
[[nodiscard]] std::string ReportTableHeader();

// The row of the report `facts` written as `reportFileName`.
[[nodiscard]] std::string ReportTableRow(const ReportFacts& facts, TextView reportFileName);

// One field: quoted, with its quotes doubled, when it holds a comma, a quote, a CR or
// an LF; a text that a spreadsheet would take for a formula starts with an apostrophe.
[[nodiscard]] std::string CsvField(std::string_view text);
