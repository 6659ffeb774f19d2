// The endurance cycle: which tests take part and when it switches, driven by a fake
// millisecond clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "screens/cycle_schedule.h"

namespace {

std::vector<int> ListOf(std::initializer_list<int> flags, int value = 1) {
    AppState state;
    for (const int flag : flags) {
        state.testEnabled[static_cast<std::size_t>(flag)] = value;
    }
    const CycleList list = BuildCycleList(state);
    std::vector<int> tests;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        tests.push_back(list[i]);
    }
    return tests;
}

TEST(CycleList, MarkedFlagsInListOrder) {
    struct Case {
        std::initializer_list<int> flags;
        std::vector<int> tests;
    };
    const Case cases[] = {
        {{0, 3, 11}, {0, 3, 11}},
        {{}, {}},
        {{10}, {12}},         // the vertical-lines entry shows the vertical lines
        {{11}, {11}},         // the horizontal-lines entry shows the horizontal lines
        {{11, 10}, {12, 11}}, // list order, not test order
        {{9, 8, 1}, {1, 8, 9}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 11}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ListOf(c.flags), c.tests);
    }
    // Any non-zero flag value marks the test (the settings file may hold any number).
    EXPECT_EQ(ListOf({3}, 7), std::vector<int>{3});
    EXPECT_EQ(ListOf({3}, -1), std::vector<int>{3});
}

TEST(CycleInterval, ClampedIntoRange) {
    const std::pair<int, int> cases[] = {
        {10, 10},       {9, 10},        {-5, 10},       {0, 10},         {100, 100},
        {10000, 10000}, {10001, 10000}, {50000, 10000}, {INT32_MIN, 10}, {INT32_MAX, 10000}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ClampCycleInterval(in), out) << in;
    }
}

struct Switch {
    std::uint32_t at; // ms after the start
    int test;
    friend bool operator==(const Switch&, const Switch&) = default;
};

void PrintTo(const Switch& s, std::ostream* os) {
    *os << "{" << s.at << " ms, test " << s.test << "}";
}

// Looks at the clock every millisecond from `start` for `durationMs` and records the
// switches, none later than `maxLateMs`. `intervalAt` gives the interval at each
// millisecond.
template <typename IntervalAt>
std::vector<Switch> SwitchesOver(std::initializer_list<int> flags, std::uint32_t start,
                                 std::uint32_t durationMs, IntervalAt intervalAt,
                                 int maxLateMs = 0) {
    AppState state;
    for (const int flag : flags) {
        state.testEnabled[static_cast<std::size_t>(flag)] = 1;
    }
    CycleScheduler scheduler(BuildCycleList(state), start);
    std::vector<Switch> switches;
    for (std::uint32_t t = 0; t <= durationMs; ++t) {
        const CycleStep step = scheduler.Step(start + t, intervalAt(t));
        if (step.kind == CycleStep::Kind::Show) {
            switches.push_back({t, step.test});
            EXPECT_TRUE(step.lateMs >= 0 && step.lateMs <= maxLateMs)
                << "at " << t << ": " << step.lateMs << " ms late";
        }
    }
    return switches;
}

TEST(CycleScheduler, SwitchTimesAtFixedIntervals) {
    struct Case {
        const char* name;
        std::uint32_t start;
        int interval;
        std::uint32_t duration;
        std::vector<Switch> switches;
    };
    const Case cases[] = {
        {"100 ms: at once, then every 100 ms",
         5000,
         100,
         650,
         {{0, 0}, {100, 3}, {200, 11}, {300, 0}, {400, 3}, {500, 11}, {600, 0}}},
        {"1000 ms: at once", 5000, 1000, 2500, {{0, 0}, {1000, 3}, {2000, 11}}},
        {"3000 ms: first after 2000 ms", 5000, 3000, 8500, {{2000, 0}, {5000, 3}, {8000, 11}}},
        {"10000 ms: first after 9000 ms", 0, 10000, 19500, {{9000, 0}, {19000, 3}}},
        {"clock wraps during the cycle",
         0xFFFFFF00u,
         100,
         450,
         {{0, 0}, {100, 3}, {200, 11}, {300, 0}, {400, 3}}},
        {"out-of-range interval runs at 10 ms", 77, 0, 35, {{0, 0}, {10, 3}, {20, 11}, {30, 0}}},
        {"too long an interval runs at 10000 ms", 77, 99999, 20000, {{9000, 0}, {19000, 3}}},
    };
    for (const Case& c : cases) {
        const auto interval = [&](std::uint32_t) { return c.interval; };
        const std::vector<Switch> switches =
            SwitchesOver({0, 3, 11}, c.start, c.duration, interval);
        EXPECT_EQ(switches, c.switches) << c.name;
    }
}

