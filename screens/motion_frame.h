// The motion test's frames: a white bar one sixteenth of the width wide moves left to
// right over 50 % grey by a whole number of pixels per display refresh, wrapping at
// the right edge, below a dark strip with a row of ten squares in which the square of
// frame number n mod 10 is lit. A photo of the screen then shows the bar's trail
// (ghosting) and, by the lit squares it caught, how many refreshes it spans and
// whether one was skipped. Each frame is described by the colour of every pixel and by
// the fills that turn frame n - 1 into frame n, so that a worker redraws only those.
#pragma once

#include <cstdint>
#include <vector>

#include "screens/picture.h"
#include "screens/rgb.h"

inline constexpr Rgb kMotionGrey{128, 128, 128};
inline constexpr Rgb kMotionStrip = kBlack;         // behind the squares
inline constexpr Rgb kMotionSquareDark{64, 64, 64}; // an unlit square, seen on the strip
inline constexpr int kMotionSquareCount = 10;

// Pixels the bar moves per refresh at `pixelsPerSecond` on a display of `hertz`: the
// nearest whole number, never 0 (a bar that stood still would test nothing). An
// unknown rate (0 or 1) counts as 60 Hz, as the refresh pacer takes it.
[[nodiscard]] int MotionStep(int pixelsPerSecond, int hertz) noexcept;

struct MotionFill {
    PixelRect rect;
    Rgb colour;

    friend constexpr bool operator==(const MotionFill&, const MotionFill&) noexcept = default;
};

class MotionFrames {
public:
    // Frames of a width x height area (a negative size counts as 0) whose bar moves
    // `step` pixels per frame (at least 1).
    MotionFrames(int width, int height, int step) noexcept;

    [[nodiscard]] int Width() const noexcept { return width; }
    [[nodiscard]] int Height() const noexcept { return height; }
    [[nodiscard]] int Step() const noexcept { return step; }
    // The bar: barWidth columns from BarLeft(frame), wrapping at the right edge, over
    // the rows from StripBottom() down; 0 in an area without columns.
    [[nodiscard]] int BarWidth() const noexcept { return barWidth; }
    [[nodiscard]] int BarLeft(std::uint64_t frame) const noexcept;
    // The dark strip is the rows above StripBottom().
    [[nodiscard]] int StripBottom() const noexcept { return stripBottom; }
    // Square i of the row, 0 <= i < kMotionSquareCount, clipped to the area (empty
    // when none of it fits); empty for any other i.
    [[nodiscard]] PixelRect Square(int i) const noexcept;
    [[nodiscard]] static int LitSquare(std::uint64_t frame) noexcept {
        return static_cast<int>(frame % kMotionSquareCount);
    }

    // The colour of pixel (x, y) in frame n; black off the area.
    [[nodiscard]] Rgb PixelAt(std::uint64_t frame, int x, int y) const noexcept;
    // Fills that paint frame n over anything, in order; none for an empty area.
    [[nodiscard]] std::vector<MotionFill> Whole(std::uint64_t frame) const;
    // Fills that turn frame n - 1 into frame n (n >= 1), none of them empty: the bar's
    // columns it left back to grey, the columns it reached white, the square lit
    // before dark and the square of frame n lit.
    [[nodiscard]] std::vector<MotionFill> Changes(std::uint64_t frame) const;

private:
    int width;
    int height;
    int step;
    int barWidth;
    int squareSide;
    int squaresLeft;
    int squaresTop;
    int stripBottom;
};
