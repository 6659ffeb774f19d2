// The text catalogue: building from LZARI blocks (the embedded one and small ones made
// with the encoder), the id=text parser, lookups with their fallbacks, loaded
// translations and the info text.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "state/app_state.h"
#include "state/current_text.h"
#include "tests/unit/english_ids.h"
#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/id_text.h"
#include "text/lzari_encoder.h"
#include "text/text_lookup.h"
#include "text/translation_export.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Text FromUtf8(const std::string& utf8) {
    const auto text = Utf8ToText(utf8);
    EXPECT_TRUE(text.has_value()) << utf8;
    return text.value_or(Text());
}

std::string Utf8(const char16_t* text) {
    return text != nullptr ? TextToUtf8(text) : std::string("(null)");
}

// A catalogue as the program embeds it: BOM, section 0, two reserved sections, then
// one section per language; `languages` holds each marker's rest and its lines.
struct Language {
    std::string marker; // "=English\tEnglisch", or "" for a nameless marker
    std::string lines;  // id=text lines, LF-separated (turned into CR LF)
};

Text CatalogueText(const std::string& sectionZero, const std::vector<Language>& languages) {
    std::string source = "##\n" + sectionZero + "##\n##\n";
    for (const Language& language : languages) {
        source += "##" + language.marker + "\n" + language.lines;
    }
    source += "##\n";
    std::string crlf;
    for (char c : source) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    return u"\uFEFF" + FromUtf8(crlf);
}

std::unique_ptr<Catalogue> Build(const Text& text) {
    auto catalogue = std::make_unique<Catalogue>();
    EXPECT_TRUE(catalogue->BuildFromBlock(LzAriEncode(Utf16LeBytes(text))));
    return catalogue;
}

std::unique_ptr<Catalogue> BuildEmbedded() {
    auto catalogue = std::make_unique<Catalogue>();
    EXPECT_TRUE(catalogue->BuildFromBlock(EmbeddedCatalogBlock()));
    return catalogue;
}

// --- The embedded catalogue ---

