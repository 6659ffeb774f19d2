// Frames per second of the motion test against the display's refresh rate found in
// the same run: the bar should move once per refresh, no faster (a frame overwritten
// before a refresh never reaches the panel) and no slower (the bar would stand for two
// refreshes and the photo show a double edge). The pacer's own frame times tell how
// many frames stayed over two refreshes or came too close and how many deadlines were
// skipped. Then the time to draw one frame at 3840 x 2160, its changes and a whole
// frame, against the refresh period. Run under Wine in an X server of that size:
//   motion_rate [frames [pixels per second]]   (3,600 at 960 px/s by default)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "bench/windows/support/bench_window.h"
#include "screens/motion_frame.h"
#include "screens/refresh_pacer.h"
#include "screens/win/motion_worker.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/worker_slot.h"
#include "state/app_state.h"

namespace {

constexpr int kDrawWidth = 3840;
constexpr int kDrawHeight = 2160;
constexpr int kDrawRepetitions = 301;

// The median time of drawing frames at 3840 x 2160 through a window DC of its own, as
// the worker does, and of the same with the message wait in which Wine puts it on the
// screen.
void PrintDrawTimes(int speed, int hertz) {
    HWND window = CreateBenchWindow(kDrawWidth, kDrawHeight);
    if (window == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    const MotionFrames frames(client.right, client.bottom, MotionStep(speed, hertz));
    std::uint64_t frame = 0;
    const auto draw = [&](bool whole, bool shown) {
        return MedianMs(kDrawRepetitions, [&] {
            const WindowDc dc(window);
            ++frame;
            DrawMotionFrame(dc.Get(), frames, frame, whole);
            if (shown) {
                GdiFlush();
                WorkerWait(0);
            }
        });
    };
    {
        const WindowDc dc(window);
        DrawMotionFrame(dc.Get(), frames, 0, true);
    }
    const double changes = draw(false, false);
    const double changesShown = draw(false, true);
    const double whole = draw(true, false);
    const double wholeShown = draw(true, true);
    const double periodMs = 1000.0 / hertz;
    if (GetSystemMetrics(SM_CXSCREEN) < kDrawWidth || GetSystemMetrics(SM_CYSCREEN) < kDrawHeight) {
        std::printf("(the screen is smaller: Wine draws only the part it shows)\n");
    }
    std::printf("one frame at %ld x %ld, %d px a frame (median of %d), against the %.2f ms "
                "period:\n",
                client.right, client.bottom, frames.Step(), kDrawRepetitions, periodMs);
    std::printf("  changes drawn %.3f ms = %.4f x; and on the screen %.3f ms = %.4f x\n", changes,
                changes / periodMs, changesShown, changesShown / periodMs);
    std::printf("  whole frame drawn %.3f ms = %.4f x; and on the screen %.3f ms = %.4f x\n", whole,
                whole / periodMs, wholeShown, wholeShown / periodMs);
    DestroyWindow(window);
}

} // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3600;
    const long speed = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 960;
    if (count < 2 || speed < 1 || speed > 100000) {
        std::printf("usage: motion_rate [frames, 2 or more [pixels per second]]\n");
        return 2;
    }
    HWND window = CreateBenchWindow(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (window == nullptr) {
        return 2;
    }
    RECT client{};
    GetClientRect(window, &client);
    const int reported = ReportedHertz(window);
    const int hertz = PacedHertz(reported);
    std::printf("refresh: reported %d Hz, paced at %d Hz; %ld x %ld at %ld px/s\n", reported, hertz,
                client.right, client.bottom, speed);
    AppState& state = TheAppState();
    state.motionSpeed = static_cast<int>(speed);
    const PacedWorker motion{state.motionRunning, StartMotionWorkerThread, WaitForMotionWorker,
                             MotionFrameCount, MotionPacing};
    if (!RunPacedWorker(window, state, motion, count, hertz, "frames")) {
        return 1;
    }
    std::printf("%d px a frame\n", MotionLastStep());
    DestroyWindow(window);
    PrintDrawTimes(static_cast<int>(speed), hertz);
    return 0;
}
