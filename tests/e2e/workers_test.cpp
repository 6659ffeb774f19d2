// The three workers under Wine, seen on the screen: the repair flasher until Escape is
// held, the endurance cycle through the marked tests, and the throughput test in its
// three variants, also when its keys come in quick succession.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kScreenTimeout = 5s;

const Rgb kRepairColours[] = {
    MakeRgb(255, 255, 255), MakeRgb(255, 0, 0),   MakeRgb(0, 255, 0),   MakeRgb(0, 0, 255),
    MakeRgb(0, 255, 255),   MakeRgb(255, 0, 255), MakeRgb(255, 255, 0),
};

bool IsRepairColour(Rgb colour) {
    return std::find(std::begin(kRepairColours), std::end(kRepairColours), colour) !=
           std::end(kRepairColours);
}

// The distinct colours of a capture, up to `limit` of them.
std::set<Rgb> ColoursOf(const Screenshot& shot, std::size_t limit = 16) {
    std::set<Rgb> colours;
    for (Rgb colour : shot.pixels) {
        colours.insert(colour);
        if (colours.size() >= limit) {
            break;
        }
    }
    return colours;
}

std::string ColoursText(const std::set<Rgb>& colours) {
    std::string text;
    for (Rgb colour : colours) {
        text += RgbText(colour) + " ";
    }
    return text;
}

class Workers : public ProgramTest {
protected:
    // `count` captures, one every `step`.
    std::vector<Screenshot> Captures(int count, std::chrono::milliseconds step) {
        std::vector<Screenshot> shots;
        for (int i = 0; i < count; ++i) {
            shots.push_back(X().ShootScreen());
            std::this_thread::sleep_for(step);
        }
        if (!shots.empty()) {
            lastCapture = shots.back();
        }
        return shots;
    }

    // Moves the pointer a little, as a user would. Wine shows what a worker drew
    // through its own device context only when the window's thread next handles
    // messages, so this brings anything drawn late onto the screen.
    void NudgePointer() {
        const auto at = X().PointerPosition().value_or(std::make_pair(640, 512));
        X().MoveMouse(at.first + 5, at.second + 5);
        X().MoveMouse(at.first, at.second);
    }

    // The information screen is there, and stays once the window has handled input
    // again (nothing a stopped worker drew late shows up over it).
    void ExpectInformationScreenStays(const Screenshot& information) {
        EXPECT_TRUE(WaitForExactly(information, kScreenTimeout))
            << "after the key the screen is not the information screen; "
            << CountDifferent(lastCapture, information, Screen()) << " pixels differ";
        NudgePointer();
        for (const Screenshot& shot : Captures(4, 100ms)) {
            EXPECT_EQ(CountDifferent(shot, information, Screen()), 0u)
                << "the information screen changed after the pointer moved";
        }
    }

    // The throughput test's status line: client rows 0 to 15, black with the figures
    // in white. The screen shows client rows 1 to 15 of it.
    [[nodiscard]] Rect StatusLine() const { return {0, 0, Screen().width, 16 + Client().y}; }
    [[nodiscard]] Rect BelowStatusLine() const {
        const Rect status = StatusLine();
        return {0, status.height, Screen().width, Screen().height - status.height};
    }

    // The figures are white on black, smoothed at their edges with greys.
    [[nodiscard]] bool ShowsStatusLine(const Screenshot& shot) const {
        const Rect status = StatusLine();
        const std::size_t all =
            static_cast<std::size_t>(status.width) * static_cast<std::size_t>(status.height);
        const std::size_t grey = CountWhere(shot, status, [](int, int, Rgb c) {
            return Red(c) == Green(c) && Green(c) == Blue(c);
        });
        const std::size_t black =
            CountWhere(shot, status, [](int, int, Rgb c) { return c == kBlack; });
        const std::size_t white =
            CountWhere(shot, status, [](int, int, Rgb c) { return c == kWhite; });
        return grey == all && white >= 50 && black > all / 2;
    }
};

