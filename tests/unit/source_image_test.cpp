// Pixels of the block-copy variant's off-screen picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screens/source_image.h"

namespace {

TEST(SourceImage, Pixels) {
    struct Case {
        int x, y;
        std::uint32_t pixel;
    };
    const Case cases[] = {
        {0, 0, 0},          // black
        {254, 0, 254},      // blue 254
        {255, 0, 0},        // 255 mod 255
        {256, 0, 0x000100}, // green 1
        {511, 0, 0x000100}, // green 1: 511 mod 255
        {512, 0, 0x020000}, // red 2
        {767, 0, 0x020000}, // red 2: 767 mod 255
        {768, 0, 3},        // blue again: 768 mod 255
        {0, 256, 0x000100}, // the ramps run along the diagonal
        {100, 156, 0x000100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SourcePixel(c.x, c.y), c.pixel) << c.x << "," << c.y;
    }
    // The far corner of a 1920 x 1080 image: t = 3254, 3254 mod 768 = 182, a blue 194.
    EXPECT_EQ(SourcePixel(1919 + 256, 1079), 194u);
}

TEST(SourceImage, RowsMatchThePixels) {
    // Rows of several widths, including ones that cross every wrap of both counters.
    for (const int y : {0, 1, 254, 255, 256, 767, 768, 1079, 2159}) {
        for (const std::size_t width :
             {std::size_t{0}, std::size_t{1}, std::size_t{2176}, std::size_t{4096}}) {
            std::vector<std::uint32_t> row(width, 0xDEADBEEFu);
            FillSourceRow(row, y);
            for (std::size_t x = 0; x < width; ++x) {
                ASSERT_EQ(row[x], SourcePixel(static_cast<int>(x), y)) << x << "," << y;
            }
        }
    }
}

} // namespace
