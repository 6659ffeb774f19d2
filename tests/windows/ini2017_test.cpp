// CIni2017 against real ini files through the Windows private-profile services: the
// integer and string operations, path kinds, the choice of the settings file, and the
// number parser checked against the C runtime's own wcstol.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>

#include "defects/shared_log.h"
#include "defects/stored_marks.h"
#include "defects/win/stored_log.h"
#include "screens/win/gdi_owners.h"
#include "settings/ini_rules.h"
#include "settings/win/ini2017.h"
#include "tests/windows/support/scratch_files.h"
#include "text/win/wide.h"

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// A key read straight from a file, bypassing the store.
Text ReadKeyDirect(const Text& file, const Text& key) {
    wchar_t buffer[kIniBufferChars] = {};
    GetPrivateProfileStringW(L"Program", Wide(key), L"<missing>", buffer, kIniBufferChars,
                             Wide(file));
    return FromWide(buffer);
}

// Program, temporary and application-data folders side by side in a scratch folder.
struct Location {
    ScratchFolder scratch;
    Text program = scratch.Make(u"Program Files");
    Text temp = scratch.Make(u"Temp");
    Text appData = scratch.Make(u"Roaming");
    Text besideProgram = JoinPath(program, u"Glimmerix.ini");
    Text userFolder = JoinPath(appData, u"Glimmerix");
    Text userFile = JoinPath(userFolder, u"Glimmerix.ini");

    void Setup() { EXPECT_EQ(CIni2017::SetupFrom(program, temp, appData), 1); }
};

// Runs `setup` and checks that it chose `expectedFile` and wrote this run's start
// mark into it.
template <class Setup> void ExpectStartMark(const Text& expectedFile, Setup setup) {
    const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
    setup();
    const std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
    ASSERT_EQ(CIni2017::SettingsFilePath(), expectedFile);
    const std::int32_t mark = ParseIniInt(ReadKeyDirect(expectedFile, u"TestIni"));
    EXPECT_GE(mark, before - 22);
    EXPECT_LE(mark, after - 22);
}

void SetupAndExpectStartMark(Location& location, const Text& expectedFile) {
    ExpectStartMark(expectedFile, [&] { location.Setup(); });
}

// The ini that a test fills and then reads through the store: put beside the program
// before the set-up, so that the set-up chooses it.
void SetupWithContent(Location& location, const std::string& content) {
    WriteFileBytes(location.besideProgram, content);
    location.Setup();
    ASSERT_EQ(CIni2017::SettingsFilePath(), location.besideProgram);
}

TEST(Ini2017Parse, AgreesWithTheRuntime) {
    static_assert(sizeof(long) == 4, "long is 32 bits on Windows");
    // Every UTF-16 unit as leading text, between sign and digits, inside the digits and
    // alone; then the ends of the range.
    std::vector<std::wstring> samples = {
        L"2147483647", L"2147483648", L"-2147483648",     L"-2147483649",         L"-99999999999",
        L"  +000123x", L"- 1",        L"\x3000\x2000-12", L"18446744073709551616"};
    for (int unit = 1; unit <= 0xFFFF; ++unit) {
        const auto c = static_cast<wchar_t>(unit);
        samples.insert(samples.end(), {std::wstring{c, L'7', L'3'}, std::wstring{L'-', c, L'7'},
                                       std::wstring{L'4', c, L'2'}, std::wstring{c}});
    }
    for (const std::wstring& sample : samples) {
        ASSERT_EQ(ParseIniInt(FromWide(sample.c_str())), std::wcstol(sample.c_str(), nullptr, 10))
            << TextToUtf8(FromWide(sample.c_str()));
    }
}

