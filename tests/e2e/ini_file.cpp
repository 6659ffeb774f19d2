// Reading ini files written by Wine's private-profile services.
#include "tests/e2e/ini_file.h"

#include <fstream>
#include <iterator>

#include "text/text.h"

namespace e2e {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Whole text as UTF-8, whatever the file's encoding; an odd last byte of UTF-16 is dropped.
std::string DecodeToUtf8(std::string_view bytes, IniEncoding* encoding) {
    const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        const bool little = starts("\xFF\xFE");
        *encoding = little ? IniEncoding::Utf16Le : IniEncoding::Utf16Be;
        Text text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
            const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
            text.push_back(static_cast<char16_t>(lo | (hi << 8)));
        }
        return TextToUtf8(text);
    }
    if (starts("\xEF\xBB\xBF")) {
        *encoding = IniEncoding::Utf8;
        return std::string(bytes.substr(3));
    }
    *encoding = IniEncoding::Ansi;
    std::string utf8;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

} // namespace

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    for (const auto& entry : entries) {
        if (EqualNoCase(entry.section, section) && EqualNoCase(entry.key, key)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

bool IniFile::HasSection(std::string_view section) const {
    for (const auto& name : sections) {
        if (EqualNoCase(name, section)) {
            return true;
        }
    }
    return false;
}

IniFile ParseIni(std::string_view bytes) {
    IniFile ini;
    const std::string text = DecodeToUtf8(bytes, &ini.encoding);
    std::string section;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            if (close != std::string_view::npos) {
                section = std::string(Trim(line.substr(1, close - 1)));
                ini.sections.push_back(section);
                continue;
            }
            // A header without its bracket is read as a key line, as the profile
            // services read it.
        }
        const auto equals = line.find('=');
        IniEntry entry;
        entry.section = section;
        entry.key = std::string(Trim(line.substr(0, equals)));
        if (equals != std::string_view::npos) {
            entry.value = std::string(Trim(line.substr(equals + 1)));
        }
        if (!entry.key.empty()) {
            ini.entries.push_back(std::move(entry));
        }
    }
    return ini;
}

std::optional<IniFile> LoadIni(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseIni(bytes);
}

} // namespace e2e
