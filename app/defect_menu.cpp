// The defect log's context-menu entries and their commands.
#include "app/defect_menu.h"

#include "defects/defect_summary.h"

void AppendDefectEntries(std::vector<MenuEntry>& entries, const MarkLog& log, int markOnRing,
                         bool marksLive) {
    if (log.Empty() && !marksLive) {
        return;
    }
    if (!entries.empty() && (entries.back().flags & kMenuSeparator) == 0) {
        entries.push_back({kMenuSeparator, 0, Text()});
    }
    if (log.Empty()) {
        entries.push_back({kMenuString, kMenuDefectReport, u"Pixel defect report"});
        return;
    }
    entries.push_back({kMenuGrayed | kMenuDisabled, kMenuDefectSummary, DefectSummary(log)});
    entries.push_back({kMenuString, kMenuDefectReport, u"Pixel defect report"});
    entries.push_back({kMenuString, kMenuRepairMarked, u"Repair marked pixels"});
    if (markOnRing >= 0 && static_cast<std::size_t>(markOnRing) < log.Marks().size()) {
        entries.push_back({kMenuString, kMenuRemoveMark, u"Remove this mark"});
    }
    entries.push_back({kMenuString, kMenuRemoveAllMarks, u"Remove all marks"});
}

bool ApplyDefectCommand(int command, MarkLog& log, int markOnRing) {
    if (command == kMenuRemoveMark && markOnRing >= 0 &&
        static_cast<std::size_t>(markOnRing) < log.Marks().size()) {
        log.Remove(markOnRing);
        return true;
    }
    if (command == kMenuRemoveAllMarks && !log.Empty()) {
        log.Clear();
        return true;
    }
    return false;
}
