// What the Windows timing programs share: a visible full-screen-sized window, the
// message pump, a performance-counter stopwatch, the median of repeated runs, the
// bare fill rate that serves as their baseline, and timed runs of worker threads.
// Header-only, so that it is no program of its own.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "screens/refresh_pacer.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "state/app_state.h"

// What the bench window draws on WM_PAINT with the paint DC; nothing while null.
inline void (*benchWindowPaint)(HDC dc, HWND window) = nullptr;

// A window that erases nothing and paints only what a benchmark asks for, so that
// only what a benchmark draws reaches it.
inline LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (benchWindowPaint != nullptr) {
            benchWindowPaint(dc, window);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A visible pop-up at the top left of the screen; null, and said so, when it cannot
// be made.
inline HWND CreateBenchWindow(int width, int height) {
    static const ATOM windowClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BenchWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmerixBenchWindow";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        return RegisterClassW(&wc);
    }();
    HWND window =
        windowClass == 0
            ? nullptr
            : CreateWindowExW(0, L"GlimmerixBenchWindow", L"bench", WS_POPUP | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        std::printf("cannot create the window\n");
        return nullptr;
    }
    UpdateWindow(window);
    PumpMessages();
    return window;
}

// Time since construction, by the performance counter.
class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start); }
    [[nodiscard]] double Seconds() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }
    [[nodiscard]] double Milliseconds() const { return Seconds() * 1000.0; }

private:
    LARGE_INTEGER start;
};

// Median of `repetitions` timed runs of `draw`; GDI's batch is flushed inside the
// timing, and the window gets its messages between runs, as it would on screen.
template <class Draw> double MedianMs(int repetitions, Draw draw) {
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
        PumpMessages();
        const Stopwatch watch;
        draw();
        GdiFlush();
        times.push_back(watch.Milliseconds());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor for a worker's frame rate: one window DC and one opaque fill of the
// client area per frame, nothing else, for `runMs`.
inline double BareFillsPerSecond(HWND window, DWORD runMs) {
    RECT client;
    GetClientRect(window, &client);
    const Stopwatch watch;
    long fills = 0;
    while (watch.Milliseconds() < runMs) {
        const WindowDc dc(window);
        FillRectOpaque(dc.Get(), client, (fills & 1) != 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
        ++fills;
    }
    GdiFlush();
    return fills / watch.Seconds();
}

using StartWorker = bool (*)(HWND, AppState&) noexcept;
using WaitForWorker = bool (*)(DWORD) noexcept;

// Lets a worker run for `runMs` as the shell starts and stops it (flag set, thread
// started; flag cleared, end awaited) and returns the seconds from start to end.
inline double RunWorker(HWND window, AppState& state, std::atomic<int>& flag, DWORD runMs,
                        StartWorker start, WaitForWorker wait) {
    const Stopwatch watch;
    flag = 1;
    start(window, state);
    Sleep(runMs);
    flag = 0;
    wait(10000);
    return watch.Seconds();
}

// A worker paced to the refresh: how to start, stop and count it.
struct PacedWorker {
    std::atomic<int>& running;
    StartWorker start;
    WaitForWorker wait;
    std::uint64_t (*frameCount)() noexcept;
    PacerStats (*pacing)() noexcept;
};

// Runs `worker` until it has shown `count` frames (bounded at twice the time that takes,
// so a stalled worker ends the run), then prints its rate against `hertz` by the pacer's
// own frame times and by the wall clock; `unit` names a frame ("changes", "frames").
// False when it cannot start.
inline bool RunPacedWorker(HWND window, AppState& state, const PacedWorker& worker, long count,
                           int hertz, const char* unit) {
    const std::uint64_t first = worker.frameCount();
    const Stopwatch watch;
    worker.running = 1;
    if (!worker.start(window, state)) {
        std::printf("cannot start the worker\n");
        return false;
    }
    const double limitMs = 2000.0 * static_cast<double>(count) / hertz + 2000.0;
    while (worker.frameCount() - first < static_cast<std::uint64_t>(count) &&
           watch.Milliseconds() < limitMs) {
        Sleep(20);
    }
    worker.running = 0;
    worker.wait(10000);
    const double seconds = watch.Seconds();
    const PacerStats pacing = worker.pacing();
    const double rate = pacing.FramesPerSecond();
    std::printf("%llu %s; by the pacer's frame times: %.2f %s/s = %.4f x the refresh; %llu shown "
                "over two refreshes or more, %llu too close to the one before, %llu deadlines "
                "skipped, latest %.2f ms after its deadline\n",
                static_cast<unsigned long long>(pacing.frames), unit, rate, unit, rate / hertz,
                static_cast<unsigned long long>(pacing.repeated),
                static_cast<unsigned long long>(pacing.bunched),
                static_cast<unsigned long long>(pacing.skipped),
                1000.0 * static_cast<double>(pacing.maxLateTicks) /
                    static_cast<double>(pacing.ticksPerSecond));
    const double wallRate = static_cast<double>(worker.frameCount() - first) / seconds;
    std::printf("by the wall clock, start to end: %.2f %s/s = %.4f x the refresh\n", wallRate, unit,
                wallRate / hertz);
    return true;
}
