// The user's Windows language (a LANGID) to the catalogue's language index.
#include <gtest/gtest.h>

#include "app/default_language.h"

namespace {

TEST(DefaultLanguage, MapsWindowsLanguagesToCatalogueSections) {
    struct Case {
        int langId;
        int index;
        const char* name;
    };
    const Case cases[] = {
        {0x0407, 0, "German (Germany)"},
        {0x0807, 0, "German (Switzerland)"},
        {0x0C07, 0, "German (Austria)"},
        {0x0007 | (0x3F << 10), 0, "German, highest sublanguage"},
        {0x0409, 1, "English (US)"},
        {0x0410, 2, "Italian"},
        {0x0C0C, 3, "French (Canada)"},
        {0x0419, 4, "Russian"},
        {0x041E, 5, "Thai"},
        {0x041F, 6, "Turkish"},
        {0x0424, 7, "Slovenian"},
        {0x040E, 8, "Hungarian"},
        {0x0405, 9, "Czech"},
        {0x0415, 10, "Polish"},
        {0x081D, 11, "Swedish (Finland)"},
        {0x0C0A, 12, "Spanish (modern sort)"},
        {0x0816, 13, "Portuguese (Portugal)"},
        {0x0421, 14, "Indonesian"},
        {0x0404, 15, "Chinese (Taiwan)"},
        {0x0804, 16, "Chinese (PRC)"},
        {0x0C04, 16, "Chinese (Hong Kong)"},
        {0x0004, 16, "Chinese, neutral sublanguage"},
        {0x0418, 17, "Romanian"},
        {0x0408, 18, "Greek"},
        {0x0429, 20, "Persian"},
        {0x0813, 21, "Dutch (Belgium)"},
        {0x0406, 22, "Danish"},
        {0x0412, 23, "Korean"},
        {0x0411, 1, "Japanese"},
        {0x0000, 1, "neutral"},
        // Only the low 10 bits are the primary language.
        {0x0107, 1, "primary 0x107 is not German"},
        {0x0204, 1, "primary 0x204 is not Chinese"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultLanguageIndex(c.langId), c.index) << c.name;
    }
}

TEST(DefaultLanguage, NoWindowsLanguageSelectsTheSecondItalianTranslation) {
    for (int langId = 0; langId <= 0xFFFF; ++langId) {
        const int index = DefaultLanguageIndex(langId);
        ASSERT_NE(index, 19) << langId;
        ASSERT_GE(index, 0) << langId;
        ASSERT_LE(index, 23) << langId;
    }
}

} // namespace
