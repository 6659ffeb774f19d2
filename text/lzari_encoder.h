// Build-time LZARI encoder with the same parameters as CLzAriMem: 4096-byte ring
// filled with blanks, first write at 4036, static position distribution
// 10000 / (i + 200). Produces the 4-byte little-endian length header and the stream.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

std::vector<std::uint8_t> LzAriEncode(std::span<const std::uint8_t> text);
