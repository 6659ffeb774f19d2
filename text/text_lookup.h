// Text by id: the one way every screen fetches its words, honouring a loaded
// translation, then the given language, then English. Also the info text composed
// from ids 40..56, and the program-wide catalogue and translation.
#pragma once

#include "text/catalog.h"
#include "text/loaded_translation.h"
#include "text/text.h"

// Text `id` (0..127; null outside). With a translation loaded only its table is read
// and a missing id gives "str:<id>?"; otherwise the language's own text, falling back
// to English's, which may be null. Every text returned stays valid and unchanged for
// the rest of the run, on any thread.
[[nodiscard]] const char16_t* LookupText(const Catalogue& catalogue,
                                         const LoadedTranslation* loaded, int languageIndex,
                                         int id) noexcept;

// "str:<id>?" for ids 0..127, made once and never changed; null outside.
[[nodiscard]] const char16_t* MissingText(int id) noexcept;

// The help text of a language: CR LF CR LF, then each text 40..56 with CR LF, and one
// more CR LF after 51, 52, 53, 55 and 56. A missing text adds only its line end.
[[nodiscard]] Text ComposeInfoText(const Catalogue& catalogue, const LoadedTranslation* loaded,
                                   int languageIndex);

// The program's one catalogue and translation slot, alive until the process ends.
Catalogue& TheCatalogue();
TranslationSlot& TheTranslation();
