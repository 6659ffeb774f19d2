// Writing the defect report's page.
#include "defects/defect_report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "defects/fault_class.h"
#include "defects/picture_table.h"

namespace {

const char* TypeWord(int type) {
    switch (type) {
    case kLitPixel:
        return "lit";
    case kDarkPixel:
        return "dark";
    case kSubPixel:
        return "sub-pixel";
    default:
        return "?";
    }
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

// Text of the page: the five characters HTML gives a meaning of their own escaped.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}
std::string Escaped(TextView text) {
    return Escaped(std::string_view(TextToUtf8(text)));
}
void Row(std::string& page, std::string_view name, const std::string& value) {
    page += "<tr><th>";
    page += name;
    page += "</th><td>";
    page += value;
    page += "</td></tr>\n";
}

// The year the report is written, from its date ("2026-12-08 14:03"); 0 when it has none.
int ReportYear(TextView dateTime) {
    int year = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i >= dateTime.size() || dateTime[i] < u'0' || dateTime[i] > u'9') {
            return 0;
        }
        year = year * 10 + (dateTime[i] - u'0');
    }
    return year;
}

// A value the monitor does not give: "unknown" and a line to write it on from the label,
// so the printed page still holds it.
constexpr std::string_view kFillIn = "unknown <span class=\"fill\"></span>";

// One row of the monitor's identity; where its value is unknown the label says where
// else to read it.
void IdentityRow(std::string& page, std::string_view name, std::string_view whereElse,
                 const std::string& value) {
    if (!value.empty()) {
        Row(page, name, value);
        return;
    }
    Row(page, std::string(name) + " (" + std::string(whereElse) + ")", std::string(kFillIn));
}

std::string Manufactured(const MonitorIdentity& m, int reportYear) {
    // Without the report's own year there is nothing to hold the block's year against.
    const int year = KnownYear(m, reportYear > 0 ? reportYear : 9999);
    if (year <= 0) {
        return {};
    }
    if (m.modelYear) {
        return "model year " + Number(year);
    }
    return m.week > 0 ? "week " + Number(m.week) + " of " + Number(year) : Number(year);
}

std::string ImageSize(const MonitorIdentity& m) {
    if (!KnownImageSize(m)) {
        return {};
    }
    const int tenths = DiagonalTenthsOfInch(m.widthCm, m.heightCm);
    return Number(m.widthCm) + " x " + Number(m.heightCm) + " cm, " + Number(tenths / 10) + "." +
           Number(tenths % 10) + " in diagonal";
}

std::string NativeResolution(const MonitorIdentity& m) {
    if (!KnownNativeResolution(m)) {
        return {};
    }
    return Number(m.nativeWidth) + " x " + Number(m.nativeHeight) +
           (m.interlaced ? ", interlaced" : "");
}

// The five counts as the counts table heads them and the verdict names them.
struct CountKind {
    const char* heading;
    const char* name;
    int DefectCounts::*count;
};
constexpr CountKind kCountKinds[] = {
    {"Type 1, always lit", "type 1", &DefectCounts::lit},
    {"Type 2, always dark", "type 2", &DefectCounts::dark},
    {"Type 3, faulty sub-pixel", "type 3", &DefectCounts::subPixel},
    {"Clusters of types 1 and 2", "clusters of types 1 and 2", &DefectCounts::litDarkClusters},
    {"Clusters of type 3", "clusters of type 3", &DefectCounts::subPixelClusters},
};

// A row beyond class II says so in words as well as in red, for a print in black.
std::string CountsRow(const CountKind& kind, const DefectCounts& counts,
                      const DefectCounts& allowed, const DefectCounts& excess) {
    const bool exceeds = excess.*kind.count > 0;
    return std::string(exceeds ? "<tr class=\"exceeds\">" : "<tr>") + "<th>" + kind.heading +
           "</th><td>" + Number(counts.*kind.count) +
           (exceeds ? " <span class=\"over\">exceeds</span>" : "") + "</td><td>" +
           Number(allowed.*kind.count) + "</td></tr>\n";
}

