// Translation export and import: the exported text byte for byte, decoding of
// imported files (UTF-16 with BOM, UTF-8, ANSI, broken and oversized ones) and the
// report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/unit/english_ids.h"
#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/loaded_translation.h"
#include "text/text_lookup.h"
#include "text/translation_export.h"
#include "text/translation_import.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes AsciiBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// A stand-in for the ANSI code page: Latin-1, byte for byte. Counts its calls and
// keeps what it was given, to show that a file is converted in one piece.
struct FakeAnsi {
    int calls = 0;
    std::string lastInput;
    bool fail = false;

    AnsiToText Converter() {
        return [this](std::string_view ansi) -> std::optional<Text> {
            ++calls;
            lastInput.assign(ansi);
            if (fail) {
                return std::nullopt;
            }
            Text text;
            for (const char c : ansi) {
                text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
            }
            return text;
        };
    }
};

TEST(TranslationExport, ComposesHeaderRequestAndEnglishLines) {
    struct Case {
        const char* name;
        const char16_t* programName;
        const char16_t* request;
        Text reference;
        Text expected;
    };
    const Text head = u"\uFEFF!!!! Please don't forget !!!! Write in e-mail subject: Strings for: ";
    const Case cases[] = {
        {"catalogue lines", u"Prog 1.0", u"Send\r\nback",
         u"TranslatorName=Me\r\n3=Hello\r\n\r\n4=Sec. \r\n",
         head + u"Prog 1.0 LNG:xxxx\r\n\r\nSend\r\nback\r\n\r\n"
                u"TranslatorName=Me\r\n3=Hello\r\n\r\n4=Sec. \r\n"},
        {"LF-only lines get CR LF", u"P", u"R", u"3=a\n4=b\n",
         head + u"P LNG:xxxx\r\n\r\nR\r\n\r\n3=a\r\n4=b\r\n"},
        {"last line without line end", u"P", u"R", u"3=a\r\n4=b",
         head + u"P LNG:xxxx\r\n\r\nR\r\n\r\n3=a\r\n4=b\r\n"},
        {"missing values are empty", nullptr, nullptr, u"3=a\r\n",
         head + u" LNG:xxxx\r\n\r\n\r\n\r\n3=a\r\n"},
        {"no English lines", u"P", u"R", u"", head + u"P LNG:xxxx\r\n\r\nR\r\n\r\n"},
        {"LF left from the marker line", u"P", u"R", u"\n3=a\r\n\r\n4=b\r\n",
         head + u"P LNG:xxxx\r\n\r\nR\r\n\r\n3=a\r\n\r\n4=b\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeTranslationExport(c.programName, c.request, c.reference), c.expected)
            << c.name;
    }
}

TEST(TranslationExport, BytesAreUtf16LeWithoutTerminator) {
    EXPECT_EQ(Utf16LeBytes(u"\uFEFF!\u0416\u4E2D\r\n"),
              (Bytes{0xFF, 0xFE, '!', 0, 0x16, 0x04, 0x2D, 0x4E, '\r', 0, '\n', 0}));
    EXPECT_TRUE(Utf16LeBytes(u"").empty());
}

TEST(TranslationExport, HugeEnglishSectionIsExportedWhole) {
    // Far more than a fixed working buffer of 300000 bytes would hold.
    Text reference;
    for (int i = 0; i < 20000; ++i) {
        reference += u"3=A text line of some length\r\n";
    }
    const Text text = ComposeTranslationExport(u"P", u"R", reference);
    ASSERT_GT(text.size() * 2, 300000u);
    EXPECT_EQ(text.substr(text.size() - reference.size()), reference);
}

TEST(TranslationImport, DecodesByByteOrderMark) {
    struct Case {
        const char* name;
        Bytes bytes;
        Text expected;
        int converterCalls;
    };
    const Case cases[] = {
        {"UTF-16LE with BOM",
         {0xFF, 0xFE, '3', 0, '=', 0, 0x16, 0x04, '\r', 0, '\n', 0},
         u"3=\u0416\r\n",
         0},
        {"odd byte count drops the last byte", {0xFF, 0xFE, '3', 0, '=', 0, 'x'}, u"3=", 0},
        {"BOM alone", {0xFF, 0xFE}, u"", 0},
        {"BOM and one byte", {0xFF, 0xFE, 0x41}, u"", 0},
        {"empty file", {}, u"", 0},
        {"ANSI text", AsciiBytes("3=Drei\r\n4=Sek. \xE9\n"), u"3=Drei\r\n4=Sek. \u00E9\n", 1},
        {"FE FF is no BOM of ours", {0xFE, 0xFF, 0, '3'}, Text(u"\u00FE\u00FF\0003", 4), 1},
        {"lone FF", {0xFF}, u"\u00FF", 1},
        {"UTF-8 with its mark",
         AsciiBytes("\xEF\xBB\xBF"
                    "3=\xC3\xA4\r\n"),
         u"3=\u00E4\r\n", 0},
        {"UTF-8 without a mark", AsciiBytes("4=\xE2\x82\xAC \xF0\x9F\x98\x80"),
         u"4=\u20AC \U0001F600", 0},
        {"the mark makes it UTF-8, ill-formed bytes and all",
         AsciiBytes("\xEF\xBB\xBF"
                    "a\xE9z"),
         u"a\uFFFDz", 0},
        {"a character cut off at the end is dropped", AsciiBytes("3=\xC3\xA4\xE2\x82"), u"3=\u00E4",
         0},
        {"pure ASCII goes to the code page", AsciiBytes("3=Drei\r\n"), u"3=Drei\r\n", 1},
        {"a lone cut-off lead byte is ANSI", AsciiBytes("3=x\xC3"), u"3=x\u00C3", 1},
        {"UTF-16LE without BOM is read as ANSI",
         {'3', 0, '=', 0, 'x', 0, '\n', 0},
         Text(u"3\0=\0x\0\n\0", 8),
         1},
    };
    for (const Case& c : cases) {
        FakeAnsi ansi;
        const DecodedTranslation decoded = DecodeTranslationFile(c.bytes, ansi.Converter());
        EXPECT_EQ(decoded.status, TranslationFileStatus::Loaded) << c.name;
        EXPECT_EQ(decoded.text, c.expected) << c.name;
        EXPECT_EQ(ansi.calls, c.converterCalls) << c.name;
    }
}

TEST(TranslationImport, AnsiFileIsConvertedInOnePiece) {
    // Long enough to cross many 1024-byte chunks; a split between a lead and a trail
    // byte of a double-byte code page would garble the character.
    std::string file;
    while (file.size() < 10000) {
        file += "40=\x82\xA0\x82\xA2 text\r\n";
    }
    FakeAnsi ansi;
    const DecodedTranslation decoded = DecodeTranslationFile(AsciiBytes(file), ansi.Converter());
    EXPECT_EQ(decoded.status, TranslationFileStatus::Loaded);
    EXPECT_EQ(ansi.calls, 1);
    EXPECT_EQ(ansi.lastInput, file);
    EXPECT_EQ(decoded.text.size(), file.size());
}

TEST(TranslationImport, RefusesWhatCannotBeLoaded) {
    struct Case {
        const char* name;
        std::size_t size;
        std::uint8_t first;
        bool converterFails;
        TranslationFileStatus expected;
    };
    const Case cases[] = {
        {"ANSI at the bound", kMaxTranslationFileBytes, 'x', false, TranslationFileStatus::Loaded},
        {"UTF-16 at the bound", kMaxTranslationFileBytes, 0xFF, false,
         TranslationFileStatus::Loaded},
        {"one byte above the bound", kMaxTranslationFileBytes + 1, 'x', false,
         TranslationFileStatus::TooLarge},
        {"UTF-16 above the bound", kMaxTranslationFileBytes + 2, 0xFF, false,
         TranslationFileStatus::TooLarge},
        {"conversion fails", 10, 'x', true, TranslationFileStatus::Unreadable},
    };
    for (const Case& c : cases) {
        Bytes bytes(c.size, 'a');
        bytes[0] = c.first;
        bytes[1] = c.first == 0xFF ? 0xFE : 'a';
        FakeAnsi ansi;
        ansi.fail = c.converterFails;
        const DecodedTranslation decoded = DecodeTranslationFile(bytes, ansi.Converter());
        EXPECT_EQ(decoded.status, c.expected) << c.name;
        if (c.expected != TranslationFileStatus::Loaded) {
            EXPECT_TRUE(decoded.text.empty()) << c.name;
        }
        if (c.expected == TranslationFileStatus::TooLarge) {
            EXPECT_EQ(ansi.calls, 0) << c.name;
        }
    }
}

struct Table {
    std::map<int, Text> texts;
    TextOfId Lookup() const {
        return [this](int id) -> const char16_t* {
            const auto found = texts.find(id);
            return found != texts.end() ? found->second.c_str() : nullptr;
        };
    }
};

Table EnglishTable() {
    Table english;
    for (const int id : EnglishIds()) {
        english.texts[id] = u"E" + DecimalText(id);
    }
    return english;
}

// English's ids, without the first `dropped` of them.
Table LoadedWithout(int dropped) {
    Table loaded;
    const std::vector<int> ids = EnglishIds();
    for (std::size_t i = static_cast<std::size_t>(dropped); i < ids.size(); ++i) {
        loaded.texts[ids[i]] = u"T";
    }
    return loaded;
}

TEST(TranslationReport, PercentageAndMissingList) {
    Table extra = LoadedWithout(0);
    extra.texts[100] = u"not in English"; // counts for nothing
    Table emptyTexts = LoadedWithout(0);
    emptyTexts.texts[0] = u"";
    emptyTexts.texts[63] = u"";

    struct Case {
        const char* name;
        Table loaded;
        Text expected;
    };
    const Case cases[] = {
        {"complete", LoadedWithout(0), u"100 %"},
        {"complete with an extra id", extra, u"100 %"},
        {"30 of 37", LoadedWithout(7),
         u"81 %\n\nmiss:\n0=E0\n3=E3\n4=E4\n5=E5\n6=E6\n7=E7\n8=E8\n"},
        {"12 missing", LoadedWithout(12),
         u"67 %\n\nmiss:\n0=E0\n3=E3\n4=E4\n5=E5\n6=E6\n7=E7\n8=E8\n9=E9\n10=E10\n"
         u"........\n11,12,13,"},
        {"10 missing: the list starts with the 10th", LoadedWithout(10),
         u"72 %\n\nmiss:\n0=E0\n3=E3\n4=E4\n5=E5\n6=E6\n7=E7\n8=E8\n9=E9\n10=E10\n"
         u"........\n11,"},
        {"9 missing: no dots", LoadedWithout(9),
         u"75 %\n\nmiss:\n0=E0\n3=E3\n4=E4\n5=E5\n6=E6\n7=E7\n8=E8\n9=E9\n10=E10\n"},
        {"empty texts are missing", emptyTexts, u"94 %\n\nmiss:\n0=E0\n63=E63\n"},
    };
    const Table english = EnglishTable();
    for (const Case& c : cases) {
        EXPECT_EQ(TranslationReport(english.Lookup(), c.loaded.Lookup()), c.expected) << c.name;
    }
}

TEST(TranslationReport, IdsUpTo255AndNoEnglishAtAll) {
    Table english;
    english.texts[255] = u"late";
    english.texts[256] = u"beyond the table";
    EXPECT_EQ(TranslationReport(english.Lookup(), Table().Lookup()), u"0 %\n\nmiss:\n255=late\n");
    // No English texts: nothing to measure against, and no division by zero.
    EXPECT_EQ(TranslationReport(Table().Lookup(), LoadedWithout(0).Lookup()), u"0 %");
}

// --- Against the embedded catalogue: export, re-import, the report, refused files.

class TranslationWithCatalogue : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(catalogue.BuildFromBlock(EmbeddedCatalogBlock())); }

    ImportOutcome Import(const Bytes& bytes) {
        return ImportTranslationBytes(TranslationFileStatus::Loaded, bytes, u"file.txt",
                                      ansi.Converter(), catalogue, slot);
    }
    // A file with English's id=text lines, without the given ids.
    Bytes FileWithout(const std::vector<int>& ids) {
        Text text = u"\uFEFF";
        for (int id = 0; id < 128; ++id) {
            const char16_t* english = catalogue.RowText(kEnglishIndex, id);
            if (english != nullptr && std::find(ids.begin(), ids.end(), id) == ids.end()) {
                text += DecimalText(id) + u"=" + english + u"\r\n";
            }
        }
        return Utf16LeBytes(text);
    }

    Catalogue catalogue;
    TranslationSlot slot;
    FakeAnsi ansi;
};

