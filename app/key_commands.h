// The keyboard commands of the main window: stepping through the test screens,
// jumping to a test, the test selection and repair screens, starting and stopping
// the workers, and quitting. Everything here runs on the main thread and acts
// through a CommandHost, so it is the same code under Windows and in the tests.
#pragma once

#include <cstdint>

#include "app/command_host.h"
#include "state/app_state.h"

// keyTransition values.
inline constexpr int kFreshPress = 1;
inline constexpr int kKeyRelease = 2;
inline constexpr int kAutoRepeat = 4;

// Class of a key message from its lParam: 2 released, 4 auto-repeat, 1 fresh press.
[[nodiscard]] int keyTransition(std::intptr_t lParam) noexcept;

// WM_KEYDOWN with the message's key code (wParam) and lParam.
void HandleKeyDown(AppState& state, CommandHost& host, int keyCode, std::intptr_t lParam);

// WM_KEYUP with the message's key code (wParam): F2, F3 and F4 start their
// throughput test on release.
void HandleKeyUp(AppState& state, CommandHost& host, int keyCode);

// Any key, system keys included, stops the marked pixels' flasher and does nothing
// else, its release included: true when the flasher was running.
bool StopSpotRepairByKey(AppState& state, int keyCode);
// The release of the key that stopped it: true when it is that one (then forgotten).
bool SwallowStoppingKeyUp(AppState& state, int keyCode);

// Keys of the test selection screen; false when that screen is not active.
bool HandleSelectionKeys(AppState& state, CommandHost& host);

// Keys of the repair screen; false when that screen is not active.
bool HandleRepairKeys(AppState& state, CommandHost& host);

// Stops a running throughput test, or starts one when none runs.
void StartThroughputWorker(AppState& state, CommandHost& host);

// testIndex -1 (the information screen), fresh info text, repaint.
void ShowInformationScreen(AppState& state, CommandHost& host);

// Stops the cycle, leaves the selection screen and posts the quit message.
void QuitProgram(AppState& state, CommandHost& host);

// WM_CLOSE: stop the cycle, give its worker 100 ms to see that, then quit.
void HandleClose(AppState& state, CommandHost& host);
