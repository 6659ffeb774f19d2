// Program entry: builds the catalogue, picks the language and reads the settings
// while the window class is registered, then opens the main window and runs the
// message loop.
#include <windows.h>

#include "app/win/main_window.h"
#include "app/win/startup_reads.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    StartupReads reads;
    RegisterMainWindowClass(instance);
    if (!reads.Finish()) {
        return 0; // no texts, no program; nothing to report it with
    }
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
