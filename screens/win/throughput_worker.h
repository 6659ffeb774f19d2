// The graphics throughput test: a worker thread that draws full-screen frames of the
// chosen variant (block copy, filled rectangles, lines) back to back and shows
// megabytes and frames per second in a status line at the top.
#pragma once

#include <windows.h>

#include <cstdint>

#include "screens/random.h"
#include "state/app_state.h"

// Called by the shell after it has set `drawVariant` and `throughputRunning`: ends a
// previous throughput worker if one is still in its loop, then starts one for
// `window`. Returns false (and clears `throughputRunning`) when no worker could be
// started.
bool StartThroughputWorkerThread(HWND window, AppState& state = TheAppState()) noexcept;

// Waits until the last throughput worker has ended; false on time-out.
bool WaitForThroughputWorker(DWORD timeoutMs) noexcept;

// The pieces of a run, for the worker and for tests. They share the program-wide
// source image, measurement and scroll phase, so only one thread may use them at a
// time: the worker while it runs, a test while none runs.

// Replaces the source image with one for a client area of the given size; false (and
// no image) when it cannot be created.
bool BuildSourceImage(int clientWidth, int clientHeight) noexcept;

// Draws one frame of `state.drawVariant` into the window with band colours from
// `generator`, stopping after any band once `throughputRunning` is 0. Returns false
// when the window gave no device context (nothing drawn, nothing counted).
bool DrawThroughputFrame(HWND window, const AppState& state, RandomGenerator& generator) noexcept;

// The current scroll phase (1..256; 0 before the first block copy), the frames drawn
// since program start, and the figures shown in the status line.
[[nodiscard]] int ThroughputScrollPhase() noexcept;
[[nodiscard]] std::uint64_t ThroughputFrameCount() noexcept;
[[nodiscard]] double ThroughputMbPerSecond() noexcept;
[[nodiscard]] double ThroughputFramesPerSecond() noexcept;

[[nodiscard]] int ThroughputWorkersActive() noexcept;
[[nodiscard]] int ThroughputWorkersPeak() noexcept;
