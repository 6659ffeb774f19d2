// The scaled value and the fill plans of the test pictures: which fills, where, and
// in which colour, including empty and broken client sizes and unknown indices; the
// pictures with the marks' rings, against a plain pixel-by-pixel composition; the
// motion test's frames and the changes between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "defects/shared_log.h"
#include "screens/motion_frame.h"
#include "screens/picture.h"
#include "screens/ringed_picture.h"
#include "screens/scaled.h"

namespace {

struct ScaledCase {
    std::int32_t a, b, c, expected;
};

TEST(Scaled, Table) {
    const ScaledCase cases[] = {
        // Any zero operand gives 0, a zero divisor included.
        {0, 5, 7, 0},
        {5, 0, 7, 0},
        {5, 7, 0, 0},
        {0, 0, 0, 0},
        {INT_MIN, INT_MIN, 0, 0},
        // Gradient levels.
        {200, 640, 1280, 100},
        {200, 1919, 1920, 199},
        {200, 1279, 1280, 199},
        {200, 1, 3, 66},
        // Font heights and shadow offsets: truncation toward zero, not floor.
        {-26, 1280, 1280, -26},
        {-26, 1920, 1280, -39},
        {-3, 1920, 1280, -4},
        {-3, 1024, 1280, -2},
        {-3, 800, 1280, -1},
        {-3, 427, 1280, -1},
        {-3, 426, 1280, 0},
        {7, 1, -2, -3},
        {-7, 1, 2, -3},
        {-7, -1, 2, 3},
        {-7, -1, -2, -3},
        // The product wraps as a 32-bit multiply does.
        {65536, 65536, 1, 0},
        {65536, 32768, 1, INT_MIN},
        {46341, 46341, 1, -2147479015},
        {46341, 46341, -7, 306782716},
        {INT_MAX, 2, 2, -1},
        {100000, 100000, 3, 470021802},
        // The one quotient outside the range wraps too instead of trapping.
        {INT_MIN, 1, -1, INT_MIN},
        {INT_MIN, -1, 1, INT_MIN},
        {INT_MAX, 1, -1, -INT_MAX},
    };
    for (const ScaledCase& c : cases) {
        EXPECT_EQ(scaled(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

struct PlanCase {
    int index, width, height;
    PictureShape shape;
    StripeScheme scheme;
    int fills;
    bool overlay;
};

TEST(PlanTestPicture, ShapeFillCountAndOverlay) {
    using enum PictureShape;
    using enum StripeScheme;
    const PlanCase cases[] = {
        {-1, 7, 5, Rows, Gradient, 5, true},
        {0, 7, 5, Solid, Gradient, 1, false},
        {7, 7, 5, Solid, Gradient, 1, false},
        {8, 7, 5, Columns, Gradient, 7, false},
        {9, 7, 5, Rows, Gradient, 5, false},
        {10, 7, 5, Nothing, Gradient, 0, false},
        {11, 7, 5, Rows, Lines, 5, false},
        {12, 7, 5, Columns, Lines, 7, false},
        {13, 7, 5, Rows, Gradient, 5, false},
        {14, 7, 5, Solid, Gradient, 1, false},
        {18, 7, 5, Solid, Gradient, 1, false},
        {19, 7, 5, Pattern, Gradient, 0, false},
        {22, 1, 1, Pattern, Gradient, 0, false},
        {26, 7, 5, Pattern, Gradient, 0, false},
        {26, 0, 5, Nothing, Gradient, 0, false},
        {8, 1920, 1080, Columns, Gradient, 1920, false},
        {-1, 1920, 1080, Rows, Gradient, 1080, true},
        // Unknown indices draw nothing, nor yet the motion test's.
        {27, 7, 5, Nothing, Gradient, 0, false},
        {29, 7, 5, Nothing, Gradient, 0, false},
        {30, 7, 5, Nothing, Gradient, 0, false},
        {-2, 7, 5, Nothing, Gradient, 0, false},
        {INT_MAX, 7, 5, Nothing, Gradient, 0, false},
        {INT_MIN, 7, 5, Nothing, Gradient, 0, false},
        // Empty areas: no fill at all, but the information screen keeps its overlay.
        {8, 0, 5, Nothing, Gradient, 0, false},
        {12, 0, 5, Nothing, Gradient, 0, false},
        {11, 7, 0, Nothing, Gradient, 0, false},
        {9, 7, 0, Nothing, Gradient, 0, false},
        {13, 7, 0, Nothing, Gradient, 0, false},
        {-1, 7, 0, Nothing, Gradient, 0, true},
        {-1, 0, 5, Nothing, Gradient, 0, true},
        {-1, 0, 0, Nothing, Gradient, 0, true},
        {0, 0, 5, Nothing, Gradient, 0, false},
        {3, 7, 0, Nothing, Gradient, 0, false},
        // Negative sizes are empty areas, not huge or inverted ones.
        {8, -5, 5, Nothing, Gradient, 0, false},
        {11, 7, -1, Nothing, Gradient, 0, false},
        {-1, INT_MIN, INT_MIN, Nothing, Gradient, 0, true},
        {2, -1, -1, Nothing, Gradient, 0, false},
    };
    for (const PlanCase& c : cases) {
        const TestPicture picture = PlanTestPicture(c.index, c.width, c.height);
        SCOPED_TRACE(testing::Message()
                     << "index " << c.index << " at " << c.width << " x " << c.height);
        EXPECT_EQ(picture.shape, c.shape);
        if (c.shape == Rows || c.shape == Columns) {
            EXPECT_EQ(picture.scheme, c.scheme);
        }
        EXPECT_EQ(picture.FillCount(), c.fills);
        EXPECT_EQ(picture.overlay, c.overlay);
        EXPECT_GE(picture.width, 0);
        EXPECT_GE(picture.height, 0);
    }
}

struct FillCase {
    int index, width, height, fill;
    PixelRect rect;
    Rgb colour;
};

TEST(PlanTestPicture, FillRectsAndColours) {
    const FillCase cases[] = {
        // Solid fields cover the whole area.
        {0, 3, 2, 0, {0, 0, 3, 2}, {255, 255, 255}},
        {1, 3, 2, 0, {0, 0, 3, 2}, {0, 0, 0}},
        {2, 3, 2, 0, {0, 0, 3, 2}, {255, 0, 0}},
        {3, 3, 2, 0, {0, 0, 3, 2}, {0, 255, 0}},
        {4, 3, 2, 0, {0, 0, 3, 2}, {0, 0, 255}},
        {5, 3, 2, 0, {0, 0, 3, 2}, {0, 255, 255}},
        {6, 3, 2, 0, {0, 0, 3, 2}, {255, 0, 255}},
        {7, 1, 1, 0, {0, 0, 1, 1}, {255, 255, 0}},
        // Grey fields of 5, 10, 25, 50 and 75 %.
        {14, 3, 2, 0, {0, 0, 3, 2}, {13, 13, 13}},
        {15, 3, 2, 0, {0, 0, 3, 2}, {26, 26, 26}},
        {16, 3, 2, 0, {0, 0, 3, 2}, {64, 64, 64}},
        {17, 3, 2, 0, {0, 0, 3, 2}, {128, 128, 128}},
        {18, 3, 2, 0, {0, 0, 3, 2}, {191, 191, 191}},
        // Horizontal gradient: blue at the left edge, turning red, never green.
        {8, 1280, 1024, 0, {0, 0, 1, 1024}, {0, 0, 200}},
        {8, 1280, 1024, 640, {640, 0, 641, 1024}, {100, 0, 100}},
        {8, 1280, 1024, 1279, {1279, 0, 1280, 1024}, {199, 0, 1}},
        {8, 1920, 1080, 1919, {1919, 0, 1920, 1080}, {199, 0, 1}},
        {8, 1, 1, 0, {0, 0, 1, 1}, {0, 0, 200}},
        {8, 3, 1, 1, {1, 0, 2, 1}, {66, 0, 134}},
        // Vertical gradients: the same levels down the rows.
        {9, 1, 1, 0, {0, 0, 1, 1}, {0, 0, 200}},
        {9, 1920, 1, 0, {0, 0, 1920, 1}, {0, 0, 200}},
        {9, 1920, 1080, 540, {0, 540, 1920, 541}, {100, 0, 100}},
        {13, 1920, 1080, 1079, {0, 1079, 1920, 1080}, {199, 0, 1}},
        {-1, 1280, 1024, 512, {0, 512, 1280, 513}, {100, 0, 100}},
        {-1, 2, 3, 2, {0, 2, 2, 3}, {133, 0, 67}},
        // Lines start black.
        {11, 4, 3, 0, {0, 0, 4, 1}, {0, 0, 0}},
        {11, 4, 3, 1, {0, 1, 4, 2}, {255, 255, 255}},
        {11, 4, 3, 2, {0, 2, 4, 3}, {0, 0, 0}},
        {12, 2, 5, 0, {0, 0, 1, 5}, {0, 0, 0}},
        {12, 2, 5, 1, {1, 0, 2, 5}, {255, 255, 255}},
        // Outside the fills: nothing to draw, and no garbage colour.
        {8, 5, 5, 5, {}, {0, 0, 0}},
        {8, 5, 5, -1, {}, {0, 0, 0}},
        {0, 5, 5, 1, {}, {0, 0, 0}},
        {10, 5, 5, 0, {}, {0, 0, 0}},
        {-1, 5, 0, 0, {}, {0, 0, 0}},
    };
    for (const FillCase& c : cases) {
        const TestPicture picture = PlanTestPicture(c.index, c.width, c.height);
        SCOPED_TRACE(testing::Message() << "index " << c.index << " at " << c.width << " x "
                                        << c.height << ", fill " << c.fill);
        EXPECT_EQ(picture.FillRect(c.fill), c.rect);
        EXPECT_EQ(picture.FillColour(c.fill), c.colour);
    }
}

// The fills of every picture tile the client area exactly once: no gap, no overlap,
// nothing outside it.
TEST(PlanTestPicture, FillsCoverTheAreaOnce) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {1, 9}, {9, 1}, {64, 48}};
    for (const auto& size : sizes) {
        const int width = size[0];
        const int height = size[1];
        for (int index = -1; index <= 13; ++index) {
            const TestPicture picture = PlanTestPicture(index, width, height);
            std::vector<int> covered(static_cast<std::size_t>(width * height), 0);
            for (int i = 0; i < picture.FillCount(); ++i) {
                const PixelRect r = picture.FillRect(i);
                ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height &&
                            r.left < r.right && r.top < r.bottom)
                    << "index " << index << " fill " << i;
                for (int y = r.top; y < r.bottom; ++y) {
                    for (int x = r.left; x < r.right; ++x) {
                        ++covered[static_cast<std::size_t>(y * width + x)];
                    }
                }
            }
            const int expected = index == kNoPictureOfItsOwn ? 0 : 1;
            for (std::size_t p = 0; p < covered.size(); ++p) {
                ASSERT_EQ(covered[p], expected)
                    << "index " << index << " at " << width << " x " << height << ", pixel " << p;
            }
        }
    }
}

// Rows repeat for column stripes and lines only; an empty area repeats nothing.
TEST(PlanTestPicture, RowPeriod) {
    const int cases[][4] = {{8, 7, 5, 1},  {12, 7, 5, 1}, {11, 7, 5, 2}, {11, 7, 1, 2},
                            {9, 7, 5, 0},  {-1, 7, 5, 0}, {13, 7, 5, 0}, {0, 7, 5, 0},
                            {10, 7, 5, 0}, {12, 0, 5, 0}, {11, 7, 0, 0}, {14, 7, 5, 0},
                            {23, 7, 5, 2}, {26, 7, 1, 2}, {21, 7, 5, 0}, {22, 70, 50, 0}};
    for (const auto& [index, width, height, period] : cases) {
        EXPECT_EQ(PlanTestPicture(index, width, height).RowPeriod(), period)
            << "index " << index << " at " << width << " x " << height;
    }
}

struct PatternCase {
    int index, width, height, x, y;
    Rgb colour;
};

// Pixels of the patterns where they degrade at small sizes, and outside them (the
// painter's test pins their edges at full sizes).
TEST(PatternColour, Table) {
    const PatternCase cases[] = {
        // Too narrow for twenty squares with one-pixel gaps: the plain field.
        {19, 38, 20, 19, 10, {0, 0, 0}},
        {19, 39, 20, 0, 9, {1, 1, 1}},
        {19, 39, 20, 38, 9, {20, 20, 20}},
        {20, 39, 20, 37, 9, {255, 255, 255}},
        // Steps 0 and 1 cover no column at 100; 7 rows: one a band, the blue one four.
        {21, 100, 7, 0, 0, {2, 2, 2}},
        {21, 100, 7, 99, 2, {0, 255, 0}},
        {21, 100, 7, 99, 3, {0, 0, 255}},
        {21, 100, 3, 50, 0, {0, 0, 130}},
        // Gamma and checkerboards at a pixel or two.
        {22, 13, 1, 0, 0, {0, 0, 0}},
        {22, 14, 2, 0, 0, {165, 165, 165}},
        {25, 3, 2, 2, 1, {0, 0, 0}},
        {26, 3, 1, 2, 0, {0, 255, 0}},
        // Outside the area and on other pictures: black.
        {23, 10, 10, 10, 0, {0, 0, 0}},
        {24, 10, 10, -1, 0, {0, 0, 0}},
        {0, 10, 10, 1, 1, {0, 0, 0}},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(PlanTestPicture(c.index, c.width, c.height).PatternColour(c.x, c.y), c.colour)
            << "index " << c.index << " at " << c.width << " x " << c.height << ", (" << c.x << ", "
            << c.y << ")";
    }
}

// Every step covers the columns floor(k x W / 256) to floor((k + 1) x W / 256) - 1;
// the gamma greys are round(255 x 0.5^(1/g)).
TEST(PatternColour, BandingStepsAndGammaGreys) {
    for (const int width : {1000, 100, 256, 3840, 1}) {
        const TestPicture picture = PlanTestPicture(kBanding, width, 8);
        for (int k = 0; k < 256; ++k) {
            for (int x = k * width / 256; x < (k + 1) * width / 256; ++x) {
                ASSERT_EQ(picture.PatternColour(x, 0).red, k) << width << " " << x;
            }
        }
    }
    for (std::size_t i = 0; i < kGammaTenths.size(); ++i) {
        EXPECT_EQ(kGammaGreys[i], std::lround(255 * std::pow(0.5, 10.0 / kGammaTenths[i]))) << i;
    }
}

// The spans of repeating rows tile the area, and each row is the one `period` above.
TEST(PatternColour, RepeatingRowsRepeat) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {39, 20}, {100, 7}, {1000, 600}, {1366, 9}};
    for (const auto& [width, height] : sizes) {
        for (int index = kBlackLevel; index <= kPurpleGreenPairs; ++index) {
            const TestPicture picture = PlanTestPicture(index, width, height);
            const RowSpans rows = picture.RepeatingRows();
            int next = 0;
            for (int s = 0; s < rows.count; ++s) {
                const RowSpan span = rows.spans[static_cast<std::size_t>(s)];
                ASSERT_EQ(span.top, next) << index << " at " << width << " x " << height;
                ASSERT_TRUE(span.bottom > span.top && (span.period == 1 || span.period == 2));
                for (int y = span.top + span.period; y < span.bottom; ++y) {
                    for (int x = 0; x < width; ++x) {
                        ASSERT_EQ(picture.PatternColour(x, y),
                                  picture.PatternColour(x, y - span.period))
                            << index << " at " << width << " x " << height << ", (" << x << ", "
                            << y << ")";
                    }
                }
                next = span.bottom;
            }
            EXPECT_EQ(next, height) << index << " at " << width << " x " << height;
        }
    }
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squares and numbers inside the area, the numbers below their squares and clear of
// every square and of each other; none where none fit.
TEST(LabelsOf, ClearOfTheSquaresAndInside) {
    struct LabelCase {
        int index, width, height, labels;
        const char16_t* last;
    };
    const LabelCase cases[] = {
        {19, 1000, 600, 20, u"20"},   {20, 1366, 768, 20, u"254"}, {19, 3840, 2160, 20, u"20"},
        {20, 7680, 4320, 20, u"254"}, {19, 400, 300, 20, u"20"},   {20, 200, 200, 0, nullptr},
        {19, 39, 20, 0, nullptr},     {19, 3840, 40, 0, nullptr},  {19, 1, 1, 0, nullptr},
        {22, 1000, 600, 7, u"2.8"},   {22, 1366, 768, 7, u"2.8"},  {22, 3840, 2160, 7, u"2.8"},
        {22, 300, 200, 7, u"2.8"},    {22, 100, 100, 0, nullptr},  {22, 1920, 30, 0, nullptr},
        {22, 13, 1, 0, nullptr},      {21, 1000, 600, 0, nullptr}, {23, 1000, 600, 0, nullptr},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " at " << c.width << " x " << c.height);
        const TestPicture picture = PlanTestPicture(c.index, c.width, c.height);
        const PictureLabels labels = LabelsOf(picture);
        ASSERT_EQ(labels.count, c.labels);
        const auto within = [&](const PixelRect& r) {
            return r.left >= 0 && r.top >= 0 && r.right <= c.width && r.bottom <= c.height &&
                   r.left < r.right && r.top < r.bottom;
        };
        for (int i = 0; i < labels.count; ++i) {
            const PictureLabel& label = labels.labels[static_cast<std::size_t>(i)];
            EXPECT_TRUE(within(label.box) && within(picture.Square(i))) << i;
            EXPECT_GE(label.box.top, picture.Square(i).bottom) << i;
            EXPECT_LE(labels.fontHeight, -8);
            for (int j = 0; j < kStepSquares; ++j) {
                EXPECT_FALSE(Overlap(label.box, picture.Square(j))) << i << " " << j;
                EXPECT_TRUE(j == i || j >= labels.count ||
                            !Overlap(label.box, labels.labels[static_cast<std::size_t>(j)].box))
                    << i << " " << j;
            }
        }
        if (labels.count > 0) {
            const PictureLabel& last = labels.labels[static_cast<std::size_t>(labels.count - 1)];
            EXPECT_EQ(std::u16string(last.text.data(), static_cast<std::size_t>(last.length)),
                      c.last);
        }
    }
}

