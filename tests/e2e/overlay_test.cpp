// The information screen's texts under Wine: drawn over the gradient, in the
// language of the user's locale or the one stored in the settings file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

class Overlay : public ProgramTest {
protected:
    // Starts the program with `lng` stored (or no settings file) and ends it again
    // with Escape; the information screen it showed.
    std::optional<Screenshot> InformationScreenWith(std::optional<int> lng) {
        std::error_code ec;
        fs::remove(S().PerUserIni(), ec);
        if (lng) {
            fs::create_directories(S().PerUserFolder(), ec);
            std::ofstream(S().PerUserIni(), std::ios::binary)
                << "[Program]\r\nlng=" << *lng << "\r\n";
        }
        auto shot = LaunchToInformationScreen();
        Press("Escape");
        const auto status = S().WaitForExit(10s);
        EXPECT_TRUE(status && status->Succeeded()) << "Escape did not end the program";
        return shot;
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

} // namespace
} // namespace e2e
