// The keyboard commands under Wine: keys that jump to a picture, the test selection
// screen's marks and interval as they reach the ini file, the repair screen, and the
// keys that end the program.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kPictureTimeout = 5s;
constexpr auto kIniTimeout = 5s;

enum class Shows {
    White,
    Black,
    Red,
    Green,
    Blue,
    Cyan,
    Purple,
    Yellow,
    HorizontalGradient,
    VerticalGradient, // also the information screen's background without its texts
    HorizontalLines,
    VerticalLines,
};

struct KeyPictureCase {
    const char* name;
    const char* heldBefore; // a key held down through the press, or nullptr
    const char* key;
    Shows picture;
};

class Keys : public ProgramTest {
protected:
    // Runs the rows from the information screen, each after F1; that screen goes to
    // `information` when given.
    void ExpectPictures(std::span<const KeyPictureCase> cases, Screenshot* information = nullptr);

    Picture PictureOf(Shows shows) const {
        switch (shows) {
        case Shows::White:
            return Solid(kWhite);
        case Shows::Black:
            return Solid(kBlack);
        case Shows::Red:
            return Solid(MakeRgb(255, 0, 0));
        case Shows::Green:
            return Solid(MakeRgb(0, 255, 0));
        case Shows::Blue:
            return Solid(MakeRgb(0, 0, 255));
        case Shows::Cyan:
            return Solid(MakeRgb(0, 255, 255));
        case Shows::Purple:
            return Solid(MakeRgb(255, 0, 255));
        case Shows::Yellow:
            return Solid(MakeRgb(255, 255, 0));
        case Shows::HorizontalGradient:
            return HorizontalGradient();
        case Shows::VerticalGradient:
            return VerticalGradient();
        case Shows::HorizontalLines:
            return HorizontalLines();
        case Shows::VerticalLines:
            return VerticalLines();
        }
        return Solid(kBlack);
    }
};

// Every row starts from the information screen (F1).
const KeyPictureCase kTestKeyCases[] = {
    {"1 white", nullptr, "1", Shows::White},
    {"2 black", nullptr, "2", Shows::Black},
    {"3 red", nullptr, "3", Shows::Red},
    {"4 green", nullptr, "4", Shows::Green},
    {"5 blue", nullptr, "5", Shows::Blue},
    {"6 cyan", nullptr, "6", Shows::Cyan},
    {"7 purple", nullptr, "7", Shows::Purple},
    {"8 yellow", nullptr, "8", Shows::Yellow},
    {"9 horizontal gradient", nullptr, "9", Shows::HorizontalGradient},
    {"0 vertical gradient", nullptr, "0", Shows::VerticalGradient},
    {"H horizontal lines", nullptr, "h", Shows::HorizontalLines},
    {"F8 horizontal lines", nullptr, "F8", Shows::HorizontalLines},
    {"V vertical lines", nullptr, "v", Shows::VerticalLines},
    {"F7 vertical lines", nullptr, "F7", Shows::VerticalLines},
};

const KeyPictureCase kOtherKeyCases[] = {
    {"C gradient without any text", nullptr, "c", Shows::VerticalGradient},
    {"space: the next test after the information screen", nullptr, "space", Shows::White},
    {"keypad digit is a next-test key", nullptr, "KP_1", Shows::White},
    {"keypad plus is a next-test key", nullptr, "KP_Add", Shows::White},
    {"X on the information screen: the last test", nullptr, "x", Shows::VerticalLines},
    {"Backspace on the information screen: the last test", nullptr, "BackSpace",
     Shows::VerticalLines},
    // The held keys decide, in their fixed order, not the key whose message arrives.
    {"space while 3 is held", "3", "space", Shows::Red},
    {"4 while 3 is held: digits are tested from 1 up", "3", "4", Shows::Red},
    {"H while 3 is held: digits come before letters", "3", "h", Shows::Red},
    {"3 while H is held: still the digit", "h", "3", Shows::Red},
};

