// The tests beyond the keys' pictures on the real program: the menu's "More tests" and
// the wheel reach them, a key leaves them to act on the picture shown before, a click
// marks on a still one and stops the motion test.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kScreenTimeout = 5s;

Rgb Grey(int level) {
    return MakeRgb(level, level, level);
}

class MoreTests : public ProgramTest {
protected:
    // The wheel turned one notch toward the user (X button 5) or away (button 4).
    void Wheel(bool down) { X().Click(down ? 5 : 4); }
    bool ShowsField(Rgb colour) { return WaitForPicture(Solid(colour), kScreenTimeout); }
};

TEST_F(MoreTests, MenuAndWheelReachThemAKeyLeavesThemAndAClickMarks) {
    ASSERT_TRUE(LaunchToInformationScreen());
    Press("3");
    ASSERT_TRUE(ShowsField(MakeRgb(255, 0, 0)));

    // Without marks the menu ends with the report and the line on marking, after its
    // closing separator; above it "Load from File", "Translate" and "More tests".
    X().MoveMouse(640, 500);
    X().Click(3);
    ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot.At(700, 520) != MakeRgb(255, 0, 0);
    })) << "no menu";
    for (const char* key :
         {"Up", "Up", "Up", "Up", "Up", "Right", "Down", "Down", "Down", "Return"}) {
        Press(key);
    }
    EXPECT_TRUE(ShowsField(Grey(128)))
        << "the menu's fourth test is grey 50 %: " << DescribeMismatch(Solid(Grey(128)));
    Wheel(true);
    EXPECT_TRUE(ShowsField(Grey(191))) << "the wheel down shows the next, grey 75 %";
    Press("space");
    EXPECT_TRUE(ShowsField(MakeRgb(0, 255, 0)))
        << "a key acts as on the red field shown before: the next picture, green";
    Wheel(true);
    ASSERT_TRUE(ShowsField(Grey(13))) << "the wheel down from green shows the first, grey 5 %";

    X().MoveMouse(400, 300);
    X().Click(1);
    EXPECT_TRUE(WaitUntil(kScreenTimeout, [&] {
        const auto ini = LoadIni(S().PerUserIni());
        const auto marks =
            ini ? ini->Get("Pixel defects", "1280x1024 \\\\.\\DISPLAY1") : std::nullopt;
        return marks && marks->ends_with(",3,14");
    })) << "a click on grey 5 % marked no sub-pixel";

    // Up from the first goes around to the last, the motion test: a white bar over grey.
    Wheel(false);
    const auto moving = WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot.At(640, 700) == Grey(128) &&
               CountWhere(shot, {0, 700, 1280, 1}, [](int, int, Rgb c) { return c == kWhite; }) ==
                   1280 / 16;
    });
    ASSERT_TRUE(moving) << "no bar over grey";
    EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return CountDifferent(shot, *moving, {0, 700, 1280, 1}) > 0;
    })) << "the bar does not move";
    X().Click(1);
    // Green again, with the ring of the mark made on grey 5 %.
    EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot.At(640, 700) == MakeRgb(0, 255, 0) && shot.At(1000, 100) == MakeRgb(0, 255, 0);
    })) << "a click did not stop the motion test";
    EXPECT_TRUE(S().ProgramRunning());
}

} // namespace
} // namespace e2e
