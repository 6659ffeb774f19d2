// The keyboard commands. A key-down message is only a trigger: what it does is
// decided by which keys are held at that moment, tested in a fixed order, so
// holding one key and pressing another acts on the first.
#include "app/key_commands.h"

#include <cstddef>

#include "app/more_tests.h"
#include "app/virtual_keys.h"

namespace {

constexpr int kInformationScreen = -1;
constexpr int kLastTest = 12;
constexpr int kGradientWithoutTexts = 13;

constexpr int kIntervalStep = 100;
constexpr int kShortestInterval = 10;
constexpr int kLongestInterval = 10000;

// Keeps a stepped test index on the test screens: past the last test comes the
// first, before the first comes the last.
int Wrap(int index) {
    if (index > kLastTest) {
        return 0;
    }
    if (index < 0) {
        return kLastTest;
    }
    return index;
}

// The interval keys step by 100 ms, with 10 ms as the one value below 100.
int ClampInterval(long long value) {
    if (value < kShortestInterval) {
        return kShortestInterval;
    }
    if (value > kIntervalStep && value < 2 * kIntervalStep) {
        return kIntervalStep;
    }
    if (value > kLongestInterval) {
        return kLongestInterval;
    }
    return static_cast<int>(value);
}

void ShowTest(AppState& state, CommandHost& host, int index) {
    state.testIndex = index;
    host.Repaint();
}

// Digits 1..9 name tests 0..8 and 0 names test 9, on the main keyboard only.
int HeldDigitTest(const CommandHost& host) {
    for (int digit = 1; digit <= 9; ++digit) {
        if (host.IsKeyHeld('0' + digit)) {
            return digit - 1;
        }
    }
    return -1;
}

bool AnyTestMarked(const AppState& state) {
    for (const auto& enabled : state.testEnabled) {
        if (enabled != 0) {
            return true;
        }
    }
    return false;
}

// The rows of the key table that end the handling. False when none of their keys
// is held.
bool RunFinalRows(AppState& state, CommandHost& host) {
    if (host.IsKeyHeld(vkey::kF1)) {
        ShowInformationScreen(state, host);
        return true;
    }
    if (host.IsKeyHeld(vkey::kF2) || host.IsKeyHeld(vkey::kF3)) {
        return true; // their test starts on release
    }
    if (host.IsKeyHeld(vkey::kF4)) {
        state.drawVariant = 2;
        StartThroughputWorker(state, host);
        ShowInformationScreen(state, host);
        return true;
    }
    if (host.IsKeyHeld(vkey::kF5)) {
        state.selectionMode = 1;
        host.Repaint();
        return true;
    }
    if (host.IsKeyHeld(vkey::kF6)) {
        state.repairMode = 1;
        host.Repaint();
        return true;
    }
    if (const int test = HeldDigitTest(host); test >= 0) {
        ShowTest(state, host, test);
        return true;
    }
    if (host.IsKeyHeld('T')) {
        host.ExportTranslation();
        return true;
    }
    if (host.IsKeyHeld('0')) {
        ShowTest(state, host, 9);
        return true;
    }
    if (host.IsKeyHeld('H') || host.IsKeyHeld(vkey::kF8)) {
        ShowTest(state, host, 11);
        return true;
    }
    if (host.IsKeyHeld('V') || host.IsKeyHeld(vkey::kF7)) {
        ShowTest(state, host, 12);
        return true;
    }
    if (host.IsKeyHeld('C')) {
        state.testIndex = kGradientWithoutTexts;
        host.RefreshInfoText();
        host.Repaint();
        return true;
    }
    if (host.IsKeyHeld('L')) {
        // The menu opens over the current picture; a language chosen in it then
        // repaints straight onto the information screen.
        state.testIndex = kInformationScreen;
        host.PostContextMenu();
        return true;
    }
    if (host.IsKeyHeld('X')) {
        ShowTest(state, host, Wrap(state.testIndex));
        return true;
    }
    return false;
}

void RunKeyTable(AppState& state, CommandHost& host) {
    if (host.IsKeyHeld(vkey::kEscape)) {
        QuitProgram(state, host);
    }
    if (host.IsKeyHeld(vkey::kReturn)) {
        // German site for German, the international one for every other language.
        const Text address = host.SectionValue(state.languageIndex == 0 ? 4 : 5);
        if (!address.empty()) { // an empty address would open the working folder
            host.OpenWebPage(address);
        }
        host.PostQuit();
    }
    bool steppedBack = false;
    if (host.IsKeyHeld(vkey::kBack)) {
        int index = state.testIndex - 1;
        if (index < kInformationScreen) {
            // From the information screen the step lands on the last test at once,
            // so no later row can leave the index outside the screens.
            index = Wrap(index);
        }
        ShowTest(state, host, index);
        steppedBack = true;
    }
    if (RunFinalRows(state, host)) {
        return;
    }
    // Any other key: the next test, or after Backspace the step it made.
    const int index = steppedBack ? state.testIndex.load() : state.testIndex + 1;
    ShowTest(state, host, Wrap(index));
}

// The test-enable flag that a held key names on the selection screen, or -1. The
// line keys follow their tests: H and F8 mark horizontal lines (test and flag 11),
// V and F7 vertical lines (flag 10, which the list shows beside that line).
int HeldFlagKey(const CommandHost& host) {
    if (const int test = HeldDigitTest(host); test >= 0) {
        return test;
    }
    if (host.IsKeyHeld('0')) {
        return 9;
    }
    if (host.IsKeyHeld('H') || host.IsKeyHeld(vkey::kF8)) {
        return 11;
    }
    if (host.IsKeyHeld('V') || host.IsKeyHeld(vkey::kF7)) {
        return 10;
    }
    return -1;
}

void StepInterval(AppState& state, CommandHost& host) {
    const int old = state.cycleIntervalMs;
    // Worked out locally so the cycle worker never sees an unclamped value.
    long long value = old;
    if (host.IsKeyHeld('P') || state.lastKeyCode == vkey::kAdd) {
        value += kIntervalStep;
    }
    if (host.IsKeyHeld('M') || state.lastKeyCode == vkey::kSubtract) {
        value -= kIntervalStep;
    }
    const int clamped = ClampInterval(value);
    state.cycleIntervalMs = clamped;
    if (clamped != old) {
        host.WriteProgramInt(u"test_millisecond", clamped);
    }
}

} // namespace

