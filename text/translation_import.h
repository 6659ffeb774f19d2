// The translation import, short of the file dialog and the message box: turning the
// bytes of a chosen file into text, and the report of how complete it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "text/catalog.h"
#include "text/loaded_translation.h"
#include "text/text.h"

// A translation file of the program's ids is a few kilobytes; anything past this bound
// is not one and is refused before it is read.
inline constexpr std::size_t kMaxTranslationFileBytes = 4u * 1024u * 1024u;

enum class TranslationFileStatus {
    Loaded,
    Unreadable, // could not be opened, read or converted
    TooLarge,   // above kMaxTranslationFileBytes
};

// Converts text in the system's ANSI code page to UTF-16, all of it in one call so
// that no multi-byte character is split; nothing when the conversion fails.
using AnsiToText = std::function<std::optional<Text>(std::string_view ansi)>;

struct DecodedTranslation {
    TranslationFileStatus status = TranslationFileStatus::Unreadable;
    Text text;
};

// A file starting with FF FE is UTF-16LE behind those two bytes (an odd last byte is
// dropped). One starting with EF BB BF, or one that is well-formed UTF-8 with at
// least one non-ASCII character, is UTF-8 behind the mark (a character cut off at the
// end is dropped). Any other file is ANSI text. Files above the bound are refused.
[[nodiscard]] DecodedTranslation DecodeTranslationFile(std::span<const std::uint8_t> bytes,
                                                       const AnsiToText& ansiToText);

// The message for a file that was not loaded, naming it; empty for a loaded one.
[[nodiscard]] Text TranslationFailureMessage(TranslationFileStatus status, TextView path);

// Text of an id (0..255), or null.
using TextOfId = std::function<const char16_t*(int id)>;

// "<per cent> %" of the English texts that the loaded table has and, when some are
// missing, a blank line, "miss:" and the missing ones: the first nine as id=English
// text lines, then "........" and the rest as "id," items.
[[nodiscard]] Text TranslationReport(const TextOfId& englishText, const TextOfId& loadedText);

struct ImportOutcome {
    bool loaded = false;
    Text message; // the report, or why the file was not loaded
};

// Turns the bytes of the file at `path` (or the reason they could not be read) into
// the program's translation: a readable file is published in `slot`, replacing any
// earlier one, and reported against the catalogue's English texts; any other file
// changes nothing and the message says why.
[[nodiscard]] ImportOutcome ImportTranslationBytes(TranslationFileStatus readStatus,
                                                   std::span<const std::uint8_t> bytes,
                                                   TextView path, const AnsiToText& ansiToText,
                                                   const Catalogue& catalogue,
                                                   TranslationSlot& slot);