// Gradient shape over many spans: starts at pure (0, 0, 200), never goes down,
// ends below 200, keeps red + blue at 200 and green at 0.
TEST(GradientColour, RampOverSpans) {
    const int spans[] = {1, 2, 3, 199, 200, 201, 768, 1080, 1920, 2160, 3840, 7680};
    for (const int span : spans) {
        int previous = -1;
        for (int i = 0; i < span; ++i) {
            const Rgb c = GradientColour(i, span);
            ASSERT_EQ(c.green, 0);
            ASSERT_EQ(c.red + c.blue, 200) << span << " " << i;
            ASSERT_GE(c.red, previous) << span << " " << i;
            ASSERT_LE(c.red, 199) << span << " " << i;
            previous = c.red;
        }
        EXPECT_EQ(GradientColour(0, span), (Rgb{0, 0, 200}));
    }
    // Spans of 200 or more reach every level; 200 exactly steps one level a stripe.
    EXPECT_EQ(GradientColour(137, 200), (Rgb{137, 0, 63}));
    // Stripes beyond the span stay inside the colour range.
    EXPECT_EQ(GradientColour(5000, 10), (Rgb{200, 0, 0}));
    EXPECT_EQ(GradientColour(-5, 10), (Rgb{0, 0, 200}));
    EXPECT_EQ(GradientColour(3, 0), (Rgb{0, 0, 200}));
}

