// The test pictures as fill plans (see picture.h).
#include "screens/picture.h"

#include <algorithm>
#include <array>

#include "screens/scaled.h"

namespace {

// Solid fields of tests 0 to 7.
constexpr std::array<Rgb, 8> kSolidColours{{
    {255, 255, 255}, // white
    {0, 0, 0},       // black
    {255, 0, 0},     // red
    {0, 255, 0},     // green
    {0, 0, 255},     // blue
    {0, 255, 255},   // cyan
    {255, 0, 255},   // purple
    {255, 255, 0},   // yellow
}};

} // namespace

Rgb GradientColour(int i, int span) noexcept {
    // Only i in 0..span-1 is drawn, where the level is 0..199; the clamp keeps any
    // other i inside the colour range instead of wrapping around.
    const int level = std::clamp(scaled(200, i, span), 0, 200);
    return {static_cast<std::uint8_t>(level), 0, static_cast<std::uint8_t>(200 - level)};
}

TestPicture PlanTestPicture(int testIndex, int width, int height) noexcept {
    TestPicture picture;
    picture.width = std::max(width, 0);
    picture.height = std::max(height, 0);
    picture.overlay = testIndex == kInformationScreen;
    if (picture.width == 0 || picture.height == 0) {
        // Nothing of any picture would show; the overlay may still have its say.
        return picture;
    }
    if (testIndex >= 0 && testIndex < static_cast<int>(kSolidColours.size())) {
        picture.shape = PictureShape::Solid;
        picture.solid = kSolidColours[static_cast<std::size_t>(testIndex)];
        return picture;
    }
    switch (testIndex) {
    case kHorizontalGradient:
        picture.shape = PictureShape::Columns;
        picture.scheme = StripeScheme::Gradient;
        break;
    case kVerticalGradient:
    case kPlainGradient:
    case kInformationScreen:
        picture.shape = PictureShape::Rows;
        picture.scheme = StripeScheme::Gradient;
        break;
    case kHorizontalLines:
        picture.shape = PictureShape::Rows;
        picture.scheme = StripeScheme::Lines;
        break;
    case kVerticalLines:
        picture.shape = PictureShape::Columns;
        picture.scheme = StripeScheme::Lines;
        break;
    default: // kNoPictureOfItsOwn and any unknown index: the screen keeps what it shows
        break;
    }
    return picture;
}

int TestPicture::FillCount() const noexcept {
    switch (shape) {
    case PictureShape::Solid:
        return 1;
    case PictureShape::Columns:
        return width;
    case PictureShape::Rows:
        return height;
    case PictureShape::Nothing:
        break;
    }
    return 0;
}

PixelRect TestPicture::FillRect(int i) const noexcept {
    if (i < 0 || i >= FillCount()) {
        return {};
    }
    switch (shape) {
    case PictureShape::Solid:
        return {0, 0, width, height};
    case PictureShape::Columns:
        return {i, 0, i + 1, height};
    case PictureShape::Rows:
        return {0, i, width, i + 1};
    case PictureShape::Nothing:
        break;
    }
    return {};
}

Rgb TestPicture::FillColour(int i) const noexcept {
    if (i < 0 || i >= FillCount()) {
        return kBlack;
    }
    if (shape == PictureShape::Solid) {
        return solid;
    }
    if (scheme == StripeScheme::Lines) {
        return LineColour(i);
    }
    return GradientColour(i, FillCount());
}

int TestPicture::RowPeriod() const noexcept {
    if (shape == PictureShape::Columns) {
        return 1;
    }
    return shape == PictureShape::Rows && scheme == StripeScheme::Lines ? 2 : 0;
}
