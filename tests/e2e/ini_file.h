// Reading the ini files that Wine's private-profile services write, so the tests can
// check what the program stored: UTF-16 (LE or BE) or UTF-8 when the file starts with
// a byte order mark, the ANSI code page otherwise, exactly as those services decide.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

enum class IniEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct IniEntry {
    std::string section; // "" for lines before the first section header
    std::string key;
    std::string value; // as stored, blanks around it removed; UTF-8
    bool operator==(const IniEntry&) const = default;
};

struct IniFile {
    IniEncoding encoding = IniEncoding::Ansi;
    std::vector<std::string> sections; // headers in file order
    std::vector<IniEntry> entries;     // in file order

    // The first value of `key` in a section named `section`, both compared without
    // regard to ASCII case, as the profile services compare them.
    [[nodiscard]] std::optional<std::string> Get(std::string_view section,
                                                 std::string_view key) const;
    [[nodiscard]] bool HasSection(std::string_view section) const;
};

// Never fails: bytes that form no entry are skipped. ANSI bytes above 0x7F are taken
// as Latin-1; the program's own keys and values are plain ASCII.
IniFile ParseIni(std::string_view bytes);

// Nothing when the file cannot be read (missing, a folder, no permission).
std::optional<IniFile> LoadIni(const std::filesystem::path& file);

} // namespace e2e
