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

void PrintPacing(const PacerStats& pacing, int hertz) {
    const double rate = pacing.FramesPerSecond();
    std::printf("by the pacer's frame times: %.2f frames/s = %.4f x the refresh; %llu shown over "
                "two refreshes or more, %llu too close to the one before, %llu deadlines "
                "skipped, latest %.2f ms after its deadline\n",
                rate, rate / hertz, static_cast<unsigned long long>(pacing.repeated),
                static_cast<unsigned long long>(pacing.bunched),
                static_cast<unsigned long long>(pacing.skipped),
                1000.0 * static_cast<double>(pacing.maxLateTicks) /
                    static_cast<double>(pacing.ticksPerSecond));
}

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
    AppState& state = TheAppState();
    const std::uint64_t first = MotionFrameCount();
    const Stopwatch watch;
    state.motionSpeed = static_cast<int>(speed);
    state.motionRunning = 1;
    if (!StartMotionWorkerThread(window, state)) {
        std::printf("cannot start the motion test\n");
        return 1;
    }
    // Bounded, so that a worker that stalls ends the run: twice the time it should take.
    const double limitMs = 2000.0 * static_cast<double>(count) / hertz + 2000.0;
    while (MotionFrameCount() - first < static_cast<std::uint64_t>(count) &&
           watch.Milliseconds() < limitMs) {
        Sleep(20);
    }
    state.motionRunning = 0;
    WaitForMotionWorker(10000);
    const double seconds = watch.Seconds();
    const PacerStats pacing = MotionPacing();
    std::printf("refresh: reported %d Hz, paced at %d Hz; %ld x %ld at %ld px/s, %d px a frame, "
                "%llu frames\n",
                reported, hertz, client.right, client.bottom, speed, MotionLastStep(),
                static_cast<unsigned long long>(pacing.frames));
    PrintPacing(pacing, hertz);
    const double wallRate = static_cast<double>(MotionFrameCount() - first) / seconds;
    std::printf("by the wall clock, start to end: %.2f frames/s = %.4f x the refresh\n", wallRate,
                wallRate / hertz);
    DestroyWindow(window);
    PrintDrawTimes(static_cast<int>(speed), hertz);
    return 0;
}
