// The defect log's entries at the end of the context menu and what they do. While the
// covered monitor has marks: the greyed summary with the panel's class, the report, the
// marked pixels' flasher, the three types of the mark whose ring holds the pointer
// (its own checked) with "Remove this mark", and "Remove all marks". Without marks, on
// a test picture: a greyed line that tells how to mark, and the report, for a clean
// panel gets one too. Fixed English, like the translation tools' entries.
#pragma once

#include <cstdint>
#include <vector>

#include "app/context_menu_entries.h"
#include "defects/mark_log.h"
#include "state/app_state.h"
#include "text/text.h"

// Below the monitors' identifiers, above every language's.
inline constexpr int kMenuDefectSummary = 1100; // disabled; never returned
inline constexpr int kMenuDefectReport = 1101;
inline constexpr int kMenuRepairMarked = 1102;
inline constexpr int kMenuRemoveMark = 1103;
inline constexpr int kMenuRemoveAllMarks = 1104;
inline constexpr int kMenuHowToMark = 1105; // disabled; never returned
// Type t of the mark on the ring is kMenuMarkTypeBase + t.
inline constexpr int kMenuMarkTypeBase = 1110;

// `markOnRing` is the index of the mark whose ring holds the pointer, -1 for none;
// `marksLive` whether the screen shows a test picture that takes marks; `saved`
// whether the settings file took the log's last change. The block follows the menu's
// last separator, with one of its own only after other entries.
void AppendDefectEntries(std::vector<MenuEntry>& entries, const MarkLog& log, int markOnRing,
                         bool marksLive, bool saved = true);

// What the log's commands ask of the shell.
class DefectActions {
public:
    virtual ~DefectActions() = default;
    // Store `log` as the covered monitor's and show it; false when the settings file
    // did not take it (it is shown all the same, as not saved).
    virtual bool KeepLog(MarkLog log) = 0;
    // A yes-or-no question; true for yes.
    virtual bool Confirm(TextView question) = 0;
    virtual void Tell(TextView message) = 0;
    // Write the report of `log`, add its row to the report table, open it, and say
    // what of that failed.
    virtual void WriteReport(const MarkLog& log) = 0;
    // Wait (bounded) until every worker whose running flag was cleared has stopped
    // drawing (the motion test's too).
    virtual void WaitForDrawingWorkers() = 0;
    // The marked pixels' flasher; its running flag is set when asked.
    virtual void CreateSpotRepairWorker() = 0;
    virtual void Repaint() = 0;
};

// Carries out a defect entry's command on `log`, the covered monitor's log as the menu
// showed it; false for any other command, which it leaves alone.
bool CarryOutDefectCommand(int command, const MarkLog& log, int markOnRing, AppState& state,
                           DefectActions& actions);

// A left click at `clickTime` (the system's millisecond ticks) on monitor pixel (x, y):
// while marks are live, a new mark of the picture's type or the next type of the mark
// on that pixel; during the motion test, the end of it. The click that closed a menu
// does nothing. False when the log did not change.
bool CarryOutMarkClick(const MarkLog& log, int x, int y, std::uint32_t clickTime, AppState& state,
                       DefectActions& actions);

// Starts the marked pixels' flasher as the one thing drawing: the endurance cycle, the
// full-screen flasher, the throughput and the motion tests are stopped first, as a key
// that starts a worker stops the running one.
void StartSpotRepair(AppState& state, DefectActions& actions);
