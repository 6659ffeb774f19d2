// The settings read once at start-up, before the main window exists.
#pragma once

#include "state/app_state.h"

// Reads "lng" (defaulting to `defaultLanguage`), the twelve test marks, the cycle
// interval and the monitor named by "screen" from the settings file into `state`.
void ReadStoredSettings(AppState& state, int defaultLanguage);
