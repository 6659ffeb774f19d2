// Program entry: builds the catalogue, picks the language, reads the settings,
// opens the main window and runs the message loop.
#include <windows.h>

#include "app/win/main_window.h"
#include "app/win/stored_settings.h"
#include "app/win/user_language.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/embedded_catalog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RegisterMainWindowClass(instance);
    if (!BuildCatalogue()) {
        return 0; // no texts, no program; nothing to report it with
    }
    const int defaultLanguage = UserDefaultLanguageIndex();
    CIni2017::Setup();

    ReadStoredSettings(TheAppState(), defaultLanguage);

    if (CreateMainWindow(instance, SW_SHOW) == 0) {
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    SetThreadExecutionState(ES_CONTINUOUS); // the display and the system may sleep again
    ExitProcess(0);
}
