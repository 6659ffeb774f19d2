// The catalogue block embedded in the program at build time, and the start-up build
// of the program's catalogue from it.
#pragma once

#include <cstdint>
#include <span>

[[nodiscard]] std::span<const std::uint8_t> EmbeddedCatalogBlock() noexcept;

// Builds TheCatalogue() from the embedded block; false when the block is empty.
[[nodiscard]] bool BuildCatalogue() noexcept;