TEST_F(TranslationWithCatalogue, ExportStartsWithTheRequestAndEndsWithEnglish) {
    const Text text = ComposeTranslationExport(catalogue);
    const Text head = u"\uFEFF!!!! Please don't forget !!!! Write in e-mail subject: Strings "
                      u"for: Glimmerix 3.19 LNG:xxxx\r\n\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const Text request = catalogue.SectionZeroValue(25);
    EXPECT_EQ(text.substr(head.size(), request.size() + 4), request + u"\r\n\r\n");
    Text english = catalogue.EnglishReference();
    if (english.starts_with(u'\n')) {
        english.erase(0, 1);
    }
    EXPECT_TRUE(english.starts_with(u"TranslatorName=")) << TextToUtf8(english);
    EXPECT_EQ(text.substr(head.size() + request.size() + 4), english);
    EXPECT_NE(request.find(u"\r\n"), Text::npos); // escapes already line breaks
}

TEST_F(TranslationWithCatalogue, ReimportingTheExportIsComplete) {
    const ImportOutcome outcome = Import(Utf16LeBytes(ComposeTranslationExport(catalogue)));
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.message, u"100 %");
    EXPECT_EQ(ansi.calls, 0);
    for (int id = 0; id < 128; ++id) {
        const char16_t* english = catalogue.RowText(kEnglishIndex, id);
        const char16_t* loaded = slot.Current()->TextOf(id);
        EXPECT_EQ(english == nullptr, loaded == nullptr) << id;
        if (english != nullptr && loaded != nullptr) {
            EXPECT_EQ(Text(english), Text(loaded)) << id;
        }
    }
}