TEST(EmbeddedCatalogue, LanguagesNamesAndCompleteness) {
    struct Row {
        const char* name;
        int percent;
    };
    const std::vector<Row> expected = {
        {"German\tDeutsch", 100},
        {"English\tEnglisch", 100},
        {"Italian\tItaliano", 100},
        {"French\tFrançais", 75},
        {"Russian\tPусский", 75},
        {"Thai\tภาษาไทย ", 75},
        {"Turkish\tTürkçe", 75},
        {"Slovenian\tSlovenski", 83},
        {"Hungarian\tMagyar", 83},
        {"Czech\tčeština ", 83},
        {"Polish\tPolski ", 83},
        {"Swedish\tSvenska", 83},
        {"Spanish\tEspañol", 83},
        {"Brazil\tPortuguese", 78},
        {"Indonesian\tIndonesia", 83},
        {"Traditional-Chinese\t繁體中文", 83},
        {"Simplified-Chinese\t中文(简体)", 83},
        {"Romanian\tRomână", 83},
        {"Greek\tελληνικά", 100},
        {"Italian(2)\tItaliano", 81},
        {"Persian\tپارسی", 81},
        {"Dutch\tNederlands", 81},
        {"Danish\tDansk", 83},
        {"Korean\t한국어", 100},
        {"(null)", 0}, // the closing marker
    };
    const auto catalogue = BuildEmbedded();
    ASSERT_EQ(catalogue->LanguageCount(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const int index = static_cast<int>(i);
        EXPECT_EQ(Utf8(catalogue->LanguageName(index)), expected[i].name);
        EXPECT_EQ(catalogue->Completeness(index), expected[i].percent);
    }
}

TEST(EmbeddedCatalogue, EnglishTextsAndProgramValues) {
    const auto catalogue = BuildEmbedded();
    EXPECT_EQ(Utf8(catalogue->LanguageText(kEnglishIndex, 0)), "16.11.2016");
    EXPECT_EQ(Utf8(catalogue->LanguageText(kEnglishIndex, 12)), "Endurance test");
    EXPECT_EQ(Utf8(catalogue->LanguageText(kEnglishIndex, 43)),
              "[1] = White Test\t\t\t// [2] = Black Test");
    EXPECT_EQ(Utf8(catalogue->LanguageText(kEnglishIndex, 56)),
              "I hope \"you found nothing\" ;) !");
    EXPECT_EQ(Utf8(catalogue->SectionZeroValue(0)), "Glimmerix 3.19");
    const Text request = catalogue->SectionZeroValue(25);
    EXPECT_EQ(std::count(request.begin(), request.end(), u'\n'), 2); // three lines
    EXPECT_EQ(request.find(u'\\'), Text::npos);
    // The export writes the English section as it stands, CR LF and header lines too.
    const Text& reference = catalogue->EnglishReference();
    // It begins at the LF behind the marker line's CR, which ended the name.
    EXPECT_EQ(reference.substr(0, 16), u"\nTranslatorName=");
    EXPECT_NE(reference.find(u"\r\n12=Endurance test\r\n"), Text::npos);
    EXPECT_EQ(reference.find(u"##"), Text::npos);
    EXPECT_EQ(reference.find(u"Italian"), Text::npos);
    // The nameless last language has no texts and shows English everywhere.
    for (int id = 0; id < kTextIdCount; ++id) {
        EXPECT_EQ(catalogue->RowText(24, id), nullptr) << id;
        EXPECT_EQ(catalogue->LanguageText(24, id), catalogue->LanguageText(kEnglishIndex, id));
    }
}

TEST(EmbeddedCatalogue, ProgramWideBuildServesTextById) {
    ASSERT_TRUE(BuildCatalogue());
    EXPECT_EQ(TheCatalogue().LanguageCount(), 25);
    const int saved = TheAppState().languageIndex.load();
    TheAppState().languageIndex = kEnglishIndex;
    EXPECT_EQ(Utf8(TextById(16)), "Screen");
    TheAppState().languageIndex = kGermanIndex;
    EXPECT_EQ(TextById(16), TheCatalogue().RowText(kGermanIndex, 16));
    EXPECT_NE(Utf8(TextById(16)), "Screen");
    TheAppState().languageIndex = saved;
}

// --- Building ---

TEST(CatalogueBuild, EmptyOrBrokenBlocksFail) {
    const std::vector<Bytes> blocks = {
        LzAriEncode({}),                                     // zero header
        Bytes{0, 0, 0, 0, 0xFF, 0xFF}, Bytes{}, Bytes{9, 0}, // too short to state a length
    };
    for (const Bytes& block : blocks) {
        Catalogue catalogue;
        EXPECT_FALSE(catalogue.BuildFromBlock(block));
        EXPECT_EQ(catalogue.LanguageCount(), 0);
        EXPECT_EQ(catalogue.LanguageText(kEnglishIndex, 3), nullptr);
    }
    Catalogue catalogue;
    EXPECT_FALSE(catalogue.BuildFromText({}));
}

TEST(CatalogueBuild, NamedAndNamelessSections) {
    const auto catalogue =
        Build(CatalogueText("", {{"=German\tDeutsch", "3=x\n"}, {"", "3=y\n"}, {"=", "3=z\n"}}));
    // The closing marker adds a nameless language of its own.
    ASSERT_EQ(catalogue->LanguageCount(), 4);
    const std::vector<const char*> names = {"German\tDeutsch", "(null)", "", "(null)"};
    const std::vector<const char*> texts = {"x", "y", "z", "(null)"};
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(Utf8(catalogue->LanguageName(l)), names[static_cast<std::size_t>(l)]) << l;
        EXPECT_EQ(Utf8(catalogue->RowText(l, 3)), texts[static_cast<std::size_t>(l)]) << l;
    }
    EXPECT_EQ(Utf8(catalogue->ReservedSection(0)), "");
    EXPECT_EQ(Utf8(catalogue->ReservedSection(1)), "");
}

