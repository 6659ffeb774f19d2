// The context menu and the translation tools under Wine: the menu at the pointer,
// a language chosen in it (shown, stored, used at the next start), the export file
// the key T writes, and a translation loaded through the real open-file dialog.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kScreenTimeout = 5s;
constexpr auto kWindowTimeout = 15s;

// UTF-16LE bytes of ASCII text.
std::string Utf16Le(std::string_view ascii) {
    std::string bytes;
    for (const char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ContextMenu : public ProgramTest {
protected:
    // The viewable top-level window whose top-left corner is at (x, y) and that
    // is not the program's main window.
    std::optional<WindowInfo> WaitForWindowAt(int x, int y, std::chrono::milliseconds timeout) {
        std::optional<WindowInfo> found;
        WaitUntil(timeout, [&] {
            for (XWindowId window : X().TopLevels()) {
                const auto info = X().Describe(window);
                if (info && info->viewable && info->outer.x == x && info->outer.y == y &&
                    info->outer.width > 50 && info->outer.height > 50) {
                    found = info;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    bool WaitForNoWindowAt(int x, int y, std::chrono::milliseconds timeout) {
        return WaitUntil(timeout, [&] {
            for (XWindowId window : X().TopLevels()) {
                const auto info = X().Describe(window);
                if (info && info->viewable && info->outer.x == x && info->outer.y == y) {
                    return false;
                }
            }
            return true;
        });
    }

    bool WaitForNamedWindow(std::string_view name, bool shown, std::chrono::milliseconds timeout) {
        return WaitUntil(timeout, [&] {
            for (XWindowId window : X().FindTopLevels(name)) {
                const auto info = X().Describe(window);
                if (info && info->viewable) {
                    return shown;
                }
            }
            return !shown;
        });
    }

    // Opens the menu with the key L with the pointer at (x, y); false (with a
    // failure) when no menu appears there.
    bool OpenMenuWithL(int x, int y) {
        X().MoveMouse(x, y);
        Press("l");
        const bool open = WaitForWindowAt(x, y, kScreenTimeout).has_value();
        EXPECT_TRUE(open) << "no menu at the pointer (" << x << ", " << y << ")";
        return open;
    }

    std::optional<std::string> Setting(const std::string& key) {
        const auto ini = LoadIni(S().PerUserIni());
        return ini ? ini->Get("Program", key) : std::nullopt;
    }
};

struct OpeningCase {
    const char* name;
    bool rightClick; // else the key L
    int x;
    int y;
};

TEST_F(ContextMenu, OpensAtThePointerAndEscapeChangesNothing) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    const OpeningCase cases[] = {
        {"right click", true, 400, 300},
        {"key L", false, 150, 500},
        {"key L elsewhere", false, 700, 120},
    };
    for (const OpeningCase& c : cases) {
        SCOPED_TRACE(c.name);
        X().MoveMouse(c.x, c.y);
        if (c.rightClick) {
            X().Click(3);
        } else {
            Press("l");
        }
        const auto menu = WaitForWindowAt(c.x, c.y, kScreenTimeout);
        ASSERT_TRUE(menu) << "no menu window with its top-left corner at the pointer";
        // On the screen: a framed rectangle whose top-left corner is the pointer; the
        // pixels left of and above it are still the information screen.
        const Rect area = menu->outer;
        ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
            const Rgb frame = shot.At(area.x, area.y);
            const std::size_t frameTop = CountWhere(shot, {area.x, area.y, area.width, 1},
                                                    [&](int, int, Rgb c) { return c == frame; });
            const std::size_t frameLeft = CountWhere(shot, {area.x, area.y, 1, area.height},
                                                     [&](int, int, Rgb c) { return c == frame; });
            return frameTop == static_cast<std::size_t>(area.width) &&
                   frameLeft == static_cast<std::size_t>(area.height) &&
                   frame != information->At(area.x, area.y) &&
                   CountDifferent(shot, *information, {area.x - 3, area.y - 3, area.width, 3}) ==
                       0 &&
                   CountDifferent(shot, *information, {area.x - 3, area.y, 3, area.height}) == 0;
        })) << "the screen shows no menu at the pointer";

        Press("Escape");
        EXPECT_TRUE(WaitForNoWindowAt(c.x, c.y, kScreenTimeout)) << "Escape left the menu open";
        EXPECT_TRUE(WaitForExactly(*information, kScreenTimeout))
            << "the information screen did not come back whole after the menu";
        EXPECT_TRUE(S().ProgramRunning()) << "Escape in the menu ended the program";
        EXPECT_EQ(Setting("lng"), std::nullopt) << "a dismissed menu stored a language";
    }
}

TEST_F(ContextMenu, ChosenLanguageIsShownStoredAndUsedAtTheNextStart) {
    const auto english = LaunchToInformationScreen();
    ASSERT_TRUE(english);
    ASSERT_TRUE(OpenMenuWithL(300, 200));
    // The first entry is the catalogue's first language, German (index 0); English,
    // the current language, is greyed.
    Press("Down");
    Press("Return");
    ASSERT_TRUE(WaitUntil(kScreenTimeout, [&] { return Setting("lng") == "0"; }))
        << "lng is " << Setting("lng").value_or("(none)");
    const auto german = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot) && CountDifferent(shot, *english, Screen()) > 1000;
    });
    ASSERT_TRUE(german) << "the information screen did not change its language";

    Press("Escape");
    const auto status = S().WaitForExit(10s);
    ASSERT_TRUE(status && status->Succeeded()) << "Escape did not end the program";
    const auto next = LaunchToInformationScreen();
    ASSERT_TRUE(next);
    EXPECT_EQ(CountDifferent(*next, *german, Screen()), 0u)
        << "the next start does not show the chosen language";
}

