// The default language index of the user running the program.
#pragma once

// DefaultLanguageIndex of GetUserDefaultLangID().
[[nodiscard]] int UserDefaultLanguageIndex() noexcept;
