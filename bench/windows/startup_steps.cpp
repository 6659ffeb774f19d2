// Where a start of the program goes: its start-up steps in the program's order, each
// timed with the performance counter inside the Windows runtime, from the process's
// creation to a painted information screen. The first paint is split into its parts
// (the gradient as the first background, the first text in the overlay's font, the
// display mode query, the overlay's texts) before the window's own first WM_PAINT
// runs them all again warm. text_window_steps times the text baseline in steps of
// the same names; bench/e2e's driver runs both several times, each a fresh process,
// and sets their medians side by side.
#include <windows.h>

#include "app/win/main_window.h"
#include "app/win/stored_settings.h"
#include "app/win/user_language.h"
#include "bench/windows/support/step_timer.h"
#include "screens/overlay_text.h"
#include "screens/picture.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/info_overlay.h"
#include "screens/win/painter.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/embedded_catalog.h"
#include "text/text.h"

int main() {
    step_timer::Steps steps;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterMainWindowClass(instance);
    steps.Done("window class");
    if (!BuildCatalogue()) {
        return 1;
    }
    steps.Done("catalogue build");
    const int defaultLanguage = UserDefaultLanguageIndex();
    steps.Done("default language");
    CIni2017::Setup();
    steps.Done("settings file set-up");
    AppState& state = TheAppState();
    ReadStoredSettings(state, defaultLanguage);
    steps.Done("settings reads");

    // As CreateMainWindow does it, split at ShowWindow and UpdateWindow.
    HWND window = CreateWindowExW(0, L"Glimmerix", L"Glimmerix", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    steps.Done("window creation and placement");
    ShowWindow(window, SW_SHOW);
    steps.Done("show window");

    RECT client;
    GetClientRect(window, &client);
    {
        const WindowDc dc(window);
        state.testIndex = kPlainGradient;
        PaintTestScreen(dc.Get(), window, state, nullptr);
        GdiFlush();
        steps.Done("first background");
        state.testIndex = kInformationScreen;

        const UniqueFont font(CreateFontW(OverlayFontHeight(client.right), 0, 0, 0, FW_BOLD, TRUE,
                                          FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
        const ScopedSelectObject selection(dc.Get(), font);
        SetBkMode(dc.Get(), TRANSPARENT);
        RECT line{30, 30, client.right, client.bottom};
        DrawTextW(dc.Get(), L"Glimmerix 3.19", -1, &line, DT_CENTER | DT_SINGLELINE);
        GdiFlush();
        steps.Done("first text in the overlay font");
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    steps.Done("display mode query");
    {
        const WindowDc dc(window);
        DrawInformationOverlay(dc.Get(), client, state);
        GdiFlush();
        steps.Done("overlay texts");
        steps.Painted();
        DrawInformationOverlay(dc.Get(), client, state);
        GdiFlush();
        steps.Done("overlay texts again, warm");
    }
    UpdateWindow(window);
    GdiFlush();
    steps.Done("first WM_PAINT, all warm");
    DestroyWindow(window);
    return 0;
}
