// The overlay's screen choice, composed texts, interval text, formats and geometry.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "screens/overlay_text.h"
#include "screens/own_texts.h"
#include "screens/repair_warning.h"
#include "screens/spot_repair.h"
#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/text_lookup.h"

namespace {

const Catalogue& EmbeddedCatalogue() {
    static const std::unique_ptr<Catalogue> catalogue = [] {
        auto built = std::make_unique<Catalogue>();
        EXPECT_TRUE(built->BuildFromBlock(EmbeddedCatalogBlock()));
        return built;
    }();
    return *catalogue;
}

Text OrEmpty(const char16_t* text) {
    return text != nullptr ? Text(text) : Text();
}

OverlayWords CatalogueWords(int language) {
    OverlayWords words;
    words.byId = [language](int id) {
        return OrEmpty(LookupText(EmbeddedCatalogue(), nullptr, language, id));
    };
    words.value = [](int key) { return OrEmpty(EmbeddedCatalogue().SectionZeroValue(key)); };
    return words;
}

const OverlayWords kEnglish = CatalogueWords(kEnglishIndex);

// Words of a made-up translation.
OverlayWords WordsFrom(const std::map<int, Text>& texts) {
    OverlayWords words;
    words.byId = [texts](int id) {
        const auto found = texts.find(id);
        return found != texts.end() ? found->second : Text();
    };
    return words;
}

Text EnglishInfo() {
    return ComposeInfoText(EmbeddedCatalogue(), nullptr, kEnglishIndex);
}

// The usage lines below the list, with the interval as the selection screen shows it.
Text UsageLines(const Text& interval) {
    return u"\nThe current time interval is " + interval +
           u" Sec. \n"
           u"Please adjusts the time interval by keys [+] and [-] or [P] and [M]! \n\n"
           u"Please press the Keys (1 .9, V, H ...) \n"
           u"to exclude or to use a test color! \n"
           u"PS: Do not use = [  ] ///  Use = [X] \n\n"
           u"To start or stop the test press the key [ENTER]. \n"
           u"The complexes settings will be of course saved for next program start.  \n"
           u"Go-Back with the [ESC] Key.\n";
}

std::string Utf8(const Text& text) {
    return TextToUtf8(text);
}

TEST(OverlayGeometry, FontHeightAndShadowFollowTheClientWidth) {
    const struct {
        int width, fontHeight, shadow;
    } cases[] = {
        {0, 0, 0},       {1, 0, 0},       {426, -8, 0},    {427, -8, -1},   {800, -16, -1},
        {1024, -20, -2}, {1280, -26, -3}, {1920, -39, -4}, {2560, -52, -6}, {3840, -78, -9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OverlayFontHeight(c.width), c.fontHeight) << c.width;
        EXPECT_EQ(ShadowOffset(c.width), c.shadow) << c.width;
    }
}

TEST(OverlayGeometry, TextBoxAndShadowCopies) {
    const TextBox client{0, 0, 1280, 1024};
    const TextBox box = OverlayTextBox(client);
    EXPECT_EQ(box, (TextBox{30, 30, 1280, 1024}));
    EXPECT_EQ(OverlayTextBox(TextBox{5, 7, 100, 50}), (TextBox{35, 37, 100, 50}));
    EXPECT_EQ(ShadowCopyBox(box, -3, ShadowForm::Paragraph), (TextBox{27, 27, 1280, 1024}));
    EXPECT_EQ(ShadowCopyBox(box, -3, ShadowForm::Line), (TextBox{27, 27, 1277, 1021}));
    EXPECT_EQ(ShadowCopyBox(box, 0, ShadowForm::Line), box);
}

TEST(OverlayFormats, RightToLeftOnlyForParagraphsOfLanguage20) {
    const struct {
        unsigned format;
        ShadowForm form;
        int language;
        unsigned expected;
    } cases[] = {
        {0x150, ShadowForm::Paragraph, 1, 0x150},  {0x150, ShadowForm::Paragraph, 20, 0x20152},
        {0x150, ShadowForm::Paragraph, 19, 0x150}, {0x150, ShadowForm::Paragraph, 21, 0x150},
        {0x21, ShadowForm::Line, 20, 0x21},        {0x28, ShadowForm::Line, 20, 0x28},
        {0x150, ShadowForm::Paragraph, -1, 0x150},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShadowedFormat(c.format, c.form, c.language), c.expected) << c.language;
    }
}

