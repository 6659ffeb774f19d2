// The settings read once at start-up, before the main window exists.
#pragma once

#include "state/app_state.h"

// Reads "lng" (defaulting to `defaultLanguage`), the twelve test marks and the cycle
// interval from the settings file into `state`.
void ReadStoredSettings(AppState& state, int defaultLanguage);
