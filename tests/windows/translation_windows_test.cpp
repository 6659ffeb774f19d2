// The translation tools against the real file system, code page and menus: the export
// file byte for byte, imports of real files (UTF-16 and ANSI), files that must change
// nothing, and the context menu made from the embedded catalogue.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/context_menu_entries.h"
#include "app/win/context_menu.h"
#include "screens/win/gdi_owners.h"
#include "tests/windows/support/scratch_files.h"
#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/loaded_translation.h"
#include "text/text_lookup.h"
#include "text/translation_export.h"
#include "text/win/translation_files.h"
#include "text/win/wide.h"

namespace {

// A small catalogue: section 0 with the program name and the request, two reserved
// sections, German and English.
const Text kSmallCatalogue = u"\uFEFF##\r\n0=Prog 9.9\r\n25=Send it\\r\\nback\r\n##\r\n##\r\n"
                             u"##=German\tDeutsch\r\n3=Drei\r\n##=English\tEnglisch\r\n"
                             u"TranslatorName=Someone\r\n3=Three\r\n\r\n4=Four \r\n##\r\n";

class TranslationFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(catalogue.BuildFromText(Utf16LeBytes(kSmallCatalogue))); }
    ScratchFolder folder;
    Catalogue catalogue;
};

TEST_F(TranslationFiles, ExportFileHoldsExactlyTheExportText) {
    EXPECT_EQ(TranslationExportPath(), TemporaryFolder() + u"translate_Glimmerix.txt");
    const Text path = folder.File(kExportFileName);
    ASSERT_TRUE(WriteTranslationExport(catalogue, path));
    const Text expected =
        u"\uFEFF!!!! Please don't forget !!!! Write in e-mail subject: Strings for: "
        u"Prog 9.9 LNG:xxxx\r\n\r\nSend it\r\nback\r\n\r\n"
        u"TranslatorName=Someone\r\n3=Three\r\n\r\n4=Four \r\n";
    EXPECT_EQ(ReadFileBytes(path), Utf16LeBytes(expected));
}

