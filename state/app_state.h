// AppState: the one record of what is on the screen and which worker runs.
// The main thread writes it; the painter and the workers read it, and two workers
// write to it. Fields that cross threads are atomics: the running flags are the
// polling protocol between the shell and its workers.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
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
    // 1 while the motion test's bar moves; the key or click that stops it clears it.
    std::atomic<int> motionRunning{0};
    // The moving bar's speed in pixels per second, set before motionRunning; the worker
    // takes it when it starts (another speed is a new start).
    std::atomic<int> motionSpeed{0};
    // The picture of the keys shown before a test of the menu's "More tests": a key
    // goes back to it (main thread only).
    int pictureBeforeMoreTests = -1;
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
    // The monitor chosen to cover: its device name (empty until the window covers
    // one). Set before the window moves; its place, size and log are published with
    // the defect log (defects/shared_log.h) as one value.
    SharedText screenDevice;
    // The "screen" setting as read at start-up or last written (main thread only).
    Text screenSetting;
    // 1 once the user was told that the marks could not be saved (main thread only).
    int logWriteFailureTold = 0;
    // When the last context menu closed, in the system's millisecond ticks: the click
    // that closed it is no mark (main thread only).
    std::uint32_t menuClosedAt = 0;
    int menuJustClosed = 0; // 1 until the first click after it
};

// The program's one instance.
AppState& TheAppState();
