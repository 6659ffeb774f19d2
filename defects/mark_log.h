// The marks of one monitor at one screen size, as one value: the main thread makes a
// changed copy and publishes it, so a paint on any thread reads a log that never
// changes under it.
#pragma once

#include <vector>

#include "defects/pixel_mark.h"

// A monitor keeps no more marks than this; a click beyond it marks nothing.
inline constexpr int kMostMarks = 1000;

// How far from a mark a click or the menu still counts as on its ring.
inline constexpr int kRingReach = 16;

enum class ClickResult {
    Added,   // a new mark at the pixel
    Stepped, // the mark at the pixel took its next type
    Ignored, // outside the screen, or the log is full
};

class MarkLog {
public:
    MarkLog() = default;
    MarkLog(int width, int height) : width(width), height(height) {}

    [[nodiscard]] int Width() const noexcept { return width; }
    [[nodiscard]] int Height() const noexcept { return height; }
    [[nodiscard]] const std::vector<PixelMark>& Marks() const noexcept { return marks; }
    [[nodiscard]] bool Empty() const noexcept { return marks.empty(); }

    // A click on pixel (x, y) of `picture`: steps the type of a mark on that very
    // pixel, else adds one of the picture's type (neighbouring faults are common, so
    // no click is taken for a mark a pixel away).
    ClickResult Click(int x, int y, int picture);

    // Adds a mark read back from the settings; refuses one off the screen, of no
    // known type or picture, on a marked pixel, or beyond the limit.
    bool Add(const PixelMark& mark);

    // The mark nearest to (x, y) whose ring (kRingReach across and down) holds the
    // point; -1 for none. The first of equally near marks.
    [[nodiscard]] int NearestOnRing(int x, int y) const noexcept;

    // Index of the mark on pixel (x, y), -1 for none.
    [[nodiscard]] int MarkAt(int x, int y) const noexcept;

    void Remove(int index);
    // Gives mark `index` the type `type`; an index or type that is none does nothing.
    void SetType(int index, int type) noexcept;
    void Clear() noexcept { marks.clear(); }

private:
    int width = 0;
    int height = 0;
    std::vector<PixelMark> marks;
};
