// Showing the acceptance tests beyond the keys' pictures.
#include "app/more_tests.h"

#include "defects/picture_table.h"

bool MoreTestsAvailable(const AppState& state) noexcept {
    return state.selectionMode == 0 && state.repairMode == 0 && state.cycleRunning == 0 &&
           state.repairRunning == 0 && state.throughputRunning == 0 && state.spotRepairRunning == 0;
}

void AddMoreTestEntries(std::vector<MenuEntry>& entries, const AppState& state) {
    if (!MoreTestsAvailable(state)) {
        return;
    }
    std::vector<MenuEntry> block = {{kMenuPopup, 0, u"More tests"}};
    const int shown = state.testIndex.load();
    for (const PictureEntry& picture : kPictureTable) {
        if (IsMoreTest(picture.index)) {
            block.push_back({picture.index == shown ? kMenuChecked : kMenuString,
                             kMenuMoreTestBase + picture.index, picture.menuText});
        }
    }
    block.push_back({kMenuPopupEnd, 0, Text()});
    // First among the tools, above "Translate": the languages keep their places from the
    // top, the tools and what follows them theirs from the bottom.
    auto at = entries.end();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->id == kMenuTranslate) {
            at = it;
        }
    }
    entries.insert(at, block.begin(), block.end());
}

void ShowMoreTest(int index, AppState& state, MoreTestActions& actions) {
    const PictureEntry* picture = FindPicture(index);
    if (picture == nullptr || !IsMoreTest(index) || !MoreTestsAvailable(state)) {
        return;
    }
    const int shown = state.testIndex.load();
    if (!IsMoreTest(shown)) {
        state.pictureBeforeMoreTests = shown;
    }
    // One motion worker at a time, and it stops before a still picture is painted.
    if (state.motionRunning.exchange(0) != 0) {
        actions.WaitForMotionWorker();
    }
    state.testIndex = index;
    if (picture->motionSpeed > 0) {
        state.motionSpeed = picture->motionSpeed;
        state.motionRunning = 1;
        actions.CreateMotionWorker();
        return;
    }
    actions.Repaint();
}

bool CarryOutMoreTestCommand(int command, AppState& state, MoreTestActions& actions) {
    const int index = command - kMenuMoreTestBase;
    if (!IsMoreTest(index)) {
        return false;
    }
    ShowMoreTest(index, state, actions);
    return true;
}

void StepMoreTests(int notches, AppState& state, MoreTestActions& actions) {
    if (notches == 0) {
        return;
    }
    constexpr int kCount = kLastMoreTest - kFirstMoreTest + 1;
    const int shown = state.testIndex.load();
    int next = 0;
    if (!IsMoreTest(shown)) {
        next = notches < 0 ? kFirstMoreTest : kLastMoreTest;
    } else {
        // Down is the next test: the wheel turned toward the user gives a negative count.
        const int position = (shown - kFirstMoreTest - notches) % kCount;
        next = kFirstMoreTest + (position + kCount) % kCount;
    }
    ShowMoreTest(next, state, actions);
}

bool LeaveMoreTest(AppState& state) noexcept {
    if (!IsMoreTest(state.testIndex.load())) {
        return false;
    }
    state.motionRunning = 0;
    state.testIndex = state.pictureBeforeMoreTests;
    return true;
}
