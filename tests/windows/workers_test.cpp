// The repair, cycle, throughput and motion workers drawing into a real window, read
// back pixel by pixel: frames of each variant, flashes, the cycle's pictures, stopping,
// nothing left behind per frame, and one worker of a kind at a time.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "defects/shared_log.h"
#include "screens/cycle_schedule.h"
#include "screens/motion_frame.h"
#include "screens/random.h"
#include "screens/refresh_pacer.h"
#include "screens/repair_colours.h"
#include "screens/source_image.h"
#include "screens/throughput_figures.h"
#include "screens/win/cycle_worker.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/motion_worker.h"
#include "screens/win/painter.h"
#include "screens/win/refresh_pacer.h"
#include "screens/win/repair_worker.h"
#include "screens/win/spot_repair_worker.h"
#include "screens/win/throughput_worker.h"
#include "state/app_state.h"
#include "tests/windows/support/dib_canvas.h"
#include "tests/windows/support/ext_text_out_recorder.h"
#include "tests/windows/support/test_window.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr DWORD kEndWaitMs = 10000;

// Waits until `condition` holds; the bound only keeps a broken worker from hanging
// the run.
bool WaitFor(const std::function<bool()>& condition, DWORD limitMs = 20000) {
    const DWORD begin = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - begin > limitMs) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

// Stops every worker that uses `state` before it goes out of scope, also when an
// assertion ends a test early.
class StopWorkersAtEnd {
public:
    explicit StopWorkersAtEnd(AppState& state) : state(state) {}
    ~StopWorkersAtEnd() {
        state.repairRunning = 0;
        state.cycleRunning = 0;
        state.throughputRunning = 0;
        state.spotRepairRunning = 0;
        state.motionRunning = 0;
        EXPECT_TRUE(WaitForSpotRepairWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForMotionWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForRepairWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForCycleWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForThroughputWorker(kEndWaitMs));
    }

private:
    AppState& state;
};

// A test window of the usual size, a fresh state and the workers stopped at the end.
class WorkerTest : public ::testing::Test {
protected:
    TestWindow window{kWidth, kHeight};
    AppState state;
    StopWorkersAtEnd stop{state};
};

// ---- Throughput frames ------------------------------------------------------

// The status line: white text on black, nothing else; smoothed text edges are greys.
void ExpectStatusLine(const DibCanvas& pixels) {
    int black = 0;
    int bright = 0;
    for (int y = 0; y < kStatusBandHeight; ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const std::uint32_t p = pixels.At(x, y);
            const std::uint32_t level = p & 0xFF;
            ASSERT_EQ(p, level * 0x010101u) << x << "," << y << ": " << std::hex << p;
            black += p == 0 ? 1 : 0;
            bright += level >= 0x80 ? 1 : 0;
        }
    }
    EXPECT_GT(bright, 20) << "the status text is drawn";
    EXPECT_GT(black, pixels.Width() * kStatusBandHeight / 2) << "on black";
    EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), 0u) << "black to the right edge";
}

class ThroughputFrameTest : public ::testing::TestWithParam<int> {};

TEST_P(ThroughputFrameTest, DrawsTheStatusLineAndTheBands) {
    const int variant = GetParam();
    const TestWindow window(kWidth, kHeight);
    window.Fill(Packed(128, 128, 128));
    AppState state;
    state.drawVariant = variant;
    state.throughputRunning = 1;
    ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
    RandomGenerator generator(0x12345678u);
    RandomGenerator expected = generator;
    const int phaseBefore = ThroughputScrollPhase();
    ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
    const DibCanvas pixels(window.Get());
    ExpectStatusLine(pixels);

    (void)NextBandColour(expected); // the status line draws a colour it does not use
    if (variant == 0) {
        const int phase = ThroughputScrollPhase();
        EXPECT_EQ(phase, NextScrollPhase(phaseBefore));
        for (int y = kStatusBandHeight; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(pixels.At(x, y), SourcePixel(x + phase, y - kStatusBandHeight))
                    << x << "," << y;
            }
        }
        (void)NextBandColour(expected);
    } else {
        EXPECT_EQ(ThroughputScrollPhase(), phaseBefore) << "only the block copy scrolls";
        for (int top = kStatusBandHeight; top < kHeight; top += kStatusBandHeight) {
            const Rgb colour = NextBandColour(expected);
            EXPECT_TRUE(
                pixels.RowsAre(top, std::min(top + kStatusBandHeight, kHeight), Packed(colour)))
                << "band at " << top;
        }
    }
    EXPECT_EQ(generator.State(), expected.State()) << "three draws per band";
}