int keyTransition(std::intptr_t lParam) noexcept {
    const auto bits = static_cast<std::uintptr_t>(lParam);
    if ((bits & (std::uintptr_t{1} << 31)) != 0) {
        return kKeyRelease;
    }
    if ((bits & (std::uintptr_t{1} << 30)) != 0) {
        return kAutoRepeat;
    }
    return kFreshPress;
}

void HandleKeyDown(AppState& state, CommandHost& host, int keyCode, std::intptr_t lParam) {
    state.lastKeyTransition = keyTransition(lParam);
    state.lastKeyCode = keyCode;
    if (StopSpotRepairByKey(state, keyCode)) {
        return; // Alt included: it stops the flashing, nothing more
    }
    // On a test of "More tests" the key acts on the picture shown before it.
    LeaveMoreTest(state);
    if (host.IsLeftAltDown()) {
        QuitProgram(state, host);
        return;
    }
    if (state.lastKeyTransition != kFreshPress) {
        return;
    }
    if (state.throughputRunning != 0) {
        state.throughputRunning = 0; // the worker ends at its next check
        ShowInformationScreen(state, host);
        return;
    }
    if (HandleSelectionKeys(state, host) || HandleRepairKeys(state, host)) {
        return;
    }
    RunKeyTable(state, host);
}

