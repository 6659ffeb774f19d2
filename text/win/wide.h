// The one bridge between the core's UTF-16 texts and the Windows ...W functions:
// wchar_t is 16-bit on Windows, so the cast is exact.
#pragma once

#include <string>

#include "text/text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline const wchar_t* Wide(const Text& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* Wide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}

inline Text FromWide(const wchar_t* text) {
    return text != nullptr ? Text(reinterpret_cast<const char16_t*>(text)) : Text();
}
inline Text FromWide(const wchar_t* text, std::size_t length) {
    return Text(reinterpret_cast<const char16_t*>(text), length);
}
