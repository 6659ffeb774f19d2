// What the Windows timing programs share: a visible full-screen-sized window, the
// message pump, a performance-counter stopwatch, the median of repeated runs, the
// bare fill rate that serves as their baseline, and a timed run of a worker thread.
// Header-only, so that it is no program of its own.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

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
