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
    std::printf("refresh: reported %d Hz, paced at %d Hz; %zu marks\n", reported, hertz,
                log.Marks().size());
    AppState& state = TheAppState();
    const PacedWorker flasher{state.spotRepairRunning, StartSpotRepairWorkerThread,
                              WaitForSpotRepairWorker, SpotRepairFrameCount, SpotRepairPacing};
    if (!RunPacedWorker(window, state, flasher, changes, hertz, "changes")) {
        return 1;
    }
    DestroyWindow(window);
    return 0;
}
