// The endurance cycle: a worker thread that shows the marked tests one after another,
// each for the chosen interval, until its running flag is cleared.
#pragma once

#include <windows.h>

#include <cstdint>

#include "state/app_state.h"

// Called by the shell after it has set `cycleRunning`: ends a previous cycle worker
// if one is still in its loop, then starts one for `window`. Returns false (and
// clears `cycleRunning`) when no worker could be started.
bool StartCycleWorkerThread(HWND window, AppState& state = TheAppState()) noexcept;

// Waits until the last cycle worker has ended; false on time-out.
bool WaitForCycleWorker(DWORD timeoutMs) noexcept;

// How well the switches of the current (or last) cycle kept to their times.
struct CycleTiming {
    std::uint64_t switches = 0;
    int maxLateMs = 0;
    std::uint64_t totalLateMs = 0;
};
[[nodiscard]] CycleTiming CycleWorkerTiming() noexcept;

[[nodiscard]] int CycleWorkersActive() noexcept;
[[nodiscard]] int CycleWorkersPeak() noexcept;