TEST_F(TranslationWithCatalogue, ReportsMissingEnglishTexts) {
    const ImportOutcome outcome = Import(FileWithout({0, 3, 9, 17, 40, 56, 63}));
    EXPECT_EQ(outcome.message,
              u"81 %\n\nmiss:\n0=16.11.2016\n3=The current time interval is \n"
              u"9=To start or stop the test press the key [ENTER]. \n"
              u"17=Window\n"
              u"40=Glimmerix is a small program but an effective solution.\n"
              u"56=I hope \"you found nothing\" ;) !\n"
              u"63=with a little luck, some or all paralyzed pixels are revived!\n");
}

TEST_F(TranslationWithCatalogue, FilesWithoutUsableLines) {
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"UTF-16LE without BOM", Utf16LeBytes(u"3=Drei\r\n4=Vier\r\n")},
        {"empty file", {}},
        {"BOM only", {0xFF, 0xFE}},
        {"ids out of range", AsciiBytes("128=a\n-1=b\n99999999999=c\n")},
    };
    for (const Case& c : cases) {
        const ImportOutcome outcome = Import(c.bytes);
        EXPECT_TRUE(outcome.loaded) << c.name;
        for (int id = 0; id < 256; ++id) {
            EXPECT_EQ(slot.Current()->TextOf(id), nullptr) << c.name << " " << id;
        }
        EXPECT_TRUE(outcome.message.starts_with(u"0 %\n\nmiss:\n0=16.11.2016\n")) << c.name;
        EXPECT_EQ(Text(LookupText(catalogue, slot.Current(), 1, 3)), u"str:3?") << c.name;
    }
}

