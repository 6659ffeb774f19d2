// AppState: the one record of what is on the screen and which worker runs.
// The main thread writes it; the painter and the workers read it, and two workers
// write to it. Fields that cross threads are atomics: the running flags are the
// polling protocol between the shell and its workers.
#pragma once

#include <array>
#include <atomic>
#include <mutex>

#include "text/text.h"

// A text that one thread replaces while another reads it: readers get a copy, so
// nothing is torn or freed under them.
class SharedText {
public:
    void Set(Text text) {
        std::lock_guard lock(mutex);
        value = std::move(text);
    }
    Text Get() const {
        std::lock_guard lock(mutex);
        return value;
    }

private:
    mutable std::mutex mutex;
    Text value;
};

inline constexpr int kTestFlagCount = 12;

struct AppState {
    std::atomic<int> testIndex{-1};
    std::array<std::atomic<int>, kTestFlagCount> testEnabled{};
    std::atomic<int> cycleIntervalMs{1000};
    std::atomic<int> selectionMode{0};
    std::atomic<int> repairMode{0};
    std::atomic<int> cycleRunning{0};
    std::atomic<int> repairRunning{0};
    std::atomic<int> throughputRunning{0};
    // 1 while the flasher of the marked pixels runs; any key clears it.
    std::atomic<int> spotRepairRunning{0};
    // The key whose press stopped that flasher: its release is not a command (main
    // thread only).
    int swallowedKeyUp = 0;
    std::atomic<int> drawVariant{0};
    std::atomic<int> lastKeyCode{0};
    std::atomic<int> lastKeyTransition{0};
    std::atomic<int> languageIndex{1};
    // The main window (an HWND in the Windows layer). Set once on window creation,
    // before any worker exists.
    std::atomic<void*> mainWindow{nullptr};
    SharedText infoText;
    // The monitor the window covers: its device name (empty until the window covers
    // one) and its size in pixels, for the info line. Set before the window moves.
    SharedText screenDevice;
    std::atomic<int> screenWidth{0};
    std::atomic<int> screenHeight{0};
    // Its top-left corner on the desktop: marks are kept in the monitor's own pixels.
    std::atomic<int> screenLeft{0};
    std::atomic<int> screenTop{0};
    // The "screen" setting as read at start-up or last written (main thread only).
    Text screenSetting;
};

// The program's one instance.
AppState& TheAppState();
