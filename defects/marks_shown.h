// Whether marks are live: a click marks the pixel under it, the painter rings the
// marks and the menu speaks of the pixel under the pointer. True on the test pictures
// 0 to 9 and 11 to 13, also while the endurance cycle shows them; never on index 10
// (no picture of its own), the information, selection or repair screens, nor while the
// throughput test or either flasher draws.
#pragma once

#include "defects/picture_table.h"
#include "state/app_state.h"

[[nodiscard]] inline bool MarksShown(const AppState& state) noexcept {
    // The cycle runs with the selection mode on; only the list itself is the screen.
    const bool selectionScreen = state.selectionMode != 0 && state.cycleRunning == 0;
    return IsMarkablePicture(state.testIndex.load()) && !selectionScreen && state.repairMode == 0 &&
           state.repairRunning == 0 && state.throughputRunning == 0 && state.spotRepairRunning == 0;
}
