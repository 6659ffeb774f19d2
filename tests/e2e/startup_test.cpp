// The program under Wine from start to close: its full-screen window, the first
// screen's gradient, and closing through the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// SM_CXBORDER and SM_CYBORDER as Wine reports them.
constexpr int kBorder = 1;

// a * b / c in 32-bit signed arithmetic, truncated toward zero; 0 if any is 0.
int Scaled(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (a == 0 || b == 0 || c == 0) {
        return 0;
    }
    return a * b / c;
}

// The vertical gradient of the first screen at client row y of a client area H high.
Rgb GradientColour(int y, int height) {
    const int level = Scaled(200, y, height);
    return MakeRgb(level, 0, 200 - level);
}

// Screen geometry of the program's window as its placement makes it: the border
// goes outside the screen on every side. The window keeps no caption or frame, so
// its client area is the whole window.
struct Placement {
    Rect outer;
    Rect client;
};

Placement ExpectedPlacement(int screenWidth, int screenHeight) {
    const Rect outer{-kBorder, -kBorder, screenWidth + 2 * kBorder, screenHeight + 2 * kBorder};
    return {outer, outer};
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        const auto exe = ProgramUnderTest();
        if (!exe) {
            GTEST_SKIP() << "GLIMMERIX_EXE is unset or names no file; build the windows "
                            "preset and run through scripts/test or ctest --preset e2e";
        }
        std::string error;
        session = Session::Start(SessionOptions{}, &error);
        ASSERT_TRUE(session) << error;
        ASSERT_TRUE(session->InstallProgram(*exe, &error)) << error;
    }

    void TearDown() override {
        if (HasFailure() && session) {
            std::cerr << session->LogTail() << "\n";
        }
    }

    // Starts the program and waits for its window to show the first picture.
    XWindowId LaunchAndWaitForWindow() {
        std::string error;
        EXPECT_TRUE(session->Launch(&error)) << error;
        const auto window = session->WaitForMainWindow(20s);
        EXPECT_TRUE(window) << "no viewable top-level window named Glimmerix within 20 s";
        return window.value_or(0);
    }

    // Waits until the top-left and bottom-left screen pixels show the gradient.
    bool WaitForGradient(const Placement& placement) {
        const int height = session->X().ScreenHeight();
        const Rgb top = GradientColour(0 - placement.client.y, placement.client.height);
        const Rgb bottom = GradientColour(height - 1 - placement.client.y, placement.client.height);
        return WaitUntil(15s, [&] {
            return session->X().Pixel(0, 0) == top && session->X().Pixel(0, height - 1) == bottom;
        });
    }

    std::unique_ptr<Session> session;
};

TEST_F(Startup, WindowCoversTheScreenWithItsBorderOutsideAndIsNotTopmost) {
    const XWindowId window = LaunchAndWaitForWindow();
    ASSERT_NE(window, 0u);
    XClient& x = session->X();
    const Placement expected = ExpectedPlacement(x.ScreenWidth(), x.ScreenHeight());

    // The placement happens while the window is created; give Wine time to pass the
    // final position on to X before judging it.
    std::optional<WindowInfo> info;
    WaitUntil(5s, [&] {
        info = x.Describe(window);
        return info && info->outer == expected.outer;
    });
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->viewable);
    EXPECT_EQ(info->outer.x, expected.outer.x);
    EXPECT_EQ(info->outer.y, expected.outer.y);
    EXPECT_EQ(info->outer.width, expected.outer.width);
    EXPECT_EQ(info->outer.height, expected.outer.height);

    // Wine marks a topmost window with _NET_WM_STATE_ABOVE on its X window, with or
    // without a window manager.
    const auto states = x.NetWmState(window);
    EXPECT_EQ(std::count(states.begin(), states.end(), "_NET_WM_STATE_ABOVE"), 0)
        << "the window is topmost";

    // One window of the program's own, no second one of that name.
    EXPECT_EQ(x.FindTopLevels(kProgramName).size(), 1u);
}

TEST_F(Startup, FirstScreenIsTheVerticalGradientFromBlueToRed) {
    ASSERT_NE(LaunchAndWaitForWindow(), 0u);
    XClient& x = session->X();
    const int width = x.ScreenWidth();
    const int height = x.ScreenHeight();
    const Placement placement = ExpectedPlacement(width, height);
    ASSERT_TRUE(WaitForGradient(placement)) << "top-left " << RgbText(x.Pixel(0, 0))
                                            << ", bottom-left " << RgbText(x.Pixel(0, height - 1));

    // The information texts start 30 pixels in from the client's top and left edges
    // (27 with their shadow) and end short of the right edge, so these columns and
    // rows show the bare gradient over their whole length.
    struct Line {
        const char* what;
        Rect area;
    };
    const Line lines[] = {
        {"left edge column", {0, 0, 1, height}},
        {"second column", {1, 0, 1, height}},
        {"column 10", {10, 0, 1, height}},
        {"column 20", {20, 0, 1, height}},
        {"right edge column", {width - 1, 0, 1, height}},
        {"top row", {0, 0, width, 1}},
        {"second row", {0, 1, width, 1}},
        {"row 12", {0, 12, width, 1}},
    };
    for (const Line& line : lines) {
        SCOPED_TRACE(line.what);
        const auto pixels = x.Capture(line.area);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(line.area.width) *
                                     static_cast<std::size_t>(line.area.height));
        int wrong = 0;
        for (int i = 0; i < static_cast<int>(pixels.size()); ++i) {
            const int sx = line.area.x + (line.area.width == 1 ? 0 : i);
            const int sy = line.area.y + (line.area.width == 1 ? i : 0);
            const Rgb expected = GradientColour(sy - placement.client.y, placement.client.height);
            if (pixels[static_cast<std::size_t>(i)] != expected && ++wrong <= 3) {
                ADD_FAILURE() << "screen pixel (" << sx << ", " << sy << ") is "
                              << RgbText(pixels[static_cast<std::size_t>(i)]) << ", expected "
                              << RgbText(expected);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels off the gradient";
    }
}

TEST_F(Startup, AltF4EndsTheProgramWithExitCodeZero) {
    const XWindowId window = LaunchAndWaitForWindow();
    ASSERT_NE(window, 0u);
    const Placement placement =
        ExpectedPlacement(session->X().ScreenWidth(), session->X().ScreenHeight());
    ASSERT_TRUE(WaitForGradient(placement));

    session->X().Focus(window);
    ASSERT_TRUE(session->X().Chord("Alt_L", "F4"));
    const auto status = session->WaitForExit(10s);
    ASSERT_TRUE(status) << "still running 10 s after Alt+F4";
    EXPECT_TRUE(status->exited) << status->Describe();
    EXPECT_EQ(status->code, 0);
}

} // namespace
} // namespace e2e
