// What each test screen is: a plan of the fills that paint one picture for a test
// index and a client size, one fill per stripe, so the pictures themselves are
// checked without a screen. The Windows painter draws the same pixels with fewer
// calls: a run of equal stripes as one fill, a picture whose rows repeat as a few
// rows copied down the area. The acceptance pictures beyond the keys' ones are
// patterns told pixel by pixel, with the spans of rows that repeat and the small
// numbers written on them.
#pragma once

#include <array>

#include "screens/rgb.h"

// Test indices that the painter gives a meaning of its own.
inline constexpr int kInformationScreen = -1; // gradient, then the information overlay
inline constexpr int kHorizontalGradient = 8;
inline constexpr int kVerticalGradient = 9;
inline constexpr int kNoPictureOfItsOwn = 10; // leaves the previous picture on screen
inline constexpr int kHorizontalLines = 11;
inline constexpr int kVerticalLines = 12;
inline constexpr int kPlainGradient = 13;  // the information screen without its texts
inline constexpr int kFirstGreyField = 14; // grey 5 %, 10 %, 25 %, 50 %, 75 %: 14 to 18
inline constexpr int kBlackLevel = 19;
inline constexpr int kWhiteSaturation = 20;
inline constexpr int kBanding = 21;
inline constexpr int kGamma = 22;
inline constexpr int kCheckerboard = 23;     // black and white
inline constexpr int kPurpleGreenBoard = 24; // (255, 0, 255) and (0, 255, 0)
inline constexpr int kCheckerOfPairs = 25;   // 23 with cells two pixels wide
inline constexpr int kPurpleGreenPairs = 26; // 24 with cells two pixels wide

enum class PictureShape {
    Nothing, // draw nothing at all
    Solid,   // one fill over the whole area
    Columns, // one fill per column, left to right
    Rows,    // one fill per row, top to bottom
    Pattern, // pixel by pixel, no fills: see PatternKind
};

enum class PatternKind {
    Checkerboard, // cells of cellWidth x 1 pixels, `solid` at (0, 0), else `second`
    Banding,      // four bands of 256-step ramps: grey, red, green, blue
    Gamma,        // seven fields of black and white rows, a grey square in each
    Steps,        // twenty grey squares in a row across the middle of a `solid` field
};

// Rows top .. bottom - 1 repeat downwards after `period` rows (1 or 2): every row is
// the row `period` above it, as long as that one is in the span too.
struct RowSpan {
    int top = 0;
    int bottom = 0;
    int period = 0;
};
inline constexpr int kMostRowSpans = 4;
struct RowSpans {
    std::array<RowSpan, kMostRowSpans> spans{};
    int count = 0;
};

// Gamma values of the gamma picture's columns, in tenths: 1.6 to 2.8.
inline constexpr std::array<int, 7> kGammaTenths{16, 18, 20, 22, 24, 26, 28};
// The grey that looks as bright as half black, half white at gamma g:
// round(255 x 0.5^(1/g)), for the values of kGammaTenths.
inline constexpr std::array<std::uint8_t, 7> kGammaGreys{165, 174, 180, 186, 191, 195, 199};

// Squares in the black-level and white saturation pictures.
inline constexpr int kStepSquares = 20;

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
    // Pattern pictures only.
    PatternKind pattern = PatternKind::Checkerboard;
    Rgb second{};        // the checkerboard's other colour
    int cellWidth = 1;   // checkerboard cell width
    int firstLevel = 0;  // grey of the first step square
    int squareSide = 0;  // steps and gamma squares; 0: none fit
    int squareGap = 0;   // between step squares
    int squaresLeft = 0; // left edge of the first step square
    int squaresTop = 0;  // top row of every square

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
    // The spans of repeating rows, top to bottom, tiling the area: one for column
    // stripes and lines, the bands and the rows above, through and below the squares
    // of a pattern; none where rows never repeat and for solid and empty pictures.
    [[nodiscard]] RowSpans RepeatingRows() const noexcept;
    // The colour of pixel (x, y) of a pattern, 0 <= x < width, 0 <= y < height; black
    // for other shapes and pixels.
    [[nodiscard]] Rgb PatternColour(int x, int y) const noexcept;
    // Step square i of the black-level and white saturation pictures, or gamma column
    // i's square; empty where there is none.
    [[nodiscard]] PixelRect Square(int i) const noexcept;
};

// The picture of a test index at a client size. A negative size counts as 0. An
// empty area gets no fills; the information screen still gets its overlay.
[[nodiscard]] TestPicture PlanTestPicture(int testIndex, int width, int height) noexcept;

// The index of the part that holds pixel x when `length` pixels are cut into `parts`
// parts, part k covering floor(k x length / parts) to floor((k + 1) x length / parts)
// - 1 (64-bit arithmetic; parts > length leaves some parts empty); 0 <= x < length.
[[nodiscard]] int PartAt(int x, int parts, int length) noexcept;
// The first pixel of part k, as above.
[[nodiscard]] int PartStart(int k, int parts, int length) noexcept;

// A number written small on a picture, in the overlay's font: its box, filled with
// `paper`, and `text` in `ink`, centred and clipped to the box.
struct PictureLabel {
    PixelRect box;
    std::array<char16_t, 4> text{}; // null-terminated
    int length = 0;
    Rgb ink{};
    Rgb paper{};
};
inline constexpr int kMostLabels = kStepSquares;
struct PictureLabels {
    std::array<PictureLabel, kMostLabels> labels{};
    int count = 0;
    int fontHeight = 0; // negative: character height in pixels, as the overlay's font
};

// The numbers on `picture`: each step square's level under it, each gamma square's
// gamma under it, inside the area, clear of every square and of each other. None
// on other pictures, and none where they would not fit.
[[nodiscard]] PictureLabels LabelsOf(const TestPicture& picture) noexcept;

// Stripe i of a gradient over `span` stripes: (level, 0, 200 - level) with
// level = scaled(200, i, span).
[[nodiscard]] Rgb GradientColour(int i, int span) noexcept;

// Stripe i of a line pattern.
[[nodiscard]] constexpr Rgb LineColour(int i) noexcept {
    return i % 2 == 0 ? kBlack : kWhite;
}
