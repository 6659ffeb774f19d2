// The repair flasher's thread: one flash per pass through a device context of its
// own, yielding the rest of the time slice between flashes.
#include "screens/win/repair_worker.h"

#include <atomic>

#include "screens/repair_colours.h"
#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/worker_slot.h"

namespace {

std::atomic<std::uint64_t> flashCount{0};

constexpr DWORD kEscapeReleasePollMs = 5;

bool EscapeHeld() noexcept {
    return (static_cast<unsigned short>(GetAsyncKeyState(VK_ESCAPE)) & 0x8000u) != 0;
}

// Ends the flasher on Escape. The same key press also reaches the window as a key
// message, usually a moment after this thread has seen it; were the repair screen
// already left then, the shell would take that Escape for "quit the program". So the
// flashing stops at once, but the repair screen is left only once Escape is up
// again: the key message in between finds the repair screen still there and ends it
// the way the shell ends it when no flasher runs.
void EndOnEscape(const WorkerTicket& ticket) noexcept {
    AppState& state = ticket.state;
    state.repairRunning = 0;
    while (EscapeHeld() && ticket.Current()) {
        Sleep(kEscapeReleasePollMs);
    }
    if (ticket.Current()) {
        state.repairMode = 0;
        RepaintWindow(ticket.window);
    }
}

void RepairWorkerBody(const WorkerTicket& ticket) {
    RandomGenerator& generator = TheRandomGenerator();
    while (ticket.KeepRunning()) {
        // Escape is watched here because the shell ignores keys while the flasher runs.
        if (EscapeHeld()) {
            EndOnEscape(ticket);
            break;
        }
        DrawFlashFrame(ticket.window, generator);
        Sleep(0);
    }
}

WorkerSlot& RepairSlot() {
    static WorkerSlot slot(RepairWorkerBody, &AppState::repairRunning);
    return slot;
}

} // namespace

bool DrawFlashFrame(HWND window, RandomGenerator& generator) noexcept {
    RECT client;
    if (!GetClientRect(window, &client)) {
        return false;
    }
    const WindowDc dc(window);
    if (!dc) {
        return false;
    }
    FillRectOpaque(dc.Get(), client, ToColorRef(NextRepairColour(generator)));
    flashCount.fetch_add(1, std::memory_order_relaxed);
    return true;
}

bool StartRepairWorkerThread(HWND window, AppState& state) noexcept {
    return RepairSlot().Start(window, state);
}

bool WaitForRepairWorker(DWORD timeoutMs) noexcept {
    return RepairSlot().WaitUntilEnded(timeoutMs);
}

std::uint64_t RepairFlashCount() noexcept {
    return flashCount.load();
}
int RepairWorkersActive() noexcept {
    return RepairSlot().Active();
}
int RepairWorkersPeak() noexcept {
    return RepairSlot().PeakActive();
}
