// The repair, cycle and throughput workers drawing into a real window, read back
// pixel by pixel: frames of each variant, flashes, the cycle's pictures, stopping,
// no GDI object left behind per frame, and one worker of a kind at a time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "screens/cycle_schedule.h"
#include "screens/random.h"
#include "screens/repair_colours.h"
#include "screens/source_image.h"
#include "screens/throughput_figures.h"
#include "screens/win/cycle_worker.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/repair_worker.h"
#include "screens/win/test_painter.h"
#include "screens/win/throughput_worker.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr DWORD kEndWaitMs = 10000;

// A colour as the read-back pixels hold it: 0x00RRGGBB.
std::uint32_t Packed(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue);
}
std::uint32_t Packed(const Rgb& c) {
    return Packed(c.red, c.green, c.blue);
}

// The test window: one visible pop-up at the top left of the screen for the whole
// run, sized anew for each test (destroying a window costs Wine a wait for the X
// server, seconds per test).
class TestWindow {
public:
    explicit TestWindow(int width = kWidth, int height = kHeight) : window(Shared()) {
        SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Pump();
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Get() const { return window; }

    // Handles what the window system queued (first paint, activation) so that nothing
    // the test does not draw arrives later.
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }

    void Fill(std::uint32_t rgb) const {
        RECT client;
        GetClientRect(window, &client);
        const WindowDc dc(window);
        FillRectOpaque(dc.Get(), client, RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    }

private:
    static HWND Shared() {
        static const HWND shared = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"GlimmerixWorkersTest";
            RegisterClassExW(&wc);
            return CreateWindowExW(0, wc.lpszClassName, L"workers", WS_POPUP | WS_VISIBLE, 0, 0,
                                   kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
        }();
        return shared;
    }

    HWND window;
};

// The client area as 0x00RRGGBB values, row by row from the top.
class Pixels {
public:
    explicit Pixels(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const WindowDc windowDc(window);
        const UniqueBitmap image(
            CreateDIBSection(windowDc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const MemoryDc memory(windowDc.Get());
        {
            const ScopedSelectObject selection(memory.Get(), image);
            BitBlt(memory.Get(), 0, 0, width, height, windowDc.Get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        data.assign(p, p + static_cast<std::size_t>(width) * height);
        for (auto& v : data) {
            v &= 0xFFFFFF;
        }
    }
    std::uint32_t At(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
    int Width() const { return width; }
    int Height() const { return height; }

    // True when every pixel of rows [top, bottom) is `rgb`.
    bool RowsAre(int top, int bottom, std::uint32_t rgb) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                if (At(x, y) != rgb) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

// Waits (bounded) until `condition` holds; the bound only keeps a broken worker from
// hanging the test run.
bool WaitFor(const std::function<bool()>& condition, DWORD limitMs = 10000) {
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
        EXPECT_TRUE(WaitForRepairWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForCycleWorker(kEndWaitMs));
        EXPECT_TRUE(WaitForThroughputWorker(kEndWaitMs));
    }
    StopWorkersAtEnd(const StopWorkersAtEnd&) = delete;
    StopWorkersAtEnd& operator=(const StopWorkersAtEnd&) = delete;

private:
    AppState& state;
};

DWORD GdiObjectsInUse() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// ---- Throughput frames ------------------------------------------------------

struct FrameCase {
    const char* name;
    int variant;
};

class ThroughputFrameTest : public ::testing::TestWithParam<FrameCase> {};

// The status line: white text on black, nothing else. The text may be smoothed,
// so its edges are greys.
void ExpectStatusLine(const Pixels& pixels) {
    int black = 0;
    int bright = 0;
    for (int y = 0; y < kStatusBandHeight; ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            const std::uint32_t p = pixels.At(x, y);
            const std::uint32_t blue = p & 0xFF;
            ASSERT_EQ(p, blue * 0x010101u) << x << "," << y << ": " << std::hex << p;
            black += p == 0 ? 1 : 0;
            bright += blue >= 0x80 ? 1 : 0;
        }
    }
    EXPECT_GT(bright, 20) << "the status text is drawn";
    EXPECT_GT(black, pixels.Width() * kStatusBandHeight / 2) << "on black";
    EXPECT_EQ(pixels.At(pixels.Width() - 1, 0), 0u) << "the band is black to its right edge";
}

TEST_P(ThroughputFrameTest, DrawsTheStatusLineAndTheBands) {
    const FrameCase& c = GetParam();
    TestWindow window;
    window.Fill(Packed(128, 128, 128));
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.drawVariant = c.variant;
    state.throughputRunning = 1;
    ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
    RandomGenerator generator(0x12345678u);
    RandomGenerator expected = generator;
    const int phaseBefore = ThroughputScrollPhase();
    ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
    const Pixels pixels(window.Get());
    ExpectStatusLine(pixels);

    (void)NextBandColour(expected); // the status line draws a colour it does not use
    if (c.variant == 0) {
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
            EXPECT_LE(colour.red, 31);
            EXPECT_LE(colour.blue, 31);
            EXPECT_TRUE(
                pixels.RowsAre(top, std::min(top + kStatusBandHeight, kHeight), Packed(colour)))
                << "band at " << top;
        }
    }
    EXPECT_EQ(generator.State(), expected.State()) << "three draws per band, status line included";
}

INSTANTIATE_TEST_SUITE_P(Variants, ThroughputFrameTest,
                         ::testing::Values(FrameCase{"BlockCopy", 0}, FrameCase{"Rectangles", 1},
                                           FrameCase{"Lines", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThroughputFrame, ScrollPhaseMovesTheRampsOnePixelLeftPerFrame) {
    TestWindow window;
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.drawVariant = 0;
    state.throughputRunning = 1;
    ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
    RandomGenerator generator;
    // Enough frames to pass the wrap from 256 back to 1.
    for (int frame = 0; frame < 300; ++frame) {
        ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
        const int phase = ThroughputScrollPhase();
        ASSERT_GE(phase, 1);
        ASSERT_LE(phase, 256);
        if (frame % 100 == 0 || phase == 256 || phase == 1) {
            const Pixels pixels(window.Get());
            ASSERT_EQ(pixels.At(0, 16), SourcePixel(phase, 0)) << "phase " << phase;
            ASSERT_EQ(pixels.At(kWidth - 1, kHeight - 1),
                      SourcePixel(kWidth - 1 + phase, kHeight - 1 - 16))
                << "phase " << phase;
        }
        const int next = NextScrollPhase(phase);
        ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
        ASSERT_EQ(ThroughputScrollPhase(), next);
    }
}

TEST(ThroughputFrame, StopsAfterTheBandDuringWhichTheFlagWasCleared) {
    for (const int variant : {0, 1, 2}) {
        TestWindow window;
        window.Fill(Packed(128, 0, 128));
        AppState state;
        const StopWorkersAtEnd stop(state);
        state.drawVariant = variant;
        state.throughputRunning = 0; // cleared while the status line is drawn
        ASSERT_TRUE(BuildSourceImage(kWidth, kHeight));
        RandomGenerator generator(99);
        ASSERT_TRUE(DrawThroughputFrame(window.Get(), state, generator));
        const Pixels pixels(window.Get());
        ExpectStatusLine(pixels);
        EXPECT_TRUE(pixels.RowsAre(kStatusBandHeight, kHeight, Packed(128, 0, 128)))
            << "variant " << variant << ": the rest of the frame is left undrawn";
        RandomGenerator expected(99);
        (void)NextBandColour(expected);
        EXPECT_EQ(generator.State(), expected.State()) << "variant " << variant;
    }
}

TEST(ThroughputFrame, NoSourceImageForAnEmptyWindow) {
    EXPECT_FALSE(BuildSourceImage(100, 0));
    EXPECT_FALSE(BuildSourceImage(-300, 10));
    EXPECT_TRUE(BuildSourceImage(0, 1)) << "a zero-width window still has the scroll margin";
}

TEST(ThroughputWorker, ARunMeasuresAndStopsWhenTheFlagIsCleared) {
    TestWindow window;
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.drawVariant = 1;
    state.throughputRunning = 1;
    const std::uint64_t before = ThroughputFrameCount();
    ASSERT_TRUE(StartThroughputWorkerThread(window.Get(), state));
    ASSERT_TRUE(
        WaitFor([&] { return ThroughputFrameCount() >= before + 3 * kFramesPerMeasurement; }));
    state.throughputRunning = 0;
    ASSERT_TRUE(WaitForThroughputWorker(kEndWaitMs));
    EXPECT_EQ(ThroughputWorkersActive(), 0);
    EXPECT_GT(ThroughputMbPerSecond(), 0.0);
    EXPECT_GT(ThroughputFramesPerSecond(), 0.0);
    const Pixels pixels(window.Get());
    ExpectStatusLine(pixels);
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

bool IsRepairColour(std::uint32_t rgb) {
    for (const Rgb& colour : kRepairColours) {
        if (Packed(colour) == rgb) {
            return true;
        }
    }
    return false;
}

TEST(RepairFlash, FramesShowTheGeneratorsColours) {
    TestWindow window;
    RandomGenerator generator; // as at program start
    const Rgb firstSix[] = {{255, 255, 0}, {0, 255, 255}, {255, 255, 255},
                            {255, 255, 0}, {0, 255, 255}, {0, 0, 255}};
    for (const Rgb& colour : firstSix) {
        ASSERT_TRUE(DrawFlashFrame(window.Get(), generator));
        const Pixels pixels(window.Get());
        EXPECT_TRUE(pixels.RowsAre(0, kHeight, Packed(colour)));
    }
}

TEST(RepairWorker, FlashesOnlyRepairColoursUntilStopped) {
    TestWindow window;
    window.Fill(0);
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.repairMode = 1;
    state.repairRunning = 1;
    const std::uint64_t before = RepairFlashCount();
    ASSERT_TRUE(StartRepairWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitFor([&] { return RepairFlashCount() > before; }));
    int samples = 0;
    while (samples < 200) {
        const Pixels pixels(window.Get());
        for (const auto& [x, y] :
             {std::pair{0, 0}, {kWidth / 2, kHeight / 2}, {kWidth - 1, kHeight - 1}}) {
            ASSERT_TRUE(IsRepairColour(pixels.At(x, y)))
                << "sample " << samples << " at " << x << "," << y << ": " << std::hex
                << pixels.At(x, y);
        }
        ++samples;
    }
    state.repairRunning = 0;
    ASSERT_TRUE(WaitForRepairWorker(kEndWaitMs));
    EXPECT_EQ(RepairWorkersActive(), 0);
    EXPECT_EQ(state.repairMode.load(), 1) << "only Escape leaves the repair screen";
}

TEST(RepairWorker, EscapeHeldEndsItAndLeavesTheRepairScreen) {
    TestWindow window;
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.repairMode = 1;
    state.repairRunning = 1;
    const std::uint64_t before = RepairFlashCount();
    ASSERT_TRUE(StartRepairWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitFor([&] { return RepairFlashCount() > before; }));
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_ESCAPE;
    ASSERT_EQ(SendInput(1, &key, sizeof(key)), 1u);
    const bool ended = WaitForRepairWorker(kEndWaitMs);
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &key, sizeof(key));
    TestWindow::Pump();
    ASSERT_TRUE(ended);
    EXPECT_EQ(state.repairRunning.load(), 0);
    EXPECT_EQ(state.repairMode.load(), 0);
}

// ---- Cycle ----------------------------------------------------------------------

TEST(CycleWorker, ShowsTheMarkedTestAndEndsOnTheInformationIndex) {
    struct Case {
        int flag;
        std::function<bool(const Pixels&)> shows;
    };
    const Case cases[] = {
        {3, [](const Pixels& p) { return p.RowsAre(0, kHeight, Packed(0, 255, 0)); }},
        // The vertical-lines entry shows black and white columns.
        {10,
         [](const Pixels& p) {
             return p.At(0, 5) == 0 && p.At(1, 5) == 0xFFFFFF && p.At(2, 9) == 0;
         }},
        // The horizontal-lines entry shows black and white rows.
        {11,
         [](const Pixels& p) {
             return p.At(5, 0) == 0 && p.At(5, 1) == 0xFFFFFF && p.At(9, 2) == 0;
         }},
    };
    for (const Case& c : cases) {
        TestWindow window;
        window.Fill(Packed(128, 128, 128));
        AppState state;
        const StopWorkersAtEnd stop(state);
        state.testEnabled[static_cast<std::size_t>(c.flag)] = 1;
        state.cycleIntervalMs = 10;
        state.cycleRunning = 1;
        ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
        ASSERT_TRUE(WaitFor([] { return CycleWorkerTiming().switches >= 2; })) << c.flag;
        EXPECT_EQ(state.testIndex.load(), CycleTestForFlag(c.flag));
        EXPECT_TRUE(c.shows(Pixels(window.Get()))) << "flag " << c.flag;
        state.cycleRunning = 0;
        ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
        EXPECT_EQ(state.testIndex.load(), -1);
    }
}

TEST(CycleWorker, ClampsTheIntervalAtItsStart) {
    TestWindow window;
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.testEnabled[0] = 1;
    for (const auto& [given, used] : {std::pair{5, 10}, {-100, 10}, {20000, 10000}}) {
        state.cycleIntervalMs = given;
        state.cycleRunning = 1;
        ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
        EXPECT_TRUE(WaitFor([&] { return state.cycleIntervalMs == used; })) << given;
        state.cycleRunning = 0;
        ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
    }
}

TEST(CycleWorker, NothingMarkedShowsNothingUntilStopped) {
    TestWindow window;
    window.Fill(Packed(128, 128, 128));
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.testIndex = 5;
    state.cycleIntervalMs = 10;
    state.cycleRunning = 1;
    ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitFor([] { return CycleWorkersActive() == 1; }));
    Sleep(100); // ten intervals
    EXPECT_EQ(CycleWorkerTiming().switches, 0u);
    EXPECT_EQ(CycleWorkersActive(), 1) << "it waits until stopped";
    EXPECT_TRUE(Pixels(window.Get()).RowsAre(0, kHeight, Packed(128, 128, 128)));
    state.cycleRunning = 0;
    ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
    EXPECT_EQ(state.testIndex.load(), -1);
}

// ---- Resources per frame ------------------------------------------------------

// How many more GDI objects the process could create now: pens are made until the
// system refuses, then all deleted. Wine reports no GDI object count through
// GetGuiResources, so this is what shows a leak there; on Windows both do.
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
};

GdiCount CountGdi() {
    return {LiveGdiOwners(), GdiObjectsInUse(), FreeGdiHandles()};
}

void ExpectSameGdi(const GdiCount& before, const GdiCount& after, const char* what) {
    EXPECT_EQ(after.owners, before.owners) << what;
    EXPECT_EQ(after.process, before.process) << what;
    EXPECT_EQ(after.freeHandles, before.freeHandles) << what;
}

constexpr std::uint64_t kLongRun = 20000;

TEST(WorkerResources, TheProbeSeesALeak) {
    const GdiCount before = CountGdi();
    ASSERT_GT(before.freeHandles, 1000);
    HPEN leaked = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(CountGdi().freeHandles, before.freeHandles - 1);
    DeleteObject(leaked);
    EXPECT_EQ(CountGdi().freeHandles, before.freeHandles);
}

TEST(WorkerResources, ThroughputFramesLeaveNothingBehind) {
    for (const int variant : {0, 1, 2}) {
        TestWindow window(48, 40);
        AppState state;
        const StopWorkersAtEnd stop(state);
        state.drawVariant = variant;
        // A first short run leaves the source image that every later run replaces.
        state.throughputRunning = 1;
        ASSERT_TRUE(StartThroughputWorkerThread(window.Get(), state));
        const std::uint64_t warm = ThroughputFrameCount();
        ASSERT_TRUE(WaitFor([&] { return ThroughputFrameCount() > warm + 10; }));
        state.throughputRunning = 0;
        ASSERT_TRUE(WaitForThroughputWorker(kEndWaitMs));

        const GdiCount before = CountGdi();
        const std::uint64_t start = ThroughputFrameCount();
        state.throughputRunning = 1;
        ASSERT_TRUE(StartThroughputWorkerThread(window.Get(), state));
        ASSERT_TRUE(WaitFor([&] { return ThroughputFrameCount() >= start + kLongRun; }, 60000));
        state.throughputRunning = 0;
        ASSERT_TRUE(WaitForThroughputWorker(kEndWaitMs));
        ExpectSameGdi(before, CountGdi(),
                      variant == 0   ? "copy"
                      : variant == 1 ? "rectangles"
                                     : "lines");
    }
}

TEST(WorkerResources, RepairFlashesLeaveNothingBehind) {
    TestWindow window(48, 40);
    AppState state;
    const StopWorkersAtEnd stop(state);
    const GdiCount before = CountGdi();
    const std::uint64_t start = RepairFlashCount();
    state.repairRunning = 1;
    ASSERT_TRUE(StartRepairWorkerThread(window.Get(), state));
    ASSERT_TRUE(WaitFor([&] { return RepairFlashCount() >= start + kLongRun; }, 60000));
    state.repairRunning = 0;
    ASSERT_TRUE(WaitForRepairWorker(kEndWaitMs));
    ExpectSameGdi(before, CountGdi(), "repair");
}

TEST(WorkerResources, CycleSwitchesLeaveNothingBehind) {
    TestWindow window(48, 40);
    AppState state;
    const StopWorkersAtEnd stop(state);
    for (int flag = 0; flag < kTestFlagCount; ++flag) {
        state.testEnabled[static_cast<std::size_t>(flag)] = 1;
    }
    const GdiCount before = CountGdi();
    state.cycleIntervalMs = 10;
    state.cycleRunning = 1;
    ASSERT_TRUE(StartCycleWorkerThread(window.Get(), state));
    // At the shortest interval, every marked test several times over.
    ASSERT_TRUE(WaitFor([] { return CycleWorkerTiming().switches >= 150; }, 60000));
    state.cycleRunning = 0;
    ASSERT_TRUE(WaitForCycleWorker(kEndWaitMs));
    ExpectSameGdi(before, CountGdi(), "cycle");
}

// ---- One worker of a kind ---------------------------------------------------------

struct KindCase {
    const char* name;
    std::atomic<int> AppState::*flag;
    bool (*start)(HWND, AppState&) noexcept;
    bool (*wait)(DWORD) noexcept;
    int (*active)() noexcept;
    int (*peak)() noexcept;
};

class OneWorkerTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(OneWorkerTest, QuickRestartsNeverLeaveTwoAlive) {
    const KindCase& c = GetParam();
    TestWindow window(64, 48);
    AppState state;
    const StopWorkersAtEnd stop(state);
    state.testEnabled[1] = 1;
    state.cycleIntervalMs = 10;
    for (int i = 0; i < 40; ++i) {
        // The shell's stop and start in quick succession: the old worker may not have
        // seen its flag cleared before it is set again.
        state.*c.flag = 0;
        state.*c.flag = 1;
        ASSERT_TRUE(c.start(window.Get(), state)) << i;
        ASSERT_LE(c.active(), 1) << i;
        if (i % 4 == 0) {
            Sleep(1); // let some of them draw
        }
    }
    // Starts while the flag stays set.
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(c.start(window.Get(), state)) << i;
        ASSERT_LE(c.active(), 1) << i;
    }
    state.*c.flag = 0;
    ASSERT_TRUE(c.wait(kEndWaitMs));
    EXPECT_EQ(c.active(), 0);
    EXPECT_EQ(c.peak(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OneWorkerTest,
    ::testing::Values(KindCase{"Repair", &AppState::repairRunning, StartRepairWorkerThread,
                               WaitForRepairWorker, RepairWorkersActive, RepairWorkersPeak},
                      KindCase{"Cycle", &AppState::cycleRunning, StartCycleWorkerThread,
                               WaitForCycleWorker, CycleWorkersActive, CycleWorkersPeak},
                      KindCase{"Throughput", &AppState::throughputRunning,
                               StartThroughputWorkerThread, WaitForThroughputWorker,
                               ThroughputWorkersActive, ThroughputWorkersPeak}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
