// The shared test window (see test_window.h).
#include "tests/windows/support/test_window.h"

#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "tests/windows/support/dib_canvas.h"

namespace {

HWND SharedWindow() {
    static const HWND shared = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmerixTestWindow";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"test", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
    }();
    return shared;
}

} // namespace

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TestWindow::TestWindow(int width, int height) : window(SharedWindow()) {
    SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages();
}

void TestWindow::Fill(std::uint32_t packed) const {
    RECT client{};
    GetClientRect(window, &client);
    const WindowDc dc(window);
    FillRectOpaque(dc.Get(), client, ColorRefOf(packed));
}
