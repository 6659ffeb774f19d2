// What each context-menu command does.
#include "app/context_menu_choice.h"

#include "app/context_menu_entries.h"

void CarryOutContextMenuChoice(int command, int languageCount, AppState& state,
                               ContextMenuActions& actions, std::span<const MonitorArea> monitors) {
    if (command >= kMenuMonitorBase) {
        ChooseMonitor(monitors, command - kMenuMonitorBase, state, actions);
        return;
    }
    if (command == kMenuTranslate) {
        actions.ExportTranslation();
        return;
    }
    if (command == kMenuLoadFromFile) {
        actions.ImportTranslation();
        actions.Repaint();
        return;
    }
    const int language = command - kMenuLanguageBase;
    if (command < kMenuLanguageBase || language >= languageCount) {
        return; // dismissed, or no command of this menu
    }
    state.languageIndex = language;
    actions.WriteLanguageSetting(language);
    actions.RefreshInfoText();
    actions.Repaint();
}