void Keys::ExpectPictures(std::span<const KeyPictureCase> cases, Screenshot* shown) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    if (shown != nullptr) {
        *shown = *information;
    }
    for (const KeyPictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Press("F1");
        ASSERT_TRUE(WaitForExactly(*information, kPictureTimeout))
            << "F1 did not bring the information screen back";
        if (c.heldBefore != nullptr) {
            ASSERT_TRUE(X().KeyDown(c.heldBefore));
        }
        Press(c.key);
        const Picture picture = PictureOf(c.picture);
        EXPECT_TRUE(WaitForPicture(picture, kPictureTimeout)) << DescribeMismatch(picture);
        if (c.heldBefore != nullptr) {
            ASSERT_TRUE(X().KeyUp(c.heldBefore));
            // Its release changes nothing.
            EXPECT_TRUE(WaitForPicture(picture, kPictureTimeout)) << DescribeMismatch(picture);
        }
    }
}

TEST_F(Keys, TestKeysReachTheirPictures) {
    ExpectPictures(kTestKeyCases);
}

TEST_F(Keys, OtherKeysStepOrHoldTheirPlace) {
    ExpectPictures(kOtherKeyCases);
}

// Wine 10 scales a program that declares no DPI awareness as Windows does (a logical
// window stretched over the screen, one-pixel lines blurred to grey, logical sizes in
// the info line); the declared awareness keeps the window, every picture and the
// information screen at physical pixels. Wine 8 never scales, so there this holds
// with or without the declaration.
TEST_F(Keys, At144DpiThePicturesStayAtPhysicalPixelsAndTheMenuOpensAtThePointer) {
    // The information screen at 96 dpi; its info line names the physical sizes.
    const auto physical = LaunchToInformationScreen();
    ASSERT_TRUE(physical);
    Press("Escape");
    ASSERT_TRUE(S().WaitForExit(10s));
    // A running Wine desktop keeps the DPI it started with.
    S().Prefix().EndServer();
    const fs::path userReg = S().Prefix().Path() / "user.reg";
    std::ifstream in(userReg, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string section = "[Control Panel\\\\Desktop]";
    std::size_t at = text.find(section);
    ASSERT_NE(at, std::string::npos) << userReg << " has no " << section;
    at = text.find('\n', at) + 1;
    if (text.compare(at, 6, "#time=") == 0) {
        at = text.find('\n', at) + 1;
    }
    text.insert(at, "\"LogPixels\"=dword:00000090\n"); // 144 dpi, 150 %
    std::error_code ec;
    fs::remove(userReg, ec); // the copy may share its file with the template
    ASSERT_TRUE(std::ofstream(userReg, std::ios::binary) << text) << userReg;
    // The window covering the screen is checked on the way to the information screen.
    const KeyPictureCase cases[] = {kTestKeyCases[8], kTestKeyCases[9], kTestKeyCases[10],
                                    kTestKeyCases[12]};
    Screenshot information;
    ASSERT_NO_FATAL_FAILURE(ExpectPictures(cases, &information));
    const Picture lines = PictureOf(Shows::VerticalLines);
    X().MoveMouse(300, 200);
    X().Click(3);
    EXPECT_TRUE(WaitForScreen(5s,
                              [&](const Screenshot& shot) {
                                  return CountMismatches(shot, {300, 200, 40, 40}, lines) > 0 &&
                                         CountMismatches(shot, {200, 100, 100, 100}, lines) == 0;
                              }))
        << "no menu just below and right of the pointer: "
        << DescribeMismatch(lines, {{200, 100, 140, 140}});

    // The info line names the physical sizes, as at 96 dpi. A runtime that draws the
    // stock System font larger at 144 dpi shows other glyphs whatever the numbers.
    const Rect infoLine{Screen().width - 220, 20, 220, 60};
    const auto textRows = [&](const Screenshot& shot) {
        int rows = 0;
        for (int y = infoLine.y; y < infoLine.y + infoLine.height; ++y) {
            const Rect row{infoLine.x, y, infoLine.width, 1};
            rows += CountMismatches(shot, row, VerticalGradient()) > 0 ? 1 : 0;
        }
        return rows;
    };
    if (textRows(information) != textRows(*physical)) {
        GTEST_SKIP() << "this Wine draws the System font at another size at 144 dpi, so the "
                        "info line cannot be compared with the one at 96 dpi";
    }
    EXPECT_EQ(CountDifferent(information, *physical, Screen()), 0u)
        << "the information screen differs from the one at 96 dpi (the info line's sizes?)";
}

TEST_F(Keys, RepairScreenShowsItsTextsAndEscapeLeavesIt) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    Press("F6");
    const auto repair = WaitForSettledScreen(kPictureTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot) && CountDifferent(shot, *information, Screen()) > 1000;
    });
    ASSERT_TRUE(repair) << "no repair screen after F6; " << TextPixels(lastCapture)
                        << " text pixels, " << CountDifferent(lastCapture, *information, Screen())
                        << " pixels differ from the information screen";
    Press("Escape");
    EXPECT_TRUE(WaitForExactly(*information, kPictureTimeout))
        << "Escape did not leave the repair screen for the information screen";
    EXPECT_TRUE(S().ProgramRunning()) << "Escape on the repair screen ended the program";
}

