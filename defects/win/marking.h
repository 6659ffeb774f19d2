// The mouse side of the defect log: a left click on a test picture marks the monitor
// pixel under the pointer, or steps the type of the mark already there.
#pragma once

#include <windows.h>

#include "state/app_state.h"

// The monitor pixel shown at `client` (a point of the window's client area); false
// when it lies off the covered monitor.
[[nodiscard]] bool MonitorPixelAt(HWND window, const AppState& state, POINT client, POINT& pixel);

// Marks the pixel at `client` when the screen shows marks; true when the log changed
// and was written (the caller repaints).
bool MarkPixelAtClick(HWND window, const AppState& state, POINT client);