TEST_F(TranslationFiles, ExportReplacesALongerFileEvenWhenItCannotBeDeleted) {
    const Text path = folder.File(kExportFileName);
    WriteFileBytes(path, Bytes(100000, 'x'));
    // A reader that forbids deleting keeps the old file in place; the new text must
    // still not keep the old tail.
    {
        const UniqueHandle reader(CreateFileW(Wide(path), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader);
        ASSERT_TRUE(WriteTranslationExport(catalogue, path));
    }
    EXPECT_EQ(ReadFileBytes(path), Utf16LeBytes(ComposeTranslationExport(catalogue)));
}

TEST_F(TranslationFiles, ImportsRealFiles) {
    const Text utf16 = folder.File(u"utf16.txt");
    WriteFileBytes(utf16,
                   Utf16LeBytes(u"\uFEFFheader line\r\n3=Drei \u0416\r\n4=Vier\r\n5=no end"));
    const Text ansi = folder.File(u"ansi.txt");
    WriteFileBytes(ansi, "3=Ansi\r\n4=B\n");

    TranslationSlot slot;
    ImportOutcome outcome = ImportTranslationFromFile(utf16, catalogue, slot);
    ASSERT_TRUE(outcome.loaded);
    ASSERT_NE(slot.Current(), nullptr);
    EXPECT_EQ(Text(slot.Current()->TextOf(3)), u"Drei \u0416");
    EXPECT_EQ(Text(slot.Current()->TextOf(4)), u"Vier");
    EXPECT_EQ(slot.Current()->TextOf(5), nullptr); // last line without LF
    EXPECT_EQ(outcome.message, u"66 %\n\nmiss:\n0=Someone\n");

    outcome = ImportTranslationFromFile(ansi, catalogue, slot);
    ASSERT_TRUE(outcome.loaded);
    EXPECT_EQ(Text(slot.Current()->TextOf(3)), u"Ansi");
    EXPECT_EQ(Text(slot.Current()->TextOf(4)), u"B");
}

TEST_F(TranslationFiles, AnsiCodePageConvertsWholeFileBackToTheSameBytes) {
    // Far more than one 1024-byte chunk of text. On a single-byte code page every byte
    // from 0x20 up is a character; on a multi-byte one the test keeps to ASCII.
    CPINFO codePage = {};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &codePage));
    const int highest = codePage.MaxCharSize == 1 ? 0xFF : 0x7F;
    std::string ansi;
    for (int round = 0; round < 40; ++round) {
        for (int b = 0x20; b <= highest; ++b) {
            if (b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) {
                ansi.push_back(static_cast<char>(b)); // bytes without a character skipped
            }
        }
        ansi += "\r\n";
    }
    const std::optional<Text> text = AnsiCodePageToText(ansi);
    ASSERT_TRUE(text.has_value());
    ASSERT_EQ(text->size(), ansi.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, Wide(*text), static_cast<int>(text->size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string back(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, Wide(*text), static_cast<int>(text->size()), back.data(), needed,
                        nullptr, nullptr);
    EXPECT_EQ(back, ansi);
    EXPECT_EQ(AnsiCodePageToText(""), Text());
}

TEST_F(TranslationFiles, FilesThatCannotBeLoadedChangeNothing) {
    TranslationSlot slot;
    const Text good = folder.File(u"good.txt");
    WriteFileBytes(good, Utf16LeBytes(u"\uFEFF3=Kept\r\n"));
    ASSERT_TRUE(ImportTranslationFromFile(good, catalogue, slot).loaded);
    const LoadedTranslation* before = slot.Current();

    const Text oversize = folder.File(u"oversize.txt");
    {
        const UniqueHandle file(CreateFileW(Wide(oversize), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size;
        size.QuadPart = static_cast<LONGLONG>(kMaxTranslationFileBytes) + 1;
        SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN);
        SetEndOfFile(file.Get());
    }
    const Text subfolder = folder.Make(u"sub");

    struct Case {
        const char* name;
        Text path;
        TranslationFileStatus status;
    };
    const Case cases[] = {
        {"missing file", folder.File(u"missing.txt"), TranslationFileStatus::Unreadable},
        {"a folder", subfolder, TranslationFileStatus::Unreadable},
        {"above the bound", oversize, TranslationFileStatus::TooLarge},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadTranslationFile(c.path).status, c.status) << c.name;
        const ImportOutcome outcome = ImportTranslationFromFile(c.path, catalogue, slot);
        EXPECT_FALSE(outcome.loaded) << c.name;
        EXPECT_EQ(outcome.message, TranslationFailureMessage(c.status, c.path)) << c.name;
        EXPECT_EQ(slot.Current(), before) << c.name;
        EXPECT_EQ(Text(slot.Current()->TextOf(3)), u"Kept") << c.name;
    }
}

TEST_F(TranslationFiles, FileAtTheBoundIsRead) {
    const Text path = folder.File(u"bound.txt");
    Bytes bytes(kMaxTranslationFileBytes, 'a');
    bytes[kMaxTranslationFileBytes - 1] = '\n';
    WriteFileBytes(path, bytes);
    const TranslationFileBytes file = ReadTranslationFile(path);
    EXPECT_EQ(file.status, TranslationFileStatus::Loaded);
    EXPECT_EQ(file.bytes, bytes);
}

// The text, identifier and state of a menu's item at `position`.
struct MenuItem {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    Text text;
};

MenuItem ItemAt(HMENU menu, int position) {
    wchar_t buffer[256] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return {info.fType, info.fState, info.wID, FromWide(buffer)};
}

TEST(ContextMenuWindows, MenuOfTheEmbeddedCatalogue) {
    Catalogue embedded;
    ASSERT_TRUE(embedded.BuildFromBlock(EmbeddedCatalogBlock()));
    const std::vector<LanguageChoice> languages = ContextMenuLanguages(embedded);
    const PopupMenu menu = CreatePopupMenuFrom(BuildContextMenuEntries(languages, 3));
    ASSERT_NE(menu.Get(), nullptr);
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 24 + 4);
    for (int i = 0; i < 24; ++i) {
        const MenuItem item = ItemAt(menu.Get(), i);
        EXPECT_EQ(item.id, static_cast<UINT>(10 + i)) << i;
        EXPECT_EQ(item.type, static_cast<UINT>(MFT_STRING)) << i;
        const bool greyed = (item.state & MFS_GRAYED) != 0;
        EXPECT_EQ(greyed, i == 3) << i;
        EXPECT_EQ(item.text, FormatText(u"%s / %d %%", {TextView(embedded.LanguageName(i)),
                                                        std::int64_t{embedded.Completeness(i)}}))
            << i;
    }
    EXPECT_EQ(ItemAt(menu.Get(), 0).text, u"German\tDeutsch / 100 %");
    EXPECT_EQ(ItemAt(menu.Get(), 24).type, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(ItemAt(menu.Get(), 25).id, 1000u);
    EXPECT_EQ(ItemAt(menu.Get(), 25).text, u"Translate");
    EXPECT_EQ(ItemAt(menu.Get(), 26).id, 1001u);
    EXPECT_EQ(ItemAt(menu.Get(), 26).text, u"Load from File (Unicode)");
    EXPECT_EQ(ItemAt(menu.Get(), 27).type, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(ItemAt(menu.Get(), 27).id, 555u);
}

} // namespace
