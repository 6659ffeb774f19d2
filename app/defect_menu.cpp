// The defect log's context-menu entries and their commands.
#include "app/defect_menu.h"

#include <cstdint>

#include "app/more_tests.h"
#include "defects/defect_summary.h"
#include "defects/marks_shown.h"

namespace {

constexpr const char16_t* kTypeEntries[] = {
    u"White dot: pixel always lit (type 1)",
    u"Black dot: pixel always dark (type 2)",
    u"Coloured dot: faulty sub-pixel (type 3)",
};

bool OnLog(const MarkLog& log, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < log.Marks().size();
}

// Keeps the changed log; a settings file that does not take it is told of once a run.
void Keep(MarkLog log, AppState& state, DefectActions& actions) {
    if (!actions.KeepLog(std::move(log)) && state.logWriteFailureTold == 0) {
        state.logWriteFailureTold = 1;
        actions.Tell(u"The marks could not be saved to the settings file: it may be "
                     u"read-only or its folder full. They stay shown until the program "
                     u"ends.");
    }
    actions.Repaint();
}

} // namespace

void AppendDefectEntries(std::vector<MenuEntry>& entries, const MarkLog& log, int markOnRing,
                         bool marksLive, bool saved) {
    if (log.Empty() && !marksLive) {
        return;
    }
    if (!entries.empty() && (entries.back().flags & kMenuSeparator) == 0) {
        entries.push_back({kMenuSeparator, 0, Text()});
    }
    if (log.Empty()) {
        entries.push_back(
            {kMenuGrayed | kMenuDisabled, kMenuHowToMark, u"Left-click a faulty pixel to mark it"});
        entries.push_back({kMenuString, kMenuDefectReport, u"Pixel defect report"});
        return;
    }
    entries.push_back({kMenuGrayed | kMenuDisabled, kMenuDefectSummary, DefectSummary(log, saved)});
    entries.push_back({kMenuString, kMenuDefectReport, u"Pixel defect report"});
    entries.push_back({kMenuString, kMenuRepairMarked, u"Repair marked pixels"});
    if (OnLog(log, markOnRing)) {
        const int own = log.Marks()[static_cast<std::size_t>(markOnRing)].type;
        for (int type = kLitPixel; type <= kSubPixel; ++type) {
            entries.push_back({type == own ? kMenuChecked : kMenuString, kMenuMarkTypeBase + type,
                               kTypeEntries[type - kLitPixel]});
        }
        entries.push_back({kMenuString, kMenuRemoveMark, u"Remove this mark"});
    }
    entries.push_back({kMenuString, kMenuRemoveAllMarks, u"Remove all marks"});
}

bool CarryOutDefectCommand(int command, const MarkLog& log, int markOnRing, AppState& state,
                           DefectActions& actions) {
    switch (command) {
    case kMenuDefectReport:
        actions.WriteReport(log);
        return true;
    case kMenuRepairMarked:
        if (!log.Empty()) {
            StartSpotRepair(state, actions);
        }
        return true;
    case kMenuRemoveMark:
        if (OnLog(log, markOnRing)) {
            MarkLog changed = log;
            changed.Remove(markOnRing);
            Keep(std::move(changed), state, actions);
        }
        return true;
    case kMenuRemoveAllMarks: {
        // One click must not wipe an afternoon's marks.
        const std::int64_t count = static_cast<std::int64_t>(log.Marks().size());
        if (count > 0 &&
            actions.Confirm(FormatText(count == 1 ? u"Remove the %d mark of this monitor?"
                                                  : u"Remove all %d marks of this monitor?",
                                       {count}))) {
            Keep(MarkLog(log.Width(), log.Height()), state, actions);
        }
        return true;
    }
    default:
        break;
    }
    const int type = command - kMenuMarkTypeBase;
    if (type < kLitPixel || type > kSubPixel) {
        return false;
    }
    if (OnLog(log, markOnRing) && log.Marks()[static_cast<std::size_t>(markOnRing)].type != type) {
        MarkLog changed = log;
        changed.SetType(markOnRing, type);
        Keep(std::move(changed), state, actions);
    }
    return true;
}

bool CarryOutMarkClick(const MarkLog& log, int x, int y, std::uint32_t clickTime, AppState& state,
                       DefectActions& actions) {
    // Where the system passes on the click that closed a menu, it came no later than the
    // menu closed.
    const bool closedMenu =
        state.menuJustClosed != 0 && static_cast<std::int32_t>(clickTime - state.menuClosedAt) <= 0;
    state.menuJustClosed = 0;
    if (closedMenu) {
        return false;
    }
    // A click stops the motion test, as a key does; the picture before it comes back.
    if (state.motionRunning != 0 && LeaveMoreTest(state)) {
        actions.Repaint();
        return false;
    }
    if (!MarksShown(state)) {
        return false;
    }
    MarkLog changed = log;
    if (changed.Click(x, y, state.testIndex.load()) == ClickResult::Ignored) {
        return false;
    }
    Keep(std::move(changed), state, actions);
    return true;
}

void StartSpotRepair(AppState& state, DefectActions& actions) {
    // Each exchange runs: every other worker is told to stop. The motion test is left for
    // the picture before it, which comes back when the flashing ends.
    const int motion = state.motionRunning != 0 && LeaveMoreTest(state) ? 1 : 0;
    const int stopped = state.cycleRunning.exchange(0) + state.repairRunning.exchange(0) +
                        state.throughputRunning.exchange(0) + motion;
    if (stopped != 0) {
        actions.WaitForDrawingWorkers();
    }
    state.spotRepairRunning = 1;
    actions.CreateSpotRepairWorker();
}
