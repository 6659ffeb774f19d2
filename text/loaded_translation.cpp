// Loaded translations: parsed once, then published and never changed or freed.
#include "text/loaded_translation.h"

LoadedTranslation::LoadedTranslation(Text fileText, const LoadedTranslation* replaced)
    : text(std::move(fileText)), previous(replaced) {
    // Parse only now that the text sits at its final address inside this object.
    ParseIdTextLines(text.data(), table);
}

const char16_t* LoadedTranslation::TextOf(int id) const noexcept {
    return id >= 0 && id < kTextRowSize ? table[static_cast<std::size_t>(id)] : nullptr;
}

const LoadedTranslation& TranslationSlot::Load(Text fileText) {
    const LoadedTranslation* replaced = current.load(std::memory_order_acquire);
    auto* loaded = new LoadedTranslation(std::move(fileText), replaced);
    // Loads come from the main thread only, but a lost race must not lose a file.
    while (!current.compare_exchange_weak(replaced, loaded, std::memory_order_acq_rel,
                                          std::memory_order_acquire)) {
        loaded->previous = replaced; // not yet published: no reader sees this
    }
    return *loaded;
}

TranslationSlot::~TranslationSlot() {
    const LoadedTranslation* loaded = current.load(std::memory_order_acquire);
    while (loaded != nullptr) {
        const LoadedTranslation* earlier = loaded->previous;
        delete loaded;
        loaded = earlier;
    }
}
