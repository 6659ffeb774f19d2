// The defect log's entries at the end of the context menu, while the covered monitor
// has marks: a separator, the greyed summary with the panel's class, "Remove this
// mark" when the menu opened on a mark's ring, and "Remove all marks"; the report and
// the marked pixels' flasher follow the summary. Fixed English,
// like the translation tools' entries.
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

// `markOnRing` is the index of the mark whose ring holds the pointer, -1 for none.
void AppendDefectEntries(std::vector<MenuEntry>& entries, const MarkLog& log, int markOnRing);

// Carries out a defect entry's command on `log`; true when the log changed. Any other
// command leaves it alone.
bool ApplyDefectCommand(int command, MarkLog& log, int markOnRing);
