// The text baseline's start in the steps startup_steps times for the program, under
// the same names, so that bench/e2e's driver can set them side by side: the class,
// the window made at its full size and shown, the fill as its first background and
// its line in the overlay's font.
#include "bench/windows/support/baseline_window.h"
#include "bench/windows/support/step_timer.h"

int main() {
    step_timer::Steps steps;
    if (!baseline::RegisterWindowClass(L"TextWindow")) {
        return 1;
    }
    steps.Done("window class");
    HWND window = baseline::CreateFullScreenWindow(L"TextWindow");
    if (window == nullptr) {
        return 1;
    }
    steps.Done("window creation and placement");
    ShowWindow(window, SW_SHOW);
    steps.Done("show window");

    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    baseline::Fill(dc, client);
    GdiFlush();
    steps.Done("first background");
    baseline::DrawTitleLine(dc, client);
    GdiFlush();
    steps.Done("first text in the overlay font");
    steps.Painted();
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return 0;
}