TEST(CatalogueBuild, AtMostThirtyTwoLanguages) {
    std::vector<Language> languages;
    for (int l = 0; l < 40; ++l) {
        const std::string n = std::to_string(l);
        languages.push_back({"=L" + n, "3=t" + n + "\n7=only" + n + "\n"});
    }
    const auto catalogue = Build(CatalogueText("", languages));
    ASSERT_EQ(catalogue->LanguageCount(), kMaxLanguages);
    EXPECT_EQ(Utf8(catalogue->LanguageName(31)), "L31");
    // Later markers still end the section before them: nothing of L32 leaks into L31.
    EXPECT_EQ(Utf8(catalogue->RowText(31, 3)), "t31");
    EXPECT_EQ(Utf8(catalogue->RowText(31, 7)), "only31");
    for (int index : {32, 39, 40, 1000, -1}) {
        EXPECT_EQ(catalogue->LanguageName(index), nullptr) << index;
        EXPECT_EQ(catalogue->Completeness(index), 0) << index;
        EXPECT_EQ(Utf8(catalogue->LanguageText(index, 3)), "t1") << index; // English fallback
    }
}

TEST(CatalogueBuild, HeaderLongerThanTheBufferStaysInside) {
    // The header states more than the buffer holds: the text is cut at the buffer's
    // last unit, which becomes the terminator. The lines are laid out so that a
    // marker, a text or a name runs up against that end.
    const int lastUnit = kCatalogueBufferUnits - 1; // 99999, the terminator's place
    const Text head = CatalogueText("", {{"=English\tEnglisch", "3=a\n"}}); // ends with "##\r\n"
    struct Case {
        const char* name;
        Text tailAtEnd; // placed to end exactly at lastUnit
        int languages;
    };
    const std::vector<Case> cases = {
        {"marker at the very end", u"##", 3},
        {"marker and '=' at the end", u"##=", 3},
        {"name without its CR", u"##=Name running past the end", 3},
        {"text running past the end", u"\n3=a text with no line end", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Text text = head.substr(0, head.size() - 4); // drop the closing marker
        text += u"##=Big\r\n4=first\r\n";
        text.append(static_cast<std::size_t>(lastUnit) - text.size() - c.tailAtEnd.size(), u'x');
        text += c.tailAtEnd;
        text += u"beyond the buffer\r\n5=lost\r\n##\r\n";
        text.append(30000, u'y');
        const Bytes bytes = Utf16LeBytes(text);
        ASSERT_GT(bytes.size(), static_cast<std::size_t>(kCatalogueBufferBytes));
        for (const bool fromBlock : {true, false}) {
            Catalogue catalogue;
            ASSERT_TRUE(fromBlock ? catalogue.BuildFromBlock(LzAriEncode(bytes))
                                  : catalogue.BuildFromText(bytes));
            EXPECT_EQ(catalogue.LanguageCount(), c.languages);
            EXPECT_EQ(Utf8(catalogue.RowText(0, 3)), "a");
            EXPECT_EQ(catalogue.RowText(1, 5), nullptr);
            EXPECT_EQ(catalogue.LanguageName(2), nullptr);
            // "first" ends at its LF; the x run is a line without LF and so no text.
            EXPECT_EQ(Utf8(catalogue.RowText(1, 4)), "first");
            EXPECT_EQ(catalogue.RowText(1, 3), nullptr);
        }
    }
    // A header patched to claim nearly 2 GB over a short stream: decoding stops when
    // the buffer is full and the build still ends inside it.
    Bytes patched = LzAriEncode(Utf16LeBytes(head));
    patched[3] = 0x7F;
    Catalogue catalogue;
    EXPECT_TRUE(catalogue.BuildFromBlock(patched));
    EXPECT_EQ(Utf8(catalogue.RowText(0, 3)), "a");
}

TEST(CatalogueBuild, SectionZeroValues) {
    struct Case {
        const char* line;
        int key;
        const char* value;
    };
    const std::vector<Case> cases = {
        {"1=a\\r\\nb", 1, "a\r\nb"},
        {"2=\\n\\n", 2, "\n\n"},
        {"3=tab\\tstays", 3, "tab\\tstays"},
        {"4=ends with \\", 4, "ends with \\"},
        {"5=\\\\r", 5, "\\\r"},
        {"6=x=y", 6, "x=y"},
        {"  7=spaced", 7, "spaced"},
        {"127=last", 127, "last"},
        {"128=too far", 128, "(null)"},
        {"-1=negative", -1, "(null)"},
        {"4294967304=wraps to 8 in 32 bits", 8, "(null)"},
        {"9 no equals", 9, "(null)"},
        {"=no key reads as 0", 0, "no key reads as 0"},
    };
    std::string sectionZero;
    for (const Case& c : cases) {
        sectionZero += std::string(c.line) + "\n";
    }
    sectionZero += "10=last line without LF is not read";
    // Section 0 ends at the next marker, so the unterminated line needs one right after.
    Text text = CatalogueText(sectionZero, {{"=English", "3=x\n"}});
    const auto catalogue = Build(text);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Utf8(catalogue->SectionZeroValue(c.key)), c.value);
    }
    EXPECT_EQ(catalogue->SectionZeroValue(10), nullptr);
}