TEST(CycleScheduler, ChangedIntervalAppliesAtOnce) {
    // 1000 ms until 1300, then 200 ms: the switch due 200 ms after the one at 1000 is
    // already past at 1300, so it comes at once; then every 200 ms. From 1900 on
    // 5000 ms: the next switch waits for 5000 ms after the one at 1700.
    const auto interval = [](std::uint32_t t) { return t < 1300 ? 1000 : t < 1900 ? 200 : 5000; };
    // A shortened interval is no lateness: at most the time since the last look.
    const std::vector<Switch> expected = {{0, 0},    {1000, 3}, {1300, 11},
                                          {1500, 0}, {1700, 3}, {6700, 11}};
    EXPECT_EQ(SwitchesOver({0, 3, 11}, 0, 7000, interval, 1), expected);
}

TEST(CycleScheduler, EmptyListIdlesWithoutSpinning) {
    AppState state;
    state.testEnabled[10] = 0;
    CycleScheduler scheduler(BuildCycleList(state), 123);
    for (std::uint32_t t = 0; t < 30000; t += 7) {
        const CycleStep step = scheduler.Step(123 + t, 100);
        ASSERT_EQ(step.kind, CycleStep::Kind::Idle);
        ASSERT_EQ(CycleSleepMs(step), kCycleSleepSliceMs);
    }
}

TEST(CycleScheduler, WaitsReportTheTimeToTheNextSwitch) {
    AppState state;
    state.testEnabled[5] = 1;
    CycleScheduler scheduler(BuildCycleList(state), 1000);
    struct Case {
        std::uint32_t now;
        CycleStep::Kind kind;
        int waitMs;
        int sleepMs;
        int lateMs;
    };
    const Case cases[] = {
        {1000, CycleStep::Kind::Wait, 2000, kCycleSleepSliceMs, 0}, // interval 3000
        {2999, CycleStep::Kind::Wait, 1, 1, 0},
        {3000, CycleStep::Kind::Show, 0, 0, 0},
        {3001, CycleStep::Kind::Wait, 2999, kCycleSleepSliceMs, 0},
        {5994, CycleStep::Kind::Wait, 6, 6, 0},
        {6007, CycleStep::Kind::Show, 0, 0, 7}, // slept past the due time at 6000
        {6008, CycleStep::Kind::Wait, 2999, kCycleSleepSliceMs, 0},
    };
    for (const Case& c : cases) {
        const CycleStep step = scheduler.Step(c.now, 3000);
        EXPECT_EQ(step.kind, c.kind) << c.now;
        if (step.kind == CycleStep::Kind::Wait) {
            EXPECT_EQ(step.waitMs, c.waitMs) << c.now;
        } else {
            EXPECT_EQ(step.test, 5) << c.now;
            EXPECT_EQ(step.lateMs, c.lateMs) << c.now;
        }
        EXPECT_EQ(CycleSleepMs(step), c.sleepMs) << c.now;
    }
}

// A worker that does what the scheduler advises: sleeps the given time (plus a
// fixed oversleep that a real timer adds) and looks again. It must hit every switch
// within the oversleep and look at the clock only about once per sleep slice.
TEST(CycleScheduler, SleepingOnTheAdviceMeetsEverySwitch) {
    for (const std::uint32_t oversleep : {0u, 1u, 2u}) {
        for (const int interval : {10, 100, 1000, 3000}) {
            AppState state;
            state.testEnabled[1] = state.testEnabled[2] = 1;
            CycleScheduler scheduler(BuildCycleList(state), 500);
            std::uint32_t now = 500;
            int looks = 0;
            int shown = 0;
            while (now < 500 + 30000) {
                const CycleStep step = scheduler.Step(now, interval);
                ++looks;
                if (step.kind == CycleStep::Kind::Show) {
                    ++shown;
                    EXPECT_LE(step.lateMs, static_cast<int>(oversleep))
                        << interval << " ms, oversleep " << oversleep;
                }
                const int sleep = CycleSleepMs(step);
                now += static_cast<std::uint32_t>(sleep) + (sleep > 0 ? oversleep : 0u);
                now += step.kind == CycleStep::Kind::Show ? 1u : 0u; // painting takes time
            }
            EXPECT_GT(shown, 30000 / (interval + 3) - 1) << interval;
            // About one look per slice, never a busy poll of the clock.
            EXPECT_LT(looks, 30000 / kCycleSleepSliceMs + 2 * shown + 2) << interval;
        }
    }
}

} // namespace
