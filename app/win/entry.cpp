// Program entry: builds the catalogue, picks the language, reads the settings,
// opens the main window and runs the message loop.
#include <windows.h>

#include "app/app_state.h"
#include "app/default_language.h"
#include "app/win/main_window.h"
#include "settings/win/ini2017.h"
#include "text/catalog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RegisterMainWindowClass(instance);
    if (!BuildCatalogue()) {
        return 0; // no texts, no program; nothing to report it with
    }
    const int defaultLanguage = DefaultLanguageIndex(GetUserDefaultLangID());
    CIni2017::Setup();

    AppState& state = TheAppState();
    state.languageIndex = CIni2017::ReadProgramInt(L"lng", defaultLanguage);
    for (int n = 0; n < kTestFlagCount; ++n) {
        wchar_t key[32];
        wsprintfW(key, L"use_test_%d", n);
        state.testEnabled[static_cast<std::size_t>(n)] = CIni2017::ReadProgramInt(key, 0);
    }
    state.cycleIntervalMs = CIni2017::ReadInt(L"Program", L"test_millisecond", 1000, 10, 10000);

    if (CreateMainWindow(instance, SW_SHOW) == 0) {
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ExitProcess(0);
}