TEST_F(TranslationWithCatalogue, RefusedFilesChangeNothing) {
    ASSERT_TRUE(Import(AsciiBytes("3=Kept\n")).loaded);
    const LoadedTranslation* before = slot.Current();
    struct Case {
        const char* name;
        TranslationFileStatus readStatus;
        Bytes bytes;
    };
    const Case cases[] = {
        {"unreadable", TranslationFileStatus::Unreadable, {}},
        {"too large when read", TranslationFileStatus::TooLarge, {}},
        {"too large when decoded", TranslationFileStatus::Loaded,
         Bytes(kMaxTranslationFileBytes + 1, 'a')},
    };
    for (const Case& c : cases) {
        const ImportOutcome outcome = ImportTranslationBytes(c.readStatus, c.bytes, u"C:\\x.txt",
                                                             ansi.Converter(), catalogue, slot);
        EXPECT_FALSE(outcome.loaded) << c.name;
        EXPECT_NE(outcome.message.find(u"C:\\x.txt"), Text::npos) << c.name;
        EXPECT_EQ(slot.Current(), before) << c.name;
    }
    TranslationSlot untouched;
    const ImportOutcome failed = ImportTranslationBytes(TranslationFileStatus::Unreadable, {}, u"x",
                                                        ansi.Converter(), catalogue, untouched);
    EXPECT_FALSE(failed.loaded);
    EXPECT_EQ(untouched.Current(), nullptr); // lookups keep using the catalogue
}

} // namespace