TEST_F(ContextMenu, TranslationFileLoadedThroughTheOpenDialogReplacesTheTexts) {
    // A translation with a few texts, UTF-16LE with its byte order mark.
    const auto file = S().Prefix().HostPath("C:\\translation.txt");
    ASSERT_TRUE(file);
    {
        std::ofstream out(*file, std::ios::binary);
        out << "\xFF\xFE"
            << Utf16Le("40=Imported first line of the information screen\r\n"
                       "41=Imported second line\r\n"
                       "16=Skjerm\r\n17=Vindu\r\n");
    }
    const auto english = LaunchToInformationScreen();
    ASSERT_TRUE(english);
    ASSERT_TRUE(OpenMenuWithL(300, 200));
    // "Load from File (Unicode)" is the last entry above the closing separator.
    Press("Up");
    Press("Return");
    ASSERT_TRUE(WaitForNamedWindow("Open", true, kWindowTimeout)) << "no open-file dialog";
    // The dialog starts with the keyboard focus in its file name field.
    ASSERT_TRUE(X().TypeText("C:\\translation.txt"));
    Press("Return");
    ASSERT_TRUE(WaitForNamedWindow("Translate", true, kWindowTimeout))
        << "no message box titled Translate after loading the file";
    Press("Return");
    EXPECT_TRUE(WaitForNamedWindow("Translate", false, kWindowTimeout))
        << "Enter did not close the report";
    const auto imported = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot) && CountDifferent(shot, *english, Screen()) > 1000;
    });
    EXPECT_TRUE(imported) << "the information screen does not show the loaded texts";
    EXPECT_TRUE(S().ProgramRunning());
}

class Translation : public ProgramTest {};

TEST_F(Translation, KeyTWritesTheEnglishTextsForTranslators) {
    const auto information = LaunchToInformationScreen();
    ASSERT_TRUE(information);
    const fs::path exported = S().Prefix().TemporaryFolder() / "translate_Glimmerix.txt";
    Press("t");
    const std::string header = "\xFF\xFE" + Utf16Le("!!!! Please don't forget !!!! Write in "
                                                    "e-mail subject: Strings for: Glimmerix 3.19 "
                                                    "LNG:xxxx\r\n");
    std::string bytes;
    const bool written = WaitUntil(kScreenTimeout, [&] {
        bytes = ReadBytes(exported);
        // The file is complete once its last English line is there.
        return bytes.find(Utf16Le("\r\n12=Endurance test\r\n")) != std::string::npos;
    });
    ASSERT_TRUE(written) << exported << " was not written (" << bytes.size() << " bytes)";
    EXPECT_EQ(bytes.compare(0, header.size(), header), 0) << "the file does not start as expected";
    for (const char* line : {"\r\n3=The current time interval is \r\n", "\r\n4=Sec. \r\n",
                             "\r\n12=Endurance test\r\n", "\r\n16=Screen\r\n"}) {
        EXPECT_NE(bytes.find(Utf16Le(line)), std::string::npos) << "no line " << line;
    }
    EXPECT_EQ(bytes.size() % 2, 0u) << "not whole UTF-16 units";
    EXPECT_NE(bytes.compare(bytes.size() - 2, 2, std::string(2, '\0')), 0)
        << "the file ends in a NUL";
    // The export does not repaint, and the program goes on.
    EXPECT_TRUE(S().ProgramRunning());
}

} // namespace
} // namespace e2e
