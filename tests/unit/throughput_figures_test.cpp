// The throughput test's measurement, status line, band colours and geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "screens/throughput_figures.h"

namespace {

struct Window {
    int width;
    int height;
};

// Runs `frames` frames of the given window size, the last one `elapsedMs` after the
// run's start, and returns the meter.
ThroughputMeter MeasureFrames(ThroughputMeter meter, Window window, int frames, std::uint32_t start,
                              std::uint32_t elapsedMs) {
    meter.BeginRun(start);
    for (int i = 1; i <= frames; ++i) {
        meter.CountPixels(ThroughputFramePixels(window.width, window.height));
        const bool due = meter.FrameDone();
        EXPECT_EQ(due, i == kFramesPerMeasurement) << "frame " << i;
        if (due) {
            meter.Measure(start + elapsedMs);
        }
    }
    return meter;
}

TEST(ThroughputMeter, FiguresEvery51Frames) {
    struct Case {
        Window window;
        std::uint32_t start;
        std::uint32_t elapsedMs;
        double mbPerSecond;
        double fps;
        int shownMb;
        int shownFps;
    };
    const Case cases[] = {
        {{1920, 1080}, 1000, 850, 467.58, 58.82, 467, 58},
        {{1280, 1024}, 0, 1000, 51.0 * 1280 * 1008 * 4 / 1048576.0, 50.0, 251, 50},
        // The clock wraps between the start and the measurement.
        {{1920, 1080}, 0xFFFFFF00u, 850, 467.58, 58.82, 467, 58},
        {{1920, 1080}, 7, 1, 51.0 * 1920 * 1064 * 4 / 1048576.0 * 1000, 50000.0, 397441, 50000},
    };
    for (const Case& c : cases) {
        const ThroughputMeter meter = MeasureFrames({}, c.window, 51, c.start, c.elapsedMs);
        EXPECT_NEAR(meter.MbPerSecond(), c.mbPerSecond, 0.01) << c.window.width;
        EXPECT_NEAR(meter.FramesPerSecond(), c.fps, 0.01) << c.window.width;
        EXPECT_EQ(ShownFigure(meter.MbPerSecond()), c.shownMb) << c.window.width;
        EXPECT_EQ(ShownFigure(meter.FramesPerSecond()), c.shownFps) << c.window.width;
        EXPECT_EQ(meter.PixelTotal(), 0.0);
    }
}

TEST(ThroughputMeter, NoElapsedTimeKeepsThePreviousFigures) {
    ThroughputMeter meter = MeasureFrames({}, {1920, 1080}, 51, 100, 850);
    ASSERT_EQ(ShownFigure(meter.MbPerSecond()), 467);
    // Same clock value at start and measurement, and a clock that went backwards.
    for (const std::uint32_t elapsed : {0u, 0xFFFFFFFFu, 0x80000000u}) {
        meter = MeasureFrames(meter, {640, 480}, 51, 5000, elapsed);
        EXPECT_EQ(ShownFigure(meter.MbPerSecond()), 467) << elapsed;
        EXPECT_EQ(ShownFigure(meter.FramesPerSecond()), 58) << elapsed;
        EXPECT_FALSE(std::isinf(meter.MbPerSecond()));
        EXPECT_EQ(meter.PixelTotal(), 0.0) << "a new window starts";
    }
}

TEST(ThroughputMeter, FiguresAndLeftoverPixelsOutliveARun) {
    ThroughputMeter meter = MeasureFrames({}, {1920, 1080}, 51, 0, 850);
    // A run stopped after 20 frames leaves its pixels for the next run's first window.
    meter = MeasureFrames(meter, {1920, 1080}, 20, 0, 0);
    EXPECT_EQ(meter.PixelTotal(), 20.0 * 1920 * 1064);
    EXPECT_EQ(ShownFigure(meter.MbPerSecond()), 467);
    // The next run starts its frame count from 0, so its first window is 51 frames.
    meter = MeasureFrames(meter, {1920, 1080}, 51, 9000, 1000);
    EXPECT_NEAR(meter.MbPerSecond(), 71.0 * 1920 * 1064 * 4 / 1048576.0, 0.01);
    EXPECT_EQ(ShownFigure(meter.FramesPerSecond()), 50);
}

TEST(ThroughputFrame, PixelsBelowTheStatusLine) {
    struct Case {
        int width, height;
        std::int64_t pixels;
    };
    const Case cases[] = {
        {1920, 1080, 2042880}, {1280, 1024, 1290240},
        {100, 17, 100},        {100, 16, 0},
        {100, 3, 0},           {0, 1080, 0},
        {-5, 100, 0},          {32767, 32767, 32767LL * 32751},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ThroughputFramePixels(c.width, c.height), c.pixels) << c.width << "x" << c.height;
    }
}

