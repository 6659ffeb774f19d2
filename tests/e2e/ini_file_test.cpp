// The harness's ini reader against the shapes of file the profile services write and
// against broken ones; the settings tests judge the program by what it reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/ini_file.h"

namespace e2e {
namespace {

using namespace std::string_literals;

std::string Utf16Le(const std::string& ascii, bool bom = true) {
    std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
    for (const char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

std::string Utf16Be(const std::string& ascii) {
    std::string bytes("\xFE\xFF", 2);
    for (const char c : ascii) {
        bytes.push_back('\0');
        bytes.push_back(c);
    }
    return bytes;
}

struct Lookup {
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

struct ParseCase {
    const char* name;
    std::string bytes;
    IniEncoding encoding;
    std::vector<Lookup> lookups;
};

TEST(IniFile, ParsesWhatTheProfileServicesWriteAndSurvivesBrokenFiles) {
    const ParseCase cases[] = {
        {"ansi with CR LF",
         "[Program]\r\nTestIni=1700000000\r\nlng=2\r\n",
         IniEncoding::Ansi,
         {{"Program", "TestIni", "1700000000"}, {"Program", "lng", "2"}}},
        {"ansi with bare LF and no final line end",
         "[Program]\nlng=7",
         IniEncoding::Ansi,
         {{"Program", "lng", "7"}}},
        {"utf-16le with byte order mark",
         Utf16Le("[Program]\r\nTestIni=-22\r\n"),
         IniEncoding::Utf16Le,
         {{"Program", "TestIni", "-22"}}},
        {"utf-16be with byte order mark",
         Utf16Be("[Program]\r\nlng=4\r\n"),
         IniEncoding::Utf16Be,
         {{"Program", "lng", "4"}}},
        {"utf-8 with byte order mark",
         "\xEF\xBB\xBF[Program]\r\nlng=5\r\n",
         IniEncoding::Utf8,
         {{"Program", "lng", "5"}}},
        {"utf-16 without byte order mark is read as ansi, as the services read it",
         Utf16Le("[Program]\r\nlng=4\r\n", false),
         IniEncoding::Ansi,
         {{"Program", "lng", std::nullopt}}},
        {"names compared without case, blanks around names and values dropped",
         "  [ program ]  \r\n  LNG  =  3  \r\n",
         IniEncoding::Ansi,
         {{"PROGRAM", "lng", "3"}, {"Program", "Lng", "3"}}},
        {"first of duplicate keys wins; later sections of the same name count",
         "[Program]\r\nlng=1\r\nlng=2\r\n[Other]\r\nx=1\r\n[Program]\r\ny=9\r\n",
         IniEncoding::Ansi,
         {{"Program", "lng", "1"}, {"Program", "y", "9"}, {"Other", "lng", std::nullopt}}},
        {"comments, blank lines and a key without value",
         "; note\r\n\r\n[Program]\r\n;lng=9\r\nflag\r\nempty=\r\n",
         IniEncoding::Ansi,
         {{"Program", "lng", std::nullopt}, {"Program", "flag", ""}, {"Program", "empty", ""}}},
        {"keys before any section belong to the nameless one",
         "lng=8\r\n[Program]\r\n",
         IniEncoding::Ansi,
         {{"", "lng", "8"}, {"Program", "lng", std::nullopt}}},
        {"a header without its bracket opens no section",
         "[Program]\r\n[Broken\r\nlng=6\r\n",
         IniEncoding::Ansi,
         {{"Program", "lng", "6"}, {"Broken", "lng", std::nullopt}}},
        {"value keeps everything after the first equals sign",
         "[Program]\r\nkey=a=b\r\n",
         IniEncoding::Ansi,
         {{"Program", "key", "a=b"}}},
        {"empty file", "", IniEncoding::Ansi, {{"Program", "lng", std::nullopt}}},
        {"lone byte order mark",
         std::string("\xFF\xFE", 2),
         IniEncoding::Utf16Le,
         {{"Program", "lng", std::nullopt}}},
        {"utf-16 cut in the middle of a unit",
         Utf16Le("[Program]\r\nlng=3") + std::string("\x0A", 1),
         IniEncoding::Utf16Le,
         {{"Program", "lng", "3"}}},
        {"binary junk with NULs and high bytes",
         "\x00\x01junk\r\n[\xFF]\r\n\x80=\x81\r\n[Program]\r\nlng=1\r\n"s,
         IniEncoding::Ansi,
         {{"Program", "lng", "1"}, {"\xC3\xBF", "\xC2\x80", "\xC2\x81"}}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini = ParseIni(c.bytes);
        EXPECT_EQ(ini.encoding, c.encoding);
        for (const Lookup& lookup : c.lookups) {
            EXPECT_EQ(ini.Get(lookup.section, lookup.key), lookup.value)
                << "[" << lookup.section << "] " << lookup.key;
        }
    }
}

TEST(IniFile, KeepsSectionsAndEntriesInFileOrder) {
    const IniFile ini = ParseIni("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n");
    EXPECT_EQ(ini.sections, (std::vector<std::string>{"A", "B", "a"}));
    EXPECT_EQ(ini.entries,
              (std::vector<IniEntry>{{"A", "x", "1"}, {"B", "y", "2"}, {"a", "z", "3"}}));
    EXPECT_TRUE(ini.HasSection("b"));
    EXPECT_FALSE(ini.HasSection("C"));
}

TEST(IniFile, LoadGivesNothingForWhatIsNoReadableFile) {
    EXPECT_FALSE(LoadIni("/nonexistent/Glimmerix.ini"));
    EXPECT_FALSE(LoadIni("/"));
}

} // namespace
} // namespace e2e
