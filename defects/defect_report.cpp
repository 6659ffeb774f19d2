// Writing the defect report's page.
#include "defects/defect_report.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "defects/fault_class.h"

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
std::string OrUnknown(TextView text) {
    return text.empty() ? std::string("unknown") : Escaped(text);
}
std::string OrUnknown(std::int64_t value) {
    return value > 0 ? Number(value) : std::string("unknown");
}

void Row(std::string& page, std::string_view name, const std::string& value) {
    page += "<tr><th>";
    page += name;
    page += "</th><td>";
    page += value;
    page += "</td></tr>\n";
}

std::string Manufactured(const MonitorIdentity& m) {
    if (m.year <= 0) {
        return "unknown";
    }
    if (m.modelYear) {
        return "model year " + Number(m.year);
    }
    return m.week > 0 ? "week " + Number(m.week) + " of " + Number(m.year) : Number(m.year);
}

std::string ImageSize(const MonitorIdentity& m) {
    if (m.widthCm <= 0 || m.heightCm <= 0) {
        return "unknown";
    }
    const int tenths = DiagonalTenthsOfInch(m.widthCm, m.heightCm);
    return Number(m.widthCm) + " x " + Number(m.heightCm) + " cm, " + Number(tenths / 10) + "." +
           Number(tenths % 10) + " in diagonal";
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

// The map: the screen's outline to scale, each mark in its type's symbol and numbered,
// every cluster boxed.
void Map(std::string& page, const MarkLog& log) {
    const int width = std::max(log.Width(), 1);
    const int height = std::max(log.Height(), 1);
    const int unit = std::max(std::max(width, height) / 120, 2); // symbol size
    page += "<svg class=\"map\" viewBox=\"" + Number(-2 * unit) + " " + Number(-2 * unit) + " " +
            Number(width + 4 * unit) + " " + Number(height + 4 * unit) +
            "\" role=\"img\" aria-label=\"map of the marks\">\n";
    page += "<rect class=\"screen\" x=\"0\" y=\"0\" width=\"" + Number(width) + "\" height=\"" +
            Number(height) + "\" stroke-width=\"" + Number(unit / 3 + 1) + "\"/>\n";
    for (const bool litOrDark : {true, false}) {
        for (const std::vector<int>& cluster : FindClusters(log.Marks(), litOrDark)) {
            int left = width, top = height, right = 0, bottom = 0;
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
                    Number(unit / 4 + 1) + "\"/>\n";
        }
    }
    const std::string size = Number(unit);
    for (std::size_t i = 0; i < log.Marks().size(); ++i) {
        const PixelMark& mark = log.Marks()[i];
        const std::string x = Number(mark.x);
        const std::string y = Number(mark.y);
        page +=
            "<g class=\"t" + Number(mark.type) + "\" transform=\"translate(" + x + " " + y + ")\">";
        if (mark.type == kLitPixel) {
            page += "<circle r=\"" + size + "\"/>";
        } else if (mark.type == kDarkPixel) {
            page += "<rect x=\"-" + size + "\" y=\"-" + size + "\" width=\"" + Number(2 * unit) +
                    "\" height=\"" + Number(2 * unit) + "\"/>";
        } else {
            page += "<path d=\"M0 -" + size + "L" + size + " 0L0 " + size + "L-" + size + " 0Z\"/>";
        }
        page += "<text x=\"" + Number(unit + unit / 2) + "\" y=\"" + Number(unit / 2) +
                "\" font-size=\"" + Number(2 * unit) + "\">" + Number(static_cast<int>(i) + 1) +
                "</text></g>\n";
    }
    page += "</svg>\n";
}

constexpr std::string_view kStyle = R"(<style>
@page { margin: 12mm; }
body { font-family: Arial, Helvetica, sans-serif; font-size: 10.5pt; color: #000; margin: 0 auto; max-width: 180mm; }
h1 { font-size: 16pt; margin: 0 0 2mm; }
h2 { font-size: 12pt; margin: 5mm 0 1.5mm; }
p.made { margin: 0; color: #333; }
table { border-collapse: collapse; }
th, td { border: 0.3mm solid #888; padding: 0.6mm 2mm; text-align: left; vertical-align: top; }
td.n, th.n { text-align: right; }
.class { font-size: 14pt; font-weight: bold; }
.verdict { font-size: 12pt; font-weight: bold; margin: 0 0 1mm; }
.fails, tr.exceeds th, tr.exceeds td { color: #c00; font-weight: bold; }
.note { font-size: 9pt; color: #333; margin: 0 0 2mm; }
svg.map { display: block; width: 100%; max-height: 95mm; margin-top: 2mm; }
svg .screen { fill: #fff; stroke: #000; }
svg .cluster { fill: none; stroke: #d00; stroke-dasharray: 4 2; }
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

Text MonitorModel(const MonitorIdentity& monitor) {
    if (!monitor.name.empty()) {
        return monitor.name;
    }
    if (monitor.valid && !monitor.manufacturerId.empty()) {
        return monitor.maker + u" " + FormatText(u"%d", {std::int64_t{monitor.productCode}});
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
    Row(page, "Maker",
        m.valid && !m.manufacturerId.empty()
            ? Escaped(m.maker) + " (" + Escaped(m.manufacturerId) + ")"
            : "unknown");
    Row(page, "Model", OrUnknown(m.name));
    Row(page, "Product code", m.valid ? Number(m.productCode) : "unknown");
    Row(page, "Serial number",
        !m.serialText.empty() ? Escaped(m.serialText) : OrUnknown(std::int64_t{m.serialNumber}));
    Row(page, "Manufactured", Manufactured(m));
    Row(page, "Image size", ImageSize(m));
    Row(page, "Native resolution",
        m.nativeWidth > 0 && m.nativeHeight > 0
            ? Number(m.nativeWidth) + " x " + Number(m.nativeHeight)
            : "unknown");
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
