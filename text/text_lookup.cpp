// Text lookup by id with its fallbacks, and the info text of a language.
#include "text/text_lookup.h"

#include <array>

const char16_t* MissingText(int id) noexcept {
    // One text per id, made once: a miss on one thread never rewrites the text that
    // another thread is drawing.
    static const std::array<Text, kTextIdCount> texts = [] {
        std::array<Text, kTextIdCount> made;
        for (int k = 0; k < kTextIdCount; ++k) {
            made[static_cast<std::size_t>(k)] = FormatText(u"str:%d?", {std::int64_t{k}});
        }
        return made;
    }();
    return id >= 0 && id < kTextIdCount ? texts[static_cast<std::size_t>(id)].c_str() : nullptr;
}

const char16_t* LookupText(const Catalogue& catalogue, const LoadedTranslation* loaded,
                           int languageIndex, int id) noexcept {
    if (id < 0 || id >= kTextIdCount) {
        return nullptr;
    }
    if (loaded != nullptr) {
        const char16_t* text = loaded->TextOf(id);
        return text != nullptr ? text : MissingText(id);
    }
    return catalogue.LanguageText(languageIndex, id);
}

Text ComposeInfoText(const Catalogue& catalogue, const LoadedTranslation* loaded,
                     int languageIndex) {
    Text info = u"\r\n\r\n";
    for (int id = 40; id <= 56; ++id) {
        if (const char16_t* text = LookupText(catalogue, loaded, languageIndex, id)) {
            info += text;
        }
        info += u"\r\n";
        if (id == 51 || id == 52 || id == 53 || id == 55 || id == 56) {
            info += u"\r\n";
        }
    }
    return info;
}

Catalogue& TheCatalogue() {
    // Never destroyed: worker threads may still read texts while the process ends.
    static Catalogue* const catalogue = new Catalogue;
    return *catalogue;
}

TranslationSlot& TheTranslation() {
    static TranslationSlot* const slot = new TranslationSlot;
    return *slot;
}
