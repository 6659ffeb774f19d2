// The embedded catalogue block (generated from data/catalog.txt) and its build.
#include "text/embedded_catalog.h"

#include <cstddef>

#include "text/text_lookup.h"

extern const std::uint8_t kEmbeddedCatalog[];
extern const std::size_t kEmbeddedCatalogSize;

std::span<const std::uint8_t> EmbeddedCatalogBlock() noexcept {
    return {kEmbeddedCatalog, kEmbeddedCatalogSize};
}

bool BuildCatalogue() noexcept {
    return TheCatalogue().BuildFromBlock(EmbeddedCatalogBlock());
}
