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

// Grey fields of tests 14 to 18: 5 %, 10 %, 25 %, 50 % and 75 % of 255.
constexpr std::array<std::uint8_t, 5> kGreyLevels{13, 26, 64, 128, 191};

constexpr Rgb Grey(int level) noexcept {
    const auto g = static_cast<std::uint8_t>(level);
    return {g, g, g};
}

constexpr Rgb kPurple{255, 0, 255};
constexpr Rgb kGreen{0, 255, 0};

// The black-level and white saturation squares: a row of twenty across the middle,
// about a thirtieth of the width each with a third of that between, no taller than a
// third of the height; none where twenty with one-pixel gaps do not fit.
void PlaceSteps(TestPicture& picture) noexcept {
    int side = std::min(picture.width / 30, picture.height / 3);
    const int gap = std::max(1, side / 3);
    const int span = kStepSquares * side + (kStepSquares - 1) * gap;
    if (side < 1 || span > picture.width) {
        side = 0;
    }
    picture.squareSide = side;
    picture.squareGap = side > 0 ? gap : 0;
    picture.squaresLeft = side > 0 ? (picture.width - span) / 2 : 0;
    picture.squaresTop = (picture.height - side) / 2;
}

// The gamma squares: half the narrowest column (or half the height) on a side, in
// the middle of each column and of the height.
void PlaceGammaSquares(TestPicture& picture) noexcept {
    const int side =
        std::min(picture.width / static_cast<int>(kGammaTenths.size()), picture.height) / 2;
    picture.squareSide = side;
    picture.squaresTop = (picture.height - side) / 2;
}

TestPicture& MakePattern(TestPicture& picture, PatternKind kind) noexcept {
    picture.shape = PictureShape::Pattern;
    picture.pattern = kind;
    return picture;
}

void AddSpan(RowSpans& spans, int top, int bottom, int period) noexcept {
    if (top < bottom && spans.count < kMostRowSpans) {
        spans.spans[static_cast<std::size_t>(spans.count++)] = {top, bottom, period};
    }
}

// Rows of the banding picture's first three bands; the fourth takes the rest, so
// that a height not divisible by four adds its one to three rows to the blue band.
int BandRows(int height) noexcept {
    return height / 4;
}

