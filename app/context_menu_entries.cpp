// Building the context menu's entries from the languages of the catalogue.
#include "app/context_menu_entries.h"

#include <cstdint>

namespace {

// Shorter names are placeholders or missing; the language is not offered.
constexpr std::size_t kShortestListedName = 6;

} // namespace

std::vector<LanguageChoice> ContextMenuLanguages(const Catalogue& catalogue) {
    std::vector<LanguageChoice> languages;
    const int count = catalogue.LanguageCount();
    languages.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        const char16_t* name = catalogue.LanguageName(i);
        languages.push_back(
            {name != nullptr ? TextView(name) : TextView(), catalogue.Completeness(i)});
    }
    return languages;
}

std::vector<MenuEntry> BuildContextMenuEntries(std::span<const LanguageChoice> languages,
                                               int currentLanguage) {
    std::vector<MenuEntry> entries;
    entries.reserve(languages.size() + 4);
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const LanguageChoice& language = languages[i];
        if (language.name.size() < kShortestListedName) {
            continue;
        }
        const int index = static_cast<int>(i);
        MenuEntry entry;
        entry.flags = index == currentLanguage ? kMenuGrayed | kMenuDisabled : kMenuString;
        entry.id = kMenuLanguageBase + index;
        entry.text = FormatText(u"%s / %d %%", {language.name, std::int64_t{language.percent}});
        entries.push_back(std::move(entry));
    }
    entries.push_back({kMenuSeparator, 0, Text()});
    entries.push_back({kMenuString, kMenuTranslate, u"Translate"});
    entries.push_back({kMenuString, kMenuLoadFromFile, u"Load from File (Unicode)"});
    entries.push_back({kMenuSeparator, kMenuClosingSeparator, Text()});
    return entries;
}
