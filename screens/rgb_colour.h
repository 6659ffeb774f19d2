// A 24-bit colour as the workers compute it, before the Windows layer turns it
// into a COLORREF.
#pragma once

#include <cstdint>

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(const RgbColour&, const RgbColour&) = default;
};
