// The key commands' view of Windows: held keys from the asynchronous key state,
// repaints, the quit message, the browser, settings writes and the worker threads.
#pragma once

#include "app/command_host.h"

class WinCommandHost final : public CommandHost {
public:
    [[nodiscard]] bool IsKeyHeld(int virtualKey) const override;
    [[nodiscard]] bool IsLeftAltDown() const override;
    [[nodiscard]] Text SectionValue(int key) const override;
    void Repaint() override;
    void PostQuit() override;
    void Pause(int milliseconds) override;
    void OpenWebPage(TextView address) override;
    void CreateThroughputWorker() override;
    void CreateCycleWorker() override;
    void CreateRepairWorker() override;
    void ExportTranslation() override;
    void PostContextMenu() override;
    void WriteProgramInt(TextView key, int value) override;
    void RefreshInfoText() override;
};

// The host that the window procedure hands to the key commands.
WinCommandHost& TheCommandHost();
