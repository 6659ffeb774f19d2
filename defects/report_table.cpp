// The report table's header and rows.
#include "defects/report_table.h"

#include <cstdint>

#include "defects/fault_class.h"

namespace {

constexpr const char* kColumns[] = {"Date",
                                    "Maker",
                                    "Model",
                                    "Serial number",
                                    "Product code",
                                    "Mode",
                                    "Type 1",
                                    "Type 2",
                                    "Type 3",
                                    "Clusters of types 1 and 2",
                                    "Clusters of type 3",
                                    "Class",
                                    "Meets class II",
                                    "Report"};

std::string Line(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) {
            line += ',';
        }
        line += CsvField(field);
    }
    return line + "\r\n";
}

} // namespace

std::string CsvField(std::string_view text) {
    std::string field;
    // =, +, - and @ open a formula in a spreadsheet; a monitor's texts are not one.
    if (!text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        field += '\'';
    }
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string ReportTableHeader() {
    std::string header = "\xEF\xBB\xBF";
    for (const char* column : kColumns) {
        header += header.size() > 3 ? "," : "";
        header += column;
    }
    return header + "\r\n";
}

std::string ReportTableRow(const ReportFacts& facts, TextView reportFileName) {
    const MarkLog& log = facts.log;
    const DefectCounts counts = CountDefects(log.Marks());
    const std::int64_t pixels = std::int64_t{log.Width()} * log.Height();
    const int panelClass = PanelClass(counts, pixels);
    const MonitorIdentity& m = facts.monitor;
    const auto number = [](std::int64_t n) { return std::to_string(n); };
    return Line({TextToUtf8(facts.dateTime), TextToUtf8(MakerText(m)), TextToUtf8(ModelText(m)),
                 TextToUtf8(SerialText(m)), TextToUtf8(ProductCodeText(m)),
                 number(log.Width()) + " x " + number(log.Height()), number(counts.lit),
                 number(counts.dark), number(counts.subPixel), number(counts.litDarkClusters),
                 number(counts.subPixelClusters), TextToUtf8(ClassName(panelClass)),
                 Excess(counts, ClassAllowance(2, pixels)) == DefectCounts{} ? "yes" : "no",
                 TextToUtf8(reportFileName)});
}
