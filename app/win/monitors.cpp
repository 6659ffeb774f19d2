// Monitor enumeration and placement of the main window over one monitor.
#include "app/win/monitors.h"

#include "app/win/main_window.h"
#include "defects/shared_log.h"
#include "defects/win/monitor_identity.h"
#include "defects/win/stored_log.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/win/wide.h"

namespace {

// Moving the window onto a monitor of another DPI sends WM_DPICHANGED from inside
// SetWindowPos; the placement under way already sets the rectangle wanted.
bool placing = false;

// The covered monitor's EDID is still to be read: after the next paint, so that the
// first picture does not wait for the device list.
bool identifyAfterPaint = false;

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        return TRUE;
    }
    const RECT& r = info.rcMonitor;
    try { // no exception may cross the system's frames
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            {FromWide(info.szDevice), static_cast<int>(r.left), static_cast<int>(r.top),
             static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0, Text()});
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

class WindowMonitorActions final : public MonitorActions {
public:
    explicit WindowMonitorActions(HWND window) : window(window) {}
    void CoverMonitor(const MonitorArea& monitor) override { PlaceOverMonitor(window, monitor); }
    void WriteScreenSetting(TextView device) override { ::WriteScreenSetting(device); }
    void Repaint() override { RepaintMainWindow(); }

private:
    HWND window;
};

} // namespace

std::vector<MonitorArea> AttachedMonitors() noexcept {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        try {
            monitors.push_back({Text(), 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), true, Text()});
        } catch (...) {
            // out of memory: no monitor to offer or cover
        }
    }
    return monitors;
}

void PlaceOverMonitor(HWND window, const MonitorArea& monitor) {
    // The marks of this monitor at this size, before the paints the move brings: under
    // its identity when it was read, else under its output until it is.
    const MonitorPlace place{monitor.device, monitor.left, monitor.top};
    const std::optional<MonitorIdentity> known = KnownMonitorIdentity(monitor.device);
    ShowStoredLog(place, monitor.width, monitor.height, known.value_or(MonitorIdentity()));
    identifyAfterPaint = !known;
    const int borderWidth = GetSystemMetrics(SM_CXBORDER);
    const int borderHeight = GetSystemMetrics(SM_CYBORDER);
    // The window has no frame, so the client area is this whole rectangle: the monitor
    // plus one border on each side.
    const int x = monitor.left - borderWidth;
    const int y = monitor.top - borderHeight;
    const int width = monitor.width + 2 * borderWidth;
    const int height = monitor.height + 2 * borderHeight;
    placing = true;
    SetWindowPos(window, HWND_TOP, x, y, width, height, 0);
    SetForegroundWindow(window);
    // Above every normal window, but not topmost: other topmost windows stay in front.
    SetWindowPos(window, HWND_NOTOPMOST, x, y, width, height, 0);
    placing = false;
}

void WriteScreenSetting(TextView device) {
    CIni2017::WriteProgramString(kScreenSettingKey, Text(device));
}

// Out of memory, the window stays where it is.
void CoverStartMonitor(HWND window) noexcept {
    try {
        AppState& state = TheAppState();
        WindowMonitorActions actions(window);
        CoverNamedMonitor(AttachedMonitors(), state.screenSetting, state, actions);
    } catch (...) {
    }
}

void IdentifyAfterPaint(HWND window) noexcept {
    if (identifyAfterPaint) {
        identifyAfterPaint = false;
        PostMessageW(window, kIdentifyMonitorMessage, 0, 0);
    }
}

void IdentifyCoveredMonitor() noexcept {
    try {
        const std::shared_ptr<const PublishedLog> shown = TheDefectLog().Get();
        const MonitorPlace& place = shown->monitor;
        if (place.device.empty()) {
            return;
        }
        ShowStoredLog(place, shown->log.Width(), shown->log.Height(),
                      MonitorIdentityOf(place.device));
        if (TheDefectLog().Get() != shown) {
            RepaintMainWindow();
        }
    } catch (...) {
    }
}

void NameMonitors(std::vector<MonitorArea>& monitors) noexcept {
    try {
        for (MonitorArea& monitor : monitors) {
            if (!monitor.device.empty()) {
                monitor.name = ModelText(MonitorIdentityOf(monitor.device));
            }
        }
    } catch (...) {
        // out of memory: the monitors go by their sizes
    }
}

void CoverMonitorAgain(HWND window) noexcept {
    if (placing) {
        return;
    }
    try {
        AppState& state = TheAppState();
        WindowMonitorActions actions(window);
        CoverNamedMonitor(AttachedMonitors(), state.screenDevice.Get(), state, actions);
    } catch (...) {
    }
}
