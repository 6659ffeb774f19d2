// The flasher for the marked pixels only: a small square over each marked pixel
// cycles through full red, green, blue, white and black, one colour per display
// refresh (a change overwritten before the next refresh never reaches the panel),
// every other pixel black, and one small line saying how long it has run and how to
// stop it, kept clear of the marks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "defects/pixel_mark.h"
#include "screens/picture.h"
#include "screens/rgb.h"
#include "text/text.h"

// Pixels on each side of a marked pixel that flash with it: a 9 x 9 square.
inline constexpr int kSpotReach = 4;
// The status line keeps at least this far from every mark, across or down.
inline constexpr int kStatusLineClearance = 32;

// The square of every mark, its monitor pixel (x, y) at client pixel (x + originX,
// y + originY), clipped to the width x height area; marks off the area have none.
[[nodiscard]] std::vector<PixelRect> SpotSquares(std::span<const PixelMark> marks, int originX,
                                                 int originY, int width, int height);

// The colour of frame n: red, green, blue, white, black, red, ...
[[nodiscard]] Rgb SpotColour(std::uint64_t frame) noexcept;

// Where a status line of lineWidth x lineHeight goes: the first of the corners
// (bottom left, bottom right, top left, top right), then the middles of the edges and
// the centre, that lies inside the area and at least kStatusLineClearance from every
// square (so farther still from its mark); the bottom left corner when none does.
[[nodiscard]] PixelRect PlaceStatusLine(std::span<const PixelRect> squares, int width, int height,
                                        int lineWidth, int lineHeight);

// One refresh in milliseconds from the display's reported frequency in hertz; 60 Hz
// when it reports none (0 or 1 stand for "the hardware's default").
[[nodiscard]] double RefreshPeriodMs(int hertz) noexcept;

// How long to sleep once the wait for the refresh has returned `sinceLastChangeMs`
// after the last change: a wait that took most of a period was the refresh itself; a
// shorter one (no composition to wait for) is topped up to one period.
[[nodiscard]] int PacingSleepMs(double sinceLastChangeMs, double periodMs) noexcept;

// "Marked pixels flashing: 3 min - any key stops", in language `languageIndex`
// (English for an unknown one).
[[nodiscard]] Text SpotRepairLine(int languageIndex, int minutes);
