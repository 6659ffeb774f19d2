// Colour changes per second of the marked-pixel flasher against the display's refresh
// rate found in the same run: the flasher should change once per refresh, no faster
// (a faster change never reaches the panel) and no slower. Its pacer's own frame times
// tell how many frames stayed over two refreshes or came too close, and how many
// deadlines were skipped. Run under Wine in an X server:
//   spot_repair_rate [changes]   (3,600 by default: a minute at 60 Hz)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "bench/windows/support/bench_window.h"
#include "defects/shared_log.h"
#include "screens/refresh_pacer.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/spot_repair_worker.h"
#include "state/app_state.h"

int main(int argc, char** argv) {
    const long changes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3600;
    if (changes < 2) {
        std::printf("usage: spot_repair_rate [changes, 2 or more]\n");
        return 2;
    }
    HWND window = CreateBenchWindow(1920, 1080);
    if (window == nullptr) {
        return 2;
    }
    MarkLog log(1920, 1080);
    for (int i = 0; i < 50; ++i) {
        log.Add({40 + i * 35, 100 + i * 17, 3, 2});
    }
    TheDefectLog().Publish(u"bench", log);
    const int reported = ReportedHertz(window);
    const int hertz = PacedHertz(reported);
    AppState& state = TheAppState();
    const std::uint64_t first = SpotRepairFrameCount();
    const Stopwatch watch;
    state.spotRepairRunning = 1;
    if (!StartSpotRepairWorkerThread(window, state)) {
        std::printf("cannot start the flasher\n");
        return 1;
    }
    // Bounded, so that a flasher that stalls ends the run: twice the time it should take.
    const double limitMs = 2000.0 * static_cast<double>(changes) / hertz + 2000.0;
    while (SpotRepairFrameCount() - first < static_cast<std::uint64_t>(changes) &&
           watch.Milliseconds() < limitMs) {
        Sleep(20);
    }
    state.spotRepairRunning = 0;
    WaitForSpotRepairWorker(10000);
    const double seconds = watch.Seconds();
    const PacerStats pacing = SpotRepairPacing();
    const double rate = pacing.FramesPerSecond();
    std::printf("refresh: reported %d Hz, paced at %d Hz; %zu marks, %llu changes\n", reported,
                hertz, log.Marks().size(), static_cast<unsigned long long>(pacing.frames));
    std::printf("by the pacer's frame times: %.2f changes/s = %.4f x the refresh; %llu shown "
                "over two refreshes or more, %llu too close to the one before, %llu deadlines "
                "skipped, latest %.2f ms after its deadline\n",
                rate, rate / hertz, static_cast<unsigned long long>(pacing.repeated),
                static_cast<unsigned long long>(pacing.bunched),
                static_cast<unsigned long long>(pacing.skipped),
                1000.0 * static_cast<double>(pacing.maxLateTicks) /
                    static_cast<double>(pacing.ticksPerSecond));
    const double wallRate = static_cast<double>(SpotRepairFrameCount() - first) / seconds;
    std::printf("by the wall clock, start to end: %.2f changes/s = %.4f x the refresh\n", wallRate,
                wallRate / hertz);
    DestroyWindow(window);
    return 0;
}
