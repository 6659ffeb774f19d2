// Colour changes per second of the marked-pixel flasher against the display's refresh
// rate as Windows reports it: the flasher should change once per refresh, no faster
// (a faster change never reaches the panel). Run under Wine in an X server.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "bench/windows/support/bench_window.h"
#include "defects/shared_log.h"
#include "screens/spot_repair.h"
#include "screens/win/spot_repair_worker.h"
#include "state/app_state.h"

namespace {

constexpr DWORD kRunMs = 3000;

int ReportedHertz() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    return EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)
               ? static_cast<int>(mode.dmDisplayFrequency)
               : 0;
}

} // namespace

int main() {
    HWND window = CreateBenchWindow(1920, 1080);
    if (window == nullptr) {
        return 2;
    }
    MarkLog log(1920, 1080);
    for (int i = 0; i < 50; ++i) {
        log.Add({40 + i * 35, 100 + i * 17, 3, 2});
    }
    TheDefectLog().Publish(u"bench", log);
    AppState& state = TheAppState();
    const std::uint64_t first = SpotRepairFrameCount();
    const double seconds = RunWorker(window, state, state.spotRepairRunning, kRunMs,
                                     StartSpotRepairWorkerThread, WaitForSpotRepairWorker);
    const double rate = static_cast<double>(SpotRepairFrameCount() - first) / seconds;
    const double refresh = 1000.0 / RefreshPeriodMs(ReportedHertz());
    std::printf("reported refresh %d Hz (paced at %.1f Hz); %zu marks: %.1f changes/s, %.2f x "
                "the refresh\n",
                ReportedHertz(), refresh, log.Marks().size(), rate, rate / refresh);
    DestroyWindow(window);
    return 0;
}
