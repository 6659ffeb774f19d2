// Counting the marked faults, their clusters, and the class the panel meets.
#include "defects/fault_class.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

bool IsLitOrDark(const PixelMark& mark) noexcept {
    return mark.type == kLitPixel || mark.type == kDarkPixel;
}

// Union-find over the marks of one kind; a root with two or more members is a cluster.
int Root(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i) {
        int& up = parent[static_cast<std::size_t>(i)];
        up = parent[static_cast<std::size_t>(up)];
        i = up;
    }
    return i;
}

} // namespace

std::vector<std::vector<int>> FindClusters(std::span<const PixelMark> marks, bool litOrDark) {
    std::vector<int> kind; // indexes of the marks of this kind
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (IsLitOrDark(marks[i]) == litOrDark) {
            kind.push_back(static_cast<int>(i));
        }
    }
    const int count = static_cast<int>(kind.size());
    std::vector<int> parent(kind.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const PixelMark& a = marks[static_cast<std::size_t>(kind[static_cast<std::size_t>(i)])];
            const PixelMark& b = marks[static_cast<std::size_t>(kind[static_cast<std::size_t>(j)])];
            if (std::abs(a.x - b.x) <= kClusterReach && std::abs(a.y - b.y) <= kClusterReach) {
                parent[static_cast<std::size_t>(Root(parent, i))] = Root(parent, j);
            }
        }
    }
    std::vector<std::vector<int>> groups(kind.size());
    for (int i = 0; i < count; ++i) {
        groups[static_cast<std::size_t>(Root(parent, i))].push_back(
            kind[static_cast<std::size_t>(i)]);
    }
    std::erase_if(groups, [](const std::vector<int>& group) { return group.size() < 2; });
    return groups;
}

int CountClusters(std::span<const PixelMark> marks, bool litOrDark) {
    return static_cast<int>(FindClusters(marks, litOrDark).size());
}

DefectCounts CountDefects(std::span<const PixelMark> marks) {
    DefectCounts counts;
    for (const PixelMark& mark : marks) {
        counts.lit += mark.type == kLitPixel ? 1 : 0;
        counts.dark += mark.type == kDarkPixel ? 1 : 0;
        counts.subPixel += mark.type == kSubPixel ? 1 : 0;
    }
    counts.litDarkClusters = CountClusters(marks, true);
    counts.subPixelClusters = CountClusters(marks, false);
    return counts;
}

DefectCounts ClassAllowance(int number, std::int64_t pixels) noexcept {
    if (number < 1 || number > static_cast<int>(kPixelFaultClasses.size()) || pixels <= 0) {
        return {};
    }
    const DefectCounts& limit = kPixelFaultClasses[static_cast<std::size_t>(number - 1)];
    // No screen has a trillion pixels; the bound keeps the products in range.
    const std::int64_t counted = std::min<std::int64_t>(pixels, 1'000'000'000'000);
    const auto allowed = [counted](int perMillion) {
        return static_cast<int>(perMillion * counted / 1'000'000);
    };
    return {allowed(limit.lit), allowed(limit.dark), allowed(limit.subPixel),
            allowed(limit.litDarkClusters), allowed(limit.subPixelClusters)};
}

DefectCounts Excess(const DefectCounts& counts, const DefectCounts& allowed) noexcept {
    const auto over = [](int count, int limit) { return std::max(count - limit, 0); };
    return {over(counts.lit, allowed.lit), over(counts.dark, allowed.dark),
            over(counts.subPixel, allowed.subPixel),
            over(counts.litDarkClusters, allowed.litDarkClusters),
            over(counts.subPixelClusters, allowed.subPixelClusters)};
}

int PanelClass(const DefectCounts& counts, std::int64_t pixels) noexcept {
    for (int number = 1; number <= static_cast<int>(kPixelFaultClasses.size()); ++number) {
        if (Excess(counts, ClassAllowance(number, pixels)) == DefectCounts{}) {
            return number;
        }
    }
    return kNoClass;
}

TextView ClassName(int number) noexcept {
    static constexpr TextView kNames[] = {u"none", u"I", u"II", u"III", u"IV"};
    return number >= 1 && number <= 4 ? kNames[number] : kNames[0];
}
