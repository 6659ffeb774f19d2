// The baselines of the start-up timing: the least a Win32 window program does before
// its first picture is on the screen. One borderless window over the whole screen,
// placed like the main window (one border width beyond every edge), filled with one
// colour on every paint, then whatever the baseline adds; closing it ends the program.
#pragma once

#include <windows.h>

#include "screens/overlay_text.h"

namespace baseline {

// The driver looks for exactly this colour on the screen: (32, 160, 96).
inline constexpr COLORREF kFillColour = RGB(32, 160, 96);

// Drawn after the fill on every paint; null for none.
using DrawExtra = void (*)(HDC dc, const RECT& client);
inline DrawExtra drawExtra = nullptr;

// An opaque, empty text output fills without creating a brush.
inline void Fill(HDC dc, const RECT& client) {
    SetBkColor(dc, kFillColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
}

// The text baseline's line: the program's title in the overlay's font (bold italic
// Arial scaled to the client width), white in the top middle.
inline void DrawTitleLine(HDC dc, const RECT& client) {
    HFONT font = CreateFontW(OverlayFontHeight(client.right), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT line{30, 30, client.right, client.bottom};
    DrawTextW(dc, L"Glimmerix 3.19", -1, &line, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
}

inline LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    Fill(dc, client);
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

inline bool RegisterWindowClass(const wchar_t* className) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

// Created where it stays, at its full size; not yet shown.
inline HWND CreateFullScreenWindow(const wchar_t* className) {
    const int borderWidth = GetSystemMetrics(SM_CXBORDER);
    const int borderHeight = GetSystemMetrics(SM_CYBORDER);
    return CreateWindowExW(0, className, className, WS_POPUP, -borderWidth, -borderHeight,
                           GetSystemMetrics(SM_CXSCREEN) + 2 * borderWidth,
                           GetSystemMetrics(SM_CYSCREEN) + 2 * borderHeight, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Registers `className`, shows the window and runs the message loop until it closes.
inline int Run(const wchar_t* className, DrawExtra extra) {
    drawExtra = extra;
    if (!RegisterWindowClass(className)) {
        return 1;
    }
    HWND window = CreateFullScreenWindow(className);
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
