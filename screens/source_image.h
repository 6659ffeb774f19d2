// The block-copy variant's off-screen picture: diagonal blue, green and red ramps,
// each 256 pixels wide along the diagonal, as 32-bit pixels (blue in the low byte).
#pragma once

#include <cstdint>
#include <span>

// The pixel at (x, y): with t = x + y, level t mod 255 in the blue, green or red
// byte as t mod 768 lies in the first, second or third 256.
[[nodiscard]] std::uint32_t SourcePixel(int x, int y) noexcept;

// Fills one row (row index y, one pixel per element of `row`).
void FillSourceRow(std::span<std::uint32_t> row, int y) noexcept;
