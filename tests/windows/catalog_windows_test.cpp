// The catalogue embedded in a real Windows executable: built inside the .exe, with
// its texts handed to the ...W functions through Wide().
#include <windows.h>

#include <gtest/gtest.h>

#include "state/app_state.h"
#include "state/current_text.h"
#include "text/embedded_catalog.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

TEST(EmbeddedCatalogueOnWindows, BuildsWithEveryLanguage) {
    ASSERT_TRUE(BuildCatalogue());
    const Catalogue& catalogue = TheCatalogue();
    EXPECT_EQ(catalogue.LanguageCount(), 25);
    EXPECT_EQ(Text(catalogue.LanguageText(kEnglishIndex, 12)), u"Endurance test");
    EXPECT_EQ(Text(catalogue.LanguageName(kGermanIndex)), u"German\tDeutsch");
    EXPECT_EQ(Text(catalogue.LanguageName(kEnglishIndex)), u"English\tEnglisch");
    EXPECT_EQ(catalogue.LanguageName(24), nullptr);
    EXPECT_EQ(catalogue.Completeness(kEnglishIndex), 100);
    EXPECT_EQ(Text(catalogue.SectionZeroValue(0)), u"Glimmerix 3.19");
    EXPECT_EQ(catalogue.Completeness(24), 0);
}

TEST(EmbeddedCatalogueOnWindows, TextsReachTheWideApi) {
    ASSERT_TRUE(BuildCatalogue());
    const Text name = TheCatalogue().LanguageName(15); // Traditional Chinese, outside Latin-1
    // The wide API measures it in UTF-16 units, as the core does.
    EXPECT_EQ(static_cast<std::size_t>(lstrlenW(Wide(name))), name.size());
    // A full round trip through the platform's converter keeps every unit.
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, Wide(name), -1, nullptr, 0, nullptr, nullptr);
    ASSERT_GT(bytes, 0);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Wide(name), -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(bytes) - 1);
    EXPECT_EQ(utf8, TextToUtf8(name));
    EXPECT_EQ(utf8, "Traditional-Chinese\t繁體中文");
}

TEST(EmbeddedCatalogueOnWindows, InfoTextOfTheCurrentLanguage) {
    ASSERT_TRUE(BuildCatalogue());
    TheAppState().languageIndex = kEnglishIndex;
    const Text info = CurrentInfoText();
    EXPECT_EQ(info.substr(0, 4), u"\r\n\r\n");
    EXPECT_NE(info.find(u"\r\n<<\r\n"), Text::npos);
    EXPECT_NE(info.find(u"[T]=Translate\r\n\r\n"), Text::npos);
    EXPECT_EQ(Text(TextById(12)), u"Endurance test");
}

} // namespace
