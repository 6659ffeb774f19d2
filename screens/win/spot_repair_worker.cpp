// The marked-pixel flasher (see spot_repair_worker.h). Its pace is the display's: after
// each change it waits for the compositor's next frame (DwmFlush), and where that
// returns at once (no composition) it sleeps out one refresh period.
#include "screens/win/spot_repair_worker.h"

#include <dwmapi.h>

#include <atomic>
#include <chrono>
#include <optional>

#include "defects/shared_log.h"
#include "screens/overlay_text.h"
#include "screens/spot_repair.h"
#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/worker_slot.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

std::atomic<std::uint64_t> frameCount{0};

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The refresh rate of the display the window is on.
int DisplayHertz(HWND window) {
    MONITORINFOEXW monitor{};
    monitor.cbSize = sizeof(monitor);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor) ||
        !EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

// The line says in the program's own words how long it runs and how to stop it; in
// the default GUI font, which the system links to every script.
class StatusLine {
public:
    StatusLine(HDC dc, const std::vector<PixelRect>& squares, const RECT& client, int language)
        : language(language) {
        const Text widest = SpotRepairLine(language, 999);
        const ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc, Wide(widest), static_cast<int>(widest.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const PixelRect at = PlaceStatusLine(squares, client.right, client.bottom,
                                             measured.right + 8, measured.bottom + 4);
        box = {at.left, at.top, at.right, at.bottom};
    }
    void Draw(HDC dc, int minutes) const {
        const Text line = SpotRepairLine(language, minutes);
        FillRectOpaque(dc, box, RGB(0, 0, 0));
        const ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, RGB(160, 160, 160)); // unobtrusive on black
        SetBkMode(dc, TRANSPARENT);
        RECT text = box;
        const UINT rightToLeft =
            language == kRightToLeftLanguage ? overlay_format::kRightToLeft : 0;
        DrawTextW(dc, Wide(line), static_cast<int>(line.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | rightToLeft);
        SetBkMode(dc, OPAQUE);
    }

private:
    int language;
    RECT box{};
};

void SpotRepairBody(const WorkerTicket& ticket) {
    AppState& state = ticket.state;
    const std::shared_ptr<const PublishedLog> published = TheDefectLog().Get();
    RECT client{};
    POINT clientOrigin{0, 0};
    if (!GetClientRect(ticket.window, &client) || !ClientToScreen(ticket.window, &clientOrigin)) {
        state.spotRepairRunning = 0;
        return;
    }
    const PixelPoint origin = published->OriginInClient(clientOrigin.x, clientOrigin.y);
    const std::vector<PixelRect> squares =
        SpotSquares(published->log.Marks(), origin.x, origin.y, client.right, client.bottom);
    const double periodMs = RefreshPeriodMs(DisplayHertz(ticket.window));
    const bool composition = [] {
        BOOL enabled = FALSE;
        return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
    }();
    std::optional<StatusLine> line;
    const Clock::time_point start = Clock::now();
    Clock::time_point lastChange = start;
    int shownMinutes = -1;
    for (std::uint64_t frame = 0; ticket.KeepRunning(); ++frame) {
        {
            const WindowDc dc(ticket.window);
            if (dc) {
                if (!line) {
                    FillRectOpaque(dc.Get(), client, RGB(0, 0, 0));
                    // A loaded translation has no words for the line: English then.
                    const int language =
                        TheTranslation().Current() != nullptr ? 1 : state.languageIndex.load();
                    line.emplace(dc.Get(), squares, client, language);
                }
                const COLORREF colour = ToColorRef(SpotColour(frame));
                for (const PixelRect& square : squares) {
                    FillRectOpaque(dc.Get(), {square.left, square.top, square.right, square.bottom},
                                   colour);
                }
                const int minutes = static_cast<int>(MillisecondsSince(start) / 60000.0);
                if (minutes != shownMinutes) {
                    line->Draw(dc.Get(), minutes);
                    shownMinutes = minutes;
                }
                frameCount.fetch_add(1, std::memory_order_relaxed);
            }
        }
        if (composition) {
            DwmFlush();
        }
        // A message wait: Wine shows a thread's drawing only when the thread waits so.
        WorkerWait(static_cast<DWORD>(PacingSleepMs(MillisecondsSince(lastChange), periodMs)));
        lastChange = Clock::now();
    }
    // The picture that was there before, rings and all.
    if (ticket.Current()) {
        RepaintWindow(ticket.window);
    }
}

WorkerSlot& SpotRepairSlot() {
    static WorkerSlot slot(SpotRepairBody, &AppState::spotRepairRunning);
    return slot;
}

} // namespace

bool StartSpotRepairWorkerThread(HWND window, AppState& state) noexcept {
    return SpotRepairSlot().Start(window, state);
}

bool WaitForSpotRepairWorker(DWORD timeoutMs) noexcept {
    return SpotRepairSlot().WaitUntilEnded(timeoutMs);
}

std::uint64_t SpotRepairFrameCount() noexcept {
    return frameCount.load();
}
int SpotRepairWorkersActive() noexcept {
    return SpotRepairSlot().Active();
}
int SpotRepairWorkersPeak() noexcept {
    return SpotRepairSlot().PeakActive();
}
