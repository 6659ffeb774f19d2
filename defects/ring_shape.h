// What a mark's ring looks like, pixel by pixel around the marked pixel: a circle for
// a lit pixel, a square for a dark one, a diamond for a sub-pixel. Each is a white
// outline between two black ones (other colours on the line pictures, see
// ringed_picture.h), so it shows on every picture; every ring pixel lies 6 to 13 pixels
// from the mark across or down, so the 11 x 11 square around the pixel keeps the
// picture's colour and the ring stays within its reach.
#pragma once

#include <span>
#include <vector>

#include "defects/pixel_mark.h"

// One pixel of a ring, relative to its mark.
struct RingPixel {
    int dx = 0;
    int dy = 0;
    bool white = false; // else black
};

// Around every mark this square (5 pixels each side of it) keeps the picture.
inline constexpr int kKeepClear = 5;
// No ring pixel lies farther from its mark than this, across or down.
inline constexpr int kRingExtent = 13;

// The pixels of a ring of `type`, each once, row by row from the top (by dy, then dx);
// none for an unknown type.
[[nodiscard]] std::span<const RingPixel> RingPixels(int type) noexcept;

// A rectangle in monitor pixels, right and bottom exclusive.
struct MarkSquare {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend constexpr bool operator==(const MarkSquare&, const MarkSquare&) noexcept = default;
};

// The keep-clear squares of the marks that another mark's ring could reach, in the
// marks' order: the drawing gives them back to the picture. Marks far apart need none.
[[nodiscard]] std::vector<MarkSquare> CrowdedSquares(std::span<const PixelMark> marks);