TEST_F(Workers, RepairFlashesRepairColoursUntilEscapeIsHeld) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    Press("F6");
    ASSERT_TRUE(WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot) && shot != *information;
    })) << "no repair screen";
    Press("space");
    ASSERT_TRUE(WaitForScreen(kScreenTimeout,
                              [](const Screenshot& shot) {
                                  return std::all_of(shot.pixels.begin(), shot.pixels.end(),
                                                     IsRepairColour);
                              }))
        << "the flashing did not start; colours seen: " << ColoursText(ColoursOf(lastCapture));

    // A capture may hold parts of two flashes, but only ever repair colours.
    std::set<Rgb> seen;
    for (const Screenshot& shot : Captures(8, 60ms)) {
        const std::set<Rgb> colours = ColoursOf(shot);
        EXPECT_TRUE(std::all_of(colours.begin(), colours.end(), IsRepairColour))
            << "colours on the screen: " << ColoursText(colours);
        seen.insert(colours.begin(), colours.end());
    }
    EXPECT_GE(seen.size(), 2u) << "the screen did not change colour: " << ColoursText(seen);

    // The flasher watches Escape itself: it must be held while the flasher looks.
    Press("Escape", 200ms);
    EXPECT_TRUE(WaitForExactly(*information, kScreenTimeout))
        << "the information screen did not come back after Escape";
    EXPECT_TRUE(S().ProgramRunning()) << "Escape during the flashing ended the program";
}

TEST_F(Workers, EnduranceCycleShowsTheMarkedTestsInTurn) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    ASSERT_TRUE(S().WaitForIniKey(S().PerUserIni(), "Program", "TestIni", kScreenTimeout));
    Press("F5");
    Press("1"); // white
    Press("4"); // green
    for (int i = 0; i < 9; ++i) {
        Press("m"); // 1000 ms down to 100 ms
    }
    ASSERT_TRUE(WaitUntil(kScreenTimeout, [&] {
        const auto ini = LoadIni(S().PerUserIni());
        return ini && ini->Get("Program", "test_millisecond") == "100" &&
               ini->Get("Program", "use_test_0") == "1" && ini->Get("Program", "use_test_3") == "1";
    })) << "the marks and the interval did not reach the settings file";
    const auto selection = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot) && shot != *information;
    });
    ASSERT_TRUE(selection) << "no selection screen";

    Press("Return");
    const Rgb green = MakeRgb(0, 255, 0);
    std::set<Rgb> seen;
    for (const Screenshot& shot : Captures(24, 80ms)) {
        const std::set<Rgb> colours = ColoursOf(shot);
        seen.insert(colours.begin(), colours.end());
    }
    EXPECT_EQ(seen, (std::set<Rgb>{kWhite, green}))
        << "colours seen during the cycle: " << ColoursText(seen);

    Press("Return");
    EXPECT_TRUE(WaitForExactly(*selection, kScreenTimeout))
        << "Enter stopped the cycle but the selection screen did not come back; the screen "
        << "shows " << ColoursText(ColoursOf(lastCapture, 4));
    // Stopped for good: the picture stays, also once the window handles input again.
    NudgePointer();
    const Screenshot stopped = X().ShootScreen();
    for (const Screenshot& shot : Captures(5, 100ms)) {
        EXPECT_EQ(shot, stopped) << "the screen still changes after the cycle was stopped";
    }

    // Escape stops a running cycle and stays on the selection screen; the next
    // Escape leaves it.
    Press("Return");
    EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot.pixels.front() == green || shot.pixels.front() == kWhite;
    })) << "Enter did not start the cycle again";
    Press("Escape");
    EXPECT_TRUE(WaitForExactly(*selection, kScreenTimeout))
        << "Escape stopped the cycle but the selection screen did not come back; the screen "
        << "shows " << ColoursText(ColoursOf(lastCapture, 4));
    ASSERT_TRUE(S().ProgramRunning()) << "Escape during the cycle ended the program";
    Press("Escape");
    EXPECT_TRUE(WaitForExactly(*information, kScreenTimeout))
        << "the second Escape did not leave the selection screen";
    EXPECT_TRUE(S().ProgramRunning());
}

// The throughput variants: started by a key (F2 and F3 on release, F4 on press),
// stopped by the next key press, which shows the information screen.
enum class Bands { Ramps, MostlyGreen };

struct ThroughputCase {
    const char* name;
    const char* key;
    Bands bands;
};

void PrintTo(const ThroughputCase& c, std::ostream* os) {
    *os << c.name;
}

