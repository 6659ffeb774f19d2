// The colours of the stuck-pixel repair flasher: seven full-intensity colours,
// black never among them, picked by a random value.
#pragma once

#include <array>
#include <cstdint>

#include "screens/random.h"
#include "screens/rgb.h"

inline constexpr std::array<Rgb, 7> kRepairColours = {{
    {255, 255, 255}, // white
    {255, 0, 0},     // red
    {0, 255, 0},     // green
    {0, 0, 255},     // blue
    {0, 255, 255},   // cyan
    {255, 0, 255},   // magenta
    {255, 255, 0},   // yellow
}};

// The colour for a random value: entry (value mod 7).
[[nodiscard]] constexpr Rgb RepairColour(std::uint32_t randomValue) noexcept {
    return kRepairColours[randomValue % kRepairColours.size()];
}

// Draws one value from the generator and returns its colour.
[[nodiscard]] Rgb NextRepairColour(RandomGenerator& generator) noexcept;