TEST(CatalogueBuild, CompletenessAgainstEnglish) {
    // English holds the embedded catalogue's 37 ids.
    const std::vector<int> englishIds = EnglishIds();
    ASSERT_EQ(englishIds.size(), 37u);
    auto lines = [](const std::vector<int>& ids, std::size_t count, const char* value) {
        std::string text;
        for (std::size_t i = 0; i < count && i < ids.size(); ++i) {
            text += std::to_string(ids[i]) + "=" + value + "\n";
        }
        return text;
    };
    struct Case {
        const char* name;
        std::string lines;
        int percent;
    };
    const std::vector<Case> cases = {
        {"28 of 37", lines(englishIds, 28, "t"), 75},
        {"30 of 37", lines(englishIds, 30, "t"), 81},
        {"all", lines(englishIds, 37, "t"), 100},
        {"none", "", 0},
        {"empty texts do not count", lines(englishIds, 37, ""), 0},
        {"ids English lacks do not count", "1=a\n2=b\n99=c\n127=d\n", 0},
        {"28 of 37 plus extras", lines(englishIds, 28, "t") + "99=c\n", 75},
    };
    std::vector<Language> languages;
    languages.push_back({"=German", ""});
    languages.push_back({"=English", lines(englishIds, 37, "English") + "20=\n"});
    for (const Case& c : cases) {
        languages.push_back({std::string("=") + c.name, c.lines});
    }
    const auto catalogue = Build(CatalogueText("", languages));
    EXPECT_EQ(catalogue->Completeness(kEnglishIndex), 100);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(catalogue->Completeness(static_cast<int>(i) + 2), cases[i].percent);
    }
}

TEST(CatalogueBuild, PercentageDividesBeforeScaling) {
    // 29 / 100 * 100 is 28.999... in double precision: the menu shows 28, not 29.
    std::string english;
    std::string partial;
    for (int id = 0; id < 100; ++id) {
        english += std::to_string(id) + "=e\n";
        if (id < 29) {
            partial += std::to_string(id) + "=p\n";
        }
    }
    const auto catalogue = Build(CatalogueText("", {{"=Partial", partial}, {"=English", english}}));
    EXPECT_EQ(catalogue->Completeness(0), 28);
}

// --- The id=text parser ---