TEST_P(ThroughputFrameTest, StopsAfterTheBandDuringWhichTheFlagWasCleared) {
    const TestWindow window(kWidth, kHeight);
    window.Fill(Packed(128, 0, 128));
    AppState state;
    state.drawVariant = GetParam();
    state.throughputRunning = 0; // cleared while the status line is drawn
    ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
    RandomGenerator generator(99);
    ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
    const DibCanvas pixels(window.Get());
    ExpectStatusLine(pixels);
    EXPECT_TRUE(pixels.RowsAre(kStatusBandHeight, kHeight, Packed(128, 0, 128)))
        << "the rest of the frame is left undrawn";
    RandomGenerator expected(99);
    (void)NextBandColour(expected);
    EXPECT_EQ(generator.State(), expected.State());
}

INSTANTIATE_TEST_SUITE_P(Variants, ThroughputFrameTest, ::testing::Values(0, 1, 2));

TEST(ThroughputFrame, ScrollPhaseMovesTheRampsOnePixelLeftPerFrame) {
    const TestWindow window(kWidth, kHeight);
    AppState state;
    state.drawVariant = 0;
    state.throughputRunning = 1;
    ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
    RandomGenerator generator;
    // Past the wrap from 256 back to 1.
    for (int frame = 0; frame < 300; ++frame) {
        const int next = NextScrollPhase(ThroughputScrollPhase());
        ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
        ASSERT_EQ(ThroughputScrollPhase(), next);
        if (next == 1 || next == 2 || next == 256) {
            const DibCanvas pixels(window.Get());
            EXPECT_EQ(pixels.At(0, 16), SourcePixel(next, 0)) << next;
            EXPECT_EQ(pixels.At(kWidth - 1, kHeight - 1),
                      SourcePixel(kWidth - 1 + next, kHeight - 1 - 16))
                << next;
        }
    }
}

TEST(ThroughputFrame, NoSourceImageForAnEmptyWindow) {
    EXPECT_FALSE(BuildSourceImage(100, 0));
    EXPECT_FALSE(BuildSourceImage(-300, 10));
    EXPECT_TRUE(BuildSourceImage(0, 1)) << "a zero-width window still has the scroll margin";
}

TEST(ThroughputWorker, AWindowWithoutRowsEndsTheRunAndShowsTheInformationScreen) {
    TestWindow window(200, 0);
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.testIndex = 4;
    state.throughputRunning = 1;
    ASSERT_TRUE(StartThroughputWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitForThroughputWorker(kEndWaitMs));
    EXPECT_EQ(state.throughputRunning.load(), 0);
    EXPECT_EQ(state.testIndex.load(), -1);
}

// ---- Repair flashes -----------------------------------------------------------

TEST(RepairFlash, FramesShowTheGeneratorsColours) {
    const TestWindow window(kWidth, kHeight);
    RandomGenerator generator; // as at program start
    const Rgb firstSix[] = {{255, 255, 0}, {0, 255, 255}, {255, 255, 255},
                            {255, 255, 0}, {0, 255, 255}, {0, 0, 255}};
    for (const Rgb& colour : firstSix) {
        ASSERT_TRUE(DrawFlashFrame(window.Get(), generator));
        EXPECT_TRUE(DibCanvas(window.Get()).RowsAre(0, kHeight, Packed(colour)));
    }
}

class RepairWorkerTest : public WorkerTest {
protected:
    // Starts the flashing on the repair screen and waits for the first flash.
    void StartFlashing() {
        state.repairMode = 1;
        state.repairRunning = 1;
        const std::uint64_t before = RepairFlashCount();
        ASSERT_TRUE(StartRepairWorkerThread(window.Get(), state));
        ASSERT_TRUE(WaitFor([&] { return RepairFlashCount() > before; }));
    }
};

