// The stuck-pixel repair flasher: a worker thread that fills the main window with
// random full-intensity colours back to back until Escape is held or its running
// flag is cleared.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screens/random.h"
#include "state/app_state.h"

// Called by the shell after it has set `repairRunning`: ends a previous repair worker
// if one is still in its loop, then starts one that draws into `window`. Returns
// false (and clears `repairRunning`) when no worker could be started.
bool StartRepairWorkerThread(HWND window, AppState& state = TheAppState()) noexcept;

// Waits until the last repair worker has ended; false on time-out.
bool WaitForRepairWorker(DWORD timeoutMs) noexcept;

// One flash: fills the client area with the colour of the next random value. Skipped
// (no value drawn) when the window gives no device context. True when drawn.
bool DrawFlashFrame(HWND window, RandomGenerator& generator) noexcept;

// Flashes drawn since program start, and repair workers alive now / at most at once.
[[nodiscard]] std::uint64_t RepairFlashCount() noexcept;
[[nodiscard]] int RepairWorkersActive() noexcept;
[[nodiscard]] int RepairWorkersPeak() noexcept;