TEST(IdTextParser, ReadsDecimalKeysLikeWideStrtol) {
    struct Case {
        const char16_t* text;
        std::int32_t key;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const std::vector<Case> cases = {
        {u"", 0},
        {u"12=x", 12},
        {u" \t\v\f\r\n42", 42},
        {u"+7", 7},
        {u"-7", -7},
        {u"- 7", 0},
        {u"x9", 0},
        {u"007", 7},
        {u"2147483647", kMax},
        {u"2147483648", kMax},
        {u"-2147483648", kMin},
        {u"-2147483649", kMin},
        {u"4294967299", kMax}, // 3 if it wrapped in 32 bits
        {u"99999999999999999999999999", kMax},
        {u"\u0663", 0}, // digits of other scripts are not decimal keys here
        {nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? TextToUtf8(c.text) : "(null)");
        EXPECT_EQ(ReadDecimalKey(c.text), c.key);
    }
}

TEST(IdTextParser, CutsLinesAndPointsAfterTheFirstEquals) {
    struct Case {
        const char* name;
        Text text;
        std::vector<std::pair<int, const char16_t*>> entries; // all others null
    };
    const std::vector<Case> cases = {
        {"plain", u"3=a\n4=b\n", {{3, u"a"}, {4, u"b"}}},
        {"CR LF", u"3=a\r\n4=b\r\n", {{3, u"a"}, {4, u"b"}}},
        {"only the last CR goes", u"3=a\r\r\n", {{3, u"a\r"}}},
        {"later line wins", u"3=a\n3=b\n", {{3, u"b"}}},
        {"first equals", u"3=a=b\n", {{3, u"a=b"}}},
        {"empty text", u"3=\n", {{3, u""}}},
        {"last line without LF", u"3=a\n4=b", {{3, u"a"}}},
        {"no LF at all", u"3=a", {}},
        {"no equals", u"3 a\n", {}},
        {"header lines are key 0", u"TranslatorName=x\nLastUpdated=1.1.18\n", {{0, u"1.1.18"}}},
        {"blank lines", u"\n\r\n\n3=a\n", {{3, u"a"}}},
        {"space ends the key", u" 5 =x\n", {{5, u"x"}}},
        {"minus zero", u"-0=z\n", {{0, u"z"}}},
        {"out of range", u"128=a\n-1=b\n4294967299=c\n", {}},
        {"edges", u"0=lo\n127=hi\n", {{0, u"lo"}, {127, u"hi"}}},
        {"NUL ends the text", Text(u"3=a\n") + u'\0' + u"4=b\n", {{3, u"a"}}},
        {"CR at the very start", u"\r\n3=a\n", {{3, u"a"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Text text = c.text;
        TextRow row;
        row.fill(u"stale"); // parsing clears every id first
        ParseIdTextLines(text.data(), row);
        for (int id = 0; id < kTextIdCount; ++id) {
            const char16_t* expected = nullptr;
            for (const auto& [key, value] : c.entries) {
                if (key == id) {
                    expected = value;
                }
            }
            const char16_t* got = row[static_cast<std::size_t>(id)];
            if (expected == nullptr) {
                EXPECT_EQ(got, nullptr) << "id " << id;
            } else {
                ASSERT_NE(got, nullptr) << "id " << id;
                EXPECT_EQ(Text(got), Text(expected)) << "id " << id;
                EXPECT_GE(got, text.data());
                EXPECT_LT(got, text.data() + text.size());
            }
        }
    }
    TextRow row;
    row.fill(u"stale");
    ParseIdTextLines(nullptr, row);
    for (int id = 0; id < kTextIdCount; ++id) {
        EXPECT_EQ(row[static_cast<std::size_t>(id)], nullptr);
    }
}

// --- Lookup, loaded translations, info text ---

class Lookup : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue =
            Build(CatalogueText("", {
                                        {"=German\tDeutsch", "TranslatorName=x\n3=drei\n5=fünf\n"},
                                        {"=English\tEnglisch", "3=three\n4=four\n"},
                                        {"=Empty", ""},
                                    }));
    }
    std::unique_ptr<Catalogue> catalogue;
};

// Without a loaded translation a missing text falls back to English; a loaded one
// answers for every language, with "str:n?" for what it lacks.
TEST_F(Lookup, FallsBackToEnglishOrToTheLoadedTranslation) {
    TranslationSlot slot;
    EXPECT_EQ(slot.Current(), nullptr);
    const LoadedTranslation& loaded = slot.Load(u"\uFEFFheader line\r\n3=eins\r\n4=zwei\r\n");
    ASSERT_EQ(slot.Current(), &loaded);
    struct Case {
        const LoadedTranslation* translation;
        int language;
        int id;
        const char* text;
    };
    const std::vector<Case> cases = {
        {nullptr, 0, 3, "drei"},
        {nullptr, 0, 5, "fünf"},
        {nullptr, 0, 4, "four"},   // German lacks 4
        {nullptr, 0, 6, "(null)"}, // English lacks 6 too
        {nullptr, 1, 5, "(null)"}, // English never borrows
        {nullptr, 2, 3, "three"},
        {nullptr, 3, 3, "three"}, // empty, nameless
        {nullptr, 4, 3, "three"},
        {nullptr, 24, 3, "three"},
        {nullptr, 31, 4, "four"},
        {nullptr, 32, 3, "three"},
        {nullptr, 99, 3, "three"},
        {nullptr, -1, 3, "three"},
        {nullptr, std::numeric_limits<int>::min(), 4, "four"},
        {nullptr, 0, 128, "(null)"},
        {nullptr, 0, -1, "(null)"},
        {nullptr, 1, 1000, "(null)"},
        {&loaded, 0, 3, "eins"},
        {&loaded, 1, 4, "zwei"},
        {&loaded, 7, 3, "eins"},
        {&loaded, 0, 5, "str:5?"},
        {&loaded, 1, 0, "str:0?"},
        {&loaded, 1, 127, "str:127?"},
        {&loaded, 0, 128, "(null)"},
        {&loaded, 0, -3, "(null)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.translation != nullptr ? "loaded " : "") << c.language << "/" << c.id);
        EXPECT_EQ(Utf8(LookupText(*catalogue, c.translation, c.language, c.id)), c.text);
    }
    EXPECT_EQ(Utf8(loaded.TextOf(3)), "eins");
    EXPECT_EQ(loaded.TextOf(200), nullptr);
    EXPECT_EQ(loaded.TextOf(256), nullptr);
    EXPECT_EQ(loaded.TextOf(-1), nullptr);
}

TEST_F(Lookup, SecondLoadLeavesEarlierTextsIntact) {
    TranslationSlot slot;
    slot.Load(u"3=first three\n4=first four\n");
    const char16_t* oldThree = LookupText(*catalogue, slot.Current(), 0, 3);
    const char16_t* oldMiss = LookupText(*catalogue, slot.Current(), 0, 9);
    slot.Load(u"3=second three\n9=nine\n");
    EXPECT_EQ(Utf8(LookupText(*catalogue, slot.Current(), 0, 3)), "second three");
    EXPECT_EQ(Utf8(LookupText(*catalogue, slot.Current(), 0, 4)), "str:4?");
    EXPECT_EQ(Utf8(LookupText(*catalogue, slot.Current(), 0, 9)), "nine");
    // A painter still holding the first file's texts reads them unchanged.
    EXPECT_EQ(Utf8(oldThree), "first three");
    EXPECT_EQ(Utf8(oldMiss), "str:9?");
    // Each id has a miss text of its own: a later miss never rewrites an earlier one.
    EXPECT_EQ(Utf8(LookupText(*catalogue, slot.Current(), 0, 77)), "str:77?");
    EXPECT_EQ(LookupText(*catalogue, slot.Current(), 1, 4), MissingText(4));
    EXPECT_EQ(MissingText(128), nullptr);
}

TEST_F(Lookup, ReadersOnAnotherThreadSurviveLoads) {
    TranslationSlot slot;
    slot.Load(u"3=v0\n");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!stop.load()) {
            const char16_t* text = LookupText(*catalogue, slot.Current(), 0, 3);
            const Text copy = text; // reads the whole text; ASan sees any freed one
            if (copy.size() < 2 || copy[0] != u'v') {
                bad.fetch_add(1);
            }
        }
    });
    for (int i = 1; i <= 200; ++i) {
        slot.Load(u"3=v" + DecimalText(i) + u"\n");
    }
    stop = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(Utf8(LookupText(*catalogue, slot.Current(), 0, 3)), "v200");
}