// Tests that start from stored settings.
class StoredSettingsTest : public ProgramTest {
protected:
    // The per-user settings file holds `content` before the program starts.
    void StoreSettings(const std::string& content) {
        std::error_code ec;
        fs::create_directories(S().PerUserFolder(), ec);
        std::ofstream out(S().PerUserIni(), std::ios::binary | std::ios::trunc);
        out << content;
        ASSERT_TRUE(out) << "cannot write " << S().PerUserIni();
    }
};

// Keys that end the program from the information screen; a key-down with the left
// Alt key held ends it whatever the key. Enter first asks the shell to open the
// language's web page: a stand-in browser registered for https records the address.
struct EndingCase {
    const char* name;
    std::vector<const char*> keys; // held in this order; the last one is tapped
    const char* language = "1";
    const char* opened = nullptr; // the address the browser must be given
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << c.name;
}

class EndingKeys : public StoredSettingsTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(EndingKeys, EndTheProgramWithExitCodeZero) {
    const EndingCase& c = GetParam();
    std::string error;
    const auto registered = S().RunWine({"reg", "add", "HKCR\\https\\shell\\open\\command", "/ve",
                                         "/d", "cmd.exe /c echo %1> C:\\opened.txt", "/f"},
                                        30s, &error);
    ASSERT_TRUE(registered && registered->exited && registered->code == 0) << error;
    ASSERT_NO_FATAL_FAILURE(StoreSettings(std::string("[Program]\r\nlng=") + c.language + "\r\n"));
    ASSERT_TRUE(LaunchToInformationScreen());
    for (std::size_t k = 0; k + 1 < c.keys.size(); ++k) {
        ASSERT_TRUE(X().KeyDown(c.keys[k]));
    }
    Press(c.keys.back());
    for (std::size_t k = c.keys.size() - 1; k-- > 0;) {
        X().KeyUp(c.keys[k]);
    }
    const auto status = S().WaitForExit(10s);
    ASSERT_TRUE(status) << "still running 10 s after " << c.name;
    EXPECT_TRUE(status->exited) << status->Describe();
    EXPECT_EQ(status->code, 0);

