// A paced worker's clock, one frame per display refresh: absolute deadlines counted
// from a start time in performance-counter ticks (so rounding never accumulates), a
// deadline already past skipped rather than made up for (frames never bunch), and
// statistics over the times the frames were actually handed to the display.
#pragma once

#include <cstdint>

// The rate a pacer keeps: the display's reported frequency in hertz, 60 Hz when it
// reports none (0 or 1 stand for "the hardware's default").
[[nodiscard]] int PacedHertz(int reportedHertz) noexcept;

// What the frame times tell, gap by gap against the nominal period.
struct PacerStats {
    std::int64_t ticksPerSecond = 0;
    int hertz = 0;
    std::uint64_t frames = 0;   // frame times recorded
    std::uint64_t repeated = 0; // gaps of 1.5 periods or more: a frame over two refreshes
    std::uint64_t bunched = 0;  // gaps under half a period: a frame no refresh showed
    std::uint64_t skipped = 0;  // deadlines passed by because they were missed
    std::int64_t firstTicks = 0;
    std::int64_t lastTicks = 0;
    std::int64_t maxLateTicks = 0; // the latest a frame came after its deadline

    // Frames per second between the first frame time and the last; 0 below two.
    [[nodiscard]] double FramesPerSecond() const noexcept;
};

class RefreshSchedule {
public:
    // Deadline k lies k periods of 1/hertz s after startTicks, which is frame 0's time.
    RefreshSchedule(std::int64_t ticksPerSecond, int hertz, std::int64_t startTicks) noexcept;

    [[nodiscard]] std::int64_t Deadline(std::uint64_t index) const noexcept;
    // The deadline the next frame waits for.
    [[nodiscard]] std::int64_t Due() const noexcept { return Deadline(due); }

    // Called before waiting, at `nowTicks`. A deadline passed by less than half a
    // period still holds (the frame goes at once, a little late, but in its refresh);
    // one passed by more is missed: the first deadline not missed becomes due and
    // those passed by are counted skipped. Returns the deadline to wait for.
    std::int64_t Advance(std::int64_t nowTicks) noexcept;

    // The due frame was handed over at `nowTicks`, the wait for its deadline over; a
    // wait that ended too late gives it the deadline it met instead.
    void Shown(std::int64_t nowTicks) noexcept;
    // A compositor showed the frame at `nowTicks`, on its own refresh: the deadlines
    // count from there, and refreshes it let pass are counted skipped.
    void ShownByCompositor(std::int64_t nowTicks) noexcept;

    [[nodiscard]] const PacerStats& Stats() const noexcept { return stats; }

private:
    void Record(std::int64_t nowTicks) noexcept;

    std::int64_t startTicks;
    std::uint64_t due = 1;
    PacerStats stats;
};
