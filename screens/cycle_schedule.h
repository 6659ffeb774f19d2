// The endurance cycle's decisions, apart from the clock and the drawing: which tests
// take part, and at a given clock value whether to switch to the next test now or
// how long to wait. The cycle worker feeds it the millisecond clock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "state/app_state.h"

inline constexpr int kMinCycleIntervalMs = 10;
inline constexpr int kMaxCycleIntervalMs = 10000;
// The longest the worker sleeps at a time, so that a cleared running flag is seen
// quickly even when the next switch is seconds away.
inline constexpr int kCycleSleepSliceMs = 10;

// The interval brought into 10..10000 ms.
[[nodiscard]] constexpr int ClampCycleInterval(int intervalMs) noexcept {
    return intervalMs < kMinCycleIntervalMs   ? kMinCycleIntervalMs
           : intervalMs > kMaxCycleIntervalMs ? kMaxCycleIntervalMs
                                              : intervalMs;
}

// The test a selection flag puts into the cycle. Flag 10 is the list's vertical-lines
// entry and flag 11 its horizontal-lines entry, so they show tests 12 and 11; every
// other flag j shows test j.
[[nodiscard]] constexpr int CycleTestForFlag(int flag) noexcept {
    return flag == 10 ? 12 : flag;
}

// The tests of one cycle, in the order of the selection list.
class CycleList {
public:
    void Add(int test) noexcept {
        if (count < tests.size()) {
            tests[count++] = test;
        }
    }
    [[nodiscard]] std::size_t Size() const noexcept { return count; }
    [[nodiscard]] bool Empty() const noexcept { return count == 0; }
    [[nodiscard]] int operator[](std::size_t i) const noexcept { return tests[i]; }

private:
    std::array<int, kTestFlagCount> tests{};
    std::size_t count = 0;
};

// Every marked flag, in ascending flag order, as its test.
[[nodiscard]] CycleList BuildCycleList(const AppState& state) noexcept;

struct CycleStep {
    enum class Kind {
        Show, // switch to `test` now
        Wait, // the next switch is `waitMs` away
        Idle, // nothing to show: wait until stopped
    };
    Kind kind = Kind::Idle;
    int test = -1;
    int waitMs = 0;
    // For Show: how long after its due time the switch comes. A switch is never due
    // before the scheduler last looked at the clock, so a shortened interval does not
    // count as lateness.
    int lateMs = 0;
};

// Switch times of one cycle. The first switch is due 1000 ms before the start plus
// one interval (at once for intervals up to 1000 ms), every further one an interval
// after the previous switch. The interval is given anew at every step, so a change
// applies at once.
class CycleScheduler {
public:
    CycleScheduler(const CycleList& list, std::uint32_t startClock) noexcept;

    // The decision at clock value `now` (milliseconds, compared as signed 32-bit
    // differences, so the clock may wrap). The interval is clamped into 10..10000.
    [[nodiscard]] CycleStep Step(std::uint32_t now, int intervalMs) noexcept;

private:
    CycleList list;
    std::uint32_t last;
    std::uint32_t lastLook;
    std::size_t pos = 0;
    bool started = false;
};

// How long the worker sleeps after a step: never past the next switch, never longer
// than one slice, not at all after a switch.
[[nodiscard]] int CycleSleepMs(const CycleStep& step) noexcept;
