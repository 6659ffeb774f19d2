// The defect log's entries at the end of the context menu. While the covered monitor
// has marks: the greyed summary with the panel's class, the report, the marked pixels'
// flasher, "Remove this mark" when the menu opened on a mark's ring, and "Remove all
// marks". Without marks, on a test picture, the report alone: a clean panel gets one
// too. Fixed English, like the translation tools' entries.
#pragma once

#include <vector>

#include "app/context_menu_entries.h"
#include "defects/mark_log.h"

// Below the monitors' identifiers, above every language's.
inline constexpr int kMenuDefectSummary = 1100; // disabled; never returned
inline constexpr int kMenuDefectReport = 1101;
inline constexpr int kMenuRepairMarked = 1102;
inline constexpr int kMenuRemoveMark = 1103;
inline constexpr int kMenuRemoveAllMarks = 1104;

// `markOnRing` is the index of the mark whose ring holds the pointer, -1 for none;
// `marksLive` whether the screen shows a test picture that takes marks. The block
// follows the menu's last separator, with one of its own only after other entries.
void AppendDefectEntries(std::vector<MenuEntry>& entries, const MarkLog& log, int markOnRing,
                         bool marksLive);

// Carries out a defect entry's command on `log`; true when the log changed. Any other
// command leaves it alone.
bool ApplyDefectCommand(int command, MarkLog& log, int markOnRing);
