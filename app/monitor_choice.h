// Which monitor the window covers: the one named by the "screen" setting when it is
// attached, else the primary one; chosen again from the context menu and after a
// display change. The Windows layer lists the monitors and moves the window.
#pragma once

#include <span>
#include <vector>

#include "app/context_menu_entries.h"
#include "state/app_state.h"
#include "text/text.h"

// One monitor as the system reports it, in physical pixels.
struct MonitorArea {
    Text device; // the system's device name, for instance \\.\DISPLAY2
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
    Text name; // the monitor's model from its EDID, empty when it gives none
};

// The settings key that names the monitor to cover.
inline constexpr char16_t kScreenSettingKey[] = u"screen";

// Monitor i of the list is kMenuMonitorBase + i; above every other command of the menu.
inline constexpr int kMenuMonitorBase = 2000;

// What covering a monitor asks of the shell.
class MonitorActions {
public:
    virtual ~MonitorActions() = default;
    // Place the window one border beyond every edge of `monitor`.
    virtual void CoverMonitor(const MonitorArea& monitor) = 0;
    // Store `device` under "screen" in the program section of the settings file.
    virtual void WriteScreenSetting(TextView device) = 0;
    virtual void Repaint() = 0;
};

// Index of the monitor named `device`, else of the primary one, else 0; -1 for none.
[[nodiscard]] int MonitorToCover(std::span<const MonitorArea> monitors, TextView device);

// Covers the monitor that MonitorToCover picks, records it in `state` and repaints:
// at start-up with the stored "screen" value, after a display change with the device
// the window covered. Nothing happens without monitors.
void CoverNamedMonitor(std::span<const MonitorArea> monitors, TextView device, AppState& state,
                       MonitorActions& actions);

// Covers monitor `index` chosen in the menu and stores its name when that differs from
// the stored one. An index outside the list does nothing.
void ChooseMonitor(std::span<const MonitorArea> monitors, int index, AppState& state,
                   MonitorActions& actions);

// With more than one monitor, one entry "N: W x H" per monitor ("N: name, W x H" for
// one its EDID names), the one named `covered` greyed and disabled; they follow the
// menu's closing separator. Nothing for one monitor.
void AppendMonitorEntries(std::vector<MenuEntry>& entries, std::span<const MonitorArea> monitors,
                          TextView covered);
