// Pixels of the block-copy variant's off-screen picture.
#include "screens/source_image.h"

namespace {

constexpr std::uint32_t RampPixel(std::uint32_t t) noexcept {
    const std::uint32_t level = t % 255u; // 255, not 256: the ramps drift against the bands
    const std::uint32_t s = t % 768u;
    const std::uint32_t shift = s < 256u ? 0u : s < 512u ? 8u : 16u;
    return level << shift;
}

} // namespace

std::uint32_t SourcePixel(int x, int y) noexcept {
    return RampPixel(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(y));
}

void FillSourceRow(std::span<std::uint32_t> row, int y) noexcept {
    // Walk level and s along the row instead of dividing for every pixel: the image
    // is rebuilt at every run start and holds millions of pixels.
    const auto t0 = static_cast<std::uint32_t>(y);
    std::uint32_t level = t0 % 255u;
    std::uint32_t s = t0 % 768u;
    for (std::uint32_t& pixel : row) {
        const std::uint32_t shift = s < 256u ? 0u : s < 512u ? 8u : 16u;
        pixel = level << shift;
        if (++level == 255u) {
            level = 0;
        }
        if (++s == 768u) {
            s = 0;
        }
    }
}
