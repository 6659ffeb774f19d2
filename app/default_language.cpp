// Windows primary languages and the catalogue sections that translate them.
#include "app/default_language.h"

#include <array>

namespace {

struct LanguageRow {
    int primary;
    int index;
};

constexpr int kLangChinese = 0x04;
constexpr int kSublangChineseTraditional = 0x01;
constexpr int kIndexTraditionalChinese = 15;
constexpr int kIndexSimplifiedChinese = 16;
constexpr int kIndexEnglish = 1;

// Index 19, the second Italian translation, is deliberately absent: it is reached only
// by choosing it in the menu.
constexpr std::array<LanguageRow, 21> kLanguages = {{
    {0x07, 0},  // German
    {0x10, 2},  // Italian
    {0x0C, 3},  // French
    {0x19, 4},  // Russian
    {0x1E, 5},  // Thai
    {0x1F, 6},  // Turkish
    {0x24, 7},  // Slovenian
    {0x0E, 8},  // Hungarian
    {0x05, 9},  // Czech
    {0x15, 10}, // Polish
    {0x1D, 11}, // Swedish
    {0x0A, 12}, // Spanish
    {0x16, 13}, // Portuguese (the Brazilian translation)
    {0x21, 14}, // Indonesian
    {0x18, 17}, // Romanian
    {0x08, 18}, // Greek
    {0x29, 20}, // Persian
    {0x13, 21}, // Dutch
    {0x06, 22}, // Danish
    {0x12, 23}, // Korean
    {kLangChinese, kIndexSimplifiedChinese},
}};

} // namespace

int DefaultLanguageIndex(int langId) noexcept {
    const unsigned value = static_cast<unsigned>(langId) & 0xFFFFu;
    const int primary = static_cast<int>(value & 0x3FFu);
    const int sublanguage = static_cast<int>(value >> 10);
    if (primary == kLangChinese && sublanguage == kSublangChineseTraditional) {
        return kIndexTraditionalChinese;
    }
    for (const LanguageRow& row : kLanguages) {
        if (row.primary == primary) {
            return row.index;
        }
    }
    return kIndexEnglish;
}
