// The throughput test's own figures (MB/s and FPS, as its status line shows them) for
// the three variants at 1920 x 1080, each run for a few seconds, beside the frame
// rate counted here and a bare loop of full-screen fills measured in the same run.
#include <windows.h>

#include <cstdio>

#include "app/app_state.h"
#include "screens/throughput_figures.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/test_painter.h"
#include "screens/win/throughput_worker.h"

namespace {

constexpr DWORD kRunMs = 4000;

HWND CreateBenchWindow(int width, int height) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlimmerixThroughputBench";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

double BareFillsPerSecond(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const DWORD start = GetTickCount();
    long fills = 0;
    while (GetTickCount() - start < kRunMs) {
        const WindowDc dc(window);
        FillRectOpaque(dc.Get(), client, (fills & 1) != 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
        ++fills;
    }
    GdiFlush();
    return fills * 1000.0 / (GetTickCount() - start);
}

} // namespace

int main() {
    HWND window = CreateBenchWindow(1920, 1080);
    RECT client;
    GetClientRect(window, &client);
    const double bare = BareFillsPerSecond(window);
    const double bareMb = bare * ThroughputFramePixels(client.right, client.bottom) * 4 / 1048576.0;
    std::printf("client %ldx%ld; bare full-screen fills: %.0f/s (%.0f MB/s by the same count)\n",
                client.right, client.bottom, bare, bareMb);
    std::printf("%-11s %10s %8s %12s %14s\n", "variant", "MB/s", "FPS", "frames/s",
                "vs bare fills");
    const char* names[] = {"BitBlt", "Rectangles", "Lines"};
    AppState& state = TheAppState();
    for (int variant = 0; variant < 3; ++variant) {
        state.drawVariant = variant;
        state.throughputRunning = 1;
        const std::uint64_t first = ThroughputFrameCount();
        const DWORD start = GetTickCount();
        StartThroughputWorkerThread(window, state);
        Sleep(kRunMs);
        state.throughputRunning = 0;
        WaitForThroughputWorker(10000);
        const double framesPerSecond =
            static_cast<double>(ThroughputFrameCount() - first) * 1000.0 / (GetTickCount() - start);
        std::printf("%-11s %10d %8d %12.1f %14.2f\n", names[variant],
                    ShownFigure(ThroughputMbPerSecond()), ShownFigure(ThroughputFramesPerSecond()),
                    framesPerSecond, framesPerSecond / bare);
    }
    DestroyWindow(window);
    return 0;
}
