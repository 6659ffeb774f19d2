// Formatting and UTF conversions of program texts.
#include "text/text.h"

#include <utility>

Text DecimalText(std::int64_t value) {
    char16_t digits[24];
    int n = 0;
    // Work in unsigned so that the most negative value converts too.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    Text result;
    result.reserve(static_cast<std::size_t>(n) + 1);
    if (value < 0) {
        result.push_back(u'-');
    }
    while (n > 0) {
        result.push_back(digits[--n]);
    }
    return result;
}

Text FormatText(TextView format, std::initializer_list<FormatArg> args) {
    Text result;
    result.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            result.push_back(c);
            continue;
        }
        const char16_t conversion = format[i + 1];
        if (conversion == u'%') {
            result.push_back(u'%');
            ++i;
        } else if (conversion == u'd' || conversion == u's') {
            ++i;
            if (next == args.end()) {
                continue;
            }
            if (const auto* number = std::get_if<std::int64_t>(&*next)) {
                result += DecimalText(*number);
            } else {
                result += std::get<TextView>(*next);
            }
            ++next;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

namespace {

enum class Utf8Step { Character, IllFormed, CutShort };

// Decodes the sequence at the start of `utf8` (not empty) into `cp`; `length` is how
// many bytes it took, or the one byte to skip when it is ill-formed.
Utf8Step NextUtf8(std::string_view utf8, char32_t& cp, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(utf8[0]);
    int extra;
    if (lead < 0x80) {
        cp = lead;
        extra = 0;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        cp = lead & 0x1F;
        extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        cp = lead & 0x0F;
        extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        cp = lead & 0x07;
        extra = 3;
    } else {
        length = 1;
        return Utf8Step::IllFormed;
    }
    length = 1;
    for (int k = 1; k <= extra; ++k, ++length) {
        if (length == utf8.size()) {
            return Utf8Step::CutShort;
        }
        const auto next = static_cast<unsigned char>(utf8[length]);
        if ((next & 0xC0) != 0x80) {
            length = 1;
            return Utf8Step::IllFormed;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        length = 1;
        return Utf8Step::IllFormed;
    }
    return Utf8Step::Character;
}

void AppendCodePoint(Text& text, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        text.push_back(static_cast<char16_t>(cp));
    }
}

} // namespace

Utf8Decoding DecodeUtf8(std::string_view utf8) {
    Utf8Decoding result;
    result.text.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t cp = 0;
        std::size_t length = 0;
        switch (NextUtf8(utf8, cp, length)) {
        case Utf8Step::Character:
            AppendCodePoint(result.text, cp);
            result.nonAscii += cp > 0x7F ? 1 : 0;
            break;
        case Utf8Step::IllFormed:
            result.text.push_back(u'\uFFFD');
            ++result.replaced;
            break;
        case Utf8Step::CutShort:
            result.cutShort = true;
            return result;
        }
        utf8.remove_prefix(length);
    }
    return result;
}

std::optional<Text> Utf8ToText(std::string_view utf8) {
    Utf8Decoding decoded = DecodeUtf8(utf8);
    if (decoded.replaced != 0 || decoded.cutShort) {
        return std::nullopt;
    }
    return std::move(decoded.text);
}

std::string TextToUtf8(TextView text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            result.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            result.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            result.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return result;
}
