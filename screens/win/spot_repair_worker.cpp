// The marked-pixel flasher (see spot_repair_worker.h). A refresh pacer keeps it to one
// colour per display refresh. Each frame it takes the log published then, so that a
// mark removed meanwhile goes dark at the next refresh and the line may move.
#include "screens/win/spot_repair_worker.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

#include "defects/shared_log.h"
#include "screens/overlay_text.h"
#include "screens/spot_repair.h"
#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/worker_slot.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

std::atomic<std::uint64_t> frameCount{0};
std::mutex pacingMutex;
PacerStats lastPacing; // guarded by pacingMutex

using Clock = std::chrono::steady_clock;

// The line says in the program's own words how long it runs and how to stop it; in
// the default GUI font, which the system links to every script. It goes where it
// keeps clear of every square, and nowhere when no place does.
class StatusLine {
public:
    StatusLine(HDC dc, int language) : language(language) {
        const Text widest = SpotRepairLine(language, 999);
        const ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc, Wide(widest), static_cast<int>(widest.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        width = measured.right + 8;
        height = measured.bottom + 4;
    }
    // Clears the line where it was and finds its place among `squares`; it shows there
    // at the next Draw.
    void Place(HDC dc, const std::vector<PixelRect>& squares, const RECT& client) {
        if (box) {
            FillRectOpaque(dc, *box, RGB(0, 0, 0));
        }
        const std::optional<PixelRect> at =
            PlaceStatusLine(squares, client.right, client.bottom, width, height);
        box =
            at ? std::optional<RECT>(RECT{at->left, at->top, at->right, at->bottom}) : std::nullopt;
    }
    void Draw(HDC dc, int minutes) const {
        if (!box) {
            return;
        }
        const Text line = SpotRepairLine(language, minutes);
        FillRectOpaque(dc, *box, RGB(0, 0, 0));
        const ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, RGB(160, 160, 160)); // unobtrusive on black
        SetBkMode(dc, TRANSPARENT);
        RECT text = *box;
        const UINT rightToLeft =
            language == kRightToLeftLanguage ? overlay_format::kRightToLeft : 0;
        DrawTextW(dc, Wide(line), static_cast<int>(line.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | rightToLeft);
        SetBkMode(dc, OPAQUE);
    }

private:
    int language;
    int width = 0;
    int height = 0;
    std::optional<RECT> box;
};

void FillSquares(HDC dc, const std::vector<PixelRect>& squares, COLORREF colour) {
    for (const PixelRect& square : squares) {
        FillRectOpaque(dc, {square.left, square.top, square.right, square.bottom}, colour);
    }
}

void SpotRepairBody(const WorkerTicket& ticket) {
    AppState& state = ticket.state;
    RECT client{};
    POINT clientOrigin{0, 0};
    if (!GetClientRect(ticket.window, &client) || !ClientToScreen(ticket.window, &clientOrigin)) {
        state.spotRepairRunning = 0;
        return;
    }
    std::shared_ptr<const PublishedLog> flashed; // the log the squares are of
    std::vector<PixelRect> squares;
    std::optional<StatusLine> line;
    int shownMinutes = -1;
    const Clock::time_point start = Clock::now();
    RefreshPacer pacer(ticket.window);
    for (std::uint64_t frame = 0; ticket.KeepRunning(); ++frame) {
        {
            const WindowDc dc(ticket.window);
            if (dc) {
                if (!line) {
                    FillRectOpaque(dc.Get(), client, RGB(0, 0, 0));
                    // A loaded translation has no words for the line: English then.
                    line.emplace(dc.Get(), TheTranslation().Current() != nullptr
                                               ? 1
                                               : state.languageIndex.load());
                }
                std::shared_ptr<const PublishedLog> published = TheDefectLog().Get();
                if (published != flashed) {
                    FillSquares(dc.Get(), squares, RGB(0, 0, 0));
                    const PixelPoint origin =
                        published->OriginInClient(clientOrigin.x, clientOrigin.y);
                    squares = SpotSquares(published->log.Marks(), origin.x, origin.y, client.right,
                                          client.bottom);
                    line->Place(dc.Get(), squares, client);
                    flashed = std::move(published);
                    shownMinutes = -1;
                }
                FillSquares(dc.Get(), squares, ToColorRef(SpotColour(frame)));
                const auto minutes = static_cast<int>(
                    std::chrono::duration_cast<std::chrono::minutes>(Clock::now() - start).count());
                if (minutes != shownMinutes) {
                    line->Draw(dc.Get(), minutes);
                    shownMinutes = minutes;
                }
                frameCount.fetch_add(1, std::memory_order_relaxed);
            }
        }
        pacer.Present();
    }
    {
        const std::lock_guard lock(pacingMutex);
        lastPacing = pacer.Stats();
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
PacerStats SpotRepairPacing() noexcept {
    const std::lock_guard lock(pacingMutex);
    return lastPacing;
}