TEST(OverlayScreens, RepairWinsOverSelection) {
    const struct {
        int repair, selection;
        OverlayScreen expected;
    } cases[] = {
        {0, 0, OverlayScreen::Information}, {0, 1, OverlayScreen::Selection},
        {1, 0, OverlayScreen::Repair},      {1, 1, OverlayScreen::Repair},
        {-5, 0, OverlayScreen::Repair}, // any non-zero flag counts
    };
    for (const auto& c : cases) {
        OverlayState state;
        state.repairMode = c.repair;
        state.selectionMode = c.selection;
        EXPECT_EQ(ChooseOverlayScreen(state), c.expected) << c.repair << c.selection;
    }
}

TEST(OverlayScreens, OutputsAndFormatsPerScreenAndLanguage) {
    const OverlayWords& words = kEnglish;
    OverlayState state;
    auto info = OverlayOutputs(OverlayScreen::Information, state, words, EnglishInfo());
    ASSERT_EQ(info.size(), 3u);
    EXPECT_EQ(info[0].text, u"Glimmerix 3.19");
    EXPECT_EQ(info[0].form, ShadowForm::Line);
    EXPECT_EQ(info[0].format, 0x21u);
    EXPECT_EQ(info[1].text, EnglishInfo());
    EXPECT_EQ(info[1].format, 0x150u);
    EXPECT_EQ(info[2].text, u"Freeware - Copyright (c) 2008-2018 the Glimmerix authors ");
    EXPECT_EQ(info[2].format, 0x2Au);

    state.languageIndex = 20;
    info = OverlayOutputs(OverlayScreen::Information, state, words, EnglishInfo());
    ASSERT_EQ(info.size(), 3u);
    EXPECT_EQ(info[0].format, 0x21u); // the title stays centred
    EXPECT_EQ(info[1].format, 0x20152u);
    EXPECT_EQ(info[2].format, 0x28u);

    const auto repair = OverlayOutputs(OverlayScreen::Repair, state, words, EnglishInfo());
    ASSERT_EQ(repair.size(), 1u);
    EXPECT_EQ(repair[0].text, RepairScreenText(words));
    EXPECT_EQ(repair[0].format, 0x20152u);

    state.languageIndex = 1;
    const auto selection = OverlayOutputs(OverlayScreen::Selection, state, words, EnglishInfo());
    ASSERT_EQ(selection.size(), 1u);
    EXPECT_EQ(selection[0].text, TestSelectionText(words, EnglishInfo(), state));
    EXPECT_EQ(selection[0].format, 0x150u);

    // A catalogue without section-0 values still gives a title and a notice output.
    OverlayWords bare;
    info = OverlayOutputs(OverlayScreen::Information, state, bare, u"");
    ASSERT_EQ(info.size(), 3u);
    EXPECT_EQ(info[0].text, u"");
    EXPECT_EQ(info[2].text, u" ");
}

TEST(OverlayInterval, SecondsWithACommaAndTruncatedHundredths) {
    const struct {
        int ms;
        const char16_t* expected;
    } examples[] = {
        {1000, u"1,00"}, {1100, u"1,10"}, {500, u"0,50"},  {10, u"0,01"},   {10000, u"10,00"},
        {4100, u"4,10"}, {8200, u"8,20"}, {290, u"0,29"},  {1050, u"1,05"}, {15, u"0,01"},
        {9, u"0,00"},    {0, u"0,00"},    {9999, u"9,99"}, {-10, u"0,-1"},
    };
    for (const auto& e : examples) {
        EXPECT_EQ(IntervalText(e.ms), e.expected) << e.ms;
    }
}

