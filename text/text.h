// Text strings of the program: UTF-16 inside, formatted with %d, %s and %%.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

using Text = std::u16string;
using TextView = std::u16string_view;

// One argument of FormatText: an integer for %d or a text for %s.
using FormatArg = std::variant<std::int64_t, TextView>;

// printf-style formatting with only %d, %s and %% (nothing else is ever needed).
// A conversion without an argument left formats as nothing; an unknown conversion
// is copied as it stands.
Text FormatText(TextView format, std::initializer_list<FormatArg> args);

// Decimal text of a signed value, as "%d" writes it.
Text DecimalText(std::int64_t value);

// UTF-8 -> UTF-16. Returns nothing for ill-formed UTF-8 (overlong forms, surrogates,
// truncated sequences, values above U+10FFFF).
std::optional<Text> Utf8ToText(std::string_view utf8);

// UTF-8 -> UTF-16 that never fails, for files of unknown make: each byte that starts
// no well-formed sequence becomes U+FFFD, and a sequence cut off by the end of the
// input is left out.
struct Utf8Decoding {
    Text text;
    int replaced = 0;      // ill-formed bytes, each now U+FFFD
    int nonAscii = 0;      // well-formed characters above U+007F
    bool cutShort = false; // the input ended inside a sequence
};
[[nodiscard]] Utf8Decoding DecodeUtf8(std::string_view utf8);

// UTF-16 -> UTF-8, unpaired surrogates as U+FFFD. For tools, tests and messages.
std::string TextToUtf8(TextView text);