    const fs::path opened = S().Prefix().DriveC() / "opened.txt";
    if (c.opened == nullptr) {
        EXPECT_FALSE(fs::exists(opened)) << "a web page was opened";
        return;
    }
    std::string address;
    WaitUntil(10s, [&] {
        std::ifstream in(opened, std::ios::binary);
        address.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return address.ends_with("\r\n");
    });
    EXPECT_EQ(address, std::string(c.opened) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EndingKeys,
    ::testing::Values(EndingCase{"Escape", {"Escape"}},
                      EndingCase{"Enter", {"Return"}, "1", "https://glimmerix.example.org/en/"},
                      EndingCase{
                          "EnterInGerman", {"Return"}, "0", "https://glimmerix.example.org/de/"},
                      EndingCase{"CtrlLeftAlt5", {"Control_L", "Alt_L", "5"}}),
    [](const ::testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

// The test selection screen and the settings it writes.
class SelectionScreen : public StoredSettingsTest {
protected:
    // Waits until the settings file holds `value` for `key`.
    bool WaitForSetting(const std::string& key, const std::string& value) {
        return WaitUntil(kIniTimeout, [&] {
            const auto ini = LoadIni(S().PerUserIni());
            return ini && ini->Get("Program", key) == value;
        });
    }

    std::string Setting(const std::string& key) {
        const auto ini = LoadIni(S().PerUserIni());
        const auto value = ini ? ini->Get("Program", key) : std::nullopt;
        return value.value_or("(none)");
    }

    // Starts the program and opens the selection screen; the program has written its
    // start-up stamp by then.
    void OpenSelectionScreen() {
        const auto information = LaunchToInformationScreen();
        ASSERT_TRUE(information);
        ASSERT_TRUE(S().WaitForIniKey(S().PerUserIni(), "Program", "TestIni", kIniTimeout))
            << "no settings file with the start-up stamp";
        Press("F5");
        ASSERT_TRUE(WaitForSettledScreen(kPictureTimeout, [&](const Screenshot& shot) {
            return ShowsOverlay(shot) && CountDifferent(shot, *information, Screen()) > 1000;
        })) << "no selection screen after F5";
    }
};

TEST_F(SelectionScreen, KeysToggleTheMarksAndWriteThem) {
    // A mark stored as 7 counts as set: the first press clears it.
    ASSERT_NO_FATAL_FAILURE(StoreSettings("[Program]\r\nuse_test_3=7\r\n"));
    ASSERT_NO_FATAL_FAILURE(OpenSelectionScreen());
    struct MarkCase {
        const char* key;
        int flag;
        const char* first = "1";
        const char* second = "0";
    };
    // H and F8 mark the horizontal lines (flag 11), V and F7 the vertical lines
    // (flag 10); digits 1 to 9 flags 0 to 8, 0 flag 9.
    const MarkCase cases[] = {
        {"3", 2},   {"1", 0},  {"9", 8},   {"0", 9},           {"h", 11},
        {"F8", 11}, {"v", 10}, {"F7", 10}, {"4", 3, "0", "1"},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.key);
        const std::string key = "use_test_" + std::to_string(c.flag);
        Press(c.key);
        EXPECT_TRUE(WaitForSetting(key, c.first)) << key << " is " << Setting(key);
        Press(c.key);
        EXPECT_TRUE(WaitForSetting(key, c.second)) << key << " is " << Setting(key);
    }
    EXPECT_TRUE(S().ProgramRunning());
}

// The interval keys from a stored interval: each step either writes the new value or,
// at a bound, leaves the settings file as it was.
struct IntervalStep {
    const char* key;
    int expected; // the interval afterwards
};

struct IntervalCase {
    const char* name;
    std::optional<int> stored;
    std::vector<IntervalStep> steps;
};

void PrintTo(const IntervalCase& c, std::ostream* os) {
    *os << c.name;
}

class IntervalKeys : public SelectionScreen, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalKeys, StepAndStopAtTheBounds) {
    const IntervalCase& c = GetParam();
    if (c.stored) {
        ASSERT_NO_FATAL_FAILURE(
            StoreSettings("[Program]\r\ntest_millisecond=" + std::to_string(*c.stored) + "\r\n"));
    }
    ASSERT_NO_FATAL_FAILURE(OpenSelectionScreen());
    int interval = c.stored.value_or(1000);
    int mark = 0;
    for (const IntervalStep& step : c.steps) {
        SCOPED_TRACE(step.key);
        const auto before = LoadIni(S().PerUserIni());
        ASSERT_TRUE(before);
        Press(step.key);
        if (step.expected != interval) {
            EXPECT_TRUE(WaitForSetting("test_millisecond", std::to_string(step.expected)))
                << "test_millisecond is " << Setting("test_millisecond");
        } else {
            // Nothing to wait for: toggle a mark after the key and wait for that
            // instead. The file then differs from before by that mark alone.
            mark = 1 - mark;
            Press("1");
            ASSERT_TRUE(WaitForSetting("use_test_0", std::to_string(mark)));
            const auto after = LoadIni(S().PerUserIni());
            ASSERT_TRUE(after);
            auto withoutMark = [](std::vector<IniEntry> entries) {
                std::erase_if(entries, [](const IniEntry& e) { return e.key == "use_test_0"; });
                return entries;
            };
            EXPECT_EQ(withoutMark(after->entries), withoutMark(before->entries))
                << "the key at the bound changed the settings file";
        }
        interval = step.expected;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, IntervalKeys,
    ::testing::Values(
        IntervalCase{"PlusAndMinusFromTheDefault", std::nullopt, {{"p", 1100}, {"m", 1000}}},
        IntervalCase{"KeypadPlusAndMinus", std::nullopt, {{"KP_Add", 1100}, {"KP_Subtract", 1000}}},
        IntervalCase{"DownToTenAndBack", 200, {{"m", 100}, {"m", 10}, {"p", 100}, {"p", 200}}},
        IntervalCase{"UpperBound", 10000, {{"p", 10000}, {"m", 9900}, {"p", 10000}}},
        IntervalCase{"LowerBound", 10, {{"m", 10}, {"p", 100}}}),
    [](const ::testing::TestParamInfo<IntervalCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
} // namespace e2e
