// The tests of "More tests" on Windows.
#include "app/win/more_test_actions.h"

#include "app/win/main_window.h"
#include "screens/win/motion_worker.h"
#include "state/app_state.h"

namespace {

// Long enough for a frame in the middle of its drawing at 3840 x 2160.
constexpr DWORD kWorkerStopMs = 2000;

} // namespace

void WindowsMoreTestActions::Repaint() {
    RepaintMainWindow();
}

void WindowsMoreTestActions::CreateMotionWorker() {
    AppState& state = TheAppState();
    // A motion test without its worker has nothing on screen: the picture before instead.
    if (!StartMotionWorkerThread(window, state) && LeaveMoreTest(state)) {
        RepaintMainWindow();
    }
}

void WindowsMoreTestActions::WaitForMotionWorker() {
    ::WaitForMotionWorker(kWorkerStopMs);
}
