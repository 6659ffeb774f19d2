// What each test screen is: a plan of the fills that paint one picture for a test
// index and a client size, one fill per stripe, so the pictures themselves are
// checked without a screen. The Windows painter draws the same pixels with fewer
// calls: a run of equal stripes as one fill, a picture whose rows repeat as a few
// rows copied down the area.
#pragma once

#include "screens/rgb.h"

// Test indices that the painter gives a meaning of its own.
inline constexpr int kInformationScreen = -1; // gradient, then the information overlay
inline constexpr int kHorizontalGradient = 8;
inline constexpr int kVerticalGradient = 9;
inline constexpr int kNoPictureOfItsOwn = 10; // leaves the previous picture on screen
inline constexpr int kHorizontalLines = 11;
inline constexpr int kVerticalLines = 12;
inline constexpr int kPlainGradient = 13; // the information screen without its texts

enum class PictureShape {
    Nothing, // draw nothing at all
    Solid,   // one fill over the whole area
    Columns, // one fill per column, left to right
    Rows,    // one fill per row, top to bottom
};

enum class StripeScheme {
    Gradient, // blue at the first stripe, turning to red
    Lines,    // black on even stripes, white on odd ones
};

// Rectangle in client pixels, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend constexpr bool operator==(const PixelRect&, const PixelRect&) noexcept = default;
};

struct TestPicture {
    PictureShape shape = PictureShape::Nothing;
    StripeScheme scheme = StripeScheme::Gradient;
    Rgb solid{};   // the colour of a Solid picture
    int width = 0; // client size the plan was made for
    int height = 0;
    bool overlay = false; // the information overlay goes on top of the picture

    // Number of fills: 0, 1, width or height.
    [[nodiscard]] int FillCount() const noexcept;
    // Rectangle and colour of fill i, 0 <= i < FillCount(); an empty rectangle and
    // black for any other i.
    [[nodiscard]] PixelRect FillRect(int i) const noexcept;
    [[nodiscard]] Rgb FillColour(int i) const noexcept;
    // Rows after which the picture repeats itself downwards: 1 for column stripes,
    // 2 for the horizontal lines, 0 where the rows never repeat (gradient rows) and
    // for solid and empty pictures.
    [[nodiscard]] int RowPeriod() const noexcept;
};

// The picture of a test index at a client size. A negative size counts as 0. An
// empty area gets no fills; the information screen still gets its overlay.
[[nodiscard]] TestPicture PlanTestPicture(int testIndex, int width, int height) noexcept;

// Stripe i of a gradient over `span` stripes: (level, 0, 200 - level) with
// level = scaled(200, i, span).
[[nodiscard]] Rgb GradientColour(int i, int span) noexcept;

// Stripe i of a line pattern.
[[nodiscard]] constexpr Rgb LineColour(int i) noexcept {
    return i % 2 == 0 ? kBlack : kWhite;
}
