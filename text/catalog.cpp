// Building the text catalogue: expand, cut at "##" markers, parse the language rows
// and section 0 in place, and measure each language against English.
#include "text/catalog.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

#include "text/lzari.h"

namespace {

// The decoder stores at most capacity - 1 bytes and the terminator takes one whole
// unit, so the text proper never reaches past the buffer's last unit.
constexpr std::uint32_t kMaxTextBytes = kCatalogueBufferBytes - 2;

bool IsNonEmpty(const char16_t* text) noexcept {
    return text != nullptr && *text != 0;
}

bool InRange(int value, int end) noexcept {
    return value >= 0 && value < end;
}

// Section-0 values hold "\r" and "\n" escapes; they are turned into CR and LF in
// place. Any other backslash stays as it is.
void DecodeEscapes(char16_t* text) noexcept {
    char16_t* out = text;
    for (const char16_t* in = text; *in != 0; ++in) {
        if (in[0] == u'\\' && in[1] == u'r') {
            *out++ = u'\r';
            ++in;
        } else if (in[0] == u'\\' && in[1] == u'n') {
            *out++ = u'\n';
            ++in;
        } else {
            *out++ = *in;
        }
    }
    *out = 0;
}

char16_t* FindEquals(char16_t* line) noexcept {
    for (; *line != 0; ++line) {
        if (*line == u'=') {
            return line;
        }
    }
    return nullptr;
}

char16_t* AllocateBuffer() noexcept {
    // Zeroed, so that anything the text does not fill reads as terminators.
    return new (std::nothrow) char16_t[kCatalogueBufferUnits]();
}

} // namespace

void Catalogue::Clear() noexcept {
    sectionZero = nullptr;
    sectionZeroValues.fill(nullptr);
    reservedSections.fill(nullptr);
    languageNames.fill(nullptr);
    tableStarts.fill(nullptr);
    for (TextRow& row : rows) {
        row.fill(nullptr);
    }
    completeness.fill(0);
    languageCount = 0;
    englishReference.clear();
}

bool Catalogue::BuildFromBlock(std::span<const std::uint8_t> block) noexcept {
    Clear();
    buffer.reset(AllocateBuffer());
    if (buffer == nullptr) {
        return false;
    }
    const auto blockLength = static_cast<std::int32_t>(
        std::min<std::size_t>(block.size(), std::numeric_limits<std::int32_t>::max()));
    CLzAriMem decoder;
    const std::uint32_t stated =
        decoder.Decode(block.data(), reinterpret_cast<std::uint8_t*>(buffer.get()), blockLength,
                       kCatalogueBufferBytes);
    if constexpr (std::endian::native == std::endian::big) {
        auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.get());
        for (int i = 0; i < kCatalogueBufferUnits; ++i) {
            const auto lowByte = bytes[2 * i];
            const auto highByte = bytes[2 * i + 1];
            buffer[static_cast<std::size_t>(i)] = static_cast<char16_t>(lowByte | highByte << 8);
        }
    }
    return BuildFromBuffer(stated);
}

bool Catalogue::BuildFromText(std::span<const std::uint8_t> utf16le) noexcept {
    Clear();
    buffer.reset(AllocateBuffer());
    if (buffer == nullptr) {
        return false;
    }
    const std::size_t units = std::min<std::size_t>(utf16le.size(), kMaxTextBytes) / 2;
    for (std::size_t i = 0; i < units; ++i) {
        buffer[i] = static_cast<char16_t>(utf16le[2 * i] | utf16le[2 * i + 1] << 8);
    }
    return BuildFromBuffer(static_cast<std::uint32_t>(
        std::min<std::size_t>(utf16le.size(), std::numeric_limits<std::uint32_t>::max())));
}

bool Catalogue::BuildFromBuffer(std::uint32_t statedBytes) noexcept {
    // A stated length beyond the buffer is cut to what it holds; the terminator then
    // lands on its last unit instead of past it.
    const auto length = static_cast<int>(std::min(statedBytes, kMaxTextBytes) / 2);
    buffer[static_cast<std::size_t>(length)] = 0;
    if (statedBytes == 0) {
        return false;
    }
    CutSections(length);
    if (languageCount > kEnglishIndex) {
        englishReference = tableStarts[kEnglishIndex];
    }
    for (int l = 0; l < languageCount; ++l) {
        ParseIdTextLines(tableStarts[static_cast<std::size_t>(l)],
                         rows[static_cast<std::size_t>(l)]);
    }
    ComputeCompleteness();
    ReadSectionZero();
    return true;
}

