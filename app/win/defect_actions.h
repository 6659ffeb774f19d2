// The defect log's commands on Windows: the settings file, message boxes, the report
// and the marked pixels' flasher behind the portable DefectActions.
#pragma once

#include <windows.h>

#include <memory>

#include "app/defect_menu.h"
#include "defects/shared_log.h"

class WindowsDefectActions final : public DefectActions {
public:
    // `spokenOf` is the log the command or click was decided on: a change is kept only
    // while it is still the covered monitor's (a mode change may have brought another).
    WindowsDefectActions(HWND window, std::shared_ptr<const PublishedLog> spokenOf)
        : window(window), spokenOf(std::move(spokenOf)) {}

    bool KeepLog(MarkLog log) override;
    bool Confirm(TextView question) override;
    void Tell(TextView message) override;
    void WriteReport(const MarkLog& log) override;
    void WaitForDrawingWorkers() override;
    void CreateSpotRepairWorker() override;
    void Repaint() override;

private:
    HWND window;
    std::shared_ptr<const PublishedLog> spokenOf;
};
