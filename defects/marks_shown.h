// Whether the screen shows the marks: on the test pictures, not on the information,
// selection or repair screens, nor while the throughput test or the flasher draws.
#pragma once

#include "defects/pixel_mark.h"
#include "state/app_state.h"

[[nodiscard]] inline bool MarksShown(const AppState& state) noexcept {
    return IsMarkedPicture(state.testIndex.load()) && state.selectionMode == 0 &&
           state.repairMode == 0 && state.repairRunning == 0 && state.throughputRunning == 0 &&
           state.spotRepairRunning == 0;
}