TEST_F(RepairWorkerTest, FlashesOnlyRepairColoursUntilStopped) {
    window.Fill(0);
    ASSERT_NO_FATAL_FAILURE(StartFlashing());
    std::vector<std::uint32_t> allowed;
    for (const Rgb& colour : kRepairColours) {
        allowed.push_back(Packed(colour));
    }
    for (int sample = 0; sample < 50; ++sample) {
        const DibCanvas pixels(window.Get());
        for (const auto& [x, y] : {std::pair{0, 0}, {kWidth - 1, kHeight - 1}}) {
            ASSERT_NE(std::find(allowed.begin(), allowed.end(), pixels.At(x, y)), allowed.end())
                << "sample " << sample << ": " << std::hex << pixels.At(x, y);
        }
    }
    state.repairRunning = 0;
    ASSERT_TRUE(WaitForRepairWorker(kEndWaitMs));
    EXPECT_EQ(state.repairMode.load(), 1) << "only Escape leaves the repair screen";
}

// Escape stops the flashing at once; the repair screen is left when the key is up
// again, so that the key message the shell gets meanwhile still finds it (and does
// not take the Escape for "quit").
TEST_F(RepairWorkerTest, EscapeStopsTheFlashingAndLeavesTheRepairScreenOnRelease) {
    ASSERT_NO_FATAL_FAILURE(StartFlashing());
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_ESCAPE;
    ASSERT_EQ(SendInput(1, &key, sizeof(key)), 1u);
    const bool stopped = WaitFor([&] { return state.repairRunning == 0; });
    const std::uint64_t flashes = RepairFlashCount();
    Sleep(50);
    const bool stillOnRepairScreen = state.repairMode == 1;
    const bool noMoreFlashes = RepairFlashCount() == flashes;
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &key, sizeof(key));
    const bool ended = WaitForRepairWorker(kEndWaitMs);
    PumpMessages();
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(noMoreFlashes);
    EXPECT_TRUE(stillOnRepairScreen) << "left only once Escape is up";
    ASSERT_TRUE(ended);
    EXPECT_EQ(state.repairMode.load(), 0);
}

// ---- Cycle ----------------------------------------------------------------------

TEST(CycleWorker, ShowsTheMarkedTestAndEndsOnTheInformationIndex) {
    struct Case {
        int flag;
        std::function<bool(const DibCanvas&)> shows;
    };
    const Case cases[] = {
        {3, [](const DibCanvas& p) { return p.RowsAre(0, kHeight, Packed(0, 255, 0)); }},
        // The vertical-lines entry: black and white columns.
        {10, [](const DibCanvas& p) { return p.At(0, 5) == 0 && p.At(1, 5) == 0xFFFFFF; }},
        // The horizontal-lines entry: black and white rows.
        {11, [](const DibCanvas& p) { return p.At(5, 0) == 0 && p.At(5, 1) == 0xFFFFFF; }},
    };
    for (const Case& c : cases) {
        const TestWindow window(kWidth, kHeight);
        window.Fill(Packed(128, 128, 128));
        AppState state;
        const StopWorkersAtEnd stop(state);
        state.testEnabled[static_cast<std::size_t>(c.flag)] = 1;
        state.cycleIntervalMs = 5; // below the range: runs, and is stored, as 10
        state.cycleRunning = 1;
        ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
        ASSERT_TRUE(WaitFor([] { return CycleWorkerTiming().switches >= 2; })) << c.flag;
        EXPECT_EQ(state.cycleIntervalMs.load(), 10);
        EXPECT_EQ(state.testIndex.load(), CycleTestForFlag(c.flag));
        EXPECT_TRUE(c.shows(DibCanvas(window.Get()))) << "flag " << c.flag;
        state.cycleRunning = 0;
        ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
        EXPECT_EQ(state.testIndex.load(), -1);
    }
}

