// The pixel-fault classes that monitor warranties cite: how many faults of each kind,
// and how many clusters of faults, a panel of a class may have per million pixels.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "defects/pixel_mark.h"
#include "text/text.h"

// Faults counted by kind; clusters of lit and dark pixels together, and of sub-pixels.
struct DefectCounts {
    int lit = 0;
    int dark = 0;
    int subPixel = 0;
    int litDarkClusters = 0;
    int subPixelClusters = 0;

    friend constexpr bool operator==(const DefectCounts&, const DefectCounts&) noexcept = default;
};

// Classes I to IV, best first: the limits per million pixels, in the order of
// DefectCounts.
inline constexpr std::array<DefectCounts, 4> kPixelFaultClasses{{
    {0, 0, 0, 0, 0},
    {2, 2, 5, 0, 2},
    {5, 15, 50, 0, 5},
    {50, 150, 500, 5, 50},
}};

// No class holds: beyond class IV.
inline constexpr int kNoClass = 0;

// Faults of one kind within this many pixels across and down of each other, chains
// included, form one cluster (they share a 5 x 5 block).
inline constexpr int kClusterReach = 4;

// The clusters of one kind (lit and dark pixels are one kind): groups of two or more
// marks linked by the cluster reach, each as the marks' indexes in `marks`, in order.
[[nodiscard]] std::vector<std::vector<int>> FindClusters(std::span<const PixelMark> marks,
                                                         bool litOrDark);
[[nodiscard]] int CountClusters(std::span<const PixelMark> marks, bool litOrDark);

[[nodiscard]] DefectCounts CountDefects(std::span<const PixelMark> marks);

// What class `number` (1 to 4) allows on a panel of `pixels` pixels: each limit times
// the pixels, over a million, rounded down. Nothing is allowed for any other number.
[[nodiscard]] DefectCounts ClassAllowance(int number, std::int64_t pixels) noexcept;

// How many of each count go beyond `allowed`, 0 where the count stays within it; a
// panel meets a class when nothing goes beyond its allowance.
[[nodiscard]] DefectCounts Excess(const DefectCounts& counts, const DefectCounts& allowed) noexcept;

// The best class (1 to 4) whose every allowance holds, else kNoClass.
[[nodiscard]] int PanelClass(const DefectCounts& counts, std::int64_t pixels) noexcept;

// "I" to "IV", or "none".
[[nodiscard]] TextView ClassName(int number) noexcept;
