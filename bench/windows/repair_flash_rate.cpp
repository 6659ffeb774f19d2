// Repair flashes per second at 1280 x 1024 and 1920 x 1080, against a bare loop of
// full-screen fills measured in the same run. Run under Wine in an X server whose
// screen is at least 1920 x 1080.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "bench/windows/support/bench_window.h"
#include "screens/win/repair_worker.h"
#include "state/app_state.h"

namespace {

constexpr DWORD kRunMs = 3000;

double RepairFlashesPerSecond(HWND window) {
    AppState& state = TheAppState();
    state.repairMode = 1;
    const std::uint64_t first = RepairFlashCount();
    const double seconds = RunWorker(window, state, state.repairRunning, kRunMs,
                                     StartRepairWorkerThread, WaitForRepairWorker);
    return static_cast<double>(RepairFlashCount() - first) / seconds;
}

} // namespace

int main() {
    const SIZE sizes[] = {{1280, 1024}, {1920, 1080}};
    std::printf("%-11s %14s %14s %7s\n", "size", "bare fills/s", "flashes/s", "ratio");
    for (const SIZE& size : sizes) {
        HWND window = CreateBenchWindow(size.cx, size.cy);
        if (window == nullptr) {
            return 2;
        }
        RECT client;
        GetClientRect(window, &client);
        const double bare = BareFillsPerSecond(window, kRunMs);
        const double flashes = RepairFlashesPerSecond(window);
        std::printf("%4ldx%-6ld %14.0f %14.0f %7.2f\n", client.right, client.bottom, bare, flashes,
                    flashes / bare);
        DestroyWindow(window);
    }
    return 0;
}