// The rings the plain way over the whole picture: a pixel within the keep-clear square
// of any mark shows the picture, else the ring of the lowest mark (of one row, the later
// in the log) over it, else the picture. On the lines no ring pixel is the line's colour.
std::vector<std::uint32_t> PlainRinged(const TestPicture& picture, const MarkLog& log, int ox,
                                       int oy) {
    const int width = picture.width;
    std::vector<std::uint32_t> out;
    int lineColoured = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(PicturePixel(picture, x, y));
        }
    }
    std::vector<PixelMark> marks = log.Marks();
    std::stable_sort(marks.begin(), marks.end(), [](auto& a, auto& b) { return a.y < b.y; });
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < picture.height;
    };
    for (const PixelMark& mark : marks) {
        for (const RingPixel& pixel : RingPixels(mark.type)) {
            const int x = mark.x + ox + pixel.dx;
            const int y = mark.y + oy + pixel.dy;
            const auto kept = [&](const PixelMark& m) {
                return std::max(std::abs(m.x + ox - x), std::abs(m.y + oy - y)) <= kKeepClear;
            };
            if (inside(x, y) && std::none_of(marks.begin(), marks.end(), kept)) {
                const std::size_t at = static_cast<std::size_t>(y) * width + x;
                out[at] = RingColour(picture, pixel.white);
                lineColoured += out[at] == PicturePixel(picture, x, y) ? 1 : 0;
            }
        }
    }
    EXPECT_TRUE(picture.scheme != StripeScheme::Lines || lineColoured == 0) << lineColoured;
    return out;
}