TEST(InfoText, LayoutOfIdsFortyToFiftySix) {
    std::string lines;
    for (int id = 40; id <= 56; ++id) {
        if (id != 45) { // a missing text still ends its line
            lines += std::to_string(id) + "=t" + std::to_string(id) + "\n";
        }
    }
    const auto catalogue = Build(CatalogueText("", {{"=German", "41=g41\n"}, {"=English", lines}}));
    const Text expected = u"\r\n\r\n"
                          u"t40\r\ng41\r\nt42\r\nt43\r\nt44\r\n\r\nt46\r\nt47\r\nt48\r\nt49\r\n"
                          u"t50\r\nt51\r\n\r\nt52\r\n\r\nt53\r\n\r\nt54\r\nt55\r\n\r\n"
                          u"t56\r\n\r\n";
    EXPECT_EQ(ComposeInfoText(*catalogue, nullptr, kGermanIndex), expected);

    TranslationSlot slot;
    slot.Load(u"40=L\n");
    const Text loaded = ComposeInfoText(*catalogue, slot.Current(), kGermanIndex);
    EXPECT_EQ(loaded.substr(0, 10), u"\r\n\r\nL\r\nstr");
    EXPECT_NE(loaded.find(u"str:56?\r\n\r\n"), Text::npos);
}

} // namespace
