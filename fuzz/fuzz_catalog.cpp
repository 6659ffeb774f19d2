// Fuzzes the catalogue build on arbitrary decoded text, then reads everything the
// program would: every id in every language (and bad indexes), names, values and the
// info text. ASan checks that every text ends inside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "text/catalog.h"
#include "text/text_lookup.h"

namespace {

std::size_t Walk(const char16_t* text) {
    return text != nullptr ? std::char_traits<char16_t>::length(text) : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Catalogue* const catalogue = new Catalogue; // 64 KB of tables, reused
    if (!catalogue->BuildFromText(std::span<const std::uint8_t>(data, size))) {
        return 0;
    }
    const int count = catalogue->LanguageCount();
    if (count < 0 || count > kMaxLanguages) {
        std::abort();
    }
    std::size_t total = 0;
    for (int language = -1; language <= kMaxLanguages; ++language) {
        total += Walk(catalogue->LanguageName(language));
        const int percent = catalogue->Completeness(language);
        if (percent < 0 || percent > 100) {
            std::abort();
        }
        for (int id = -1; id <= kTextIdCount; ++id) {
            total += Walk(LookupText(*catalogue, nullptr, language, id));
        }
        total += ComposeInfoText(*catalogue, nullptr, language).size();
    }
    for (int key = -1; key <= kSectionZeroKeys; ++key) {
        total += Walk(catalogue->SectionZeroValue(key));
    }
    total += Walk(catalogue->ReservedSection(0)) + Walk(catalogue->ReservedSection(1));
    total += catalogue->EnglishReference().size();
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