TEST_F(WorkerTest, NothingMarkedForTheCycleShowsNothingUntilStopped) {
    window.Fill(Packed(128, 128, 128));
    state.testIndex = 5;
    state.cycleIntervalMs = 10;
    state.cycleRunning = 1;
    ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitFor([] { return CycleWorkersActive() == 1; }));
    Sleep(100); // ten intervals
    EXPECT_EQ(CycleWorkerTiming().switches, 0u);
    EXPECT_EQ(CycleWorkersActive(), 1) << "it waits until stopped";
    EXPECT_TRUE(DibCanvas(window.Get()).RowsAre(0, kHeight, Packed(128, 128, 128)));
    state.cycleRunning = 0;
    ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
    EXPECT_EQ(state.testIndex.load(), -1);
}

// ---- Marked pixels --------------------------------------------------------------

// A mark removed while the flasher runs goes dark at the next refresh while the one
// kept flashes on; in a window too small for the status line, nothing else shows.
TEST(SpotRepairWorker, AMarkRemovedWhileFlashingGoesDark) {
    const TestWindow small(160, 100);
    AppState state;
    const StopWorkersAtEnd stop(state);
    small.Fill(Packed(128, 128, 128));
    POINT origin{0, 0};
    ASSERT_TRUE(ClientToScreen(small.Get(), &origin));
    const MonitorPlace place{u"test", origin.x, origin.y};
    MarkLog log(160, 100);
    log.Add({40, 40, 1, 0});
    TheDefectLog().Publish(MakePublishedLog(u"test", log, place));
    log.Add({120, 70, 1, 0});
    TheDefectLog().Publish(MakePublishedLog(u"test", log, place));
    const auto coloursAt = [&](int x, int y) {
        std::set<std::uint32_t> seen;
        for (int sample = 0; sample < 12; ++sample) {
            seen.insert(DibCanvas(small.Get()).At(x, y));
            Sleep(10);
        }
        return seen.size();
    };
    state.spotRepairRunning = 1;
    ASSERT_TRUE(StartSpotRepairWorkerThread(small.Get(), state));
    ASSERT_TRUE(WaitFor([] { return SpotRepairFrameCount() > 0; }));
    EXPECT_GE(coloursAt(120, 70), 2u);
    MarkLog kept(160, 100);
    kept.Add({40, 40, 1, 0});
    TheDefectLog().Publish(MakePublishedLog(u"test", kept, place));
    const std::uint64_t frames = SpotRepairFrameCount();
    ASSERT_TRUE(WaitFor([&] { return SpotRepairFrameCount() >= frames + 2; }));
    EXPECT_EQ(coloursAt(120, 70), 1u);
    EXPECT_GE(coloursAt(40, 40), 2u);
    const DibCanvas pixels(small.Get());
    int lit = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 160; ++x) {
            const bool inSquare = std::abs(x - 40) <= 4 && std::abs(y - 40) <= 4;
            lit += !inSquare && pixels.At(x, y) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(lit, 0) << "only the kept square flashes, and no line fits";
    state.spotRepairRunning = 0;
    EXPECT_TRUE(WaitForSpotRepairWorker(kEndWaitMs));
    TheDefectLog().Publish(u"", MarkLog());
}

// ---- Motion ---------------------------------------------------------------------

