// The motion test's worker (see motion_worker.h). Frame 0 is drawn whole, every later
// frame only where it differs from the one before: at 3840 x 2160 that is two narrow
// columns and two squares instead of eight million pixels, so a frame is ready long
// before its refresh.
#include "screens/win/motion_worker.h"

#include <atomic>
#include <mutex>

#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/worker_slot.h"

namespace {

std::atomic<std::uint64_t> frameCount{0};
std::atomic<std::uint64_t> lastFrame{0};
std::atomic<int> lastStep{0};
std::mutex pacingMutex;
PacerStats lastPacing; // guarded by pacingMutex

void MotionBody(const WorkerTicket& ticket) {
    AppState& state = ticket.state;
    RefreshPacer pacer(ticket.window);
    const int step = MotionStep(state.motionSpeed.load(), pacer.Stats().hertz);
    lastStep = step;
    RECT drawnFor{0, 0, -1, -1}; // the client area the frames on screen were made for
    MotionFrames frames(0, 0, step);
    for (std::uint64_t frame = 0; ticket.KeepRunning(); ++frame) {
        RECT client{};
        if (!GetClientRect(ticket.window, &client)) {
            // The window went away under it: nothing runs, so nothing may claim to.
            if (ticket.Current()) {
                state.motionRunning = 0;
            }
            break;
        }
        {
            const WindowDc dc(ticket.window);
            if (dc) {
                // A new size (a display change) or a frame that could not be drawn
                // leaves nothing to change from: the whole frame then.
                const bool whole = client.right != drawnFor.right ||
                                   client.bottom != drawnFor.bottom || frame == 0;
                if (whole) {
                    frames = MotionFrames(client.right, client.bottom, step);
                }
                DrawMotionFrame(dc.Get(), frames, frame, whole);
                drawnFor = client;
                lastFrame = frame;
                frameCount.fetch_add(1, std::memory_order_relaxed);
            } else {
                drawnFor = RECT{0, 0, -1, -1};
            }
        }
        pacer.Present();
    }
    {
        const std::lock_guard lock(pacingMutex);
        lastPacing = pacer.Stats();
    }
    // The picture that was there before.
    if (ticket.Current()) {
        RepaintWindow(ticket.window);
    }
}

WorkerSlot& MotionSlot() {
    static WorkerSlot slot(MotionBody, &AppState::motionRunning);
    return slot;
}

} // namespace

void DrawMotionFrame(HDC dc, const MotionFrames& frames, std::uint64_t frame, bool whole) noexcept {
    try {
        for (const MotionFill& fill : whole ? frames.Whole(frame) : frames.Changes(frame)) {
            FillRectOpaque(dc, {fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom},
                           ToColorRef(fill.colour));
        }
    } catch (...) {
        // Out of memory for a handful of rectangles: the frame stays as it was.
    }
}

bool StartMotionWorkerThread(HWND window, AppState& state) noexcept {
    return MotionSlot().Start(window, state);
}

bool WaitForMotionWorker(DWORD timeoutMs) noexcept {
    return MotionSlot().WaitUntilEnded(timeoutMs);
}

std::uint64_t MotionFrameCount() noexcept {
    return frameCount.load();
}
int MotionWorkersActive() noexcept {
    return MotionSlot().Active();
}
int MotionWorkersPeak() noexcept {
    return MotionSlot().PeakActive();
}
std::uint64_t MotionLastFrame() noexcept {
    return lastFrame.load();
}
int MotionLastStep() noexcept {
    return lastStep.load();
}
PacerStats MotionPacing() noexcept {
    const std::lock_guard lock(pacingMutex);
    return lastPacing;
}
