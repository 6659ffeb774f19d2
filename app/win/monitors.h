// The monitors on Windows: listed in the system's order, and the main window placed
// over the chosen one at start-up, from the menu and after a display or DPI change.
#pragma once

#include <windows.h>

#include <vector>

#include "app/monitor_choice.h"

// The attached monitors in the order the system enumerates them; the primary screen
// from the system metrics when the enumeration gives none.
[[nodiscard]] std::vector<MonitorArea> AttachedMonitors() noexcept;

// Places `window` one border beyond every edge of `monitor`: above every normal
// window, not topmost, and in the foreground; that monitor's defect log at its size
// becomes the one shown.
void PlaceOverMonitor(HWND window, const MonitorArea& monitor);

// Stores the device name under "screen" in the program section.
void WriteScreenSetting(TextView device);

// Start-up: covers the monitor named by the "screen" setting, else the primary one.
void CoverStartMonitor(HWND window) noexcept;

// After a display or DPI change: covers the same monitor at its new size, or the
// primary one when it is gone.
void CoverMonitorAgain(HWND window) noexcept;

// Posted after the first paint over a monitor whose EDID was not read yet: reading it
// takes a while, so the first picture does not wait for it.
inline constexpr UINT kIdentifyMonitorMessage = WM_APP + 1;

// Called at the end of every paint: posts kIdentifyMonitorMessage when a placement left
// the monitor's identity to be read.
void IdentifyAfterPaint(HWND window) noexcept;

// Reads the covered monitor's identity and, where it names the monitor, shows the log
// kept under that name; repaints when that changed the log shown.
void IdentifyCoveredMonitor() noexcept;

// The monitors' names from their EDIDs, for the menu; read on the first asking.
void NameMonitors(std::vector<MonitorArea>& monitors) noexcept;
