// id=text lines: the format of every language section and of translation files.
#include "text/id_text.h"

#include <limits>

namespace {

bool IsWhiteSpace(char16_t c) noexcept {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

const char16_t* FindEquals(const char16_t* line) noexcept {
    for (; *line != 0; ++line) {
        if (*line == u'=') {
            return line;
        }
    }
    return nullptr;
}

} // namespace

std::int32_t ReadDecimalKey(const char16_t* text) noexcept {
    if (text == nullptr) {
        return 0;
    }
    while (IsWhiteSpace(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == u'+' || *text == u'-') {
        negative = *text == u'-';
        ++text;
    }
    // The magnitude stops growing once it is past the 32-bit range, so it never wraps.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (*text - u'0');
        }
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(-magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                               : static_cast<std::int32_t>(magnitude);
}

void ParseIdTextLines(char16_t* text, TextRow& row) noexcept {
    for (int k = 0; k < kTextIdCount; ++k) {
        row[static_cast<std::size_t>(k)] = nullptr;
    }
    if (text == nullptr) {
        return;
    }
    char16_t* line = text;
    for (char16_t* p = text; *p != 0; ++p) {
        if (*p != u'\n') {
            continue;
        }
        *p = 0;
        if (p > text && p[-1] == u'\r') {
            p[-1] = 0;
        }
        if (const char16_t* equals = FindEquals(line); equals != nullptr) {
            const std::int32_t key = ReadDecimalKey(line);
            if (key >= 0 && key < kTextIdCount) {
                row[static_cast<std::size_t>(key)] = equals + 1;
            }
        }
        line = p + 1;
    }
}
