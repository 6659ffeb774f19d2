// Carrying out the command chosen in the context menu. The shell does the work
// through ContextMenuActions, so the decisions can be checked with a recording fake.
#pragma once

#include <span>

#include "app/monitor_choice.h"
#include "state/app_state.h"

class ContextMenuActions : public MonitorActions {
public:
    virtual void ExportTranslation() = 0;
    virtual void ImportTranslation() = 0;
    virtual void WriteLanguageSetting(int languageIndex) = 0;
    virtual void RefreshInfoText() = 0;
};

// 0 (dismissed) does nothing; "Translate" exports without a repaint; "Load from File"
// imports and repaints, also after a cancelled dialog; a language of the catalogue
// becomes the current one, is stored, and the info text and screen follow it; a
// monitor of `monitors` (the list the menu was built from) is covered (ChooseMonitor).
void CarryOutContextMenuChoice(int command, int languageCount, AppState& state,
                               ContextMenuActions& actions,
                               std::span<const MonitorArea> monitors = {});
