// The endurance cycle's cost and punctuality: process CPU time (GetProcessTimes) over
// about ten seconds at 1000 ms per test, and how late each switch came at 1000, 100
// and 10 ms. The baseline is a thread that polls the clock without sleeping for the
// same wait, measured in the same run.
#include <windows.h>

#include <timeapi.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/windows/support/bench_window.h"
#include "screens/win/cycle_worker.h"
#include "state/app_state.h"

namespace {

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

struct Load {
    double cpuPercent;
    double wallSeconds;
};

// Runs `work` for `ms` and returns the process CPU time it used, as a share of one core.
template <typename Work> Load MeasureLoad(DWORD ms, Work work) {
    const double cpuBefore = ProcessCpuSeconds();
    const Stopwatch watch;
    work(ms);
    const double wall = watch.Seconds();
    return {100.0 * (ProcessCpuSeconds() - cpuBefore) / wall, wall};
}

std::atomic<int> pollRunning{0};

DWORD WINAPI PollClock(void*) {
    // What a worker that waits by polling the clock costs.
    volatile DWORD sink = 0;
    while (pollRunning != 0) {
        sink = timeGetTime();
        Sleep(0);
    }
    (void)sink;
    return 0;
}

// Watches `testIndex` from its own thread and notes, by the performance counter, when
// it changes: an outside view of the switch times.
struct SwitchWatch {
    std::atomic<int> running{0};
    std::vector<double> times; // seconds
    AppState* state = nullptr;
};

DWORD WINAPI WatchSwitches(void* parameter) {
    auto& watch = *static_cast<SwitchWatch*>(parameter);
    const Stopwatch clock;
    int seen = watch.state->testIndex;
    while (watch.running != 0) {
        const int index = watch.state->testIndex;
        if (index != seen && index != -1) {
            watch.times.push_back(clock.Seconds());
        }
        seen = index;
        Sleep(0);
    }
    return 0;
}

} // namespace

int main() {
    HWND window = CreateBenchWindow(1920, 1080);
    if (window == nullptr) {
        return 2;
    }
    AppState& state = TheAppState();
    // A solid field, a gradient and a line pattern: the cheap and the dear pictures.
    state.testEnabled[0] = 1;
    state.testEnabled[8] = 1;
    state.testEnabled[11] = 1;

    const Load poll = MeasureLoad(3000, [](DWORD ms) {
        pollRunning = 1;
        const UniqueHandle thread(CreateThread(nullptr, 0, PollClock, nullptr, 0, nullptr));
        Sleep(ms);
        pollRunning = 0;
        WaitForSingleObject(thread.Get(), INFINITE);
    });
    std::printf("baseline, a thread polling the clock: %.1f %% of one core\n", poll.cpuPercent);

    std::printf("%-9s %8s %9s %12s %12s %10s\n", "interval", "seconds", "switches", "CPU % core",
                "max late ms", "mean late");
    for (const int interval : {1000, 100, 10}) {
        const DWORD runMs = interval == 1000 ? 10500 : 5000;
        state.cycleIntervalMs = interval;
        const Load load = MeasureLoad(runMs, [&](DWORD ms) {
            RunWorker(window, state, state.cycleRunning, ms, StartCycleWorkerThread,
                      WaitForCycleWorker);
        });
        const CycleTiming timing = CycleWorkerTiming();
        std::printf("%6d ms %8.1f %9llu %12.2f %12d %10.2f\n", interval, load.wallSeconds,
                    static_cast<unsigned long long>(timing.switches), load.cpuPercent,
                    timing.maxLateMs,
                    timing.switches != 0 ? static_cast<double>(timing.totalLateMs) /
                                               static_cast<double>(timing.switches)
                                         : 0.0);
    }

    // Outside view: the gaps between switches against the interval. The watcher
    // spins, so this runs apart from the CPU measurement above.
    std::printf("%-9s %9s %16s %16s\n", "interval", "gaps", "max |gap-int| ms", "mean |gap-int|");
    for (const int interval : {1000, 100, 10}) {
        state.cycleIntervalMs = interval;
        SwitchWatch watch;
        watch.state = &state;
        watch.times.reserve(4096);
        watch.running = 1;
        const UniqueHandle watcher(CreateThread(nullptr, 0, WatchSwitches, &watch, 0, nullptr));
        RunWorker(window, state, state.cycleRunning, interval == 1000 ? 8500 : 4000,
                  StartCycleWorkerThread, WaitForCycleWorker);
        watch.running = 0;
        WaitForSingleObject(watcher.Get(), INFINITE);
        double worst = 0.0;
        double sum = 0.0;
        std::size_t gaps = 0;
        for (std::size_t i = 1; i < watch.times.size(); ++i) {
            const double off = std::fabs((watch.times[i] - watch.times[i - 1]) * 1000.0 - interval);
            worst = std::max(worst, off);
            sum += off;
            ++gaps;
        }
        std::printf("%6d ms %9zu %16.2f %16.2f\n", interval, gaps, worst,
                    gaps != 0 ? sum / static_cast<double>(gaps) : 0.0);
    }
    DestroyWindow(window);
    return 0;
}
