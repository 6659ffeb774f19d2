// Texts in the current language, read from the program's one AppState.
#include "state/current_text.h"

#include "state/app_state.h"
#include "text/text_lookup.h"

const char16_t* TextById(int id) noexcept {
    return LookupText(TheCatalogue(), TheTranslation().Current(),
                      TheAppState().languageIndex.load(), id);
}

Text CurrentInfoText() {
    return ComposeInfoText(TheCatalogue(), TheTranslation().Current(),
                           TheAppState().languageIndex.load());
}
