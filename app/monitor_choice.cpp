// Choosing the monitor to cover and listing the monitors in the context menu.
#include "app/monitor_choice.h"

#include <cstdint>

namespace {

// Windows compares device names without regard to case: a stored "\\.\display2" names
// \\.\DISPLAY2. The names are ASCII, so folding A-Z is enough.
bool SameDevice(TextView a, TextView b) {
    const auto fold = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

void Cover(const MonitorArea& monitor, AppState& state, MonitorActions& actions) {
    // Recorded first: the paints that moving the window causes show this monitor's mode.
    // Its place and size go with its log (CoverMonitor publishes them as one).
    state.screenDevice.Set(monitor.device);
    actions.CoverMonitor(monitor);
}

} // namespace

int MonitorToCover(std::span<const MonitorArea> monitors, TextView device) {
    int primary = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (!device.empty() && SameDevice(monitors[i].device, device)) {
            return static_cast<int>(i);
        }
        if (monitors[i].primary && primary < 0) {
            primary = static_cast<int>(i);
        }
    }
    return primary >= 0 || monitors.empty() ? primary : 0;
}

void CoverNamedMonitor(std::span<const MonitorArea> monitors, TextView device, AppState& state,
                       MonitorActions& actions) {
    const int index = MonitorToCover(monitors, device);
    if (index >= 0) {
        Cover(monitors[static_cast<std::size_t>(index)], state, actions);
        actions.Repaint();
    }
}

void ChooseMonitor(std::span<const MonitorArea> monitors, int index, AppState& state,
                   MonitorActions& actions) {
    if (index < 0 || static_cast<std::size_t>(index) >= monitors.size()) {
        return;
    }
    const MonitorArea& monitor = monitors[static_cast<std::size_t>(index)];
    Cover(monitor, state, actions);
    if (!SameDevice(monitor.device, state.screenSetting)) {
        state.screenSetting = monitor.device;
        actions.WriteScreenSetting(monitor.device);
    }
    actions.Repaint();
}

void AppendMonitorEntries(std::vector<MenuEntry>& entries, std::span<const MonitorArea> monitors,
                          TextView covered) {
    if (monitors.size() < 2) {
        return;
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const int index = static_cast<int>(i);
        MenuEntry entry;
        entry.flags =
            SameDevice(monitors[i].device, covered) ? kMenuGrayed | kMenuDisabled : kMenuString;
        entry.id = kMenuMonitorBase + index;
        const std::int64_t number = index + 1;
        const std::int64_t width = monitors[i].width;
        const std::int64_t height = monitors[i].height;
        entry.text =
            monitors[i].name.empty()
                ? FormatText(u"%d: %d x %d", {number, width, height})
                : FormatText(u"%d: %s, %d x %d", {number, monitors[i].name, width, height});
        entries.push_back(std::move(entry));
    }
}
