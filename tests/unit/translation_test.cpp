// Translation export and import: the exported text byte for byte, decoding of
// imported files (UTF-16 with BOM, ANSI, broken and oversized ones) and the report.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

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
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeTranslationExport(c.programName, c.request, c.reference), c.expected)
            << c.name;
    }
}

TEST(TranslationExport, BytesAreUtf16LeWithBomAndNoTerminator) {
    const Text text = ComposeTranslationExport(u"\u0416", u"r", u"3=\u4E2D\r\n");
    const Bytes bytes = Utf16LeBytes(text);
    ASSERT_EQ(bytes.size(), text.size() * 2);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes[2], '!');
    EXPECT_EQ(bytes[3], 0);
    // "...for: " then U+0416 as 16 04.
    const std::size_t name = (1 + std::u16string_view(u"!!!! Please don't forget !!!! Write in "
                                                      u"e-mail subject: Strings for: ")
                                      .size()) *
                             2;
    EXPECT_EQ(bytes[name], 0x16);
    EXPECT_EQ(bytes[name + 1], 0x04);
    // The file ends with the last line's CR LF, no NUL after it.
    const Bytes tail(bytes.end() - 8, bytes.end());
    EXPECT_EQ(tail, (Bytes{0x3D, 0x00, 0x2D, 0x4E, 0x0D, 0x00, 0x0A, 0x00}));
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

TEST(TranslationImport, FailureMessagesNameTheFile) {
    EXPECT_EQ(TranslationFailureMessage(TranslationFileStatus::Loaded, u"C:\\a.txt"), u"");
    for (const auto status : {TranslationFileStatus::Unreadable, TranslationFileStatus::TooLarge}) {
        const Text message = TranslationFailureMessage(status, u"C:\\a.txt");
        EXPECT_NE(message.find(u"C:\\a.txt"), Text::npos);
        EXPECT_NE(message.find(u"stay as they were"), Text::npos);
    }
    EXPECT_NE(TranslationFailureMessage(TranslationFileStatus::TooLarge, u"x").find(u"4 MB"),
              Text::npos);
}

// The 37 ids that English has.
std::vector<int> EnglishIds() {
    std::vector<int> ids{0};
    for (int id = 3; id <= 17; ++id) {
        ids.push_back(id);
    }
    for (int id = 40; id <= 56; ++id) {
        ids.push_back(id);
    }
    for (int id = 60; id <= 63; ++id) {
        ids.push_back(id);
    }
    return ids;
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

TEST(TranslationReport, NothingLoadedListsEveryEnglishText) {
    const Text report = TranslationReport(EnglishTable().Lookup(), Table().Lookup());
    EXPECT_EQ(report.substr(0, 12), u"0 %\n\nmiss:\n0");
    EXPECT_NE(report.find(u"........\n11,12,13,14,15,16,17,40,"), Text::npos);
    EXPECT_EQ(report.substr(report.size() - 12), u"60,61,62,63,");
}

TEST(TranslationReport, IdsUpTo255AndNoEnglishAtAll) {
    Table english;
    english.texts[255] = u"late";
    english.texts[256] = u"beyond the table";
    EXPECT_EQ(TranslationReport(english.Lookup(), Table().Lookup()), u"0 %\n\nmiss:\n255=late\n");
    // No English texts: nothing to measure against, and no division by zero.
    EXPECT_EQ(TranslationReport(Table().Lookup(), LoadedWithout(0).Lookup()), u"0 %");
}

} // namespace
