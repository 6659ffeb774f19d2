// Texts in the current language: the catalogue lookups of text/ bound to the
// program's catalogue, its loaded translation and AppState's language.
#pragma once

#include "text/text.h"

// LookupText and ComposeInfoText on the program's catalogue, its translation and
// TheAppState().languageIndex.
[[nodiscard]] const char16_t* TextById(int id) noexcept;
[[nodiscard]] Text CurrentInfoText();
