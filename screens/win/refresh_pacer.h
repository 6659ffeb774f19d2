// The refresh pacer on Windows: one frame per display refresh for a paced worker,
// timed by the performance counter. Where the compositor runs it waits for its next
// frame (DwmFlush); otherwise, or where that returns at once (as under Wine), it waits
// until the next absolute deadline with the system timer at 1 ms.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screens/refresh_pacer.h"

// Raises the system timer resolution to 1 ms for as long as it lives, so that a wait
// ends within about a millisecond of its time instead of at the next 15.6 ms tick.
class TimerResolution {
public:
    TimerResolution() noexcept;
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

private:
    bool raised;
};

// Raises the calling thread's priority to "highest" for as long as it lives: a paced
// thread waits most of each period, but once its deadline comes a busy processor must
// not keep it from drawing for a refresh or more.
class ThreadPriorityRaise {
public:
    ThreadPriorityRaise() noexcept;
    ~ThreadPriorityRaise();
    ThreadPriorityRaise(const ThreadPriorityRaise&) = delete;
    ThreadPriorityRaise& operator=(const ThreadPriorityRaise&) = delete;

private:
    int before;
};

// The refresh rate of the monitor the window is on, as Windows reports it; 0 when it
// reports none.
[[nodiscard]] int ReportedHertz(HWND window) noexcept;

class RefreshPacer {
public:
    // Paces the calling thread to the refresh of the monitor `window` is on; now is
    // frame 0's time.
    explicit RefreshPacer(HWND window) noexcept;

    // Hands the frame just drawn to the display and returns when the next one is due.
    // Its waits are message waits, so that Wine shows what the thread drew.
    void Present() noexcept;

    [[nodiscard]] const PacerStats& Stats() const noexcept { return schedule.Stats(); }

private:
    TimerResolution timer;
    ThreadPriorityRaise priority;
    bool composition;
    RefreshSchedule schedule;
};
