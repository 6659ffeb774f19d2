// The marked-pixel flasher's status line search over a thousand marks (the most a
// monitor keeps), beside the squares' own making for the same marks, which the
// flasher redoes with it whenever the log changes.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "defects/pixel_mark.h"
#include "screens/spot_repair.h"

namespace {

// Marks scattered over a 1920 x 1080 screen, so that most places are too close.
std::vector<PixelMark> ThousandMarks() {
    std::mt19937 random(7);
    std::vector<PixelMark> marks;
    for (int i = 0; i < 1000; ++i) {
        marks.push_back(
            {static_cast<int>(random() % 1920), static_cast<int>(random() % 1080), 3, 2});
    }
    return marks;
}

void BM_SpotSquaresOfAThousandMarks(benchmark::State& state) {
    const std::vector<PixelMark> marks = ThousandMarks();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpotSquares(marks, 0, 0, 1920, 1080));
    }
}
BENCHMARK(BM_SpotSquaresOfAThousandMarks)->Unit(benchmark::kMicrosecond);

void BM_PlaceStatusLineAmongAThousandMarks(benchmark::State& state) {
    const std::vector<PixelRect> squares = SpotSquares(ThousandMarks(), 0, 0, 1920, 1080);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlaceStatusLine(squares, 1920, 1080, 300, 20));
    }
}
BENCHMARK(BM_PlaceStatusLineAmongAThousandMarks)->Unit(benchmark::kMicrosecond);

} // namespace
