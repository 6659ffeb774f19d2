// The pixel defect report: one self-contained HTML page (UTF-8, no script, nothing
// fetched) to print or send with a return: the monitor by its own identity, the mode
// tested, the counts and class with what class II allows, a map of the marks and a
// table of them. Its words are English, its figures plain numbers.
#pragma once

#include <string>

#include "defects/edid.h"
#include "defects/mark_log.h"
#include "text/text.h"

struct ReportFacts {
    Text program;  // name and version, "Glimmerix 3.19"
    Text dateTime; // "2026-12-08 14:03"
    MonitorIdentity monitor;
    Text device; // the system's name of the display, \\.\DISPLAY1
    MarkLog log; // its size is the mode tested
};

[[nodiscard]] std::string DefectReportHtml(const ReportFacts& facts);

// The identity's texts as the report and its table show them, empty where the monitor
// does not say: "Dell (DEL)" (the letters alone when the maker is not known by them),
// "DELA1B2 (41394)", the serial text or else the serial number.
[[nodiscard]] Text MakerText(const MonitorIdentity& monitor);
[[nodiscard]] Text ProductCodeText(const MonitorIdentity& monitor);
[[nodiscard]] Text SerialText(const MonitorIdentity& monitor);

// What the monitor is called in a file name: its name from the EDID, else its panel's
// data texts, else its maker and Windows monitor ID ("Dell DELD0A1"), else "unknown monitor".
[[nodiscard]] Text MonitorModel(const MonitorIdentity& monitor);

// "Glimmerix pixel report <date> <model>.html", " (2)" and on before the extension
// for the second and later tries; characters that Windows refuses in a file name
// become '_'.
[[nodiscard]] Text ReportFileName(TextView date, const MonitorIdentity& monitor, int attempt);
