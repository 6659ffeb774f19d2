// The marked-pixel flasher's thread: the squares over the covered monitor's marks
// change colour once per display refresh, everything else black, until a key or the
// closing window clears its running flag; then the picture comes back. Marks removed
// while it runs stop flashing at the next refresh.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screens/refresh_pacer.h"
#include "state/app_state.h"

// Called by the shell after it has set `spotRepairRunning`: ends a previous flasher of
// this kind if one is still in its loop, then starts one over the marks published now.
// Returns false (and clears the flag) when none could be started.
bool StartSpotRepairWorkerThread(HWND window, AppState& state = TheAppState()) noexcept;

// Waits until the last flasher has ended; false on time-out.
bool WaitForSpotRepairWorker(DWORD timeoutMs) noexcept;

// Colour changes since program start, and flashers alive now / at most at once.
[[nodiscard]] std::uint64_t SpotRepairFrameCount() noexcept;
[[nodiscard]] int SpotRepairWorkersActive() noexcept;
[[nodiscard]] int SpotRepairWorkersPeak() noexcept;
// The last ended flasher's frame times as its pacer counted them.
[[nodiscard]] PacerStats SpotRepairPacing() noexcept;