class Throughput : public Workers, public ::testing::WithParamInterface<ThroughputCase> {
protected:
    // The block copy shows diagonal blue, green and red ramps: every pixel has at most
    // one colour channel, and along a row each level is one above its neighbour's
    // (255 wraps to 0, and a new ramp starts at 0).
    [[nodiscard]] bool ShowsRamps(const Screenshot& shot) const {
        const Rect area = BelowStatusLine();
        const std::size_t mixed = CountWhere(shot, area, [](int, int, Rgb c) {
            return (Red(c) != 0) + (Green(c) != 0) + (Blue(c) != 0) > 1;
        });
        if (mixed != 0) {
            return false;
        }
        int steps = 0;
        int inOrder = 0;
        std::set<int> channels;
        for (int y = area.y; y < area.y + area.height; y += 97) {
            for (int x = 1; x < area.width; ++x) {
                const Rgb left = shot.At(x - 1, y);
                const Rgb right = shot.At(x, y);
                const int a = Red(left) + Green(left) + Blue(left);
                const int b = Red(right) + Green(right) + Blue(right);
                ++steps;
                inOrder += (b == (a + 1) % 255 || b == 0) ? 1 : 0;
                channels.insert(Red(right) != 0 ? 0 : Green(right) != 0 ? 1 : 2);
            }
        }
        return channels.size() == 3 && inOrder * 100 >= steps * 99;
    }

    // Filled bands of the rectangle and line variants: red and blue at most 31,
    // green at most 221, so mostly green; more than one band colour.
    [[nodiscard]] bool ShowsGreenBands(const Screenshot& shot) const {
        const Rect area = BelowStatusLine();
        const std::size_t off = CountWhere(shot, area, [](int, int, Rgb c) {
            return Red(c) > 31 || Blue(c) > 31 || Green(c) > 221;
        });
        std::set<Rgb> colours;
        for (int y = area.y; y < area.y + area.height; y += 16) {
            colours.insert(shot.At(area.width / 2, y));
        }
        return off == 0 && colours.size() > 1;
    }

    [[nodiscard]] bool ShowsVariant(const Screenshot& shot, Bands bands) const {
        return ShowsStatusLine(shot) &&
               (bands == Bands::Ramps ? ShowsRamps(shot) : ShowsGreenBands(shot));
    }
};

TEST_P(Throughput, RunsUntilAKeyShowsTheInformationScreen) {
    const ThroughputCase& c = GetParam();
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    Press(c.key);
    ASSERT_TRUE(WaitForScreen(kScreenTimeout,
                              [&](const Screenshot& shot) { return ShowsVariant(shot, c.bands); }))
        << "no " << c.name << " frames; colours: " << ColoursText(ColoursOf(lastCapture));
    // Frames keep coming: the picture moves or changes colour.
    const Screenshot first = lastCapture;
    EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot != first && ShowsVariant(shot, c.bands);
    })) << "the frames stopped";

    Press("space");
    ExpectInformationScreenStays(*information);
    EXPECT_TRUE(S().ProgramRunning());
}

INSTANTIATE_TEST_SUITE_P(Workers, Throughput,
                         ::testing::Values(ThroughputCase{"BlockCopyF2", "F2", Bands::Ramps},
                                           ThroughputCase{"RectanglesF3", "F3", Bands::MostlyGreen},
                                           ThroughputCase{"LinesF4", "F4", Bands::MostlyGreen}),
                         [](const ::testing::TestParamInfo<ThroughputCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Workers, ThroughputKeysInQuickSuccessionNeverCrash) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    // Each press stops the running variant and each release (F4: each press) starts
    // the next, so old and new workers overlap as closely as keys allow.
    X().SetInputPause(10ms);
    const char* const keys[] = {"F2", "F3", "F4"};
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(X().Tap(keys[i % 3]));
    }
    X().SetInputPause(50ms);
    ASSERT_TRUE(S().ProgramRunning()) << "the program ended during the key burst";
    // Whatever variant runs last, its status line is there.
    ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsStatusLine(shot);
    })) << "no throughput test runs after the burst";
    Press("space");
    ExpectInformationScreenStays(*information);
    EXPECT_TRUE(S().ProgramRunning());
}

} // namespace
} // namespace e2e