bool StopSpotRepairByKey(AppState& state, int keyCode) {
    if (state.spotRepairRunning.exchange(0) == 0) {
        return false;
    }
    // The flasher puts the picture back itself; the key's release is no command either.
    state.swallowedKeyUp = keyCode;
    return true;
}

bool SwallowStoppingKeyUp(AppState& state, int keyCode) {
    if (state.swallowedKeyUp != keyCode || keyCode == 0) {
        return false;
    }
    state.swallowedKeyUp = 0;
    return true;
}

void HandleKeyUp(AppState& state, CommandHost& host, int keyCode) {
    if (SwallowStoppingKeyUp(state, keyCode)) {
        return;
    }
    if (state.selectionMode != 0 || state.repairMode != 0) {
        return;
    }
    switch (keyCode) {
    case vkey::kF2:
        state.drawVariant = 0;
        break;
    case vkey::kF3:
        state.drawVariant = 1;
        break;
    case vkey::kF4:
        if (host.IsLeftAltDown()) {
            QuitProgram(state, host);
            return;
        }
        state.drawVariant = 2;
        break;
    default:
        return;
    }
    // F4 started its test on the press; its release finds the worker running.
    if (state.throughputRunning == 0) {
        StartThroughputWorker(state, host);
        ShowInformationScreen(state, host);
    }
}

bool HandleSelectionKeys(AppState& state, CommandHost& host) {
    if (state.selectionMode == 0) {
        return false;
    }
    // While the cycle runs its marks stay fixed.
    const int flag = state.cycleRunning != 0 ? -1 : HeldFlagKey(host);
    if (host.IsKeyHeld(vkey::kEscape)) {
        // The first Escape stops a running cycle, the next one leaves the screen.
        const int wasRunning = state.cycleRunning.exchange(0);
        if (wasRunning == 0) {
            state.selectionMode = 0;
            host.Repaint();
        }
    }
    if (flag >= 0) {
        auto& enabled = state.testEnabled[static_cast<std::size_t>(flag)];
        // Any nonzero stored value marks the test; a toggle always writes 0 or 1, so a
        // hand-edited 7 can still be cleared.
        const int value = enabled != 0 ? 0 : 1;
        enabled = value;
        host.WriteProgramInt(FormatText(u"use_test_%d", {std::int64_t{flag}}), value);
    }
    StepInterval(state, host);
    host.Repaint();
    if (host.IsKeyHeld(vkey::kReturn)) {
        if (state.cycleRunning != 0) {
            state.cycleRunning = 0;
        } else if (AnyTestMarked(state)) { // a cycle of nothing would show nothing
            state.cycleRunning = 1;
            host.CreateCycleWorker();
        }
    }
    return true;
}

bool HandleRepairKeys(AppState& state, CommandHost& host) {
    if (state.repairMode == 0) {
        return false;
    }
    if (state.repairRunning != 0) {
        return true; // the repair worker watches Escape itself
    }
    if (host.IsKeyHeld(vkey::kEscape)) {
        state.repairRunning = 0;
        state.repairMode = 0;
        host.Repaint();
    } else {
        state.repairRunning = 1;
        host.CreateRepairWorker();
    }
    return true;
}

void StartThroughputWorker(AppState& state, CommandHost& host) {
    if (state.throughputRunning == 1) {
        state.throughputRunning = 0;
        return;
    }
    state.throughputRunning = 1;
    host.CreateThroughputWorker();
}

void ShowInformationScreen(AppState& state, CommandHost& host) {
    state.testIndex = kInformationScreen;
    host.RefreshInfoText();
    host.Repaint();
}

void QuitProgram(AppState& state, CommandHost& host) {
    state.cycleRunning = 0;
    state.selectionMode = 0;
    host.PostQuit();
}

void HandleClose(AppState& state, CommandHost& host) {
    state.cycleRunning = 0;
    state.spotRepairRunning = 0;
    state.motionRunning = 0;
    state.selectionMode = 0;
    host.Pause(100);
    QuitProgram(state, host);
}
