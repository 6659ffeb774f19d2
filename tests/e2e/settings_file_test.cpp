// Where the program keeps its settings, observed under Wine: the ini file beside the
// program when one is there and writable, else the per-user one, each stamped with
// "TestIni" at start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// What lies beside the program before it starts.
enum class Beside {
    Nothing,
    EmptyFile,
    EmptyUtf16File, // just a UTF-16LE byte order mark
    FileWithOtherKeys,
    ReadOnlyFile,
    Folder, // a folder named like the ini file
};

struct LocationCase {
    const char* name;
    Beside beside;
    bool inTemporaryFolder; // the program runs from inside the profile's temp folder
    bool usesFileBeside;
};

void PrintTo(const LocationCase& c, std::ostream* os) {
    *os << c.name;
}

const LocationCase kLocationCases[] = {
    {"NoIniAnywhere", Beside::Nothing, false, false},
    {"EmptyWritableIniBeside", Beside::EmptyFile, false, true},
    {"EmptyUtf16IniBeside", Beside::EmptyUtf16File, false, true},
    {"IniBesideWithOtherKeys", Beside::FileWithOtherKeys, false, true},
    {"ReadOnlyIniBeside", Beside::ReadOnlyFile, false, false},
    {"FolderNamedGlimmerixIniBeside", Beside::Folder, false, false},
    {"IniBesideProgramInTemporaryFolder", Beside::EmptyFile, true, false},
};

const std::string kOtherKeys = "[Program]\r\nlng=3\r\nuse_test_2=1\r\n";
const std::string kReadOnlyContent = "[Program]\r\nTestIni=12345\r\nlng=2\r\n";

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::optional<long long> ParseInteger(const std::optional<std::string>& text) {
    if (!text || text->empty()) {
        return std::nullopt;
    }
    std::size_t used = 0;
    const long long value = std::stoll(*text, &used);
    if (used != text->size()) {
        return std::nullopt;
    }
    return value;
}

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {
protected:
    void SetUp() override {
        exe = ProgramUnderTest();
        if (!exe) {
            GTEST_SKIP() << "GLIMMERIX_EXE is unset or names no file; build the windows "
                            "preset and run through scripts/test or ctest --preset e2e";
        }
        std::string error;
        session = Session::Start(SessionOptions{}, &error);
        ASSERT_TRUE(session) << error;
    }

    void TearDown() override {
        if (HasFailure() && session) {
            std::cerr << session->LogTail() << "\n";
        }
    }

    std::optional<fs::path> exe;
    std::unique_ptr<Session> session;
};

TEST_P(SettingsLocation, ChoosesTheFileAndStampsIt) {
    const LocationCase& c = GetParam();
    std::string error;
    // Where the user's temporary folder is differs between Wine versions
    // (users\<name>\Temp, users\<name>\AppData\Local\Temp): the prefix tells.
    std::string temporary = "C:";
    for (const auto& part :
         session->Prefix().TemporaryFolder().lexically_relative(session->Prefix().DriveC())) {
        temporary += "\\" + part.string();
    }
    const std::string folder =
        c.inTemporaryFolder ? temporary + "\\Glimmerix" : std::string(kProgramFolder);
    ASSERT_TRUE(session->InstallProgram(*exe, &error, folder)) << error;
    const fs::path beside = session->ProgramIni();

    std::string besideBefore;
    switch (c.beside) {
    case Beside::Nothing:
        break;
    case Beside::EmptyFile:
        ASSERT_TRUE(WriteBytes(beside, ""));
        break;
    case Beside::EmptyUtf16File:
        besideBefore = std::string("\xFF\xFE", 2);
        ASSERT_TRUE(WriteBytes(beside, besideBefore));
        break;
    case Beside::FileWithOtherKeys:
        ASSERT_TRUE(WriteBytes(beside, kOtherKeys));
        break;
    case Beside::ReadOnlyFile:
        besideBefore = kReadOnlyContent;
        ASSERT_TRUE(WriteBytes(beside, besideBefore));
        if (!session->Prefix().MakeUnwritable(beside, &error)) {
            GTEST_SKIP() << error;
        }
        break;
    case Beside::Folder:
        ASSERT_TRUE(fs::create_directory(beside));
        break;
    }

    const long long startedAt = std::time(nullptr);
    // Differently spelt than the folder on disk: Windows paths ignore case, and so
    // must the program's test for the temporary folder.
    std::string launchPath;
    if (c.inTemporaryFolder) {
        launchPath = folder + "\\Glimmerix.exe";
        std::transform(launchPath.begin(), launchPath.end(), launchPath.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    }
    ASSERT_TRUE(session->Launch(&error, launchPath)) << error;
    // The settings are set up before the window is created.
    ASSERT_TRUE(session->WaitForMainWindow(20s)) << "no main window within 20 s";

    const fs::path used = c.usesFileBeside ? beside : session->PerUserIni();
    std::optional<IniFile> ini;
    std::optional<long long> stamp;
    WaitUntil(5s, [&] {
        ini = LoadIni(used);
        stamp = ini ? ParseInteger(ini->Get("Program", "TestIni")) : std::nullopt;
        return stamp && *stamp <= std::time(nullptr) - 22;
    });
    const long long seenAt = std::time(nullptr);
    ASSERT_TRUE(ini) << used << " was not written";
    ASSERT_TRUE(stamp) << used << " has no numeric TestIni in [Program]";
    EXPECT_GE(*stamp, startedAt - 22);
    EXPECT_LE(*stamp, seenAt - 22);

    std::error_code ec;
    if (c.usesFileBeside) {
        EXPECT_FALSE(fs::exists(session->PerUserIni(), ec)) << "the per-user file was created";
        EXPECT_FALSE(fs::exists(session->PerUserFolder(), ec)) << "the per-user folder was created";
    } else {
        EXPECT_TRUE(fs::is_directory(session->PerUserFolder(), ec));
    }

    switch (c.beside) {
    case Beside::Nothing:
        EXPECT_FALSE(fs::exists(beside, ec)) << "an ini file was created beside the program";
        break;
    case Beside::EmptyFile:
        if (!c.usesFileBeside) {
            EXPECT_EQ(ReadBytes(beside), "") << "the unused file beside the program changed";
        }
        break;
    case Beside::EmptyUtf16File:
        // The profile services keep a file's encoding.
        EXPECT_EQ(ini->encoding, IniEncoding::Utf16Le);
        break;
    case Beside::FileWithOtherKeys:
        EXPECT_EQ(ini->Get("Program", "lng"), "3");
        EXPECT_EQ(ini->Get("Program", "use_test_2"), "1");
        break;
    case Beside::ReadOnlyFile:
        EXPECT_EQ(ReadBytes(beside), besideBefore) << "the read-only file changed";
        break;
    case Beside::Folder:
        EXPECT_TRUE(fs::is_directory(beside, ec));
        EXPECT_TRUE(fs::is_empty(beside, ec));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Ini, SettingsLocation, ::testing::ValuesIn(kLocationCases),
                         [](const ::testing::TestParamInfo<LocationCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace e2e
