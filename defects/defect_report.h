// The pixel defect report: one self-contained HTML page (UTF-8, no script, nothing
// fetched) to print or send with a return: the monitor by its own identity, the mode
// tested, the counts and class with what class II allows and whether the panel meets
// it, a map of the marks with its legend and a table of them. Its words are English,
// its figures plain numbers.
#pragma once

#include <string>
#include <vector>

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

// The map's geometry in its own units, monitor pixels: the screen from (0, 0) to its
// size with a margin on every side, printed at most 180 mm wide and 95 mm high.
struct MapLayout {
    int width = 1; // the screen
    int height = 1;
    int unit = 2;            // half a symbol's size
    int margin = 4;          // around the screen, holding the symbols and numbers at its edges
    double unitsPerMm = 1.0; // at the printed size
    int fontSize = 3;        // the marks' numbers, at least 8 pt printed
};
[[nodiscard]] MapLayout LayoutMap(int width, int height) noexcept;

// A box in the map's units; right and bottom are outside it.
struct MapBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a mark's number goes: its box, clear of every symbol and every other number and
// inside the map. A number placed away from its mark, or of a mark in a cluster, has a
// leader line from the mark to the box's nearest point. A number with no room near its
// mark is not shown (the table still lists the mark).
struct MapLabel {
    MapBox box;
    bool shown = false;
    bool leader = false;
    int leaderX = 0; // the leader's end on the box
    int leaderY = 0;
};

// One label per mark of `log`, in its order.
[[nodiscard]] std::vector<MapLabel> PlaceMapLabels(const MarkLog& log, const MapLayout& layout);

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