// At each speed, once stopped, the window shows the last frame drawn as its description
// has it, bar and lit square, after the bar has wrapped at the right edge; the worker
// draws nothing more, and each run leaves the owners the first one left.
TEST_F(WorkerTest, MotionShowsTheLastFrameDrawnAndStopsOnItsFlag) {
    const int hertz = PacedHertz(ReportedHertz(window.Get()));
    int gdi = -1;
    int handles = -1;
    for (const int speed : {240, 480, 960}) {
        window.Fill(0);
        state.motionSpeed = speed;
        state.motionRunning = 1;
        const std::uint64_t before = MotionFrameCount();
        ASSERT_TRUE(StartMotionWorkerThread(window.Get(), state));
        // 320 pixels at 4 a frame wrap after 80.
        ASSERT_TRUE(WaitFor([&] { return MotionFrameCount() >= before + 90; }));
        state.motionRunning = 0;
        ASSERT_TRUE(WaitForMotionWorker(kEndWaitMs));
        const std::uint64_t drawn = MotionFrameCount();
        const MotionFrames frames(kWidth, kHeight, MotionStep(speed, hertz));
        const std::uint64_t last = MotionLastFrame();
        EXPECT_EQ(MotionLastStep(), frames.Step()) << speed;
        EXPECT_EQ(last + 1, drawn - before) << speed;
        const DibCanvas pixels(window.Get());
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t want = Packed(frames.PixelAt(last, x, y));
                if (pixels.At(x, y) != want && wrong++ == 0) {
                    ADD_FAILURE() << speed << " px/s, frame " << last << " at " << x << "," << y
                                  << ": " << std::hex << pixels.At(x, y) << " for " << want;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        Sleep(50);
        EXPECT_EQ(MotionFrameCount(), drawn) << "stopped";
        if (gdi < 0) {
            gdi = LiveGdiOwners();
            handles = LiveHandleOwners();
        }
        EXPECT_EQ(LiveGdiOwners(), gdi) << speed;
        EXPECT_EQ(LiveHandleOwners(), handles) << speed;
    }
}

// ---- Every kind: resources per frame, one worker at a time ----------------------

// How many more GDI objects the process could create now: pens are made until the
// system refuses, then deleted. Wine reports no count through GetGuiResources, so
// this is what shows a leak there; on Windows all three measures do.
long FreeGdiHandles() {
    std::vector<HPEN> pens;
    pens.reserve(70000);
    while (pens.size() < 200000) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
        if (pen == nullptr) {
            break;
        }
        pens.push_back(pen);
    }
    for (HPEN pen : pens) {
        DeleteObject(pen);
    }
    return static_cast<long>(pens.size());
}

struct GdiCount {
    int owners;
    DWORD process;
    long freeHandles;
    friend bool operator==(const GdiCount&, const GdiCount&) = default;
};

void PrintTo(const GdiCount& c, std::ostream* os) {
    *os << "{owners " << c.owners << ", process " << c.process << ", free " << c.freeHandles << "}";
}

GdiCount CountGdi() {
    return {LiveGdiOwners(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), FreeGdiHandles()};
}

TEST(WorkerResources, TheCountSeesALeak) {
    const GdiCount before = CountGdi();
    HPEN leaked = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(CountGdi().freeHandles, before.freeHandles - 1);
    DeleteObject(leaked);
    EXPECT_EQ(CountGdi(), before);
}

struct Kind {
    const char* name;
    std::atomic<int> AppState::*flag;
    int drawVariant;
    bool (*start)(HWND, AppState&) noexcept;
    bool (*wait)(DWORD) noexcept;
    int (*active)() noexcept;
    int (*peak)() noexcept;
    std::uint64_t (*frames)() noexcept; // frames, flashes or switches so far
    std::uint64_t longRun;              // how many make a long run
};

void PrintTo(const Kind& kind, std::ostream* os) {
    *os << kind.name;
}

std::uint64_t CycleSwitches() noexcept {
    return CycleWorkerTiming().switches;
}

class WorkerKindTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        for (int flag = 0; flag < kTestFlagCount; ++flag) {
            state.testEnabled[static_cast<std::size_t>(flag)] = 1;
        }
        state.cycleIntervalMs = 10;
        state.drawVariant = GetParam().drawVariant;
    }
    // Runs the worker until it has drawn `count` more frames.
    void RunFor(std::uint64_t count) {
        const Kind& kind = GetParam();
        state.*kind.flag = 1;
        ASSERT_TRUE(kind.start(window.Get(), state));
        ASSERT_TRUE(WaitFor([&] { return kind.frames() >= count; }, 120000));
        state.*kind.flag = 0;
        ASSERT_TRUE(kind.wait(kEndWaitMs));
    }

    TestWindow window{48, 40};
    AppState state;
    StopWorkersAtEnd stop{state};
};

