// The flasher for the marked pixels only: a small square over each marked pixel
// cycles through full red, green, blue, white and black, one colour per display
// refresh (a change overwritten before the next refresh never reaches the panel),
// every other pixel black, and one small line saying how long it has run and how to
// stop it, kept clear of the marks.
#pragma once

#include <cstdint>
#include <optional>
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

// Where a status line of lineWidth x lineHeight goes: inside the area, 8 pixels from
// its edges, and at least kStatusLineClearance from every square (so farther still
// from its mark). The first that is clear of the corners (bottom left, bottom right,
// top left, top right), then the leftmost along the bottom edge, along the top edge,
// the lowest along the left edge, along the right edge, then the lowest and leftmost
// anywhere; none when there is no such place.
[[nodiscard]] std::optional<PixelRect> PlaceStatusLine(std::span<const PixelRect> squares,
                                                       int width, int height, int lineWidth,
                                                       int lineHeight);

// "Marked pixels flashing: 3 min - any key stops", in language `languageIndex`
// (English for an unknown one).
[[nodiscard]] Text SpotRepairLine(int languageIndex, int minutes);
