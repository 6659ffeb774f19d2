// The second baseline of the start-up timing: the empty window program that also
// draws one line of text in the overlay's font (bold italic Arial scaled to the
// client width), so that what the system's font start-up costs is measured apart
// from what the program does. Started by bench/e2e's driver.
#include <windows.h>

#include "screens/overlay_text.h"

namespace {

// The driver looks for exactly this colour on the screen: (32, 160, 96), with white
// text near the top middle.
constexpr COLORREF kFillColour = RGB(32, 160, 96);
constexpr wchar_t kLine[] = L"Glimmerix 3.19";

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    SetBkColor(dc, kFillColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);

    HFONT font = CreateFontW(OverlayFontHeight(client.right), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT line{30, 30, client.right, client.bottom};
    DrawTextW(dc, kLine, -1, &line, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint(window);
    case WM_ERASEBKGND:
        return 1; // the paint covers the whole client area
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int main() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TextWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"TextWindow";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }

    const int borderWidth = GetSystemMetrics(SM_CXBORDER);
    const int borderHeight = GetSystemMetrics(SM_CYBORDER);
    HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, L"Text window", WS_POPUP, -borderWidth, -borderHeight,
        GetSystemMetrics(SM_CXSCREEN) + 2 * borderWidth,
        GetSystemMetrics(SM_CYSCREEN) + 2 * borderHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