// "yes", or "no - " and each count beyond class II with what was marked and allowed.
std::string Verdict(const DefectCounts& counts, const DefectCounts& allowed,
                    const DefectCounts& excess) {
    if (excess == DefectCounts{}) {
        return "yes";
    }
    std::string verdict = "no";
    const char* separator = " - ";
    for (const CountKind& kind : kCountKinds) {
        if (excess.*kind.count > 0) {
            verdict += separator + std::string(kind.name) + " (" + Number(counts.*kind.count) +
                       " marked, " + Number(allowed.*kind.count) + " allowed)";
            separator = ", ";
        }
    }
    return verdict;
}

// Lengths on paper in the map's units, never thinner than one.
int Units(const MapLayout& layout, double mm) {
    return std::max(static_cast<int>(std::ceil(mm * layout.unitsPerMm)), 1);
}

// The three symbols and the cluster box, as the map draws them, each with its words.
constexpr std::string_view kLegend =
    "<p class=\"legend\"><span><svg class=\"key\" viewBox=\"-12 -12 24 24\"><g class=\"t1\">"
    "<circle r=\"9\"/></g></svg> type 1, always lit</span> <span><svg class=\"key\" "
    "viewBox=\"-12 -12 24 24\"><g class=\"t2\"><rect x=\"-9\" y=\"-9\" width=\"18\" "
    "height=\"18\"/></g></svg> type 2, always dark</span> <span><svg class=\"key\" "
    "viewBox=\"-12 -12 24 24\"><g class=\"t3\"><path d=\"M0 -11L11 0L0 11L-11 0Z\"/></g></svg> "
    "type 3, faulty sub-pixel</span> <span><svg class=\"key box\" viewBox=\"0 0 36 24\"><rect "
    "x=\"2\" y=\"3\" width=\"32\" height=\"18\" stroke-width=\"2\" "
    "stroke-dasharray=\"5 3\" fill=\"none\" stroke=\"#d00\"/></svg> cluster</span></p>\n";

// The map: the screen's outline to scale, each mark in its type's symbol, every cluster
// boxed, the marks' numbers where they can be read, and the symbols' legend.
void Map(std::string& page, const MarkLog& log) {
    const MapLayout layout = LayoutMap(log.Width(), log.Height());
    const int unit = layout.unit;
    const int margin = layout.margin;
    page += "<svg class=\"map\" viewBox=\"" + Number(-margin) + " " + Number(-margin) + " " +
            Number(layout.width + 2 * margin) + " " + Number(layout.height + 2 * margin) +
            "\" role=\"img\" aria-label=\"map of the marks\">\n";
    page += "<rect class=\"screen\" x=\"0\" y=\"0\" width=\"" + Number(layout.width) +
            "\" height=\"" + Number(layout.height) + "\" stroke-width=\"" + Number(unit / 3 + 1) +
            "\"/>\n";
    // Dashes measured on paper, or at print size they run together into a line.
    const std::string dashes = Number(Units(layout, 1.5)) + " " + Number(Units(layout, 0.8));
    for (const bool litOrDark : {true, false}) {
        for (const std::vector<int>& cluster : FindClusters(log.Marks(), litOrDark)) {
            int left = layout.width, top = layout.height, right = 0, bottom = 0;
            for (const int i : cluster) {
                const PixelMark& mark = log.Marks()[static_cast<std::size_t>(i)];
                left = std::min(left, mark.x);
                top = std::min(top, mark.y);
                right = std::max(right, mark.x);
                bottom = std::max(bottom, mark.y);
            }
            page += "<rect class=\"cluster\" x=\"" + Number(left - 2 * unit) + "\" y=\"" +
                    Number(top - 2 * unit) + "\" width=\"" + Number(right - left + 4 * unit) +
                    "\" height=\"" + Number(bottom - top + 4 * unit) + "\" stroke-width=\"" +
                    Number(unit / 4 + 1) + "\" stroke-dasharray=\"" + dashes + "\"/>\n";
        }
    }
    const std::string size = Number(unit);
    for (const PixelMark& mark : log.Marks()) {
        page += "<g class=\"t" + Number(mark.type) + "\" transform=\"translate(" + Number(mark.x) +
                " " + Number(mark.y) + ")\">";
        if (mark.type == kLitPixel) {
            page += "<circle r=\"" + size + "\"/>";
        } else if (mark.type == kDarkPixel) {
            page += "<rect x=\"-" + size + "\" y=\"-" + size + "\" width=\"" + Number(2 * unit) +
                    "\" height=\"" + Number(2 * unit) + "\"/>";
        } else {
            page += "<path d=\"M0 -" + size + "L" + size + " 0L0 " + size + "L-" + size + " 0Z\"/>";
        }
        page += "</g>\n";
    }
    const std::vector<MapLabel> labels = PlaceMapLabels(log, layout);
    page += "<g class=\"leaders\" stroke-width=\"" + Number(Units(layout, 0.2)) + "\">\n";
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].shown && labels[i].leader) {
            const PixelMark& mark = log.Marks()[i];
            page += "<line x1=\"" + Number(mark.x) + "\" y1=\"" + Number(mark.y) + "\" x2=\"" +
                    Number(labels[i].leaderX) + "\" y2=\"" + Number(labels[i].leaderY) + "\"/>\n";
        }
    }
    page += "</g>\n<g class=\"labels\" font-size=\"" + Number(layout.fontSize) +
            "\" stroke-width=\"" + Number(Units(layout, 0.6)) + "\">\n";
    int unshown = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const MapBox& box = labels[i].box;
        if (!labels[i].shown) {
            ++unshown;
            continue;
        }
        // Digits stand about 0.72 em high: their middle on the box's.
        const int baseline = box.bottom - (box.bottom - box.top - layout.fontSize * 72 / 100) / 2;
        page += "<text x=\"" + Number((box.left + box.right) / 2) + "\" y=\"" + Number(baseline) +
                "\">" + Number(static_cast<std::int64_t>(i) + 1) + "</text>\n";
    }
    page += "</g>\n</svg>\n";
    if (!log.Empty()) {
        page += kLegend;
    }
    if (unshown > 0) {
        page += "<p class=\"note\">" + Number(unshown) +
                " marks are not numbered on the map for want of room; the table lists every "
                "mark.</p>\n";
    }
}