TEST(Ini2017, ValuesRoundTripThroughTheFile) {
    Location location;
    location.Setup();
    const std::int32_t values[] = {0, 1, -1, 42, -42, 1000, kMax, kMin};
    for (const std::int32_t value : values) {
        EXPECT_NE(CIni2017::WriteProgramInt(u"value", value), 0);
        EXPECT_EQ(CIni2017::ReadProgramInt(u"value", 12345), value);
        EXPECT_EQ(ReadKeyDirect(CIni2017::SettingsFilePath(), u"value"), DecimalText(value));
    }
    EXPECT_NE(CIni2017::WriteProgramString(u"word", u"Glimmer \u00E6\u00F8\u00E5"), 0);
    IniBuffer buffer{};
    EXPECT_EQ(CIni2017::ReadProgramString(u"word", buffer), 11);
    EXPECT_EQ(Text(buffer.data()), u"Glimmer \u00E6\u00F8\u00E5");
    // A write that names its own file leaves the settings file alone.
    EXPECT_NE(CIni2017::WriteInt(u"Program", u"explicit", -5, &location.besideProgram), 0);
    EXPECT_EQ(ReadKeyDirect(location.besideProgram, u"explicit"), u"-5");
    EXPECT_EQ(CIni2017::ReadProgramInt(u"explicit", 3), 3);
}

// The defect log through the real services: a full log of the longest entries comes
// back whole, the last mark's removal takes the key out and the section with it, a
// value longer than the read buffer gives the marks it holds up to the limit, the
// other settings untouched; a monitor that names itself keeps its marks under its name.
TEST(Ini2017, DefectLogsOfAThousandMarksAndOversizedValues) {
    Location location;
    location.Setup();
    EXPECT_NE(CIni2017::WriteProgramInt(u"lng", 7), 0);
    const MonitorPlace output{u"\\\\.\\DISPLAY1", 0, 0};
    const MonitorIdentity unnamed;
    const auto stored = [](const wchar_t* key) {
        wchar_t value[64] = {};
        GetPrivateProfileStringW(L"Pixel defects", key, L"none", value, 64,
                                 Wide(CIni2017::SettingsFilePath()));
        return FromWide(value);
    };
    ShowStoredLog(output, 3840, 2160, unnamed);
    MarkLog full(3840, 2160);
    for (int i = 0; full.Marks().size() < static_cast<std::size_t>(kMostMarks); ++i) {
        full.Add({3839 - i, 2159 - i % 7, 1 + i % 3, 13});
    }
    EXPECT_TRUE(KeepLog(full));
    ShowStoredLog(output, 1920, 1080, unnamed);
    EXPECT_TRUE(TheDefectLog().Get()->log.Empty()) << "another size has a log of its own";
    ShowStoredLog(output, 3840, 2160, unnamed);
    EXPECT_EQ(TheDefectLog().Get()->log.Marks(), full.Marks());
    EXPECT_TRUE(KeepLog(MarkLog(3840, 2160)));
    EXPECT_EQ(stored(L"3840x2160 \\\\.\\DISPLAY1"), u"none");
    wchar_t sections[64] = {};
    GetPrivateProfileSectionNamesW(sections, 64, Wide(CIni2017::SettingsFilePath()));
    EXPECT_EQ(FromWide(sections), u"Program");
    EXPECT_EQ(sections[std::wcslen(sections) + 1], L'\0') << "an empty section stays behind";

    // Marks kept under the output before its monitor was known go with the monitor.
    MonitorIdentity dell;
    dell.valid = true;
    dell.manufacturerId = u"DEL";
    dell.productCode = 0xA0F5;
    dell.serialText = u"X9R5 K8";
    EXPECT_NE(CIni2017::WriteString(u"Pixel defects", u"1920x1080 \\\\.\\DISPLAY1", u"5,5,1,1"), 0);
    ShowStoredLog(output, 1920, 1080, dell);
    MarkLog more = TheDefectLog().Get()->log;
    EXPECT_EQ(more.Marks().size(), 1u) << "the output's marks are read";
    more.Add({6, 6, 3, 2});
    EXPECT_TRUE(KeepLog(more));
    EXPECT_EQ(stored(L"1920x1080 DELA0F5 X9R5_K8"), u"5,5,1,1 6,6,3,2");
    EXPECT_EQ(stored(L"1920x1080 \\\\.\\DISPLAY1"), u"none");
    MonitorIdentity another = dell;
    another.serialText = u"Y7";
    ShowStoredLog(output, 1920, 1080, another);
    EXPECT_TRUE(TheDefectLog().Get()->log.Empty()) << "another monitor on the same output";
    ShowStoredLog({u"\\\\.\\DISPLAY2", 1920, 0}, 1920, 1080, dell);
    EXPECT_EQ(TheDefectLog().Get()->log.Marks(), more.Marks()) << "the monitor on another output";
    EXPECT_EQ(TheDefectLog().Get()->monitor.left, 1920);

    Text huge;
    for (int i = 0; huge.size() < 2 * kStoredMarksChars; ++i) {
        huge += FormatText(u"%d,%d,2,0 ", {std::int64_t{i % 3000}, std::int64_t{i / 3000}});
    }
    EXPECT_NE(CIni2017::WriteString(u"Pixel defects", u"3000x3000 big", huge), 0);
    ShowStoredLog({u"big", 0, 0}, 3000, 3000, unnamed);
    EXPECT_EQ(TheDefectLog().Get()->log.Marks().size(), static_cast<std::size_t>(kMostMarks));
    EXPECT_EQ(CIni2017::ReadProgramInt(u"lng", 0), 7);
}

