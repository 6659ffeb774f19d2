// The refresh pacer on Windows (see refresh_pacer.h).
#include "screens/win/refresh_pacer.h"

#include <dwmapi.h>
#include <timeapi.h>

#include "screens/win/worker_slot.h"

namespace {

// How long before a deadline the coarse wait ends; the rest is waited out in short
// steps. A 1 ms timer may still wake a millisecond or so late.
constexpr std::int64_t kCoarseMarginMs = 2;

std::int64_t Ticks() noexcept {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

std::int64_t TicksPerSecond() noexcept {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

bool CompositionEnabled() noexcept {
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

// Sleeps to about kCoarseMarginMs before the deadline, then steps through message
// waits that return at once; at least one message wait in any case, since Wine puts
// the frame on the screen in one.
void WaitUntil(std::int64_t deadline, std::int64_t ticksPerSecond) noexcept {
    for (bool first = true;; first = false) {
        const std::int64_t left = deadline - Ticks();
        if (left <= 0 && !first) {
            return;
        }
        const std::int64_t leftMs = left * 1000 / ticksPerSecond;
        WorkerWait(leftMs > kCoarseMarginMs ? static_cast<DWORD>(leftMs - kCoarseMarginMs) : 0);
    }
}

} // namespace

TimerResolution::TimerResolution() noexcept : raised(timeBeginPeriod(1) == TIMERR_NOERROR) {}

TimerResolution::~TimerResolution() {
    if (raised) {
        timeEndPeriod(1);
    }
}

ThreadPriorityRaise::ThreadPriorityRaise() noexcept
    : before(GetThreadPriority(GetCurrentThread())) {
    if (before != THREAD_PRIORITY_ERROR_RETURN && before < THREAD_PRIORITY_HIGHEST) {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    }
}

ThreadPriorityRaise::~ThreadPriorityRaise() {
    if (before != THREAD_PRIORITY_ERROR_RETURN && before < THREAD_PRIORITY_HIGHEST) {
        SetThreadPriority(GetCurrentThread(), before);
    }
}

int ReportedHertz(HWND window) noexcept {
    MONITORINFOEXW monitor{};
    monitor.cbSize = sizeof(monitor);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor) ||
        !EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

RefreshPacer::RefreshPacer(HWND window) noexcept
    : composition(CompositionEnabled()),
      schedule(TicksPerSecond(), ReportedHertz(window), Ticks()) {}

void RefreshPacer::Present() noexcept {
    GdiFlush();
    const PacerStats& stats = schedule.Stats();
    if (composition && SUCCEEDED(DwmFlush())) {
        const std::int64_t now = Ticks();
        // A flush that returned within half a period of the last frame waited for no
        // refresh: the deadlines pace this frame instead.
        if (2 * (now - stats.lastTicks) * stats.hertz >= stats.ticksPerSecond) {
            WorkerWait(0); // where the frame reaches the screen only in a message wait
            schedule.ShownByCompositor(now);
            return;
        }
    }
    WaitUntil(schedule.Advance(Ticks()), stats.ticksPerSecond);
    schedule.Shown(Ticks());
}
