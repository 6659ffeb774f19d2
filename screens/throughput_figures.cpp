// Variants, band geometry and colours, the measurement and the status line of the
// throughput test.
#include "screens/throughput_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>

ThroughputVariant ThroughputVariantFrom(int drawVariant) noexcept {
    switch (drawVariant) {
    case 1:
        return ThroughputVariant::Rectangles;
    case 2:
        return ThroughputVariant::Lines;
    default:
        return ThroughputVariant::BlockCopy;
    }
}

int ThroughputBandHeight(ThroughputVariant variant, int clientHeight) noexcept {
    return variant == ThroughputVariant::BlockCopy ? clientHeight - kStatusBandHeight
                                                   : kStatusBandHeight;
}

std::int64_t ThroughputFramePixels(int width, int height) noexcept {
    // A window no taller than the status line has nothing below it to count; a
    // negative count would turn the figures negative.
    const std::int64_t rows = std::max(0, height - kStatusBandHeight);
    return std::max(0, width) * rows;
}

int NextScrollPhase(int phase) noexcept {
    const int inRange = ((phase % kScrollRange) + kScrollRange) % kScrollRange;
    return inRange + 1;
}

Rgb NextBandColour(RandomGenerator& generator) noexcept {
    const std::uint32_t first = generator.Next();
    const std::uint32_t second = generator.Next();
    const std::uint32_t third = generator.Next();
    return Rgb{static_cast<std::uint8_t>(first & 0x1Fu), static_cast<std::uint8_t>(second % 222u),
               static_cast<std::uint8_t>(third & 0x1Fu)};
}

Text ThroughputVariantName(ThroughputVariant variant, TextView rectanglesName, TextView linesName) {
    switch (variant) {
    case ThroughputVariant::Rectangles:
        return Text(rectanglesName);
    case ThroughputVariant::Lines:
        return Text(linesName);
    case ThroughputVariant::BlockCopy:
        break;
    }
    return u"BitBlt";
}

int ShownFigure(double value) noexcept {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), kLow, kHigh));
}

Text ThroughputStatusText(double mbPerSecond, double framesPerSecond, TextView secondsText,
                          TextView variantName) {
    Text text = FormatText(u" %d MB/%s (%d FPS) %s",
                           {std::int64_t{ShownFigure(mbPerSecond)}, secondsText,
                            std::int64_t{ShownFigure(framesPerSecond)}, variantName});
    if (text.size() > kMaxStatusTextLength) {
        text.resize(kMaxStatusTextLength);
    }
    return text;
}

void ThroughputMeter::BeginRun(std::uint32_t clock) noexcept {
    start = clock;
    frames = 0;
}

void ThroughputMeter::CountPixels(std::int64_t pixels) noexcept {
    pixelTotal += static_cast<double>(pixels);
}

bool ThroughputMeter::FrameDone() noexcept {
    ++frames;
    return frames >= kFramesPerMeasurement;
}

void ThroughputMeter::Measure(std::uint32_t now) noexcept {
    const auto elapsedMs = static_cast<std::int32_t>(now - start);
    if (elapsedMs > 0) {
        const double seconds = elapsedMs / 1000.0;
        constexpr double kBytesPerPixel = 4.0;
        constexpr double kMegabytesPerByte = 1.0 / 1048576.0;
        mbPerSecond = pixelTotal * kBytesPerPixel / seconds * kMegabytesPerByte;
        // 50 frame intervals lie between the 51 frames of a window.
        framesPerSecond = (kFramesPerMeasurement - 1) / seconds;
    }
    pixelTotal = 0.0;
    frames = 0;
    start = now;
}
