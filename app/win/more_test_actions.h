// The tests of "More tests" on Windows: repaints and the motion test's worker.
#pragma once

#include <windows.h>

#include "app/more_tests.h"

class WindowsMoreTestActions final : public MoreTestActions {
public:
    explicit WindowsMoreTestActions(HWND window) : window(window) {}
    void Repaint() override;
    void CreateMotionWorker() override;
    void WaitForMotionWorker() override;

private:
    HWND window;
};