TEST(ThroughputFrame, ScrollPhaseRuns1To256) {
    const std::pair<int, int> cases[] = {{0, 1},   {1, 2},    {255, 256},      {256, 1},
                                         {257, 2}, {-1, 256}, {INT32_MAX, 256}};
    for (const auto& [phase, next] : cases) {
        EXPECT_EQ(NextScrollPhase(phase), next) << phase;
    }
}

TEST(ThroughputBands, ColoursFromThreeDraws) {
    // From the start state the draws are 300419601, 694414494, 614891655, 1315096348,
    // ...: red = 300419601 & 31 = 17, green = 694414494 mod 222 = 48, blue = 614891655
    // & 31 = 7.
    RandomGenerator generator;
    EXPECT_EQ(NextBandColour(generator), (Rgb{17, 48, 7}));
    EXPECT_EQ(generator.State(), 614891655u) << "exactly three draws per band";

    RandomGenerator any(12345);
    for (int band = 0; band < 5000; ++band) {
        const Rgb colour = NextBandColour(any);
        ASSERT_LE(colour.red, 31);
        ASSERT_LE(colour.green, 221);
        ASSERT_LE(colour.blue, 31);
    }
}

TEST(ThroughputStatus, Text) {
    struct Case {
        double mb, fps;
        ThroughputVariant variant;
        const char16_t* expected;
    };
    const Case cases[] = {
        {1234.9, 60.99, ThroughputVariant::BlockCopy, u" 1234 MB/Sec.  (60 FPS) BitBlt"},
        {0.0, 0.0, ThroughputVariant::Rectangles, u" 0 MB/Sec.  (0 FPS) Paint Rectangles"},
        {467.58, 58.82, ThroughputVariant::Lines, u" 467 MB/Sec.  (58 FPS) Paint lines"},
        {-3.7, -0.5, ThroughputVariant::Lines, u" -3 MB/Sec.  (0 FPS) Paint lines"},
        {1e300, std::numeric_limits<double>::quiet_NaN(), ThroughputVariant::BlockCopy,
         u" 2147483647 MB/Sec.  (0 FPS) BitBlt"},
    };
    for (const Case& c : cases) {
        const Text name = ThroughputVariantName(c.variant, u"Paint Rectangles", u"Paint lines");
        EXPECT_EQ(ThroughputStatusText(c.mb, c.fps, u"Sec. ", name), Text(c.expected));
    }
}

TEST(ThroughputStatus, OverlongTextsAreCut) {
    const Text longName(400, u'x');
    const Text text = ThroughputStatusText(1, 2, u"Sec. ", longName);
    EXPECT_EQ(text.size(), kMaxStatusTextLength);
    EXPECT_EQ(text.substr(0, 19), Text(u" 1 MB/Sec.  (2 FPS)"));
    // Percent signs in a translated text are shown as they are.
    EXPECT_EQ(ThroughputStatusText(1, 2, u"%d%s", u"%"), Text(u" 1 MB/%d%s (2 FPS) %"));
}

} // namespace
