// Two monitors under Wine: Xvfb with Xinerama and without RANDR gives \\.\DISPLAY1
// (1280 x 1024, primary) and \\.\DISPLAY2 (1024 x 768), both at 0,0, told apart by size.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kScreenTimeout = 5s;
constexpr char kSecond[] = "\\\\.\\DISPLAY2";
// The part of the screen that the second monitor shows.
constexpr Rect kSecondArea{0, 0, 1024, 768};

class TwoMonitors : public ProgramTest {
protected:
    [[nodiscard]] SessionOptions Options() const override {
        SessionOptions options;
        options.serverArgs = {"+xinerama", "-extension", "RANDR", "-screen", "1", "1024x768x24"};
        return options;
    }

    // Waits until the main window covers a monitor of this size: one border beyond it.
    bool WaitForWindowOver(int width, int height) {
        const Rect wanted{-1, -1, width + 2, height + 2};
        Rect seen{};
        const bool placed = WaitUntil(kScreenTimeout, [&] {
            for (XWindowId window : X().FindTopLevels(kProgramName)) {
                const auto info = X().Describe(window);
                if (info && info->viewable) {
                    seen = info->outer;
                    return seen == wanted;
                }
            }
            return false;
        });
        EXPECT_TRUE(placed) << "window at " << seen.x << "," << seen.y << " " << seen.width << " x "
                            << seen.height << ", not over a " << width << " x " << height
                            << " monitor";
        return placed;
    }

    std::optional<std::string> Setting(const char* key) {
        const auto ini = LoadIni(S().PerUserIni());
        return ini ? ini->Get("Program", key) : std::nullopt;
    }

    // The screen once it has settled on the second monitor's area with `accept` true.
    std::optional<Screenshot>
    SettledSecondScreen(const std::function<bool(const Screenshot&)>& accept) {
        return WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
            return TextPixels(shot) > 1000 && accept(shot);
        });
    }
};

TEST_F(TwoMonitors, ChosenMonitorIsCoveredStoredAndKeptUnknownNameGivesThePrimary) {
    std::error_code ec;
    fs::create_directories(S().PerUserFolder(), ec);
    std::ofstream(S().PerUserIni(), std::ios::binary) << "[Program]\r\nscreen=\\\\.\\DISPLAY7\r\n";
    const auto primary = LaunchToInformationScreen();
    ASSERT_TRUE(primary);
    ASSERT_TRUE(WaitForWindowOver(1280, 1024)) << "a name not attached gives the primary";

    // The menu ends with one entry per monitor: the last is the second monitor.
    X().MoveMouse(300, 200);
    Press("l");
    Press("Up");
    Press("Return");
    ASSERT_TRUE(WaitForWindowOver(1024, 768));
    EXPECT_TRUE(WaitUntil(kScreenTimeout, [&] { return Setting("screen") == kSecond; }))
        << "screen is " << Setting("screen").value_or("(none)");
    // Another height: another gradient on every line.
    const auto chosen = SettledSecondScreen([&](const Screenshot& shot) {
        return CountDifferent(shot, *primary, kSecondArea) > 100000;
    });
    ASSERT_TRUE(chosen) << "no new information screen on the second monitor";

    Press("Escape");
    const auto status = S().WaitForExit(10s);
    ASSERT_TRUE(status && status->Succeeded()) << "Escape did not end the program";
    std::string error;
    ASSERT_TRUE(S().Launch(&error)) << error;
    ASSERT_TRUE(WaitForWindowOver(1024, 768)) << "the next start left the stored monitor";
    EXPECT_TRUE(SettledSecondScreen([&](const Screenshot& shot) {
        return CountDifferent(shot, *chosen, kSecondArea) == 0;
    })) << "the next start shows another screen";

    // Gradient, texts and the info line ("Screen:1024 x 768") are those of a single
    // 1024 x 768 screen.
    session.reset();
    SessionOptions single;
    single.screenWidth = kSecondArea.width;
    single.screenHeight = kSecondArea.height;
    session = Session::Start(single, &error);
    ASSERT_TRUE(session) << error;
    ASSERT_TRUE(session->InstallProgram(*ProgramUnderTest(), &error)) << error;
    screen = kSecondArea;
    client = ClientAreaOn(screen.width, screen.height);
    const auto reference = LaunchToInformationScreen();
    ASSERT_TRUE(reference);
    EXPECT_EQ(CountDifferent(*reference, *chosen, kSecondArea), 0u)
        << "the second monitor's information screen differs from a 1024 x 768 screen's";
}

} // namespace
} // namespace e2e