TEST(OverlayTestList, ExtractsTheLinesBetweenTheMarkers) {
    const struct {
        const char* name;
        Text info;
        Text expected;
    } cases[] = {
        {"no opening marker", u"a\r\nb\r\n>>\r\n", u""},
        {"empty", u"", u""},
        {"markers on one line", u"x<< y >>\r\nz\r\n", u""},
        {"opening marker at the very end", u"a\r\n<<", u""},
        {"no closing marker: to the last LF", u"<<\r\na\r\nb\r\ntail", u"a\r\nb\r\n"},
        {"closing marker mid-line drops that line", u"<<\r\na\r\nb >>c\r\nd\r\n", u"a\r\n"},
        {"closing marker before the opening one", u">>\r\n<<\r\na\r\n>>\r\n", u"a\r\n"},
        {"text before the marker on its line", u"x\r\ny<<z\r\na\r\n>>", u"a\r\n"},
        {"bare LF lines", u"<<\na\nb\n>>\n", u"a\nb\n"},
        {"single > is not a marker", u"<<\r\na > b\r\n>\r\n>>", u"a > b\r\n>\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractTestLines(c.info), c.expected) << c.name;
    }
    const Text english = ExtractTestLines(EnglishInfo());
    const Text firstLine = u"[1] = White Test\t\t\t// [2] = Black Test\r\n";
    EXPECT_EQ(english.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(english.find(u"<<"), Text::npos);
    EXPECT_EQ(english.find(u">>"), Text::npos);
}

TEST(OverlayTestList, MarksEntriesAndKeepsHalvesOnOneLine) {
    std::array<int, kTestFlagCount> flags{};
    flags[1] = 1;
    const struct {
        const char* name;
        Text lines;
        Text expected;
    } cases[] = {
        {"empty", u"", u""},
        {"two halves", u"a\t// b\r\n", u"[    ] a\t// [ X ]  b\r\n"},
        {"second half without blank starts a line", u"a//b\r\n", u"[    ] a\r\n[ X ] b\r\n"},
        {"text after the last CR LF is dropped", u"a\r\nb", u"[    ] a\r\n"},
        {"bare LF does not end an entry", u"a\nb\r\n", u"[    ] a\nb\r\n"},
        {"triple slash leaves one", u"a/// b\r\n", u"[    ] a\r\n[ X ] / b\r\n"},
        {"empty entries still take a flag", u"\r\n\r\nc\r\n", u"[    ] \r\n[ X ] \r\n[    ] c\r\n"},
        {"blank after the last entry", u"a\r\n ", u"[    ] a// "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MarkedTestList(c.lines, flags), c.expected) << c.name;
    }
}

TEST(OverlayTestList, EntriesBeyondTheTwelfthGetNoMark) {
    std::array<int, kTestFlagCount> flags{};
    flags.fill(1);
    Text lines;
    for (int k = 0; k < 14; ++k) {
        lines += u"t" + DecimalText(k) + u"\r\n";
    }
    const Text list = MarkedTestList(lines, flags);
    EXPECT_NE(list.find(u"[ X ] t11\r\n"), Text::npos);
    EXPECT_NE(list.find(u"\r\nt12\r\nt13\r\n"), Text::npos);
    EXPECT_EQ(list.size(), lines.size() + 12 * 6);
}

TEST(OverlaySelection, EnglishListWithMixedMarks) {
    OverlayState state;
    // Flags in list order: White, Black, ..., Vertical gradient, Vertical lines,
    // Horizontal lines.
    state.testEnabled = {1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1};
    state.cycleIntervalMs = 4100;
    const Text expected = u"Endurance test!\n\n"
                          u"[ X ] [1] = White Test\t\t\t// [    ]  [2] = Black Test\r\n"
                          u"[    ] [3] = Red Test\t\t\t// [ X ]  [4] = Green Test \r\n"
                          u"[ X ] [5] = Blue Test\t\t\t// [    ]  [6] = Cyan Test \r\n"
                          u"[    ] [7] = Purple Test\t\t// [    ]  [8] = Yellow Test \r\n"
                          u"[ X ] [9] = Gradient horizontally\t// "
                          u"[    ]  [0] = Vertical gradient \r\n"
                          u"[    ] [F7] or [V] = Vertical lines\t// "
                          u"[ X ]  [F8] or [H] = Horizontal lines \r\n" +
                          UsageLines(u"4,10");
    EXPECT_EQ(Utf8(TestSelectionText(kEnglish, EnglishInfo(), state)), Utf8(expected));
}

TEST(OverlaySelection, EveryCatalogueLanguageListsTwelveTests) {
    OverlayState state;
    state.testEnabled.fill(1);
    for (int language = 0; language < EmbeddedCatalogue().LanguageCount(); ++language) {
        const Text info = ComposeInfoText(EmbeddedCatalogue(), nullptr, language);
        const Text list = MarkedTestList(ExtractTestLines(info), state.testEnabled);
        int marks = 0;
        for (std::size_t at = list.find(u"[ X ] "); at != Text::npos;
             at = list.find(u"[ X ] ", at + 1)) {
            ++marks;
        }
        EXPECT_EQ(marks, 12) << language;
        EXPECT_EQ(list.find(u"[    ] "), Text::npos) << language;
    }
}

TEST(OverlaySelection, InfoTextWithoutMarkersGivesTitleAndUsageOnly) {
    const OverlayWords& words = kEnglish;
    const OverlayState state;
    const Text text = TestSelectionText(words, u"\r\n\r\nno list here\r\n>>\r\n", state);
    EXPECT_EQ(Utf8(text), Utf8(u"Endurance test!\n\n" + UsageLines(u"1,00")));
    // Missing words are left out, nothing else changes.
    EXPECT_EQ(TestSelectionText(OverlayWords{}, u"", state), u"!\n\n\n1,00 \n\n\n\n\n\n\n\n\n\n");
}

TEST(OverlayTexts, RepairScreen) {
    const Text expected =
        u"\n\n\n\n"
        u"The screen fixation plays a random combination of red, green and blue tones at a "
        u"speed of up to 60 frames per second to bring the stuck/paralyzed pixel back into its "
        u"normal cycle.\n\n"
        u"Please Press any key to start the screen fixation with [ESC] you can stop it at "
        u"any time. \n\n"
        u"Allow the color of the flashing graphic to run for a minute or two. \n\n\n\n"
        u"with a little luck, some or all paralyzed pixels are revived!\n\n";
    EXPECT_EQ(Utf8(RepairScreenText(kEnglish)), Utf8(expected));
    EXPECT_EQ(RepairScreenText(OverlayWords{}), u"\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
}

TEST(OverlayTexts, RepairWarningInEveryLanguageAndEnglishForATranslation) {
    const Text english = RepairWarningText(kEnglishIndex, false);
    EXPECT_EQ(Utf8(english), "Warning: the next key starts intense flashing. If flashing light can "
                             "affect you (photosensitive epilepsy), do not look at the screen.");
    // One table of the program's own texts for every named language of the catalogue.
    EXPECT_NE(EmbeddedCatalogue().LanguageName(kOwnTextLanguages - 1), nullptr);
    EXPECT_EQ(EmbeddedCatalogue().LanguageName(kOwnTextLanguages), nullptr);
    // A letter of each script at its index, so that a shifted table shows.
    const std::map<int, char16_t> scripts = {{4, u'\u0435'},  {5, u'\u0e04'},  {15, u'\u500b'},
                                             {16, u'\u4e2a'}, {18, u'\u03bf'}, {20, u'\u0647'},
                                             {23, u'\uacbd'}};
    std::map<Text, int> seen;
    for (int language = 0; language < kOwnTextLanguages; ++language) {
        const Text warning = RepairWarningText(language, false);
        EXPECT_TRUE(seen.emplace(warning, language).second) << language << " repeats a warning";
        EXPECT_NE(SpotRepairLine(language, 7).find(u'7'), Text::npos) << language << ": no minutes";
        if (const auto letter = scripts.find(language); letter != scripts.end()) {
            EXPECT_NE(warning.find(letter->second), Text::npos) << language;
        }
        EXPECT_EQ(RepairWarningText(language, true), english) << language;
    }
    EXPECT_EQ(RepairWarningText(kOwnTextLanguages, false), english);
}

TEST(OverlayTexts, LongTranslationsAreNotCut) {
    std::map<int, Text> words;
    words[11] = u"Go-Back with the [ESC] Key.";
    words[12] = Text(3000, u'T');
    words[60] = Text(2500, u'R');
    words[63] = u"end of repair";
    Text info = u"<<\r\n";
    for (int k = 0; k < 200; ++k) {
        info += u"[" + DecimalText(k) + u"] = a long translated test name\t// and its partner\r\n";
    }
    info += u">>\r\n";
    const Text selection = TestSelectionText(WordsFrom(words), info, OverlayState{});
    EXPECT_GT(selection.size(), 4 * 2048u);
    EXPECT_EQ(selection.substr(0, 3001), Text(3000, u'T') + u"!");
    EXPECT_NE(selection.find(u"\r\n[199] = a long translated test name\t//  and its partner\r\n"),
              Text::npos);
    EXPECT_EQ(selection.substr(selection.size() - 28), u"Go-Back with the [ESC] Key.\n");
    const Text repair = RepairScreenText(WordsFrom(words));
    EXPECT_GT(repair.size(), 2048u);
    EXPECT_EQ(repair.substr(repair.size() - 15), u"end of repair\n\n");
}

TEST(OverlayTexts, InfoLine) {
    const OverlayWords& words = kEnglish;
    EXPECT_EQ(InfoLineText(words, 1920, 1080, 1922, 1082),
              u"Screen:1920 x 1080  \nWindow:1922 x 1082  ");
    EXPECT_EQ(InfoLineText(OverlayWords{}, 0, -1, 0, 0), u":0 x -1  \n:0 x 0  ");
}

} // namespace
