// The refresh pacer's arithmetic (see refresh_pacer.h).
#include "screens/refresh_pacer.h"

#include <algorithm>

int PacedHertz(int reportedHertz) noexcept {
    return reportedHertz > 1 ? reportedHertz : 60;
}

double PacerStats::FramesPerSecond() const noexcept {
    if (frames < 2 || lastTicks <= firstTicks) {
        return 0.0;
    }
    return static_cast<double>(frames - 1) * static_cast<double>(ticksPerSecond) /
           static_cast<double>(lastTicks - firstTicks);
}

RefreshSchedule::RefreshSchedule(std::int64_t ticksPerSecond, int hertz,
                                 std::int64_t startTicks) noexcept
    : startTicks(startTicks) {
    stats.ticksPerSecond = ticksPerSecond > 0 ? ticksPerSecond : 1;
    stats.hertz = PacedHertz(hertz);
    Record(startTicks);
}

std::int64_t RefreshSchedule::Deadline(std::uint64_t index) const noexcept {
    // Whole seconds apart from the rest, so that index x ticksPerSecond cannot
    // overflow however long a run lasts.
    const auto hertz = static_cast<std::uint64_t>(stats.hertz);
    const auto seconds = static_cast<std::int64_t>(index / hertz);
    const auto rest = static_cast<std::int64_t>(index % hertz);
    return startTicks + seconds * stats.ticksPerSecond + rest * stats.ticksPerSecond / stats.hertz;
}

std::int64_t RefreshSchedule::Advance(std::int64_t nowTicks) noexcept {
    const auto missed = [&](std::uint64_t index) {
        return 2 * (nowTicks - Deadline(index)) * stats.hertz >= stats.ticksPerSecond;
    };
    if (!missed(due)) {
        return Due();
    }
    // The deadline about now, from the elapsed ticks; integer division may leave it
    // one off either way.
    const std::int64_t elapsed = nowTicks - startTicks;
    std::uint64_t next = static_cast<std::uint64_t>(elapsed / stats.ticksPerSecond) *
                             static_cast<std::uint64_t>(stats.hertz) +
                         static_cast<std::uint64_t>(elapsed % stats.ticksPerSecond * stats.hertz /
                                                    stats.ticksPerSecond);
    next = std::max(next, due);
    while (next > due && !missed(next - 1)) {
        --next;
    }
    while (missed(next)) {
        ++next;
    }
    stats.skipped += next - due;
    due = next;
    return Due();
}

void RefreshSchedule::Shown(std::int64_t nowTicks) noexcept {
    const std::int64_t late = nowTicks - Due();
    if (late > stats.maxLateTicks) {
        stats.maxLateTicks = late;
    }
    // A wait that ended half a period late or more put the frame in a later refresh:
    // the next frame goes a period after that one, not at once.
    Advance(nowTicks);
    Record(nowTicks);
    ++due;
}

void RefreshSchedule::ShownByCompositor(std::int64_t nowTicks) noexcept {
    // Refreshes since the last frame, to the nearest: more than one means some passed
    // without a new frame.
    const std::int64_t gap = nowTicks - stats.lastTicks;
    const std::int64_t refreshes =
        (2 * gap * stats.hertz + stats.ticksPerSecond) / (2 * stats.ticksPerSecond);
    if (refreshes > 1) {
        stats.skipped += static_cast<std::uint64_t>(refreshes - 1);
    }
    Record(nowTicks);
    startTicks = nowTicks;
    due = 1;
}

void RefreshSchedule::Record(std::int64_t nowTicks) noexcept {
    if (stats.frames == 0) {
        stats.firstTicks = nowTicks;
    } else {
        // Against the period 1/hertz s, in whole ticks: gap x hertz against ticksPerSecond.
        const std::int64_t scaled = 2 * (nowTicks - stats.lastTicks) * stats.hertz;
        if (scaled >= 3 * stats.ticksPerSecond) {
            ++stats.repeated;
        } else if (scaled < stats.ticksPerSecond) {
            ++stats.bunched;
        }
    }
    stats.lastTicks = nowTicks;
    ++stats.frames;
}
