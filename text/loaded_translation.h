// A translation file loaded at run time. Once loaded, it replaces the catalogue's
// languages for every text lookup. Texts are fetched on worker threads while the main
// thread may load another file, so a loaded translation is immutable, is published
// through an atomic pointer, and is never freed while the program runs: a reader's
// text stays valid and unchanged whatever is loaded after it.
#pragma once

#include <atomic>

#include "text/id_text.h"
#include "text/text.h"

class LoadedTranslation {
public:
    LoadedTranslation(const LoadedTranslation&) = delete;
    LoadedTranslation& operator=(const LoadedTranslation&) = delete;

    // Text k of the file (k 0..255; only 0..127 are ever set), or null.
    [[nodiscard]] const char16_t* TextOf(int id) const noexcept;
    // The whole file as loaded, cut into NUL-separated lines by the parser.
    [[nodiscard]] const Text& Whole() const noexcept { return text; }

private:
    friend class TranslationSlot;
    LoadedTranslation(Text fileText, const LoadedTranslation* replaced);

    Text text; // owns every entry of `table`; never moves, the object lives on the heap
    TextRow table{};
    const LoadedTranslation* previous; // keeps every earlier load alive and reachable
};

// Where the current translation is published. Empty until the first load.
class TranslationSlot {
public:
    TranslationSlot() = default;
    TranslationSlot(const TranslationSlot&) = delete;
    TranslationSlot& operator=(const TranslationSlot&) = delete;
    // Frees every translation ever loaded into this slot: only for slots whose readers
    // are gone. The program-wide slot is never destroyed.
    ~TranslationSlot();

    // Parses `fileText` as id=text lines, publishes it as the current translation and
    // returns it. From then on lookups read only the loaded table.
    const LoadedTranslation& Load(Text fileText);

    // The translation most recently loaded, or null when none has been.
    [[nodiscard]] const LoadedTranslation* Current() const noexcept {
        return current.load(std::memory_order_acquire);
    }

private:
    std::atomic<const LoadedTranslation*> current{nullptr};
};
