// The entries of the context menu as data: built anew from the catalogue's languages
// at every opening; the Windows layer only turns them into a menu.
#pragma once

#include <span>
#include <vector>

#include "text/catalog.h"
#include "text/text.h"

// Entry flags with the values of the Windows MF_ constants, as key codes carry their
// virtual-key values, so the Windows layer passes them on unchanged.
inline constexpr unsigned kMenuString = 0x0000;
inline constexpr unsigned kMenuGrayed = 0x0001;
inline constexpr unsigned kMenuDisabled = 0x0002;
inline constexpr unsigned kMenuChecked = 0x0008;
// A submenu: its entries follow up to an entry flagged kMenuPopupEnd, which is no entry
// of its own and carries no Windows flag.
inline constexpr unsigned kMenuPopup = 0x0010;
inline constexpr unsigned kMenuPopupEnd = 0x10000;
inline constexpr unsigned kMenuSeparator = 0x0800;

// Command identifiers: language i is kMenuLanguageBase + i.
inline constexpr int kMenuLanguageBase = 10;
inline constexpr int kMenuTranslate = 1000;
inline constexpr int kMenuLoadFromFile = 1001;
inline constexpr int kMenuClosingSeparator = 555; // never returned: separators cannot be chosen

struct MenuEntry {
    unsigned flags = kMenuString;
    int id = 0;
    Text text; // empty for a separator

    bool operator==(const MenuEntry&) const = default;
};

// One language as the menu shows it: "English" TAB "native name" (empty when the
// language has none) and its completeness in per cent.
struct LanguageChoice {
    TextView name;
    int percent = 0;
};

// The catalogue's languages in catalogue order, nameless ones with an empty name.
[[nodiscard]] std::vector<LanguageChoice> ContextMenuLanguages(const Catalogue& catalogue);

// Every language whose name is longer than five characters as "name / percent %"
// (the current one greyed and disabled), a separator, "Translate", "Load from File
// (Unicode)" and a closing separator.
[[nodiscard]] std::vector<MenuEntry>
BuildContextMenuEntries(std::span<const LanguageChoice> languages, int currentLanguage);
