// The information screen's texts under Wine: drawn over the gradient, in the
// language of the user's locale or the one stored in the settings file.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

class Overlay : public ProgramTest {
protected:
    // Starts the program with `lng` stored (or no settings file) and ends it again
    // with Escape; the information screen it showed.
    std::optional<Screenshot> InformationScreenWith(std::optional<int> lng) {
        StoreLanguage(lng);
        auto shot = LaunchToInformationScreen();
        Press("Escape");
        const auto status = S().WaitForExit(10s);
        EXPECT_TRUE(status && status->Succeeded()) << "Escape did not end the program";
        return shot;
    }

    // The settings file with `lng` stored, or none.
    void StoreLanguage(std::optional<int> lng) {
        std::error_code ec;
        fs::remove(S().PerUserIni(), ec);
        if (lng) {
            fs::create_directories(S().PerUserFolder(), ec);
            std::ofstream(S().PerUserIni(), std::ios::binary)
                << "[Program]\r\nlng=" << *lng << "\r\n";
        }
    }

    // A fresh session in `locale`, for the language the user's locale gives.
    void RestartSessionIn(const std::string& locale) {
        const auto exe = ProgramUnderTest();
        ASSERT_TRUE(exe);
        session.reset();
        SessionOptions options;
        options.locale = locale;
        std::string error;
        session = Session::Start(options, &error);
        ASSERT_TRUE(session) << error;
        ASSERT_TRUE(session->InstallProgram(*exe, &error)) << error;
    }

    // The title is the program's name and version in every language; it stands
    // centred at the top.
    [[nodiscard]] Rect Title() const { return {Screen().width / 2 - 200, 20, 400, 45}; }
    // The texts below the title, left of the info line.
    [[nodiscard]] Rect Body() const { return {25, 70, Screen().width - 50, 800}; }
};

TEST_F(Overlay, InformationScreenFollowsTheStoredLanguageAndTheLocale) {
    // Language indices of the catalogue: 1 English, 2 Italian, 19 the second Italian,
    // 22 Danish.
    std::map<std::string, Screenshot> screens;
    const struct {
        const char* name;
        std::optional<int> lng;
    } stored[] = {
        {"English by default", std::nullopt},
        {"stored language 19", 19},
        {"stored language 2", 2},
        {"stored English", 1},
        {"stored Danish", 22},
    };
    for (const auto& c : stored) {
        SCOPED_TRACE(c.name);
        const auto shot = InformationScreenWith(c.lng);
        ASSERT_TRUE(shot);
        screens[c.name] = *shot;
    }
    ASSERT_NO_FATAL_FAILURE(RestartSessionIn("da_DK.UTF-8"));
    {
        SCOPED_TRACE("Danish locale");
        const auto shot = InformationScreenWith(std::nullopt);
        ASSERT_TRUE(shot);
        screens["Danish locale"] = *shot;
    }

    const Screenshot& english = screens["English by default"];
    EXPECT_EQ(screens["stored English"], english) << "lng=1 is not the English screen";
    for (const char* other : {"stored language 19", "stored language 2", "Danish locale"}) {
        SCOPED_TRACE(other);
        const Screenshot& shot = screens[other];
        EXPECT_GT(CountDifferent(shot, english, Body()), 1000u) << "the texts are the English ones";
        EXPECT_EQ(CountDifferent(shot, english, Title()), 0u)
            << "the title differs from the English screen's";
    }
    EXPECT_EQ(CountDifferent(screens["Danish locale"], screens["stored Danish"], Screen()), 0u)
        << "a Danish locale does not give the Danish screen";
    EXPECT_GT(CountDifferent(screens["stored language 19"], screens["stored language 2"], Body()),
              1000u)
        << "languages 19 and 2 show the same texts";
}

TEST_F(Overlay, EveryScriptIsDrawnWithoutMissingGlyphBoxes) {
    // Each language in the system locale of its own (the language the locale gives),
    // and one chosen on an English system, whose Arial lacks its characters. Japanese
    // has no texts of its own: English, drawn in Arial as on an English system. Then the
    // repair screen (F6) with its warning, one row per script.
    const struct {
        const char* name;
        const char* locale;
        std::optional<int> lng;
        bool repair = false;
    } rows[] = {
        {"English", "C.UTF-8", std::nullopt},
        {"Thai", "th_TH.UTF-8", std::nullopt},
        {"Traditional Chinese", "zh_TW.UTF-8", std::nullopt},
        {"Simplified Chinese", "zh_CN.UTF-8", std::nullopt},
        {"Simplified Chinese on an English system", "C.UTF-8", 16},
        {"Korean", "ko_KR.UTF-8", std::nullopt},
        {"Persian", "fa_IR.UTF-8", std::nullopt},
        {"English on a Japanese system", "ja_JP.UTF-8", std::nullopt},
        {"Repair screen, Latin", "C.UTF-8", std::nullopt, true},
        {"Repair screen, Cyrillic", "C.UTF-8", 4, true},
        {"Repair screen, Greek", "C.UTF-8", 18, true},
        {"Repair screen, Thai", "th_TH.UTF-8", std::nullopt, true},
        {"Repair screen, Traditional Chinese", "zh_TW.UTF-8", std::nullopt, true},
        {"Repair screen, Simplified Chinese", "zh_CN.UTF-8", std::nullopt, true},
        {"Repair screen, Korean", "ko_KR.UTF-8", std::nullopt, true},
        {"Repair screen, Persian", "fa_IR.UTF-8", std::nullopt, true},
    };
    // A right-to-left screen ends its lines at the right edge and moves the notice to
    // the bottom left, where a slanted or descending glyph may reach the last column or
    // row; the other text-free lines tell that the screen is drawn.
    std::vector<Rect> freeLines = TextFreeLines();
    std::erase_if(freeLines, [&](const Rect& line) {
        return line.x == Screen().width - 1 || line.y == Screen().height - 1;
    });
    const Picture gradient = VerticalGradient();
    // Text pixels are white over the gradient, which has no green.
    const auto isInk = [](Rgb colour) { return Green(colour) > 128; };
    std::optional<Screenshot> english;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(RestartSessionIn(row.locale));
        StoreLanguage(row.lng);
        std::string error;
        ASSERT_TRUE(S().Launch(&error)) << error;
        ASSERT_TRUE(WaitForMainWindow(20s));
        auto shot = WaitForSettledScreen(15s, [&](const Screenshot& s) {
            return TextPixels(s) >= 1000 &&
                   std::all_of(freeLines.begin(), freeLines.end(), [&](const Rect& line) {
                       return CountMismatches(s, line, gradient) == 0;
                   });
        });
        ASSERT_TRUE(shot) << "no information screen";
        if (row.repair) {
            Press("F6");
            shot = WaitForSettledScreen(15s, [&, information = *shot](const Screenshot& s) {
                return CountDifferent(s, information, Body()) > 1000;
            });
            ASSERT_TRUE(shot) << "no repair screen";
        }
        const auto boxes = MissingGlyphBoxes(*shot, Screen(), isInk);
        EXPECT_TRUE(boxes.empty()) << boxes.size() << " missing-glyph boxes, the first at ("
                                   << boxes.front().x << ", " << boxes.front().y << ")";
        if (!english) {
            english = shot;
        } else if (row.locale == std::string("ja_JP.UTF-8")) {
            EXPECT_EQ(CountDifferent(*shot, *english, Body()), 0u)
                << "the English texts are not drawn as on an English system";
        } else if (!row.repair) {
            EXPECT_GT(CountDifferent(*shot, *english, Body()), 1000u) << "the texts are English";
        }
    }
}

} // namespace
} // namespace e2e
