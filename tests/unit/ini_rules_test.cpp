// Settings rules: integer text as the ini reads it, the empty-value default, the
// range clamp, folder comparison texts and the choice of the per-user folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "settings/ini_rules.h"

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(IniRules, ParsesIntegerTextAsTheRuntimeDoes) {
    struct Case {
        const char16_t* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {u"42", 42},
        {u"  42", 42},
        {u"\t\r\n\v\f 9", 9},
        {u"+7", 7},
        {u"-3", -3},
        {u"12abc", 12},
        {u"1.5", 1},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u"+-5", 0},
        {u"- 5", 0},
        {u"0x10", 0},
        {u"2147483647", kMax},
        {u"99999999999", kMax},
        {u"-2147483648", kMin},
        {u"-99999999999", kMin},
        {u"000000000000000000000000000001", 1},
        {u"184467440737095516161844674407370955161", kMax},
        // Other scripts' digits and Unicode spaces count, as in the runtime.
        {u"\u0661\u0662", 12},
        {u"\u1817\u1810", 70},
        {u"\uFF18\uFF19", 89},
        {u"\u3000\u00A0-\u0967\u0966", -10},
        {u"\u200B"
         u"5",
         0}, // a zero-width space is not white space
        {u"\uFF0D"
         u"5",
         0}, // nor is a fullwidth minus a sign
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIniInt(c.text), c.expected) << TextToUtf8(c.text);
    }
}

TEST(IniRules, EmptyValueGivesTheDefaultOtherTextIsParsed) {
    struct Case {
        const char16_t* placed;
        std::int32_t defaultValue;
        std::int32_t expected;
    };
    const Case cases[] = {
        {u"", 1000, 1000},
        {u"abc", 1000, 0},
        {u" ", 1000, 0},
        {u"-1", 7, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniIntOrDefault(c.placed, c.defaultValue), c.expected) << TextToUtf8(c.placed);
    }
}

TEST(IniRules, ClampsUpperFirstThenLower) {
    struct Case {
        std::int32_t value;
        std::int32_t lower;
        std::int32_t upper;
        std::int32_t expected;
    };
    const Case cases[] = {
        {5, 10, 10000, 10},
        {50000, 10, 10000, 10000},
        {0, 10, 10000, 10}, // "abc" reads as 0 and is raised
        {777, 10, 10000, 777},
        {kMin, 10, 10000, 10},
        // A lower bound above the upper one wins whatever the value.
        {5, 100, 50, 100},
        {500, 100, 50, 100},
        // Either bound -1: no range at all.
        {99, -1, 10, 99},
        {-99, 10, -1, -99},
        // Negative bounds other than -1 are a real range.
        {-50, -20, -2, -20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClampIniInt(c.value, c.lower, c.upper), c.expected)
            << c.value << " in " << c.lower << ".." << c.upper;
    }
}

TEST(IniRules, FolderComparisonTextAppendsOneBackslashAndCollapsesPairsOnce) {
    struct Case {
        const char16_t* folder;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"", u"\\"},
        {u"C:\\Temp", u"C:\\Temp\\"},
        {u"C:\\Temp\\", u"C:\\Temp\\"},
        {u"C:\\Temp\\\\", u"C:\\Temp\\\\"}, // three in a row leave two
        {u"C:\\\\Temp", u"C:\\Temp\\"},
        {u"C:\\\\\\Temp", u"C:\\\\Temp\\"},
        {u"C:\\\\\\\\Temp", u"C:\\\\Temp\\"},
        {u"\\\\server\\share", u"\\server\\share\\"},
        {u"\\", u"\\"},
        {u"\\\\", u"\\\\"},
        {u"C:\\Users\\ME\\Temp", u"C:\\Users\\ME\\Temp\\"}, // case is the caller's matter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderComparisonText(c.folder), Text(c.expected)) << TextToUtf8(c.folder);
    }
}

TEST(IniRules, RecognisesAProgramInsideTheTemporaryFolder) {
    struct Case {
        const char16_t* program;
        const char16_t* temp;
        bool inside;
    };
    const Case cases[] = {
        {u"c:\\temp\\archive", u"c:\\temp\\", true},
        {u"c:\\temp", u"c:\\temp\\", true},
        {u"c:\\temp\\", u"c:\\temp", true},
        {u"c:\\temp", u"c:\\temp", true},
        {u"c:\\temp\\\\archive", u"c:\\temp\\", true},
        {u"c:\\temporary\\x", u"c:\\temp", false}, // the backslash keeps names apart
        {u"c:\\program files\\x", u"c:\\temp\\", false},
        {u"d:\\temp\\x", u"c:\\temp\\", false},
        {u"c:\\", u"c:\\temp\\", false},
        // Without a temporary folder the comparison text is one backslash.
        {u"c:\\program files\\x", u"", false},
        {u"\\\\server\\share\\x", u"", true},
        // Upper case is the caller's to lower; unlowered texts do not match.
        {u"C:\\TEMP\\x", u"c:\\temp\\", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInsideFolder(FolderComparisonText(c.program), FolderComparisonText(c.temp)),
                  c.inside)
            << TextToUtf8(c.program) << " in " << TextToUtf8(c.temp);
    }
}

TEST(IniRules, PerUserBaseFolderTakesTheFirstKnownFolder) {
    EXPECT_EQ(PerUserBaseFolder(u"C:\\Roaming", u"D:\\env", u"C:\\Temp\\"), u"C:\\Roaming");
    EXPECT_EQ(PerUserBaseFolder(u"", u"D:\\env\\", u"C:\\Temp\\"), u"D:\\env");
    EXPECT_EQ(PerUserBaseFolder(u"", u"", u"C:\\"), u"C:");
    // Nothing but backslashes is no folder.
    EXPECT_EQ(PerUserBaseFolder(u"\\", u"", u"C:\\Temp\\"), u"C:\\Temp");
    EXPECT_EQ(PerUserBaseFolder(u"", u"", u""), u"");
}

TEST(IniRules, FolderOfPathKeepsWhatPrecedesTheLastBackslash) {
    EXPECT_EQ(FolderOfPath(u"C:\\Tools\\Glimmerix.exe"), u"C:\\Tools");
    EXPECT_EQ(FolderOfPath(u"C:\\Glimmerix.exe"), u"C:");
    EXPECT_EQ(FolderOfPath(u"Glimmerix.exe"), u"");
}

TEST(IniRules, TimeStampIsSigned32BitDecimal) {
    EXPECT_EQ(IniTimeStamp(1700000000 - 22), u"1699999978");
    EXPECT_EQ(IniTimeStamp(-22), u"-22");
    EXPECT_EQ(IniTimeStamp(2147483648LL), u"-2147483648"); // 2038 wraps as a 32-bit time
}

} // namespace
