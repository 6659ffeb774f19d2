// Marking pixels with the mouse.
#include "defects/win/marking.h"

#include "defects/marks_shown.h"
#include "defects/shared_log.h"
#include "defects/win/stored_log.h"

bool MonitorPixelAt(HWND window, const AppState& state, POINT client, POINT& pixel) {
    // Through the desktop: the window lies one border beyond the monitor's edges.
    POINT onDesktop = client;
    if (!ClientToScreen(window, &onDesktop)) {
        return false;
    }
    pixel = {onDesktop.x - state.screenLeft, onDesktop.y - state.screenTop};
    return pixel.x >= 0 && pixel.y >= 0 && pixel.x < state.screenWidth &&
           pixel.y < state.screenHeight;
}

bool MarkPixelAtClick(HWND window, const AppState& state, POINT client) {
    // During the endurance cycle the picture changes under the click; the one read
    // here gives the new mark's type.
    const int picture = state.testIndex.load();
    if (!MarksShown(state) || !IsMarkedPicture(picture)) {
        return false;
    }
    POINT pixel{};
    if (!MonitorPixelAt(window, state, client, pixel)) {
        return false;
    }
    MarkLog log = TheDefectLog().Get()->log;
    if (log.Click(pixel.x, pixel.y, picture) == ClickResult::Ignored) {
        return false;
    }
    KeepLog(std::move(log));
    return true;
}
