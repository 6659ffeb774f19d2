// The motion test's thread: the bar moves and the lit square steps once per display
// refresh, paced by the refresh pacer, until the motion test's running flag is
// cleared; then the window is repainted with the picture it showed before.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screens/motion_frame.h"
#include "screens/refresh_pacer.h"
#include "state/app_state.h"

// Called by the shell after it has set `motionSpeed` and then `motionRunning`: ends a
// previous motion worker if one is still in its loop, then starts one at that speed.
// Returns false (and clears the flag) when none could be started.
bool StartMotionWorkerThread(HWND window, AppState& state = TheAppState()) noexcept;

// Waits until the last motion worker has ended; false on time-out.
bool WaitForMotionWorker(DWORD timeoutMs) noexcept;

// Draws frame n of `frames` into `dc`: the whole frame, or only what changed since
// frame n - 1.
void DrawMotionFrame(HDC dc, const MotionFrames& frames, std::uint64_t frame, bool whole) noexcept;

// Frames drawn since program start, and motion workers alive now / at most at once.
[[nodiscard]] std::uint64_t MotionFrameCount() noexcept;
[[nodiscard]] int MotionWorkersActive() noexcept;
[[nodiscard]] int MotionWorkersPeak() noexcept;
// The frame number the latest worker drew last (counted from its frame 0), and the
// pixels its bar moved per frame; 0 before the first.
[[nodiscard]] std::uint64_t MotionLastFrame() noexcept;
[[nodiscard]] int MotionLastStep() noexcept;
// The last ended motion worker's frame times as its pacer counted them.
[[nodiscard]] PacerStats MotionPacing() noexcept;
