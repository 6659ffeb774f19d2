// The endurance cycle's thread. It sleeps until shortly before each switch, in
// slices short enough that a cleared flag stops it promptly, with the system timer
// at 1 ms so that a switch comes within a millisecond or two of its time.
#include "screens/win/cycle_worker.h"

#include <timeapi.h>

#include <algorithm>
#include <atomic>

#include "screens/cycle_schedule.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/worker_slot.h"

namespace {

std::atomic<std::uint64_t> switches{0};
std::atomic<int> maxLateMs{0};
std::atomic<std::uint64_t> totalLateMs{0};

void RecordSwitch(int lateMs) noexcept {
    switches.fetch_add(1, std::memory_order_relaxed);
    totalLateMs.fetch_add(static_cast<std::uint64_t>(lateMs), std::memory_order_relaxed);
    int seen = maxLateMs.load();
    while (lateMs > seen && !maxLateMs.compare_exchange_weak(seen, lateMs)) {
    }
}

void ResetTiming() noexcept {
    switches = 0;
    maxLateMs = 0;
    totalLateMs = 0;
}

void ShowTest(HWND window, AppState& state, int test) noexcept {
    state.testIndex = test;
    const WindowDc dc(window);
    if (dc) {
        PaintTestScreen(dc.Get(), window, state, nullptr);
    }
}

void CycleWorkerBody(const WorkerTicket& ticket) {
    AppState& state = ticket.state;
    const TimerResolution timerResolution;
    state.cycleIntervalMs = ClampCycleInterval(state.cycleIntervalMs);
    CycleScheduler scheduler(BuildCycleList(state), timeGetTime());
    while (ticket.KeepRunning()) {
        const CycleStep step = scheduler.Step(timeGetTime(), state.cycleIntervalMs);
        if (step.kind == CycleStep::Kind::Show) {
            RecordSwitch(step.lateMs);
            ShowTest(ticket.window, state, step.test);
        }
        WorkerWait(static_cast<DWORD>(CycleSleepMs(step)));
    }
    state.testIndex = -1;
    // The shell asks for its repaint before the worker has left, and that paint may
    // still have drawn the last test; paint again now that the index is back.
    if (ticket.Current()) {
        RepaintWindow(ticket.window);
    }
}

WorkerSlot& CycleSlot() {
    static WorkerSlot slot(CycleWorkerBody, &AppState::cycleRunning);
    return slot;
}

} // namespace

bool StartCycleWorkerThread(HWND window, AppState& state) noexcept {
    return CycleSlot().Start(window, state, ResetTiming);
}

bool WaitForCycleWorker(DWORD timeoutMs) noexcept {
    return CycleSlot().WaitUntilEnded(timeoutMs);
}

CycleTiming CycleWorkerTiming() noexcept {
    return CycleTiming{switches.load(), maxLateMs.load(), totalLateMs.load()};
}

int CycleWorkersActive() noexcept {
    return CycleSlot().Active();
}
int CycleWorkersPeak() noexcept {
    return CycleSlot().PeakActive();
}
