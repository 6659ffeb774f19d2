// Asks Windows for the user's language and maps it to a catalogue section.
#include "app/win/user_language.h"

#include <windows.h>

#include "app/default_language.h"

int UserDefaultLanguageIndex() noexcept {
    return DefaultLanguageIndex(GetUserDefaultLangID());
}
