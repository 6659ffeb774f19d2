// Windows implementation of the key commands' host.
#include "app/win/win_command_host.h"

#include <windows.h>

#include <shellapi.h>

#include "app/win/main_window.h"
#include "screens/win/cycle_worker.h"
#include "screens/win/repair_worker.h"
#include "screens/win/throughput_worker.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "state/current_text.h"
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

// Each start first waits for the previous worker of its kind to leave, so two never
// draw at once; a start that fails clears the running flag again.
void WinCommandHost::CreateThroughputWorker() {
    StartThroughputWorkerThread(MainWindow());
}

void WinCommandHost::CreateCycleWorker() {
    StartCycleWorkerThread(MainWindow());
}

void WinCommandHost::CreateRepairWorker() {
    StartRepairWorkerThread(MainWindow());
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
