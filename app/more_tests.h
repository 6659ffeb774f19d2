// The acceptance tests beyond the keys' pictures (grey fields, black level, white
// saturation, banding, gamma, inversion, motion): reached by the context menu's "More
// tests" and the mouse wheel, never by a key, so every key keeps its meaning. A key
// while one shows leaves it and then does what it does on the picture shown before; the
// endurance cycle, the selection marks and the settings file never see them.
#pragma once

#include <vector>

#include "app/context_menu_entries.h"
#include "state/app_state.h"

// More test i of the picture table is kMenuMoreTestBase + its index.
inline constexpr int kMenuMoreTestBase = 1200;

// What showing them asks of the shell.
class MoreTestActions {
public:
    virtual ~MoreTestActions() = default;
    virtual void Repaint() = 0;
    // The motion test's worker; its running flag and speed are set when asked.
    virtual void CreateMotionWorker() = 0;
    // Wait (bounded) until a motion worker whose flag was cleared has stopped drawing.
    virtual void WaitForMotionWorker() = 0;
};

// Whether they can be shown now: on the information screen and the test pictures, not
// on the selection or repair screens nor while a worker other than the motion test runs.
[[nodiscard]] bool MoreTestsAvailable(const AppState& state) noexcept;

// The submenu "More tests" (its entries between a popup entry and its end), the test
// shown checked, above "Translate"; nothing while they are not available.
void AddMoreTestEntries(std::vector<MenuEntry>& entries, const AppState& state);

// Shows More test `index`: the picture of the keys shown before is remembered, a motion
// test runs on its worker as the one thing drawing. Does nothing for any other index or
// while they are not available.
void ShowMoreTest(int index, AppState& state, MoreTestActions& actions);

// The menu's choice: true when `command` is a More test's, which is then shown.
bool CarryOutMoreTestCommand(int command, AppState& state, MoreTestActions& actions);

// The wheel, `notches` away from the user (up, positive) or toward (down, negative):
// down the next More test, up the previous, around the list; from a picture of the
// keys down shows the first and up the last.
void StepMoreTests(int notches, AppState& state, MoreTestActions& actions);

// Leaves a More test for the picture shown before it, the motion stopped (its worker
// repaints when it ends); false when none shows. A key then acts as on that picture.
bool LeaveMoreTest(AppState& state) noexcept;