// Random logs (crowded marks, marks at and beyond the edges) over every picture at
// small sizes, 1-pixel ones included, in bands of several heights composed in order
// and out of it; the fields and gradients keep their rings white between black.
TEST(RingedBands, ComposeAsThePlainComposition) {
    std::mt19937 random(20240611);
    const auto pick = [&](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };
    const int indexes[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  11,
                           12, 13, 14, 19, 20, 21, 22, 23, 24, 25, 26};
    for (int round = 0; round < 400; ++round) {
        const int index = indexes[round % std::size(indexes)];
        const bool tiny = pick(0, 3) == 0;
        const TestPicture picture = PlanTestPicture(index, tiny ? pick(1, 3) : pick(1, 300),
                                                    tiny ? pick(1, 3) : pick(1, 200));
        const int ox = pick(0, 1) == 0 ? 0 : pick(-20, 20);
        const int oy = pick(0, 1) == 0 ? 0 : pick(-20, 20);
        MarkLog log(picture.width + pick(0, 20), picture.height + pick(0, 20));
        for (int n = pick(0, 80); n > 0; --n) {
            PixelMark mark{pick(0, log.Width() - 1), pick(0, log.Height() - 1), pick(1, 3),
                           pick(0, 13)};
            if (pick(0, 4) == 0) { // on an edge of the monitor
                mark.x = pick(0, 1) == 0 ? 0 : log.Width() - 1;
                mark.y = pick(0, 1) == 0 ? mark.y : log.Height() - 1;
            } else if (!log.Empty() && pick(0, 2) == 0) { // near another: crowded
                mark.x = log.Marks().back().x + pick(-19, 19);
                mark.y = log.Marks().back().y + pick(-19, 19);
            }
            (void)log.Add(mark);
        }
        const int bandRows =
            std::array{1, 7, 32, pick(1, 64)}[static_cast<std::size_t>(pick(0, 3))];
        const PublishedLog published = MakePublishedLog(u"", log);
        RingedBands::Scratch scratch;
        RingedBands bands(picture, published, ox, oy, bandRows, scratch);
        std::vector<int> tops;
        for (int top = 0; top < picture.height; top += bandRows) {
            tops.push_back(top);
        }
        if (round % 2 == 1) {
            std::shuffle(tops.begin(), tops.end(), random);
        }
        const std::vector<std::uint32_t> plain = PlainRinged(picture, log, ox, oy);
        for (const int top : tops) {
            const std::span<const std::uint32_t> band = bands.Compose(top);
            const auto from = plain.begin() + static_cast<std::ptrdiff_t>(top) * picture.width;
            const auto count = std::min<std::ptrdiff_t>(plain.end() - from, std::ssize(band));
            const auto [got, want] = std::mismatch(band.begin(), band.end(), from, from + count);
            if (band.size() != static_cast<std::size_t>(count) || got != band.end()) {
                ADD_FAILURE() << "round " << round << ", index " << index << " at " << picture.width
                              << " x " << picture.height << ", bands of " << bandRows << ", band "
                              << top << ": pixel " << (got - band.begin()) << " of " << band.size();
                return;
            }
        }
    }
    for (const int index : indexes) {
        const TestPicture picture = PlanTestPicture(index, 4, 4);
        const bool lines = index == kHorizontalLines || index == kVerticalLines || index >= kGamma;
        EXPECT_EQ(RingColour(picture, true), lines ? 0xFFFF00u : 0xFFFFFFu) << index;
        EXPECT_EQ(RingColour(picture, false), lines ? 0x0000FFu : 0u) << index;
    }
}

