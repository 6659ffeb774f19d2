// The program's own texts in every language of the catalogue, by its index: those the
// catalogue has none for, the repair screen's warning and the marked-pixel flasher's
// line. One table, so a language added to the catalogue is missed in one place only.
#pragma once

#include <cstddef>

// Languages the table has texts for: every named section of the catalogue.
inline constexpr int kOwnTextLanguages = 24;

struct OwnTexts {
    const char16_t* repairWarning;
    const char16_t* spotRepairLine; // %d: the minutes it has run
};

// The texts of `languageIndex`; English outside the table.
[[nodiscard]] const OwnTexts& OwnTextsOf(int languageIndex) noexcept;
