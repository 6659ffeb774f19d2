// Number parsing, range rules and folder comparison of the settings store.
#include "settings/ini_rules.h"

#include <array>
#include <limits>

namespace {

// Leading white space as the C runtime's wide conversion skips it: the ASCII controls
// and blank, and the Unicode space separators (no-break and ideographic spaces too).
bool IsIniSpace(char16_t c) noexcept {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x00A0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The C runtime's wide conversions take a decimal digit of any of these scripts, not
// only 0-9, so a hand-edited file with, say, Arabic-Indic digits reads the same here.
constexpr std::array<char16_t, 18> kDigitZeros = {
    0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66,
    0x0CE6, 0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10,
};

// 0-9 for a decimal digit, -1 for anything else.
int DigitValue(char16_t c) noexcept {
    for (const char16_t zero : kDigitZeros) {
        if (c >= zero && c < zero + 10) {
            return c - zero;
        }
    }
    return -1;
}

} // namespace

std::int32_t ParseIniInt(TextView text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && IsIniSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate the magnitude and stop growing it once it is past every 32-bit
    // value; the digits that follow are still consumed, as the runtime does.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + digit;
        }
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(-magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                               : static_cast<std::int32_t>(magnitude);
}

std::int32_t IniIntOrDefault(TextView placed, std::int32_t defaultValue) noexcept {
    return placed.empty() ? defaultValue : ParseIniInt(placed);
}

std::int32_t ClampIniInt(std::int32_t value, std::int32_t lower, std::int32_t upper) noexcept {
    if (lower == -1 || upper == -1) {
        return value;
    }
    if (value > upper) {
        value = upper;
    }
    if (value < lower) {
        value = lower;
    }
    return value;
}

Text FolderComparisonText(TextView folder) {
    Text appended(folder);
    appended.push_back(u'\\');
    Text result;
    result.reserve(appended.size());
    for (std::size_t i = 0; i < appended.size(); ++i) {
        result.push_back(appended[i]);
        // A pair becomes one backslash and the scan goes on after the pair, so a run
        // of three leaves two.
        if (appended[i] == u'\\' && i + 1 < appended.size() && appended[i + 1] == u'\\') {
            ++i;
        }
    }
    return result;
}

bool IsInsideFolder(TextView programFolder, TextView tempFolder) noexcept {
    return programFolder.starts_with(tempFolder);
}

Text PerUserBaseFolder(TextView shellFolder, TextView environmentFolder, TextView tempFolder) {
    for (TextView candidate : {shellFolder, environmentFolder, tempFolder}) {
        while (!candidate.empty() && candidate.back() == u'\\') {
            candidate.remove_suffix(1);
        }
        if (!candidate.empty()) {
            return Text(candidate);
        }
    }
    return Text();
}

Text FolderOfPath(TextView path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == TextView::npos ? Text() : Text(path.substr(0, slash));
}

Text IniTimeStamp(std::int64_t secondsSince1970) {
    return DecimalText(static_cast<std::int32_t>(secondsSince1970));
}