void Catalogue::CutSections(int length) noexcept {
    char16_t* const text = buffer.get();
    int markers = 0;
    int i = 0;
    // text[length] is the terminator, so looking one unit behind a marker is safe.
    while (i + 1 < length) {
        if (text[i] != u'#' || text[i + 1] != u'#') {
            ++i;
            continue;
        }
        text[i] = 0; // ends the previous section
        const int section = markers++;
        // The marker line is "##" CR LF; a marker at the very end starts an empty section.
        char16_t* const afterMarkerLine = text + std::min(i + 4, length);
        int next = i + 2;
        if (section == 0) {
            sectionZero = afterMarkerLine;
        } else if (section < 3) {
            reservedSections[static_cast<std::size_t>(section - 1)] = afterMarkerLine;
        } else if (languageCount < kMaxLanguages) {
            const char16_t* name = nullptr;
            char16_t* start = afterMarkerLine;
            if (text[i + 2] == u'=') {
                for (int j = i + 3; j < length && text[j] != 0; ++j) {
                    if (text[j] == u'\r') {
                        text[j] = 0;
                        name = text + i + 3;
                        start = text + j + 1;
                        next = j + 1;
                        break;
                    }
                }
            }
            languageNames[static_cast<std::size_t>(languageCount)] = name;
            tableStarts[static_cast<std::size_t>(languageCount)] = start;
            ++languageCount;
        }
        i = next;
    }
}

void Catalogue::ComputeCompleteness() noexcept {
    const TextRow& english = rows[kEnglishIndex];
    int total = 0;
    for (int k = 0; k < kTextIdCount; ++k) {
        total += IsNonEmpty(english[static_cast<std::size_t>(k)]) ? 1 : 0;
    }
    for (int l = 0; l < languageCount; ++l) {
        const TextRow& row = rows[static_cast<std::size_t>(l)];
        int present = 0;
        for (int k = 0; k < kTextIdCount; ++k) {
            const auto id = static_cast<std::size_t>(k);
            present += IsNonEmpty(english[id]) && IsNonEmpty(row[id]) ? 1 : 0;
        }
        // present / total first, then x 100, truncated: the menu's figures depend on
        // this order (29 of 100 shows 28).
        completeness[static_cast<std::size_t>(l)] =
            total > 0 ? static_cast<int>(static_cast<double>(present) / total * 100.0) : 0;
    }
}

void Catalogue::ReadSectionZero() noexcept {
    if (sectionZero == nullptr) {
        return;
    }
    sectionZeroValues.fill(nullptr);
    char16_t* const start = sectionZero;
    char16_t* line = start;
    for (char16_t* p = start; *p != 0; ++p) {
        if (*p != u'\n') {
            continue;
        }
        *p = 0;
        if (p > start && p[-1] == u'\r') {
            p[-1] = 0;
        }
        if (char16_t* equals = FindEquals(line); equals != nullptr) {
            const std::int32_t key = ReadDecimalKey(line);
            if (static_cast<std::uint32_t>(key) < kSectionZeroKeys) {
                DecodeEscapes(equals + 1);
                sectionZeroValues[static_cast<std::size_t>(key)] = equals + 1;
            }
        }
        line = p + 1;
    }
}

const char16_t* Catalogue::RowText(int languageIndex, int id) const noexcept {
    if (!InRange(languageIndex, languageCount) || !InRange(id, kTextIdCount)) {
        return nullptr;
    }
    return rows[static_cast<std::size_t>(languageIndex)][static_cast<std::size_t>(id)];
}

const char16_t* Catalogue::LanguageText(int languageIndex, int id) const noexcept {
    if (const char16_t* own = RowText(languageIndex, id); own != nullptr) {
        return own;
    }
    return RowText(kEnglishIndex, id);
}

const char16_t* Catalogue::SectionZeroValue(int key) const noexcept {
    return InRange(key, kSectionZeroKeys) ? sectionZeroValues[static_cast<std::size_t>(key)]
                                          : nullptr;
}

const char16_t* Catalogue::LanguageName(int index) const noexcept {
    return InRange(index, languageCount) ? languageNames[static_cast<std::size_t>(index)] : nullptr;
}

int Catalogue::Completeness(int index) const noexcept {
    return InRange(index, languageCount) ? completeness[static_cast<std::size_t>(index)] : 0;
}

const char16_t* Catalogue::ReservedSection(int index) const noexcept {
    return InRange(index, 2) ? reservedSections[static_cast<std::size_t>(index)] : nullptr;
}
