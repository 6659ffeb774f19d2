// Program entry: builds the catalogue, picks the language, reads the settings,
// opens the main window and runs the message loop.
#include <windows.h>

#include "app/win/main_window.h"
#include "app/win/user_language.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/embedded_catalog.h"
#include "text/text.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RegisterMainWindowClass(instance);
    if (!BuildCatalogue()) {
        return 0; // no texts, no program; nothing to report it with
    }
    const int defaultLanguage = UserDefaultLanguageIndex();
    CIni2017::Setup();

    AppState& state = TheAppState();
    state.languageIndex = CIni2017::ReadProgramInt(u"lng", defaultLanguage);
    for (int n = 0; n < kTestFlagCount; ++n) {
        state.testEnabled[static_cast<std::size_t>(n)] =
            CIni2017::ReadProgramInt(FormatText(u"use_test_%d", {n}), 0);
    }
    state.cycleIntervalMs = CIni2017::ReadInt(u"Program", u"test_millisecond", 1000, 10, 10000);

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
