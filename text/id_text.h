// The id=text line parser shared by the catalogue's language sections and by an
// imported translation file, and the decimal key reading both use.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kTextIdCount = 128; // text ids 0..127
inline constexpr int kTextRowSize = 256; // a row is wider than the ids it ever holds

// Text k of one language (or of a loaded translation), or null. Entries point into
// the parsed text, which must outlive the row.
using TextRow = std::array<const char16_t*, kTextRowSize>;

// Reads the decimal number at the start of a line the way the platform's wide strtol
// does in base 10: leading white space skipped, an optional sign, digits up to the
// first non-digit, 0 when there are none. Saturates at the 32-bit range, so a huge
// number never wraps back into the id range. `text` may be null (reads 0).
[[nodiscard]] std::int32_t ReadDecimalKey(const char16_t* text) noexcept;

// Cuts the NUL-terminated `text` in place into lines at every LF (the LF and a CR
// before it become NUL) and points row[key] at the text after the first "=" of each
// line whose key is 0..127. Entries 0..127 are cleared first; later lines win; a last
// line without LF is ignored; a null text leaves the row cleared.
void ParseIdTextLines(char16_t* text, TextRow& row) noexcept;