TEST(Ini2017, ReadIntAppliesDefaultsParsingAndRange) {
    Location location;
    SetupWithContent(location, "[Program]\r\n"
                               "empty=\r\n"
                               "abc=abc\r\n"
                               "five=5\r\n"
                               "big=50000\r\n"
                               "trailing=12abc\r\n"
                               "padded=   42   \r\n"
                               "huge=99999999999\r\n"
                               "lng=99\r\n"
                               "[Other]\r\n"
                               "elsewhere=3\r\n");
    struct Case {
        const char16_t* key;
        std::int32_t defaultValue;
        std::int32_t lower;
        std::int32_t upper;
        std::int32_t expected;
    };
    const Case cases[] = {
        {u"empty", 1000, -1, -1, 1000},
        {u"empty", 1000, 10, 10000, 1000},
        {u"abc", 1000, -1, -1, 0},
        {u"abc", 1000, 10, 10000, 10},
        {u"five", 1000, 10, 10000, 10},
        {u"big", 1000, 10, 10000, 10000},
        {u"trailing", 0, -1, -1, 12},
        {u"padded", 0, -1, -1, 42},
        {u"huge", 0, -1, -1, kMax},
        {u"lng", 1, -1, -1, 99},
        {u"missing", 1000, 10, 10000, 1000},
        {u"missing", 5, 10, 10000, 10}, // the default is brought into range too
        {u"elsewhere", 8, -1, -1, 8},   // another section's key is not this one's
        {u"five", 0, 100, 50, 100},     // lower bound above the upper one wins
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CIni2017::ReadInt(u"Program", c.key, c.defaultValue, c.lower, c.upper),
                  c.expected)
            << TextToUtf8(c.key);
    }
    EXPECT_EQ(CIni2017::ReadInt(u"Other", u"elsewhere", 8, -1, -1), 3);
}

TEST(Ini2017, MissingSettingsFileGivesDefaultsAndFailedWrites) {
    ScratchFolder scratch;
    // The per-user folder cannot be made inside a folder that does not exist, so the
    // settings file never comes to be.
    const Text appData = scratch.File(u"absent\\deeper");
    EXPECT_EQ(CIni2017::SetupFrom(scratch.Make(u"program"), scratch.Make(u"temp"), appData), 1);
    EXPECT_EQ(CIni2017::SettingsFilePath(), JoinPath(appData, u"Glimmerix\\Glimmerix.ini"));
    EXPECT_EQ(CIni2017::GetPathKind(CIni2017::SettingsFilePath()), 0);
    EXPECT_EQ(CIni2017::WriteProgramInt(u"lng", 2), 0);
    EXPECT_EQ(CIni2017::ReadProgramInt(u"lng", 22), 22);
    EXPECT_EQ(CIni2017::ReadInt(u"Program", u"test_millisecond", 1000, 10, 10000), 1000);
    IniBuffer buffer{};
    buffer[0] = u'x';
    EXPECT_EQ(CIni2017::ReadProgramString(u"TestIni", buffer), 1);
    EXPECT_EQ(Text(buffer.data()), u"x");
}