// ---- Motion frames ----------------------------------------------------------------

TEST(MotionStep, NearestWholePixelsPerRefreshNeverZero) {
    const struct {
        int speed, hertz, step;
    } cases[] = {
        {240, 60, 4},  {480, 60, 8},  {960, 60, 16}, {240, 120, 2}, {480, 120, 4},
        {960, 120, 8}, {240, 144, 2}, {480, 144, 3}, {960, 144, 7}, {90, 60, 2}, // 1.5 up
        {240, 0, 4},   {240, 1, 4},   {10, 144, 1},  {0, 60, 1},    {-960, 60, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MotionStep(c.speed, c.hertz), c.step) << c.speed << " px/s at " << c.hertz;
    }
}

TEST(MotionFrames, BarAndLitSquareByFrameNumber) {
    const struct {
        int width, step;
        std::uint64_t frame;
        int barLeft, barWidth, lit;
    } cases[] = {
        {320, 4, 0, 0, 20, 0},
        {320, 4, 3, 12, 20, 3},
        {320, 16, 20, 0, 20, 0}, // once round
        {320, 7, 46, 2, 20, 6},
        {320, 400, 1, 80, 20, 1}, // a step wider than the area
        {3840, 16, 1'000'000'000'000'007, 2672, 240, 7},
        {16, 3, 6, 2, 1, 6},
        {15, 3, 5, 0, 1, 5},
        {1, 4, 7, 0, 1, 7},
        {0, 4, 9, 0, 0, 9},
    };
    for (const auto& c : cases) {
        const MotionFrames frames(c.width, 50, c.step);
        EXPECT_EQ(frames.BarLeft(c.frame), c.barLeft) << c.width << ", frame " << c.frame;
        EXPECT_EQ(frames.BarWidth(), c.barWidth) << c.width;
        EXPECT_EQ(MotionFrames::LitSquare(c.frame), c.lit) << c.frame;
    }
    // Past the right edge the bar goes on at the left: frame 31 at 10 px covers
    // columns 310 to 319 and 0 to 9, below the strip.
    const MotionFrames wrapping(320, 200, 10);
    const int y = wrapping.StripBottom();
    for (const auto& [x, colour] : {std::pair{309, kMotionGrey},
                                    {310, kWhite},
                                    {319, kWhite},
                                    {0, kWhite},
                                    {9, kWhite},
                                    {10, kMotionGrey}}) {
        EXPECT_EQ(wrapping.PixelAt(31, x, y), colour) << x;
        EXPECT_EQ(wrapping.PixelAt(31, x, 199), colour) << x;
    }
}

TEST(MotionFrames, SquaresEqualCentredOnTheStripAboveTheBar) {
    for (const int width : {3840, 1920, 320, 41, 19, 10, 1}) {
        const MotionFrames frames(width, 2160, 4);
        const int side = std::max(width / 40, 1);
        const PixelRect first = frames.Square(0);
        const PixelRect last = frames.Square(kMotionSquareCount - 1);
        if (width >= 19) {
            EXPECT_GE(first.top, 1) << width;
            EXPECT_LT(last.bottom, frames.StripBottom()) << "dark below the squares too";
            EXPECT_LE(std::abs(first.left - (width - last.right)), 1) << width << ": centred";
            for (int i = 0; i < kMotionSquareCount; ++i) {
                const PixelRect s = frames.Square(i);
                EXPECT_EQ(s, (PixelRect{first.left + 2 * side * i, first.top,
                                        first.left + 2 * side * i + side, first.top + side}))
                    << width << ", square " << i;
            }
        }
        for (int i = 0; i < kMotionSquareCount; ++i) {
            EXPECT_LE(frames.Square(i).right, width) << width << ": clipped";
        }
    }
    EXPECT_EQ(MotionFrames(10, 100, 4).Square(0), PixelRect{}) << "none of it fits";
    EXPECT_EQ(MotionFrames(320, 100, 4).Square(kMotionSquareCount), PixelRect{});
}

// Frame 0 painted whole, then only the changes of frames 1 to n, is frame n pixel for
// pixel; every pixel a change fills does change; a whole frame paints the same.
TEST(MotionFrames, ChangesTurnEachFrameIntoTheNext) {
    const struct {
        int width, height, step;
    } cases[] = {{40, 12, 1}, {40, 12, 3}, {33, 20, 16}, {33, 20, 33}, {33, 20, 34},
                 {7, 3, 2},   {1, 1, 4},   {320, 9, 7},  {16, 2, 5},   {0, 5, 1}};
    for (const auto& c : cases) {
        const MotionFrames frames(c.width, c.height, c.step);
        const auto paint = [&](std::vector<Rgb>& pixels, const std::vector<MotionFill>& fills) {
            for (const MotionFill& fill : fills) {
                ASSERT_LT(fill.rect.left, fill.rect.right);
                ASSERT_LT(fill.rect.top, fill.rect.bottom);
                ASSERT_TRUE(fill.rect.left >= 0 && fill.rect.right <= c.width &&
                            fill.rect.top >= 0 && fill.rect.bottom <= c.height);
                for (int y = fill.rect.top; y < fill.rect.bottom; ++y) {
                    for (int x = fill.rect.left; x < fill.rect.right; ++x) {
                        pixels[static_cast<std::size_t>(y * c.width + x)] = fill.colour;
                    }
                }
            }
        };
        const auto expectFrame = [&](const std::vector<Rgb>& pixels, std::uint64_t n) {
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < c.width; ++x) {
                    ASSERT_EQ(pixels[static_cast<std::size_t>(y * c.width + x)],
                              frames.PixelAt(n, x, y))
                        << c.width << " x " << c.height << " by " << c.step << ", frame " << n
                        << " at " << x << "," << y;
                }
            }
        };
        std::vector<Rgb> screen(static_cast<std::size_t>(c.width * c.height), Rgb{1, 2, 3});
        paint(screen, frames.Whole(0));
        expectFrame(screen, 0);
        for (std::uint64_t n = 1; n <= static_cast<std::uint64_t>(2 * c.width + 12); ++n) {
            for (const MotionFill& fill : frames.Changes(n)) {
                ASSERT_NE(frames.PixelAt(n - 1, fill.rect.left, fill.rect.top), fill.colour)
                    << "frame " << n << ": a fill that changes nothing";
            }
            paint(screen, frames.Changes(n));
            ASSERT_NO_FATAL_FAILURE(expectFrame(screen, n));
            std::vector<Rgb> whole(screen.size(), Rgb{1, 2, 3});
            paint(whole, frames.Whole(n));
            ASSERT_EQ(whole, screen) << "frame " << n;
        }
    }
}

} // namespace
