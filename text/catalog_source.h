// The catalogue as the program embeds it, made from its readable source text:
// UTF-8 with LF line ends in, UTF-16LE with a byte order mark and CR LF line ends out.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// Returns nothing when the source is not well-formed UTF-8.
std::optional<std::vector<std::uint8_t>> CatalogueTextFromSource(std::string_view utf8Source);
