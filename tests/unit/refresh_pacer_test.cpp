// The refresh pacer's deadlines, missed deadlines and frame statistics.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screens/refresh_pacer.h"

namespace {

TEST(RefreshPacer, DeadlinesCountWholePeriodsFromTheStart) {
    const struct {
        std::int64_t ticksPerSecond;
        int hertz;
        std::uint64_t index;
        std::int64_t deadline;
    } cases[] = {
        {10'000'000, 60, 1, 5 + 166'666},
        {10'000'000, 60, 3, 5 + 500'000},
        {10'000'000, 60, 60, 5 + 10'000'000}, // no rounding carried over
        {10'000'000, 60, 60ull * 86'400 * 365, 5 + 315'360'000'000'000},
        {3'000'000, 144, 1, 5 + 20'833},
        {10'000'000, 0, 30, 5 + 5'000'000}, // unknown: 60 Hz
        {10'000'000, 1, 30, 5 + 5'000'000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefreshSchedule(c.ticksPerSecond, c.hertz, 5).Deadline(c.index), c.deadline)
            << c.hertz << " Hz, frame " << c.index;
    }
}

// At 600 ticks a second and 60 Hz a period is 10 ticks; frame 0 is shown at 0.
TEST(RefreshPacer, MissedDeadlinesAreSkippedAndEveryGapCounted) {
    constexpr std::int64_t kCompositor = -1;
    struct Step {
        std::int64_t drawn;    // when the frame is handed over
        std::int64_t deadline; // the one it waits for; kCompositor: shown by one at `shown`
        std::int64_t shown;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::uint64_t repeated, bunched, skipped;
        std::int64_t maxLate;
    } cases[] = {
        {"on time", {{3, 10, 11}, {14, 20, 20}, {29, 30, 30}}, 0, 0, 0, 1},
        {"a little late", {{3, 10, 10}, {24, 20, 24}, {25, 30, 30}}, 0, 0, 0, 4},
        {"half a period late", {{3, 10, 10}, {25, 30, 30}}, 1, 0, 1, 0},
        {"woken too late", {{3, 10, 10}, {13, 20, 27}, {28, 40, 40}}, 1, 0, 1, 7},
        {"far behind", {{1003, 1000, 1003}}, 1, 0, 99, 3},
        {"by the compositor, then by deadlines from its last refresh",
         {{0, kCompositor, 10},
          {0, kCompositor, 20},
          {0, kCompositor, 40},
          {0, kCompositor, 41},
          {50, 51, 51}},
         1,
         1,
         1,
         0},
    };
    for (const auto& c : cases) {
        RefreshSchedule schedule(600, 60, 0);
        for (const Step& step : c.steps) {
            if (step.deadline == kCompositor) {
                schedule.ShownByCompositor(step.shown);
                continue;
            }
            EXPECT_EQ(schedule.Advance(step.drawn), step.deadline)
                << c.name << " at " << step.drawn;
            schedule.Shown(step.shown);
        }
        const PacerStats& stats = schedule.Stats();
        EXPECT_EQ(stats.frames, c.steps.size() + 1) << c.name;
        EXPECT_EQ(stats.repeated, c.repeated) << c.name;
        EXPECT_EQ(stats.bunched, c.bunched) << c.name;
        EXPECT_EQ(stats.skipped, c.skipped) << c.name;
        EXPECT_EQ(stats.maxLateTicks, c.maxLate) << c.name;
    }
    RefreshSchedule steady(600, 60, 0);
    for (std::int64_t t = 10; t <= 600; t += 10) {
        steady.Advance(t - 5);
        steady.Shown(t);
    }
    EXPECT_DOUBLE_EQ(steady.Stats().FramesPerSecond(), 60.0);
    EXPECT_EQ(RefreshSchedule(600, 60, 0).Stats().FramesPerSecond(), 0.0);
}

} // namespace
