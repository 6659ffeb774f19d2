// Which tests the endurance cycle shows, and when it switches.
#include "screens/cycle_schedule.h"

#include <algorithm>

namespace {

// Signed distance from `from` to `to` on the wrapping millisecond clock.
std::int32_t ClockDiff(std::uint32_t to, std::uint32_t from) noexcept {
    return static_cast<std::int32_t>(to - from);
}

} // namespace

CycleList BuildCycleList(const AppState& state) noexcept {
    CycleList list;
    for (int flag = 0; flag < kTestFlagCount; ++flag) {
        if (state.testEnabled[static_cast<std::size_t>(flag)].load() != 0) {
            list.Add(CycleTestForFlag(flag));
        }
    }
    return list;
}

CycleScheduler::CycleScheduler(const CycleList& list, std::uint32_t startClock) noexcept
    : list(list), last(startClock - 1000u), lastLook(startClock) {}

CycleStep CycleScheduler::Step(std::uint32_t now, int intervalMs) noexcept {
    CycleStep step;
    if (list.Empty()) {
        step.kind = CycleStep::Kind::Idle;
        lastLook = now;
        return step;
    }
    const int interval = ClampCycleInterval(intervalMs);
    const std::int32_t elapsed = ClockDiff(now, last);
    if (elapsed < interval) {
        step.kind = CycleStep::Kind::Wait;
        step.waitMs = interval - elapsed;
        lastLook = now;
        return step;
    }
    const std::uint32_t due = last + static_cast<std::uint32_t>(interval);
    const std::uint32_t counted = ClockDiff(due, lastLook) > 0 ? due : lastLook;
    step.kind = CycleStep::Kind::Show;
    step.lateMs = std::max<std::int32_t>(0, ClockDiff(now, counted));
    pos = started ? (pos + 1) % list.Size() : 0;
    started = true;
    step.test = list[pos];
    last = now;
    lastLook = now;
    return step;
}

int CycleSleepMs(const CycleStep& step) noexcept {
    switch (step.kind) {
    case CycleStep::Kind::Show:
        return 0;
    case CycleStep::Kind::Wait:
        return std::clamp(step.waitMs, 0, kCycleSleepSliceMs);
    case CycleStep::Kind::Idle:
        break;
    }
    return kCycleSleepSliceMs;
}
