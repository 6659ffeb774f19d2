// The step timer of the start-up timing programs: the time from the process's
// creation to main by the system clock, then each step by the performance counter,
// printed as "step<TAB>milliseconds" lines for bench/e2e's driver.
#pragma once

#include <windows.h>

#include <cstdio>

namespace step_timer {

inline double NowMs() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds since the process was created, by the system clock.
inline double MsSinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 |
                                      t.dwLowDateTime);
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

class Steps {
public:
    // Call first thing in main.
    Steps() : beforeMain(MsSinceProcessCreation()), start(NowMs()), last(start) {
        std::printf("process creation to main\t%.3f\n", beforeMain);
    }
    void Done(const char* step) {
        const double now = NowMs();
        std::printf("%s\t%.3f\n", step, now - last);
        last = now;
    }
    // The picture is on the window: the whole time since the process was created.
    void Painted() const {
        std::printf("total, process creation to painted\t%.3f\n", beforeMain + NowMs() - start);
    }

private:
    double beforeMain;
    double start;
    double last;
};

} // namespace step_timer
