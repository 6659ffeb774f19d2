// The context menu: its entries built from a list of languages and of monitors, what
// each chosen command does to the application state and the shell, and which monitor
// the window covers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/context_menu_choice.h"
#include "app/context_menu_entries.h"
#include "app/monitor_choice.h"
#include "state/app_state.h"

namespace {

constexpr unsigned kGreyed = kMenuGrayed | kMenuDisabled;

// Two monitors as Xvfb with Xinerama gives them: both at 0,0, the first primary.
const std::vector<MonitorArea> kTwoMonitors = {{u"\\\\.\\DISPLAY1", 0, 0, 1280, 1024, true},
                                               {u"\\\\.\\DISPLAY2", 0, 0, 1024, 768, false}};

std::vector<MenuEntry> TranslationEntries() {
    return {{kMenuSeparator, 0, u""},
            {kMenuString, kMenuTranslate, u"Translate"},
            {kMenuString, kMenuLoadFromFile, u"Load from File (Unicode)"},
            {kMenuSeparator, kMenuClosingSeparator, u""}};
}

TEST(ContextMenuEntries, LanguagesThenTranslationTools) {
    // Thai's name is six units ("Thai", TAB, one letter): listed; "Ab\tCd" is
    // five: not listed; the nameless one neither.
    const std::vector<LanguageChoice> languages = {
        {u"German\tDeutsch", 100}, {u"English\tEnglisch", 100}, {u"Thai\t\u0E44", 75}, {u"", 0},
        {u"Ab\tCd", 50},           {u"Czech\t\u010De", 83},
    };
    // The entries of the listed languages; ids follow the language's index.
    const MenuEntry listed[] = {{kMenuString, 10, u"German\tDeutsch / 100 %"},
                                {kMenuString, 11, u"English\tEnglisch / 100 %"},
                                {kMenuString, 12, u"Thai\t\u0E44 / 75 %"},
                                {kMenuString, 15, u"Czech\t\u010De / 83 %"}};
    struct Case {
        const char* name;
        std::size_t languageCount;
        int current;
        std::size_t entries; // how many of `listed` show
        int greyedId;        // the current language's entry, 0 for none
    };
    const Case cases[] = {
        {"English current", languages.size(), 1, 4, 11},
        {"German current", languages.size(), 0, 4, 10},
        {"current language not listed: nothing greyed", languages.size(), 3, 4, 0},
        {"current index out of range", 2, 40, 2, 0},
        {"negative current index", 1, -1, 1, 0},
        {"no languages", 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<MenuEntry> expected(listed, listed + c.entries);
        for (MenuEntry& entry : expected) {
            entry.flags = entry.id == c.greyedId ? kGreyed : kMenuString;
        }
        for (MenuEntry& entry : TranslationEntries()) {
            expected.push_back(std::move(entry));
        }
        const std::span<const LanguageChoice> list(languages.data(), c.languageCount);
        EXPECT_EQ(BuildContextMenuEntries(list, c.current), expected) << c.name;
    }
}

// Records every call in order, as the shell would carry them out.
class RecordingActions : public ContextMenuActions {
public:
    std::vector<std::string> calls;
    void ExportTranslation() override { calls.push_back("export"); }
    void ImportTranslation() override { calls.push_back("import"); }
    void WriteLanguageSetting(int languageIndex) override {
        calls.push_back("lng=" + std::to_string(languageIndex));
    }
    void RefreshInfoText() override { calls.push_back("info"); }
    void Repaint() override { calls.push_back("repaint"); }
    void CoverMonitor(const MonitorArea& monitor) override {
        calls.push_back("cover " + TextToUtf8(monitor.device));
    }
    void WriteScreenSetting(TextView device) override {
        calls.push_back("screen=" + TextToUtf8(device));
    }
};

TEST(ContextMenuChoice, EachCommandDoesItsWork) {
    struct Case {
        const char* name;
        int command;
        int languageIndexAfter;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"dismissed", 0, 1, {}},
        {"Translate exports without repaint", kMenuTranslate, 1, {"export"}},
        {"Load from File imports, then repaints", kMenuLoadFromFile, 1, {"import", "repaint"}},
        {"German", 10, 0, {"lng=0", "info", "repaint"}},
        {"last language", 10 + 24, 24, {"lng=24", "info", "repaint"}},
        {"past the last language", 10 + 25, 1, {}},
        {"closing separator", kMenuClosingSeparator, 1, {}},
        {"below the language ids", 9, 1, {}},
        {"negative", -5, 1, {}},
        {"second monitor", 2001, 1, {"cover \\\\.\\DISPLAY2", "screen=\\\\.\\DISPLAY2", "repaint"}},
        {"the stored monitor: not written again", 2000, 1, {"cover \\\\.\\DISPLAY1", "repaint"}},
        {"past the last monitor", 2002, 1, {}},
    };
    for (const Case& c : cases) {
        AppState state;
        state.languageIndex = 1;
        state.screenSetting = u"\\\\.\\DISPLAY1";
        RecordingActions actions;
        CarryOutContextMenuChoice(c.command, 25, state, actions, kTwoMonitors);
        EXPECT_EQ(state.languageIndex.load(), c.languageIndexAfter) << c.name;
        EXPECT_EQ(actions.calls, c.calls) << c.name;
    }
}

TEST(ContextMenuChoice, TheLanguageIsSetBeforeTheInfoTextIsRefreshed) {
    AppState state;
    struct SeeingActions : RecordingActions {
        AppState* state = nullptr;
        int seen = -1;
        void RefreshInfoText() override { seen = state->languageIndex; }
    } actions;
    actions.state = &state;
    CarryOutContextMenuChoice(10 + 7, 25, state, actions);
    EXPECT_EQ(actions.seen, 7);
}

TEST(ContextMenuEntries, MonitorsAfterTheClosingSeparatorWhenMoreThanOne) {
    const MenuEntry first{kMenuString, 2000, u"1: 1280 x 1024"};
    const MenuEntry second{kMenuString, 2001, u"2: 1024 x 768"};
    struct Case {
        const char* name;
        std::size_t monitorCount;
        TextView covered;
        std::vector<MenuEntry> expected;
    };
    const Case cases[] = {
        {"one monitor: no entries", 1, u"\\\\.\\DISPLAY1", {}},
        {"the second covered", 2, u"\\\\.\\DISPLAY2", {first, {kGreyed, 2001, second.text}}},
        {"the first covered", 2, u"\\\\.\\DISPLAY1", {{kGreyed, 2000, first.text}, second}},
        {"none covered", 2, u"", {first, second}},
    };
    for (const Case& c : cases) {
        std::vector<MenuEntry> entries;
        AppendMonitorEntries(entries, std::span(kTwoMonitors).first(c.monitorCount), c.covered);
        EXPECT_EQ(entries, c.expected) << c.name;
    }
}

// At start-up with the stored name, after a display change with the covered one.
TEST(MonitorChoice, CoversTheNamedMonitorElseThePrimary) {
    const std::vector<MonitorArea> primarySecond = {kTwoMonitors[1], kTwoMonitors[0]};
    const std::vector<MonitorArea> noPrimary = {kTwoMonitors[1]};
    struct Case {
        const char* name;
        const std::vector<MonitorArea>& monitors;
        std::size_t count;
        TextView device;
        std::string covered; // empty: nothing covered
    };
    const Case cases[] = {
        {"name found", kTwoMonitors, 2, u"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY2"},
        {"name not attached", kTwoMonitors, 2, u"\\\\.\\DISPLAY7", "\\\\.\\DISPLAY1"},
        {"no key", kTwoMonitors, 2, u"", "\\\\.\\DISPLAY1"},
        {"one monitor", kTwoMonitors, 1, u"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY1"},
        {"the primary listed second", primarySecond, 2, u"\\\\.\\DISPLAY3", "\\\\.\\DISPLAY1"},
        {"none marked primary: the first", noPrimary, 1, u"", "\\\\.\\DISPLAY2"},
        {"no monitors", kTwoMonitors, 0, u"\\\\.\\DISPLAY1", ""},
    };
    for (const Case& c : cases) {
        AppState state;
        RecordingActions actions;
        CoverNamedMonitor(std::span(c.monitors).first(c.count), c.device, state, actions);
        const std::vector<std::string> expected =
            c.covered.empty() ? std::vector<std::string>{}
                              : std::vector<std::string>{"cover " + c.covered, "repaint"};
        EXPECT_EQ(actions.calls, expected) << c.name;
        EXPECT_EQ(TextToUtf8(state.screenDevice.Get()), c.covered) << c.name;
    }
}

} // namespace