TEST_P(WorkerKindTest, ALongRunLeavesNothingBehind) {
    const Kind& kind = GetParam();
    // A first short run leaves what outlives a run (the throughput source image).
    RunFor(kind.frames() + 2);
    const GdiCount before = CountGdi();
    RunFor(kind.frames() + kind.longRun);
    EXPECT_EQ(CountGdi(), before);
    if (kind.flag == &AppState::throughputRunning) {
        const int mb = static_cast<int>(ThroughputMbPerSecond());
        const int fps = static_cast<int>(ThroughputFramesPerSecond());
        EXPECT_GT(fps, 0);
        ASSERT_NE(mb, fps) << "the figures cannot tell their order apart";
        // The status line, the frame's first text, shows megabytes before frames.
        ExtTextOutRecorder recorder;
        ASSERT_TRUE(recorder.Installed());
        RandomGenerator generator;
        ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
        ASSERT_FALSE(recorder.Calls().empty());
        const std::wstring& status = recorder.Calls()[0].text;
        EXPECT_TRUE(status.starts_with(L" " + std::to_wstring(mb) + L" MB/")) << status.c_str();
        EXPECT_NE(status.find(L"(" + std::to_wstring(fps) + L" FPS)"), std::wstring::npos)
            << status.c_str();
    }
}

TEST_P(WorkerKindTest, QuickRestartsNeverLeaveTwoAlive) {
    const Kind& kind = GetParam();
    for (int i = 0; i < 40; ++i) {
        // The shell's stop and start in quick succession: the old worker may not have
        // seen its flag cleared before it is set again.
        state.*kind.flag = 0;
        state.*kind.flag = 1;
        ASSERT_TRUE(kind.start(window.Get(), state)) << i;
        ASSERT_LE(kind.active(), 1) << i;
        if (i % 4 == 0) {
            Sleep(1); // let some of them draw
        }
    }
    for (int i = 0; i < 10; ++i) { // starts while the flag stays set
        ASSERT_TRUE(kind.start(window.Get(), state)) << i;
        ASSERT_LE(kind.active(), 1) << i;
    }
    state.*kind.flag = 0;
    ASSERT_TRUE(kind.wait(kEndWaitMs));
    EXPECT_EQ(kind.active(), 0);
    EXPECT_EQ(kind.peak(), 1);
}

// Tens of thousands of flashes and frames; the cycle switches at most every 10 ms and
// the marked pixels and the motion test change once a refresh, so a few hundred make
// their long runs.
INSTANTIATE_TEST_SUITE_P(
    Kinds, WorkerKindTest,
    ::testing::Values(
        Kind{"Repair", &AppState::repairRunning, 0, StartRepairWorkerThread, WaitForRepairWorker,
             RepairWorkersActive, RepairWorkersPeak, RepairFlashCount, 20000},
        Kind{"Cycle", &AppState::cycleRunning, 0, StartCycleWorkerThread, WaitForCycleWorker,
             CycleWorkersActive, CycleWorkersPeak, CycleSwitches, 150},
        Kind{"MarkedPixels", &AppState::spotRepairRunning, 0, StartSpotRepairWorkerThread,
             WaitForSpotRepairWorker, SpotRepairWorkersActive, SpotRepairWorkersPeak,
             SpotRepairFrameCount, 150},
        Kind{"Motion", &AppState::motionRunning, 0, StartMotionWorkerThread, WaitForMotionWorker,
             MotionWorkersActive, MotionWorkersPeak, MotionFrameCount, 150},
        Kind{"BlockCopy", &AppState::throughputRunning, 0, StartThroughputWorkerThread,
             WaitForThroughputWorker, ThroughputWorkersActive, ThroughputWorkersPeak,
             ThroughputFrameCount, 20000},
        Kind{"Rectangles", &AppState::throughputRunning, 1, StartThroughputWorkerThread,
             WaitForThroughputWorker, ThroughputWorkersActive, ThroughputWorkersPeak,
             ThroughputFrameCount, 20000},
        Kind{"Lines", &AppState::throughputRunning, 2, StartThroughputWorkerThread,
             WaitForThroughputWorker, ThroughputWorkersActive, ThroughputWorkersPeak,
             ThroughputFrameCount, 20000}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
