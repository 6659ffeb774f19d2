// The throughput test's arithmetic and texts, apart from the drawing: variants,
// band geometry and colours, the scroll phase, the measurement every 51 frames and
// the status line.
#pragma once

#include <cstdint>

#include "screens/random.h"
#include "screens/rgb.h"
#include "text/text.h"

enum class ThroughputVariant {
    BlockCopy = 0,  // F2: one block copy from the off-screen image per frame
    Rectangles = 1, // F3: filled bands with lines drawn over them
    Lines = 2,      // F4: one line per row, one pen per band
};

// The variant for `drawVariant`; a value outside 0..2 runs the block copy.
[[nodiscard]] ThroughputVariant ThroughputVariantFrom(int drawVariant) noexcept;

// Height of the status line across the top of every frame.
inline constexpr int kStatusBandHeight = 16;
// The source image is this much wider than the window, so every scroll offset
// 1..256 stays inside it.
inline constexpr int kScrollRange = 256;
// Frames per measurement: the figures are taken when the count exceeds 50.
inline constexpr int kFramesPerMeasurement = 51;

// Height of the bands below the status line: the whole rest for the block copy,
// 16 rows for the others.
[[nodiscard]] int ThroughputBandHeight(ThroughputVariant variant, int clientHeight) noexcept;

// Pixels one frame counts: the client area below the status line.
[[nodiscard]] std::int64_t ThroughputFramePixels(int width, int height) noexcept;

// The next scroll phase: 1, 2, ..., 256, 1, ...; 0 (the start) gives 1.
[[nodiscard]] int NextScrollPhase(int phase) noexcept;

// A band's colour from three draws: red = first & 0x1F, green = second mod 222,
// blue = third & 0x1F; mostly green.
[[nodiscard]] Rgb NextBandColour(RandomGenerator& generator) noexcept;

// The variant's name in the status line: "BitBlt", or the given catalogue texts.
[[nodiscard]] Text ThroughputVariantName(ThroughputVariant variant, TextView rectanglesName,
                                         TextView linesName);

// A measured figure as shown: truncated toward zero, held within the int range.
[[nodiscard]] int ShownFigure(double value) noexcept;

// Longest status line in UTF-16 units; longer catalogue texts are cut there.
inline constexpr std::size_t kMaxStatusTextLength = 255;

// " %d MB/%s (%d FPS) %s": MB/s, the "Sec. " text, FPS, the variant name.
[[nodiscard]] Text ThroughputStatusText(double mbPerSecond, double framesPerSecond,
                                        TextView secondsText, TextView variantName);

// The running measurement. Figures and the leftover pixel total survive from one run
// to the next, so a new run shows the previous run's figures until its first
// measurement.
class ThroughputMeter {
public:
    // Called at a run's start with the clock (milliseconds).
    void BeginRun(std::uint32_t clock) noexcept;
    // Adds one frame's pixels.
    void CountPixels(std::int64_t pixels) noexcept;
    // Called after every frame; true when a measurement is due (the caller then reads
    // the clock and calls Measure).
    [[nodiscard]] bool FrameDone() noexcept;
    // Takes the figures over the time since the last measurement. A measurement over
    // no elapsed time keeps the previous figures; either way a new window starts.
    void Measure(std::uint32_t now) noexcept;

    [[nodiscard]] double MbPerSecond() const noexcept { return mbPerSecond; }
    [[nodiscard]] double FramesPerSecond() const noexcept { return framesPerSecond; }
    [[nodiscard]] double PixelTotal() const noexcept { return pixelTotal; }

private:
    double pixelTotal = 0.0;
    double mbPerSecond = 0.0;
    double framesPerSecond = 0.0;
    std::uint32_t start = 0;
    int frames = 0;
};
