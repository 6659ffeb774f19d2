// The defect log's summary line.
#include "defects/defect_summary.h"

#include <cstdint>

#include "defects/fault_class.h"

Text DefectSummary(const MarkLog& log) {
    const DefectCounts counts = CountDefects(log.Marks());
    const std::int64_t pixels = std::int64_t{log.Width()} * log.Height();
    Text summary = FormatText(
        u"Pixel defects: %d lit, %d dark, %d sub-pixel",
        {std::int64_t{counts.lit}, std::int64_t{counts.dark}, std::int64_t{counts.subPixel}});
    const int clusters = counts.litDarkClusters + counts.subPixelClusters;
    if (clusters > 0) {
        summary += FormatText(clusters == 1 ? u", %d cluster" : u", %d clusters",
                              {std::int64_t{clusters}});
    }
    return summary + FormatText(u" - class %s", {ClassName(PanelClass(counts, pixels))});
}
