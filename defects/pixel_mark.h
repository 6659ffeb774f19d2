// One marked pixel of the defect log: where it is on its monitor, which kind of fault
// it is, and the picture it was marked on. The three kinds are those that warranties
// count by: an always-lit pixel, an always-dark pixel, a faulty sub-pixel.
#pragma once

inline constexpr int kLitPixel = 1;
inline constexpr int kDarkPixel = 2;
inline constexpr int kSubPixel = 3;

struct PixelMark {
    int x = 0; // monitor pixels, (0, 0) at its top-left
    int y = 0;
    int type = kSubPixel;
    int picture = 0; // the test index it was marked on

    friend constexpr bool operator==(const PixelMark&, const PixelMark&) noexcept = default;
};

// 1, 2, 3, then 1 again.
[[nodiscard]] constexpr int NextType(int type) noexcept {
    return type >= kLitPixel && type < kSubPixel ? type + 1 : kLitPixel;
}
