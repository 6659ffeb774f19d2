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

// Two monitors as Xvfb with Xinerama gives them (both at 0,0), device names shortened.
const std::vector<MonitorArea> kTwoMonitors = {{u"D1", 0, 0, 1280, 1024, true, u""},
                                               {u"D2", 0, 0, 1024, 768, false, u""}};

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
        TextView stored = u"D1"; // the "screen" setting before the choice
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
        {"second monitor", 2001, 1, {"cover D2", "screen=D2", "repaint"}},
        {"the stored monitor: not written again", 2000, 1, {"cover D1", "repaint"}},
        {"the stored monitor in another case", 2000, 1, {"cover D1", "repaint"}, u"d1"},
        {"past the last monitor", 2002, 1, {}},
    };
    for (const Case& c : cases) {
        AppState state;
        state.languageIndex = 1;
        state.screenSetting = c.stored;
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

TEST(ContextMenuEntries, OneEntryPerMonitorWhenMoreThanOne) {
    std::vector<MenuEntry> entries;
    AppendMonitorEntries(entries, std::span(kTwoMonitors).first(1), u"D1");
    EXPECT_TRUE(entries.empty());
    AppendMonitorEntries(entries, kTwoMonitors, u"D2");
    EXPECT_EQ(entries, (std::vector<MenuEntry>{{kMenuString, 2000, u"1: 1280 x 1024"},
                                               {kGreyed, 2001, u"2: 1024 x 768"}}));
    entries.clear();
    AppendMonitorEntries(entries, kTwoMonitors, u"d2");
    EXPECT_EQ(entries.at(1).flags, kGreyed) << "device names are compared without case";
    std::vector<MonitorArea> named = kTwoMonitors;
    named[1].name = u"DELL U2720Q";
    entries.clear();
    AppendMonitorEntries(entries, named, u"D1");
    EXPECT_EQ(entries.at(1).text, u"2: DELL U2720Q, 1024 x 768") << "a monitor by its name";
}

// At start-up with the stored name, after a display change with the covered one.
TEST(MonitorChoice, CoversTheNamedMonitorElseThePrimary) {
    const std::vector<MonitorArea> primarySecond = {kTwoMonitors[1], kTwoMonitors[0]};
    const struct {
        const char* name;
        std::span<const MonitorArea> monitors;
        TextView device;
        const char* covered; // "" for none
    } cases[] = {
        {"name found", kTwoMonitors, u"D2", "D2"},
        {"name in another case", kTwoMonitors, u"d2", "D2"},
        {"name not attached", kTwoMonitors, u"D7", "D1"},
        {"no key", kTwoMonitors, u"", "D1"},
        {"one monitor", std::span(kTwoMonitors).first(1), u"D2", "D1"},
        {"the primary listed second", primarySecond, u"D7", "D1"},
        {"no monitors", {}, u"D1", ""},
    };
    for (const auto& c : cases) {
        AppState state;
        RecordingActions actions;
        CoverNamedMonitor(c.monitors, c.device, state, actions);
        const std::vector<std::string> calls = {"cover " + std::string(c.covered), "repaint"};
        EXPECT_EQ(actions.calls, *c.covered ? calls : std::vector<std::string>{}) << c.name;
        EXPECT_EQ(TextToUtf8(state.screenDevice.Get()), c.covered) << c.name;
    }
}

} // namespace
