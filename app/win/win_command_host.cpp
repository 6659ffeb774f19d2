// Windows implementation of the key commands' host.
#include "app/win/win_command_host.h"

#include <windows.h>

#include <shellapi.h>

#include "app/app_state.h"
#include "app/win/main_window.h"
#include "settings/win/ini2017.h"
#include "text/text_lookup.h"
#include "text/win/translation_files.h"
#include "text/win/wide.h"

bool WinCommandHost::IsKeyHeld(int virtualKey) const {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool WinCommandHost::IsLeftAltDown() const {
    return (GetKeyState(VK_LMENU) & 0x8000) != 0;
}

Text WinCommandHost::SectionValue(int key) const {
    const char16_t* value = TheCatalogue().SectionZeroValue(key);
    return value != nullptr ? Text(value) : Text();
}

void WinCommandHost::Repaint() {
    RepaintMainWindow();
}

void WinCommandHost::PostQuit() {
    PostQuitMessage(0);
}

void WinCommandHost::Pause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

void WinCommandHost::OpenWebPage(TextView address) {
    const Text target(address);
    ShellExecuteW(nullptr, L"open", Wide(target), nullptr, nullptr, SW_SHOW);
}

void WinCommandHost::CreateThroughputWorker() {
    TheAppState().throughputRunning = 0;
}

void WinCommandHost::CreateCycleWorker() {
    TheAppState().cycleRunning = 0;
}

void WinCommandHost::CreateRepairWorker() {
    TheAppState().repairRunning = 0;
}

void WinCommandHost::ExportTranslation() {
    ::ExportTranslation();
}

void WinCommandHost::PostContextMenu() {
    PostMessageW(MainWindow(), WM_CONTEXTMENU, 0, 0);
}

void WinCommandHost::WriteProgramInt(TextView key, int value) {
    CIni2017::WriteProgramInt(Text(key), value);
}

void WinCommandHost::RefreshInfoText() {
    TheAppState().infoText.Set(CurrentInfoText());
}

WinCommandHost& TheCommandHost() {
    static WinCommandHost host;
    return host;
}
