// Repair flashes per second at 1280 x 1024 and 1920 x 1080, against a bare loop of
// full-screen fills measured in the same run. Run under Wine in an X server whose
// screen is at least 1920 x 1080.
#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/repair_worker.h"
#include "screens/win/test_painter.h"

namespace {

constexpr DWORD kRunMs = 3000;

HWND CreateBenchWindow(int width, int height) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlimmerixRepairBench";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The floor: one window DC and one opaque fill per frame, nothing else.
double BareFillsPerSecond(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    LARGE_INTEGER begin, now;
    QueryPerformanceCounter(&begin);
    const DWORD start = GetTickCount();
    long fills = 0;
    while (GetTickCount() - start < kRunMs) {
        const WindowDc dc(window);
        FillRectOpaque(dc.Get(), client, (fills & 1) != 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
        ++fills;
    }
    GdiFlush();
    QueryPerformanceCounter(&now);
    return fills / Seconds(begin, now);
}

double RepairFlashesPerSecond(HWND window) {
    AppState& state = TheAppState();
    state.repairMode = 1;
    state.repairRunning = 1;
    LARGE_INTEGER begin, now;
    const std::uint64_t first = RepairFlashCount();
    QueryPerformanceCounter(&begin);
    StartRepairWorkerThread(window, state);
    Sleep(kRunMs);
    state.repairRunning = 0;
    WaitForRepairWorker(10000);
    QueryPerformanceCounter(&now);
    return static_cast<double>(RepairFlashCount() - first) / Seconds(begin, now);
}

} // namespace

int main() {
    const SIZE sizes[] = {{1280, 1024}, {1920, 1080}};
    std::printf("%-11s %14s %14s %7s\n", "size", "bare fills/s", "flashes/s", "ratio");
    for (const SIZE& size : sizes) {
        HWND window = CreateBenchWindow(size.cx, size.cy);
        RECT client;
        GetClientRect(window, &client);
        const double bare = BareFillsPerSecond(window);
        const double flashes = RepairFlashesPerSecond(window);
        std::printf("%4ldx%-6ld %14.0f %14.0f %7.2f\n", client.right, client.bottom, bare, flashes,
                    flashes / bare);
        DestroyWindow(window);
    }
    return 0;
}
