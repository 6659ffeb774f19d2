// One marked pixel of the defect log: where it is on its monitor, which kind of fault
// it is, and the picture it was marked on. The three kinds are those that warranties
// count by: an always-lit pixel, an always-dark pixel, a faulty sub-pixel.
#pragma once

inline constexpr int kLitPixel = 1;
inline constexpr int kDarkPixel = 2;
inline constexpr int kSubPixel = 3;

// Test indexes a mark can be made on (the test pictures, not the information screen).
inline constexpr int kFirstMarkedPicture = 0;
inline constexpr int kLastMarkedPicture = 13;

struct PixelMark {
    int x = 0; // monitor pixels, (0, 0) at its top-left
    int y = 0;
    int type = kSubPixel;
    int picture = 0; // the test index it was marked on

    friend constexpr bool operator==(const PixelMark&, const PixelMark&) noexcept = default;
};

[[nodiscard]] constexpr bool IsMarkedPicture(int testIndex) noexcept {
    return testIndex >= kFirstMarkedPicture && testIndex <= kLastMarkedPicture;
}

// Pictures a new mark can be made on and rings are drawn over: every test picture but
// index 10, which has no picture of its own.
[[nodiscard]] constexpr bool IsMarkablePicture(int testIndex) noexcept {
    return IsMarkedPicture(testIndex) && testIndex != 10;
}

// The name of test picture `testIndex` as reports and timings print it; "?" for an
// index without a picture.
[[nodiscard]] constexpr const char* PictureName(int testIndex) noexcept {
    constexpr const char* kNames[] = {"white",
                                      "black",
                                      "red",
                                      "green",
                                      "blue",
                                      "cyan",
                                      "purple",
                                      "yellow",
                                      "horizontal gradient",
                                      "vertical gradient",
                                      "(no picture)",
                                      "horizontal lines",
                                      "vertical lines",
                                      "plain gradient"};
    return IsMarkedPicture(testIndex) ? kNames[testIndex] : "?";
}

// A fault seen on the white field is dark. A dot on the black field is most often one
// stuck sub-pixel, coloured, not a whole pixel always lit (a click steps it there when
// it is white); what shows on a colour, a gradient or the lines is a sub-pixel too.
[[nodiscard]] constexpr int TypeForPicture(int testIndex) noexcept {
    return testIndex == 0 ? kDarkPixel : kSubPixel;
}

// 1, 2, 3, then 1 again.
[[nodiscard]] constexpr int NextType(int type) noexcept {
    return type >= kLitPixel && type < kSubPixel ? type + 1 : kLitPixel;
}