constexpr std::string_view kStyle = R"(<style>
@page { margin: 12mm; }
body { font-family: Arial, Helvetica, sans-serif; font-size: 10.5pt; color: #000; margin: 0 auto; max-width: 180mm; }
h1 { font-size: 16pt; margin: 0 0 2mm; }
h2 { font-size: 12pt; margin: 5mm 0 1.5mm; }
p.made { margin: 0; color: #333; }
.fill { display: inline-block; width: 45mm; border-bottom: 0.3mm solid #000; height: 1em; vertical-align: bottom; }
table { border-collapse: collapse; }
th, td { border: 0.3mm solid #888; padding: 0.6mm 2mm; text-align: left; vertical-align: top; }
td.n, th.n { text-align: right; }
.class { font-size: 14pt; font-weight: bold; }
.verdict { font-size: 12pt; font-weight: bold; margin: 0 0 1mm; }
.fails, tr.exceeds th, tr.exceeds td { color: #c00; font-weight: bold; }
.note { font-size: 9pt; color: #333; margin: 0 0 2mm; }
svg.map { display: block; width: 100%; max-height: 95mm; margin-top: 2mm; }
svg .screen { fill: #fff; stroke: #000; }
svg .cluster { fill: none; stroke: #d00; }
svg .leaders line { stroke: #000; }
svg .labels text { text-anchor: middle; stroke: #fff; stroke-linejoin: round; paint-order: stroke; }
.legend span { white-space: nowrap; margin-right: 4mm; }
svg.key { width: 4mm; height: 4mm; vertical-align: middle; }
svg.key.box { width: 6mm; }
svg .t1 circle { fill: #fff; stroke: #000; stroke-width: 2; }
svg .t2 rect { fill: #000; }
svg .t3 path { fill: #06c; }
svg text { font-family: Arial, Helvetica, sans-serif; fill: #000; }
.marks { page-break-before: always; break-before: page; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
.marks td { text-align: right; }
.marks td.w { text-align: left; }
</style>
)";

} // namespace

Text MakerText(const MonitorIdentity& m) {
    if (!m.valid || m.manufacturerId.empty()) {
        return {};
    }
    return m.maker == m.manufacturerId ? m.maker : m.maker + u" (" + m.manufacturerId + u")";
}

Text ProductCodeText(const MonitorIdentity& m) {
    if (!m.valid) {
        return {};
    }
    const Text code = DecimalText(m.productCode);
    const Text id = WindowsMonitorId(m);
    return id.empty() ? code : id + u" (" + code + u")";
}

Text SerialText(const MonitorIdentity& m) {
    if (!m.serialText.empty()) {
        return m.serialText;
    }
    return m.serialNumber > 0 ? DecimalText(static_cast<std::int64_t>(m.serialNumber)) : Text();
}

Text MonitorModel(const MonitorIdentity& monitor) {
    if (!ModelText(monitor).empty()) {
        return ModelText(monitor);
    }
    if (!WindowsMonitorId(monitor).empty()) {
        return monitor.maker + u" " + WindowsMonitorId(monitor);
    }
    return u"unknown monitor";
}

Text ReportFileName(TextView date, const MonitorIdentity& monitor, int attempt) {
    Text name = Text(u"Glimmerix pixel report ") + Text(date) + u" " + MonitorModel(monitor);
    for (char16_t& c : name) {
        if (c < 0x20 || Text(u"<>:\"/\\|?*").find(c) != Text::npos) {
            c = u'_';
        }
    }
    // Windows drops trailing blanks and dots from a name; none is left to drop.
    while (!name.empty() && (name.back() == u' ' || name.back() == u'.')) {
        name.pop_back();
    }
    if (attempt > 1) {
        name += FormatText(u" (%d)", {std::int64_t{attempt}});
    }
    return name + u".html";
}

std::string DefectReportHtml(const ReportFacts& facts) {
    const MarkLog& log = facts.log;
    const MonitorIdentity& m = facts.monitor;
    const DefectCounts counts = CountDefects(log.Marks());
    const std::int64_t pixels = std::int64_t{log.Width()} * log.Height();
    const int panelClass = PanelClass(counts, pixels);
    const DefectCounts allowed = ClassAllowance(2, pixels);
    const DefectCounts excess = Excess(counts, allowed);
    const bool meetsClassII = excess == DefectCounts{};
    const std::string className = TextToUtf8(ClassName(panelClass));
    const std::string mode = Number(log.Width()) + " x " + Number(log.Height());

    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>Pixel defect report " + Escaped(facts.dateTime) + " " +
            Escaped(MonitorModel(m)) + "</title>\n";
    page += "<meta name=\"generator\" content=\"" + Escaped(facts.program) + "\">\n";
    page += "<meta name=\"pixel-fault-class\" content=\"" + className + "\">\n";
    page += "<meta name=\"pixel-faults\" content=\"1=" + Number(counts.lit) +
            " 2=" + Number(counts.dark) + " 3=" + Number(counts.subPixel) +
            " clusters-1-2=" + Number(counts.litDarkClusters) +
            " clusters-3=" + Number(counts.subPixelClusters) + "\">\n";
    page += std::string("<meta name=\"meets-class-ii\" content=\"") +
            (meetsClassII ? "yes" : "no") + "\">\n";
    page += kStyle;
    page += "</head>\n<body>\n<h1>Pixel defect report</h1>\n<p class=\"made\">" +
            Escaped(facts.program) + ", " + Escaped(facts.dateTime) + "</p>\n";

    page += "<h2>Monitor</h2>\n<table class=\"monitor\">\n";
    IdentityRow(page, "Maker", "from the label", Escaped(MakerText(m)));
    IdentityRow(page, "Model", "from the label", Escaped(ModelText(m)));
    IdentityRow(page, "Product code", "from the label", Escaped(ProductCodeText(m)));
    IdentityRow(page, "Serial number", "from the label", Escaped(SerialText(m)));
    IdentityRow(page, "Manufactured", "from the label",
                Manufactured(m, ReportYear(facts.dateTime)));
    IdentityRow(page, "Image size", "measured", ImageSize(m));
    IdentityRow(page, "Native resolution", "from the manual", NativeResolution(m));
    Row(page, "Mode tested", mode + (facts.device.empty() ? "" : ", " + Escaped(facts.device)));
    page += "</table>\n";

    page += "<h2>Result</h2>\n<p class=\"class\">Pixel-fault class: " + className + "</p>\n";
    page += std::string("<p class=\"verdict") + (meetsClassII ? "" : " fails") +
            "\">Meets class II of ISO 9241-307: " + Verdict(counts, allowed, excess) + "</p>\n";
    page += "<p class=\"note\">Classes after the pixel-fault table of ISO 13406-2, as ISO "
            "9241-307 carries it on; allowances scaled to the mode tested.</p>\n";
    if (log.Empty()) {
        page += "<p class=\"none\">No faults were marked.</p>\n";
    }
    page += "<table class=\"counts\">\n<tr><th>Faults</th><th class=\"n\">Marked</th>"
            "<th class=\"n\">Class II allows at " +
            mode + "</th></tr>\n";
    for (const CountKind& kind : kCountKinds) {
        page += CountsRow(kind, counts, allowed, excess);
    }
    page += "</table>\n";

    page += "<h2>Map</h2>\n";
    Map(page, log);

    // A clean panel's page ends with its map; a table of no marks would only take a page.
    if (!log.Empty()) {
        page += "<div class=\"marks\">\n<h2>Marks</h2>\n<p>Monitor pixels, (0, 0) at the top "
                "left.</p>\n<table>\n<thead><tr><th>#</th><th>x</th><th>y</th><th>Type</th>"
                "<th>Picture</th></tr></thead>\n<tbody>\n";
        for (std::size_t i = 0; i < log.Marks().size(); ++i) {
            const PixelMark& mark = log.Marks()[i];
            page += "<tr><td>" + Number(static_cast<std::int64_t>(i) + 1) + "</td><td>" +
                    Number(mark.x) + "</td><td>" + Number(mark.y) + "</td><td class=\"w\">" +
                    Number(mark.type) + " " + TypeWord(mark.type) + "</td><td class=\"w\">" +
                    PictureName(mark.picture) + "</td></tr>\n";
        }
        page += "</tbody>\n</table>\n</div>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

namespace {

// 8 pt in millimetres.
constexpr double kLeastFontMm = 8 * 25.4 / 72;
// Arial's digits are 0.556 em wide, the usual stand-ins' up to 0.64 em.
constexpr double kDigitEm = 0.64;
// How many rings of places a number may step out from beside its mark.
constexpr int kLabelReach = 4;

bool Overlap(const MapBox& a, const MapBox& b) noexcept {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The boxes taken so far, filed by the grid cells they cover, so that a new box is
// compared only with its neighbours and a thousand marks stay quick.
class BoxGrid {
public:
    BoxGrid(const MapBox& area, int cellSize)
        : area(area), cell(std::max(cellSize, 1)), columns((area.right - area.left) / cell + 1),
          rows((area.bottom - area.top) / cell + 1),
          cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {}

    void Add(const MapBox& box) {
        const int index = static_cast<int>(boxes.size());
        boxes.push_back(box);
        ForCells(box, [&](std::vector<int>& filed) {
            filed.push_back(index);
            return true;
        });
    }

    [[nodiscard]] bool Free(const MapBox& box) {
        return ForCells(box, [&](const std::vector<int>& filed) {
            return std::none_of(filed.begin(), filed.end(), [&](int i) {
                return Overlap(box, boxes[static_cast<std::size_t>(i)]);
            });
        });
    }

private:
    // Calls `visit` on each cell the box covers while it returns true.
    template <typename Visit> bool ForCells(const MapBox& box, Visit visit) {
        const auto column = [&](int x) {
            return std::clamp((x - area.left) / cell, 0, columns - 1);
        };
        const auto row = [&](int y) { return std::clamp((y - area.top) / cell, 0, rows - 1); };
        for (int r = row(box.top); r <= row(box.bottom); ++r) {
            for (int c = column(box.left); c <= column(box.right); ++c) {
                if (!visit(cells[static_cast<std::size_t>(r * columns + c)])) {
                    return false;
                }
            }
        }
        return true;
    }

    MapBox area;
    int cell;
    int columns;
    int rows;
    std::vector<std::vector<int>> cells;
    std::vector<MapBox> boxes;
};

struct Step {
    int dx;
    int dy;
};

// Beside the symbol: right, left, above, below, then the corners.
constexpr Step kBeside[] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, -1}, {1, 1}, {-1, -1}, {-1, 1}};

// Farther out: rings of places one box apart, the nearer places of a ring first.
const std::vector<Step>& Rings() {
    static const std::vector<Step> steps = [] {
        std::vector<Step> all;
        for (int r = 1; r <= kLabelReach; ++r) {
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    if (std::max(std::abs(dx), std::abs(dy)) == r) {
                        all.push_back({dx, dy});
                    }
                }
            }
        }
        std::stable_sort(all.begin(), all.end(), [](const Step& a, const Step& b) {
            const auto key = [](const Step& s) {
                return std::pair{std::max(std::abs(s.dx), std::abs(s.dy)),
                                 s.dx * s.dx + s.dy * s.dy};
            };
            return key(a) < key(b);
        });
        return all;
    }();
    return steps;
}

} // namespace

MapLayout LayoutMap(int width, int height) noexcept {
    MapLayout layout;
    layout.width = std::max(width, 1);
    layout.height = std::max(height, 1);
    layout.unit = std::max(std::max(layout.width, layout.height) / 120, 2);
    layout.margin = 2 * layout.unit;
    // The map takes the page's 180 mm of width unless its 95 mm of height runs out first.
    layout.unitsPerMm = std::max((layout.width + 2.0 * layout.margin) / 180.0,
                                 (layout.height + 2.0 * layout.margin) / 95.0);
    layout.fontSize = static_cast<int>(std::ceil(kLeastFontMm * layout.unitsPerMm));
    return layout;
}

std::vector<MapLabel> PlaceMapLabels(const MarkLog& log, const MapLayout& layout) {
    const std::vector<PixelMark>& marks = log.Marks();
    std::vector<bool> clustered(marks.size());
    for (const bool litOrDark : {true, false}) {
        for (const std::vector<int>& cluster : FindClusters(marks, litOrDark)) {
            for (const int i : cluster) {
                clustered[static_cast<std::size_t>(i)] = true;
            }
        }
    }
    const MapBox map{-layout.margin, -layout.margin, layout.width + layout.margin,
                     layout.height + layout.margin};
    BoxGrid taken(map, 4 * layout.fontSize);
    const int unit = layout.unit;
    for (const PixelMark& mark : marks) {
        taken.Add({mark.x - unit, mark.y - unit, mark.x + unit, mark.y + unit});
    }
    const int pad = std::max(layout.fontSize / 8, 1); // room for the white halo
    const int gap = std::max(unit / 2, 1);
    const int height = layout.fontSize + 2 * pad;
    const auto fits = [&](const MapBox& box) {
        return box.left >= map.left && box.top >= map.top && box.right <= map.right &&
               box.bottom <= map.bottom && taken.Free(box);
    };

    std::vector<MapLabel> labels(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const int x = marks[i].x;
        const int y = marks[i].y;
        const auto digits = static_cast<double>(Number(static_cast<std::int64_t>(i) + 1).size());
        const int width =
            static_cast<int>(std::ceil(kDigitEm * layout.fontSize * digits)) + 2 * pad;
        MapLabel& label = labels[i];
        const int reach = unit + gap;
        for (const Step& step : kBeside) {
            const int left = step.dx > 0   ? x + reach
                             : step.dx < 0 ? x - reach - width
                                           : x - width / 2;
            const int top = step.dy > 0   ? y + reach
                            : step.dy < 0 ? y - reach - height
                                          : y - height / 2;
            const MapBox box{left, top, left + width, top + height};
            if (fits(box)) {
                label.box = box;
                label.shown = true;
                break;
            }
        }
        for (std::size_t s = 0; !label.shown && s < Rings().size(); ++s) {
            const Step& step = Rings()[s];
            const int left = x + step.dx * (width + gap) - width / 2;
            const int top = y + step.dy * (height + gap) - height / 2;
            const MapBox box{left, top, left + width, top + height};
            if (fits(box)) {
                label.box = box;
                label.shown = true;
                label.leader = true;
            }
        }
        if (!label.shown) {
            continue;
        }
        // Marks of a cluster lie closer than their symbols' size: only a line tells
        // which number is whose.
        label.leader = label.leader || clustered[i];
        label.leaderX = std::clamp(x, label.box.left, label.box.right);
        label.leaderY = std::clamp(y, label.box.top, label.box.bottom);
        taken.Add(label.box);
    }
    return labels;
}