TEST(Ini2017, ReadStringUsesTheBufferAsDefaultAndDestination) {
    Location location;
    SetupWithContent(location, "[Program]\r\nname=stored text\r\nempty=\r\nlong=abcdefgh\r\n");
    const Text otherFile = JoinPath(location.program, u"other.ini");
    WriteFileBytes(otherFile, "[Program]\r\nname=from the other file\r\n");
    const Text missingFile = JoinPath(location.program, u"missing.ini");
    struct Case {
        const char16_t* key;
        const char16_t* defaultText;
        int capacity;
        const Text* file;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"name", u"default", 64, nullptr, u"stored text"},
        {u"missing", u"default", 64, nullptr, u"default"},
        {u"missing", u"", 64, nullptr, u""},
        {u"empty", u"default", 64, nullptr, u""},
        {u"long", u"", 4, nullptr, u"abc"},              // cut to capacity - 1
        {u"missing", u"defaultxyz", 4, nullptr, u"def"}, // so is the default
        {u"name", u"", 64, &otherFile, u"from the other file"},
        {u"name", u"default", 64, &missingFile, u"default"},
    };
    for (const Case& c : cases) {
        IniBuffer buffer{};
        std::fill(buffer.begin(), buffer.end(), u'#');
        const Text defaultText(c.defaultText);
        std::copy(defaultText.begin(), defaultText.end(), buffer.begin());
        buffer[defaultText.size()] = u'\0';
        const IniBuffer before = buffer;
        const int placed =
            CIni2017::ReadString(u"Program", c.key, buffer.data(), c.capacity, c.file);
        EXPECT_EQ(Text(buffer.data()), Text(c.expected)) << TextToUtf8(c.key);
        EXPECT_EQ(placed, static_cast<int>(Text(c.expected).size())) << TextToUtf8(c.key);
        // Nothing is written past the capacity.
        EXPECT_TRUE(
            std::equal(buffer.begin() + c.capacity, buffer.end(), before.begin() + c.capacity))
            << TextToUtf8(c.key);
    }
    EXPECT_EQ(CIni2017::ReadString(u"Program", u"name", nullptr, 64), 0);
}

TEST(Ini2017, GetPathKindTellsFilesFoldersAndAbsence) {
    ScratchFolder scratch;
    const Text file = scratch.File(u"file.txt");
    WriteFileBytes(file, "x");
    const Text readOnly = scratch.File(u"readonly.txt");
    WriteFileBytes(readOnly, "x");
    SetFileAttributesW(Wide(readOnly), FILE_ATTRIBUTE_READONLY);
    const Text folder = scratch.Make(u"folder");
    struct Case {
        Text path;
        int kind;
    };
    const Case cases[] = {
        {file, 1},
        {readOnly, 1},
        {folder, 2},
        {folder + u'\\', 2},
        {scratch.File(u"nothing.ini"), 0},
        {scratch.File(u"no folder\\nothing.ini"), 0},
        {JoinPath(file, u"below a file"), 0},
        {scratch.File(u"bad<name>.ini"), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CIni2017::GetPathKind(c.path), c.kind) << TextToUtf8(c.path);
    }
}

TEST(Ini2017Location, WritableIniBesideTheProgramIsUsed) {
    Location location;
    WriteFileBytes(location.besideProgram, "");
    SetupAndExpectStartMark(location, location.besideProgram);
    EXPECT_EQ(CIni2017::GetPathKind(location.userFolder), 0);
}

TEST(Ini2017Location, NoIniBesideTheProgramUsesAndCreatesThePerUserFile) {
    Location location;
    SetupAndExpectStartMark(location, location.userFile);
    EXPECT_EQ(CIni2017::GetPathKind(location.userFolder), 2);
    EXPECT_EQ(CIni2017::GetPathKind(location.userFile), 1);
    EXPECT_EQ(CIni2017::GetPathKind(location.besideProgram), 0);
}

TEST(Ini2017Location, ExistingPerUserFileKeepsItsSettings) {
    Location location;
    CreateDirectoryW(Wide(location.userFolder), nullptr);
    WriteFileBytes(location.userFile, "[Program]\r\nlng=2\r\nuse_test_3=1\r\nTestIni=5\r\n");
    SetupAndExpectStartMark(location, location.userFile);
    EXPECT_EQ(CIni2017::ReadProgramInt(u"lng", 1), 2);
    EXPECT_EQ(CIni2017::ReadProgramInt(u"use_test_3", 0), 1);
}

TEST(Ini2017Location, FolderNamedLikeTheIniIsNotUsed) {
    Location location;
    CreateDirectoryW(Wide(location.besideProgram), nullptr);
    SetupAndExpectStartMark(location, location.userFile);
    EXPECT_EQ(CIni2017::GetPathKind(location.besideProgram), 2);
}

