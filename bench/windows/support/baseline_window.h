// The baselines of the start-up timing: the least a Win32 window program does before
// its first picture is on the screen. One borderless window over the whole screen,
// placed like the main window (one border width beyond every edge), filled with one
// colour on every paint, then whatever the baseline adds; closing it ends the program.
#pragma once

#include <windows.h>

namespace baseline {

// The driver looks for exactly this colour on the screen: (32, 160, 96).
inline constexpr COLORREF kFillColour = RGB(32, 160, 96);

// Drawn after the fill on every paint; null for none.
using DrawExtra = void (*)(HDC dc, const RECT& client);
inline DrawExtra drawExtra = nullptr;

inline LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // An opaque, empty text output fills without creating a brush.
    SetBkColor(dc, kFillColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    if (drawExtra != nullptr) {
        drawExtra(dc, client);
    }
    EndPaint(window, &paint);
    return 0;
}

inline LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

// Registers `className`, shows the window and runs the message loop until it closes.
inline int Run(const wchar_t* className, DrawExtra extra) {
    drawExtra = extra;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }

    const int borderWidth = GetSystemMetrics(SM_CXBORDER);
    const int borderHeight = GetSystemMetrics(SM_CYBORDER);
    HWND window = CreateWindowExW(0, className, className, WS_POPUP, -borderWidth, -borderHeight,
                                  GetSystemMetrics(SM_CXSCREEN) + 2 * borderWidth,
                                  GetSystemMetrics(SM_CYSCREEN) + 2 * borderHeight, nullptr,
                                  nullptr, instance, nullptr);
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

} // namespace baseline
