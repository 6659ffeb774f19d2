// Where a start of the program goes: its start-up steps in the program's order, each
// timed with the performance counter inside the Windows runtime, from the process's
// creation to a painted information screen. The first paint is split into its parts
// (gradient, the first text in the overlay's font, the display mode query, the
// overlay's texts) before the window's own first WM_PAINT runs them all again warm.
// Prints one "step<TAB>milliseconds" line per step; bench/e2e's driver runs it
// several times, each a fresh process, and reports the medians.
#include <windows.h>

#include <cstdio>

#include "app/win/main_window.h"
#include "app/win/stored_settings.h"
#include "app/win/user_language.h"
#include "screens/overlay_text.h"
#include "screens/test_picture.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/info_overlay.h"
#include "screens/win/test_painter.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/embedded_catalog.h"
#include "text/text.h"

namespace {

double NowMs() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds since the process was created, by the system clock.
double MsSinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 |
                                      t.dwLowDateTime);
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

class Steps {
public:
    Steps() : start(NowMs()), last(start) {}
    void Done(const char* step) {
        const double now = NowMs();
        std::printf("%s\t%.3f\n", step, now - last);
        last = now;
    }
    [[nodiscard]] double SinceStart() const { return NowMs() - start; }

private:
    double start;
    double last;
};

} // namespace

int main() {
    const double beforeMain = MsSinceProcessCreation();
    Steps steps;
    std::printf("process creation to main\t%.3f\n", beforeMain);

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
        steps.Done("gradient");
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
        DrawInformationOverlay(dc.Get(), client, state);
        GdiFlush();
        steps.Done("overlay texts again, warm");
    }
    UpdateWindow(window);
    GdiFlush();
    steps.Done("first WM_PAINT, all warm");
    std::printf("total, process creation to painted\t%.3f\n", beforeMain + steps.SinceStart());
    DestroyWindow(window);
    return 0;
}