bool Inside(const PixelRect& r, int x, int y) noexcept {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

int PartStart(int k, int parts, int length) noexcept {
    if (parts <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<std::int64_t>(k) * length / parts);
}

int PartAt(int x, int parts, int length) noexcept {
    if (length <= 0 || parts <= 0) {
        return 0;
    }
    // The last k whose start floor(k x length / parts) is at most x.
    const std::int64_t k = ((static_cast<std::int64_t>(x) + 1) * parts - 1) / length;
    return static_cast<int>(std::clamp<std::int64_t>(k, 0, parts - 1));
}

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
    if (testIndex >= kFirstGreyField &&
        testIndex < kFirstGreyField + static_cast<int>(kGreyLevels.size())) {
        picture.shape = PictureShape::Solid;
        picture.solid = Grey(kGreyLevels[static_cast<std::size_t>(testIndex - kFirstGreyField)]);
        return picture;
    }
    switch (testIndex) {
    case kBlackLevel:
    case kWhiteSaturation:
        MakePattern(picture, PatternKind::Steps);
        picture.solid = testIndex == kBlackLevel ? kBlack : kWhite;
        picture.firstLevel = testIndex == kBlackLevel ? 1 : 235;
        PlaceSteps(picture);
        break;
    case kBanding:
        MakePattern(picture, PatternKind::Banding);
        break;
    case kGamma:
        MakePattern(picture, PatternKind::Gamma);
        PlaceGammaSquares(picture);
        break;
    case kCheckerboard:
    case kPurpleGreenBoard:
    case kCheckerOfPairs:
    case kPurpleGreenPairs: {
        const bool purple = testIndex == kPurpleGreenBoard || testIndex == kPurpleGreenPairs;
        MakePattern(picture, PatternKind::Checkerboard);
        picture.solid = purple ? kPurple : kBlack;
        picture.second = purple ? kGreen : kWhite;
        picture.cellWidth = testIndex >= kCheckerOfPairs ? 2 : 1;
        break;
    }
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
    case PictureShape::Pattern:
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
    case PictureShape::Pattern:
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
    const RowSpans rows = RepeatingRows();
    return rows.count == 1 ? rows.spans[0].period : 0;
}

RowSpans TestPicture::RepeatingRows() const noexcept {
    RowSpans rows;
    if (shape == PictureShape::Columns) {
        AddSpan(rows, 0, height, 1);
    } else if (shape == PictureShape::Rows && scheme == StripeScheme::Lines) {
        AddSpan(rows, 0, height, 2);
    } else if (shape == PictureShape::Pattern) {
        switch (pattern) {
        case PatternKind::Checkerboard:
            AddSpan(rows, 0, height, 2);
            break;
        case PatternKind::Banding: {
            const int band = BandRows(height);
            for (int b = 0; b < 3; ++b) {
                AddSpan(rows, b * band, (b + 1) * band, 1);
            }
            AddSpan(rows, 3 * band, height, 1);
            break;
        }
        case PatternKind::Gamma:
        case PatternKind::Steps: {
            const int period = pattern == PatternKind::Gamma ? 2 : 1;
            const int squareBottom = squaresTop + squareSide;
            AddSpan(rows, 0, squaresTop, period);
            AddSpan(rows, squaresTop, squareBottom, period);
            AddSpan(rows, squareBottom, height, period);
            break;
        }
        }
    }
    return rows;
}

PixelRect TestPicture::Square(int i) const noexcept {
    if (shape != PictureShape::Pattern || squareSide <= 0 || i < 0) {
        return {};
    }
    if (pattern == PatternKind::Steps && i < kStepSquares) {
        const int left = squaresLeft + i * (squareSide + squareGap);
        return {left, squaresTop, left + squareSide, squaresTop + squareSide};
    }
    const int columns = static_cast<int>(kGammaTenths.size());
    if (pattern == PatternKind::Gamma && i < columns) {
        const int columnLeft = PartStart(i, columns, width);
        const int columnWidth = PartStart(i + 1, columns, width) - columnLeft;
        const int left = columnLeft + (columnWidth - squareSide) / 2;
        return {left, squaresTop, left + squareSide, squaresTop + squareSide};
    }
    return {};
}

Rgb TestPicture::PatternColour(int x, int y) const noexcept {
    if (shape != PictureShape::Pattern || x < 0 || y < 0 || x >= width || y >= height) {
        return kBlack;
    }
    switch (pattern) {
    case PatternKind::Checkerboard:
        return (x / std::max(cellWidth, 1) + y) % 2 == 0 ? solid : second;
    case PatternKind::Banding: {
        const int band = BandRows(height);
        const int which = band > 0 ? std::min(y / band, 3) : 3;
        const auto level = static_cast<std::uint8_t>(PartAt(x, 256, width));
        switch (which) {
        case 0:
            return {level, level, level};
        case 1:
            return {level, 0, 0};
        case 2:
            return {0, level, 0};
        default:
            return {0, 0, level};
        }
    }
    case PatternKind::Gamma: {
        const int column = PartAt(x, static_cast<int>(kGammaTenths.size()), width);
        if (Inside(Square(column), x, y)) {
            return Grey(kGammaGreys[static_cast<std::size_t>(column)]);
        }
        return LineColour(y);
    }
    case PatternKind::Steps: {
        const int pitch = squareSide + squareGap;
        const int across = x - squaresLeft;
        if (squareSide > 0 && across >= 0 && y >= squaresTop && y < squaresTop + squareSide &&
            across / pitch < kStepSquares && across % pitch < squareSide) {
            return Grey(firstLevel + across / pitch);
        }
        return solid;
    }
    }
    return kBlack;
}

namespace {

// The label font's character height: small, growing with the width.
int LabelCharacterHeight(int width) noexcept {
    return std::clamp(width / 80, 8, 48);
}

// A label box for `length` characters centred under `square`, measured generously
// for the bold italic digits (0.6 of the height each) with a quarter height each side.
PixelRect BoxUnder(const PixelRect& square, int length, int characterHeight) noexcept {
    const int boxWidth = length * ((characterHeight * 3 + 4) / 5) + characterHeight / 2;
    const int boxHeight = characterHeight * 6 / 5 + 2;
    const int top = square.bottom + std::max(2, characterHeight / 4);
    const int left = square.left + (square.right - square.left - boxWidth) / 2;
    return {left, top, left + boxWidth, top + boxHeight};
}

int WriteNumber(std::array<char16_t, 4>& text, int value) noexcept {
    char16_t digits[3];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 3);
    for (int i = 0; i < count; ++i) {
        text[static_cast<std::size_t>(i)] = digits[count - 1 - i];
    }
    text[static_cast<std::size_t>(count)] = 0;
    return count;
}

} // namespace

PictureLabels LabelsOf(const TestPicture& picture) noexcept {
    PictureLabels result;
    const bool steps = picture.pattern == PatternKind::Steps;
    if (picture.shape != PictureShape::Pattern || picture.squareSide <= 0 ||
        (!steps && picture.pattern != PatternKind::Gamma)) {
        return result;
    }
    const int height = LabelCharacterHeight(picture.width);
    const int count = steps ? kStepSquares : static_cast<int>(kGammaTenths.size());
    for (int i = 0; i < count; ++i) {
        PictureLabel& label = result.labels[static_cast<std::size_t>(i)];
        if (steps) {
            label.length = WriteNumber(label.text, picture.firstLevel + i);
            label.ink = picture.firstLevel == 1 ? kWhite : kBlack;
            label.paper = picture.solid;
        } else {
            const int tenths = kGammaTenths[static_cast<std::size_t>(i)];
            label.text = {static_cast<char16_t>(u'0' + tenths / 10), u'.',
                          static_cast<char16_t>(u'0' + tenths % 10), 0};
            label.length = 3;
            label.ink = kWhite; // on a black box over the black and white rows
            label.paper = kBlack;
        }
        const PixelRect square = picture.Square(i);
        label.box = BoxUnder(square, label.length, height);
        // Its own room: inside the area, and within the square's pitch (a step square
        // and its gap) or its gamma column, so no two labels meet.
        const int roomLeft =
            steps ? square.left - picture.squareGap / 2 : PartStart(i, count, picture.width);
        const int roomRight = steps ? square.right + (picture.squareGap + 1) / 2
                                    : PartStart(i + 1, count, picture.width);
        if (label.box.left < std::max(roomLeft, 0) ||
            label.box.right > std::min(roomRight, picture.width) ||
            label.box.bottom > picture.height) {
            return PictureLabels{}; // no room: the picture goes without its numbers
        }
    }
    result.count = count;
    result.fontHeight = -height;
    return result;
}
