// The program's one window: class registration, creation with full-screen
// placement, and the window procedure that routes messages to the shell.
#pragma once

#include <windows.h>

void RegisterMainWindowClass(HINSTANCE instance);

// Creates, shows and updates the main window; 1 on success, 0 when creation failed.
int CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Invalidates the whole client area of the main window; the next WM_PAINT draws it.
void RepaintMainWindow();

HWND MainWindow();
