// The throughput test's own figures (MB/s and FPS, as its status line shows them) for
// the three variants at 1920 x 1080, each run for a few seconds, beside the frame
// rate counted here and a bare loop of full-screen fills measured in the same run.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "bench/windows/support/bench_window.h"
#include "screens/throughput_figures.h"
#include "screens/win/throughput_worker.h"
#include "state/app_state.h"

namespace {

constexpr DWORD kRunMs = 4000;

} // namespace

int main() {
    HWND window = CreateBenchWindow(1920, 1080);
    if (window == nullptr) {
        return 2;
    }
    RECT client;
    GetClientRect(window, &client);
    const double bare = BareFillsPerSecond(window, kRunMs);
    const double bareMb = bare * ThroughputFramePixels(client.right, client.bottom) * 4 / 1048576.0;
    std::printf("client %ldx%ld; bare full-screen fills: %.0f/s (%.0f MB/s by the same count)\n",
                client.right, client.bottom, bare, bareMb);
    std::printf("%-11s %10s %8s %12s %14s\n", "variant", "MB/s", "FPS", "frames/s",
                "vs bare fills");
    const char* names[] = {"BitBlt", "Rectangles", "Lines"};
    AppState& state = TheAppState();
    for (int variant = 0; variant < 3; ++variant) {
        state.drawVariant = variant;
        const std::uint64_t first = ThroughputFrameCount();
        const double seconds = RunWorker(window, state, state.throughputRunning, kRunMs,
                                         StartThroughputWorkerThread, WaitForThroughputWorker);
        const double framesPerSecond =
            static_cast<double>(ThroughputFrameCount() - first) / seconds;
        std::printf("%-11s %10d %8d %12.1f %14.2f\n", names[variant],
                    ShownFigure(ThroughputMbPerSecond()), ShownFigure(ThroughputFramesPerSecond()),
                    framesPerSecond, framesPerSecond / bare);
    }
    DestroyWindow(window);
    return 0;
}
