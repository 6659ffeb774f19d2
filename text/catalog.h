// The text catalogue: every user-visible text in every language, expanded once at
// start-up from the LZARI block, cut into sections and language rows in place.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "text/id_text.h"
#include "text/text.h"

inline constexpr int kCatalogueBufferBytes = 200000;
inline constexpr int kCatalogueBufferUnits = kCatalogueBufferBytes / 2;
inline constexpr int kMaxLanguages = 32;
inline constexpr int kSectionZeroKeys = 128;
inline constexpr int kGermanIndex = 0;
inline constexpr int kEnglishIndex = 1; // the fallback of every lookup

class Catalogue {
public:
    Catalogue() = default;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Expands an LZARI block into a fresh buffer and builds every table from it.
    // False when the block states a length of 0 (or is too short to state one).
    // Texts handed out by an earlier build die with it: build before any reader.
    [[nodiscard]] bool BuildFromBlock(std::span<const std::uint8_t> block) noexcept;

    // The same from text that is already UTF-16LE (as the block would expand to).
    [[nodiscard]] bool BuildFromText(std::span<const std::uint8_t> utf16le) noexcept;

    // Text `id` of language `languageIndex` when that language has it, else
    // English's (null when English lacks it too). Null for ids outside 0..127.
    [[nodiscard]] const char16_t* LanguageText(int languageIndex, int id) const noexcept;

    // Row entry as parsed, without falling back; null outside the tables.
    [[nodiscard]] const char16_t* RowText(int languageIndex, int id) const noexcept;

    // Program-wide value of section 0, or null.
    [[nodiscard]] const char16_t* SectionZeroValue(int key) const noexcept;

    [[nodiscard]] int LanguageCount() const noexcept { return languageCount; }
    // "English" TAB "native name", or null for a nameless language or a bad index.
    [[nodiscard]] const char16_t* LanguageName(int index) const noexcept;
    // Per cent of English's texts that the language has; 0 for a bad index.
    [[nodiscard]] int Completeness(int index) const noexcept;
    // The English section's lines as they stand in the catalogue (for the export).
    [[nodiscard]] const Text& EnglishReference() const noexcept { return englishReference; }
    // Start of the reserved sections 1 and 2 (kept, read by nothing else).
    [[nodiscard]] const char16_t* ReservedSection(int index) const noexcept;

private:
    bool BuildFromBuffer(std::uint32_t statedBytes) noexcept;
    void Clear() noexcept;
    void CutSections(int length) noexcept;
    void ComputeCompleteness() noexcept;
    void ReadSectionZero() noexcept;

    std::unique_ptr<char16_t[]> buffer;
    char16_t* sectionZero = nullptr;
    std::array<const char16_t*, kSectionZeroKeys> sectionZeroValues{};
    std::array<const char16_t*, 2> reservedSections{};
    std::array<const char16_t*, kMaxLanguages> languageNames{};
    std::array<char16_t*, kMaxLanguages> tableStarts{};
    std::array<TextRow, kMaxLanguages> rows{};
    std::array<int, kMaxLanguages> completeness{};
    int languageCount = 0;
    Text englishReference;
};
