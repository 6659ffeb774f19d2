// The defect log's summary line.
#include "defects/defect_summary.h"

#include <cstdint>

#include "defects/fault_class.h"

namespace {

Text Clusters(int count, const char16_t* kind) {
    return FormatText(count == 1 ? u", %d cluster of %s" : u", %d clusters of %s",
                      {std::int64_t{count}, kind});
}

} // namespace

Text DefectSummary(const MarkLog& log, bool saved) {
    const DefectCounts counts = CountDefects(log.Marks());
    const std::int64_t pixels = std::int64_t{log.Width()} * log.Height();
    Text summary = FormatText(
        u"Pixel defects: %d lit, %d dark, %d sub-pixel",
        {std::int64_t{counts.lit}, std::int64_t{counts.dark}, std::int64_t{counts.subPixel}});
    if (counts.litDarkClusters > 0) {
        summary += Clusters(counts.litDarkClusters, u"lit or dark pixels");
    }
    if (counts.subPixelClusters > 0) {
        summary += Clusters(counts.subPixelClusters, u"sub-pixels");
    }
    const int panelClass = PanelClass(counts, pixels);
    summary += panelClass == kNoClass ? Text(u" - beyond class IV")
                                      : FormatText(u" - class %s", {ClassName(panelClass)});
    if (log.Marks().size() >= static_cast<std::size_t>(kMostMarks)) {
        summary += FormatText(u" - full at %d marks", {std::int64_t{kMostMarks}});
    }
    return saved ? summary : summary + u" (not saved)";
}