TEST(Ini2017Location, IniThatCannotBeWrittenIsNotUsedAndKeepsItsContent) {
    Location location;
    const std::string content = "[Program]\r\nlng=5\r\n";
    WriteFileBytes(location.besideProgram, content);
    {
        // Another program holds the file open and lets nobody write it.
        const UniqueHandle holder(CreateFileW(Wide(location.besideProgram), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        SetupAndExpectStartMark(location, location.userFile);
    }
    EXPECT_EQ(ReadFileBytes(location.besideProgram), BytesOf(content));
}

TEST(Ini2017Location, ReadOnlyIniIsNotUsedAndKeepsItsContent) {
    Location location;
    const std::string content = "[Program]\r\nlng=5\r\n";
    WriteFileBytes(location.besideProgram, content);
    ASSERT_TRUE(SetFileAttributesW(Wide(location.besideProgram), FILE_ATTRIBUTE_READONLY));
    if (UniqueHandle(CreateFileW(Wide(location.besideProgram), GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
        GTEST_SKIP() << "this system lets the process write read-only files (Wine running as root)";
    }
    SetupAndExpectStartMark(location, location.userFile);
    EXPECT_EQ(ReadFileBytes(location.besideProgram), BytesOf(content));
}

TEST(Ini2017Location, ProgramInsideTheTemporaryFolderUsesThePerUserFile) {
    struct Case {
        const char16_t* tempSuffix; // appended to the scratch folder's path
        const char16_t* programSuffix;
        bool perUser;
    };
    const Case cases[] = {
        {u"\\Temp\\", u"\\Temp\\archive", true},
        {u"\\TEMP", u"\\temp\\Archive", true},
        {u"\\Temp\\\\", u"\\Temp\\archive", false}, // two backslashes stay two
        {u"\\Temp", u"\\Temporary", false},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        const Text temp = scratch.path + c.tempSuffix;
        const Text program = scratch.path + c.programSuffix;
        // Folders are made from the longest path down; the spellings differ only in case.
        CreateDirectoryW(Wide(scratch.path + u"\\Temp"), nullptr);
        CreateDirectoryW(Wide(scratch.path + u"\\Temporary"), nullptr);
        CreateDirectoryW(Wide(program), nullptr);
        const Text beside = JoinPath(program, u"Glimmerix.ini");
        WriteFileBytes(beside, "");
        const Text appData = scratch.Make(u"Roaming");
        EXPECT_EQ(CIni2017::SetupFrom(program, temp, appData), 1);
        const Text expected = c.perUser ? JoinPath(appData, u"Glimmerix\\Glimmerix.ini") : beside;
        EXPECT_EQ(CIni2017::SettingsFilePath(), expected) << TextToUtf8(c.programSuffix);
        if (c.perUser) {
            EXPECT_EQ(ReadFileBytes(beside), Bytes()) << TextToUtf8(c.programSuffix);
        }
    }
}

TEST(Ini2017Location, UnknownProgramFolderUsesThePerUserFile) {
    Location location;
    EXPECT_EQ(CIni2017::SetupFrom(u"", location.temp, location.appData), 1);
    EXPECT_EQ(CIni2017::SettingsFilePath(), location.userFile);
}

TEST(Ini2017Location, RealSetupUsesTheSystemFolders) {
    const Text programFolder = CIni2017::GetProgramFolder();
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(programFolder, FolderOfPath(FromWide(module, length)));
    ASSERT_FALSE(programFolder.empty());
    EXPECT_NE(programFolder.back(), u'\\');
    ASSERT_EQ(CIni2017::GetPathKind(JoinPath(programFolder, u"Glimmerix.ini")), 0)
        << "a Glimmerix.ini beside the test program would be chosen instead";

    wchar_t appData[kIniBufferChars] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
    const Text userFile = FromWide(appData) + u"\\Glimmerix\\Glimmerix.ini";
    ExpectStartMark(userFile, [] { EXPECT_EQ(CIni2017::Setup(), 1); });
    EXPECT_EQ(CIni2017::GetPathKind(JoinPath(programFolder, u"Glimmerix.ini")), 0);
}

} // namespace
