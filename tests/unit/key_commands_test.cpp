// The keyboard commands against a host that holds a set of keys down and records
// what it is told: navigation, quitting, the throughput keys, the test selection
// and repair screens, and closing the window.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/key_commands.h"
#include "app/more_tests.h"
#include "app/virtual_keys.h"
#include "defects/picture_table.h"

namespace {

using namespace vkey;

// Keys the command logic does not list.
constexpr int kSpace = 0x20;
constexpr int kRight = 0x27;
constexpr int kNumpad0 = 0x60;
constexpr int kF9 = 0x78;

constexpr std::intptr_t kPressParam = 0x001C0001;                   // repeat 1, a scan code
constexpr std::intptr_t kRepeatParam = kPressParam | (1 << 30);     // was already down
constexpr std::intptr_t kReleaseParam = kRepeatParam | (1LL << 31); // WM_KEYUP

class FakeHost : public CommandHost {
public:
    explicit FakeHost(const AppState& state) : state(state) {}

    std::set<int> held;
    bool leftAlt = false;
    std::map<int, Text> section{{4, u"https://de.example/"}, {5, u"https://www.example/"}};
    std::vector<std::string> log;

    bool IsKeyHeld(int virtualKey) const override { return held.contains(virtualKey); }
    bool IsLeftAltDown() const override { return leftAlt; }
    Text SectionValue(int key) const override {
        const auto found = section.find(key);
        return found == section.end() ? Text() : found->second;
    }
    // Invalidations before the next paint merge into one, as they do in a window.
    void Repaint() override {
        if (log.empty() || log.back() != "repaint") {
            log.push_back("repaint");
        }
    }
    void PostQuit() override { log.push_back("quit"); }
    void Pause(int milliseconds) override {
        log.push_back("pause " + std::to_string(milliseconds) + Flags());
    }
    void OpenWebPage(TextView address) override { log.push_back("open " + TextToUtf8(address)); }
    void CreateThroughputWorker() override {
        log.push_back("throughput worker" + Flag(state.throughputRunning));
    }
    void CreateCycleWorker() override { log.push_back("cycle worker" + Flag(state.cycleRunning)); }
    void CreateRepairWorker() override {
        log.push_back("repair worker" + Flag(state.repairRunning));
    }
    void ExportTranslation() override { log.push_back("export"); }
    void PostContextMenu() override { log.push_back("context menu"); }
    void WriteProgramInt(TextView key, int value) override {
        log.push_back(TextToUtf8(key) + "=" + std::to_string(value));
    }
    void RefreshInfoText() override { log.push_back("info"); }

private:
    // A worker must find its running flag set when it starts.
    static std::string Flag(int value) { return value == 1 ? "" : " (flag not set)"; }
    // Workers get their pause only after being asked to stop.
    std::string Flags() const {
        return state.cycleRunning == 0 && state.selectionMode == 0 ? "" : " (cycle not stopped)";
    }
    const AppState& state;
};

// The parts of AppState the key commands touch, for setting up and comparing.
struct Fields {
    int testIndex = -1;
    int selectionMode = 0;
    int repairMode = 0;
    int cycleRunning = 0;
    int repairRunning = 0;
    int throughputRunning = 0;
    int drawVariant = 0;
    int interval = 1000;
    unsigned enabled = 0;       // bit k = testEnabled[k]
    int markStoredAsSeven = -1; // a flag that the settings file gave as 7
    bool operator==(const Fields&) const = default;
};

void PrintTo(const Fields& f, std::ostream* os) {
    *os << "{test " << f.testIndex << ", selection " << f.selectionMode << ", repair "
        << f.repairMode << ", cycle " << f.cycleRunning << ", repairRunning " << f.repairRunning
        << ", throughput " << f.throughputRunning << ", variant " << f.drawVariant << ", interval "
        << f.interval << ", enabled 0x" << std::hex << f.enabled << std::dec << "}";
}

void Apply(const Fields& f, AppState& state) {
    state.testIndex = f.testIndex;
    state.selectionMode = f.selectionMode;
    state.repairMode = f.repairMode;
    state.cycleRunning = f.cycleRunning;
    state.repairRunning = f.repairRunning;
    state.throughputRunning = f.throughputRunning;
    state.drawVariant = f.drawVariant;
    state.cycleIntervalMs = f.interval;
    for (int k = 0; k < kTestFlagCount; ++k) {
        state.testEnabled[static_cast<std::size_t>(k)] = (f.enabled >> k) & 1U;
    }
    if (f.markStoredAsSeven >= 0) {
        state.testEnabled[static_cast<std::size_t>(f.markStoredAsSeven)] = 7;
    }
}

Fields Read(const AppState& state) {
    Fields f{state.testIndex,    state.selectionMode,  state.repairMode,
             state.cycleRunning, state.repairRunning,  state.throughputRunning,
             state.drawVariant,  state.cycleIntervalMs};
    for (int k = 0; k < kTestFlagCount; ++k) {
        const int value = state.testEnabled[static_cast<std::size_t>(k)];
        EXPECT_TRUE(value == 0 || value == 1) << "flag " << k << " = " << value;
        f.enabled |= static_cast<unsigned>(value & 1) << k;
    }
    return f;
}

enum class Msg { Down, Repeat, Up };

// One key message, with the other keys held down at that moment.
struct Step {
    Msg msg;
    int key;
    std::vector<int> alsoHeld = {};
    bool leftAlt = false;
};

Step Press(int key, std::vector<int> alsoHeld = {}) {
    return {Msg::Down, key, std::move(alsoHeld)};
}
Step Release(int key) {
    return {Msg::Up, key};
}

struct Scenario {
    const char* name;
    Fields start;
    std::vector<Step> steps;
    Fields end;
    std::vector<std::string> log;
    int languageIndex = 1;
};

void RunSteps(const Scenario& c, AppState& state, FakeHost& host) {
    Apply(c.start, state);
    state.languageIndex = c.languageIndex;
    for (const Step& step : c.steps) {
        host.held = std::set<int>(step.alsoHeld.begin(), step.alsoHeld.end());
        host.leftAlt = step.leftAlt;
        switch (step.msg) {
        case Msg::Down:
            host.held.insert(step.key);
            HandleKeyDown(state, host, step.key, kPressParam);
            break;
        case Msg::Repeat:
            host.held.insert(step.key);
            HandleKeyDown(state, host, step.key, kRepeatParam);
            break;
        case Msg::Up:
            HandleKeyUp(state, host, step.key);
            break;
        }
    }
}

void Check(const std::vector<Scenario>& cases) {
    for (const Scenario& c : cases) {
        SCOPED_TRACE(c.name);
        AppState state;
        FakeHost host(state);
        RunSteps(c, state, host);
        EXPECT_EQ(Read(state), c.end);
        EXPECT_EQ(host.log, c.log);
    }
}

using Log = std::vector<std::string>;
const Log kRepaint{"repaint"};
const Log kInfoScreen{"info", "repaint"};

TEST(KeyCommands, ClassifiesKeyMessages) {
    struct {
        std::intptr_t lParam;
        int expected;
    } const cases[] = {
        {0, kFreshPress},
        {kPressParam, kFreshPress},
        {0x3FFFFFFF, kFreshPress},
        {kRepeatParam, kAutoRepeat},
        {1 << 30, kAutoRepeat},
        {1LL << 31, kKeyRelease},
        {kReleaseParam, kKeyRelease},
        {0xFFFFFFFFLL, kKeyRelease},
        // A key-up lParam that arrived sign-extended.
        {static_cast<std::intptr_t>(static_cast<std::int32_t>(0xC0000001U)), kKeyRelease},
        {-1, kKeyRelease},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyTransition(c.lParam), c.expected) << std::hex << c.lParam;
    }
}

// One fresh press on the test screens: from test `from`, with `held` also down, to
// test `to`.
struct Jump {
    const char* name;
    int from;
    int key;
    std::vector<int> held;
    int to;
    Log log = kRepaint;
};

TEST(KeyCommands, StepsAndJumpsBetweenTests) {
    const Jump jumps[] = {
        {"unlisted key on the information screen", -1, kSpace, {}, 0},
        {"unlisted key on test 12 wraps", 12, kF9, {}, 0},
        {"an arrow on the gradient", 13, kRight, {}, 0},
        {"numeric-pad digit is unlisted", 4, kNumpad0, {}, 5},
        {"numeric-pad plus is unlisted", 4, kAdd, {}, 5},
        {"numeric-pad minus is unlisted", 4, kSubtract, {}, 5},
        {"digit 1", 7, '1', {}, 0},
        {"digit 9", -1, '9', {}, 8},
        {"digit 0", -1, '0', {}, 9},
        {"held 3 decides for another key", -1, kSpace, {'3'}, 2},
        {"the lower digit wins", -1, '7', {'3'}, 2},
        {"H", -1, 'H', {}, 11},
        {"F8", -1, kF8, {}, 11},
        {"V", -1, 'V', {}, 12},
        {"F7", -1, kF7, {}, 12},
        {"H comes before V", -1, 'V', {'H'}, 11},
        {"X on the information screen", -1, 'X', {}, 12},
        {"X on test 5 repaints it", 5, 'X', {}, 5},
        {"X on the gradient", 13, 'X', {}, 0},
        {"Backspace on test 5", 5, kBack, {}, 4},
        {"Backspace on test 0", 0, kBack, {}, 12},
        {"Backspace on the information screen", -1, kBack, {}, 12},
        {"Backspace on the gradient", 13, kBack, {}, 12},
        {"a digit after Backspace wins", 9, '5', {kBack}, 4},
        {"Backspace then X", 0, 'X', {kBack}, 12},
        {"Backspace with F2 stays on the screens", -1, kF2, {kBack}, 12},
        {"C shows the bare gradient", 4, 'C', {}, 13, kInfoScreen},
        {"F1", 7, kF1, {}, -1, kInfoScreen},
        {"F1 before a digit", 7, '2', {kF1}, -1, kInfoScreen},
        {"T exports without repainting", 3, 'T', {}, 3, {"export"}},
        {"T comes before 0", 3, '0', {'T'}, 3, {"export"}},
        {"L opens the menu over the information screen", 6, 'L', {}, -1, {"context menu"}},
    };
    std::vector<Scenario> cases;
    for (const Jump& jump : jumps) {
        cases.push_back({jump.name,
                         {.testIndex = jump.from},
                         {Press(jump.key, jump.held)},
                         {.testIndex = jump.to},
                         jump.log});
    }
    Check(cases);
    Check({
        {"Backspace with F5 from test 0",
         {.testIndex = 0},
         {Press(kF5, {kBack})},
         {.testIndex = -1, .selectionMode = 1},
         kRepaint},
        {"C then an unlisted key", {}, {Press('C'), Press(kSpace)}, {.testIndex = 0}, kInfoScreen},
        {"F5 opens the selection screen",
         {.testIndex = 6},
         {Press(kF5, {'1'})},
         {.testIndex = 6, .selectionMode = 1},
         kRepaint},
        {"F6 opens the repair screen", {}, {Press(kF6)}, {.repairMode = 1}, kRepaint},
        {"auto-repeat does nothing",
         {.testIndex = 3},
         {{Msg::Repeat, kSpace}},
         {.testIndex = 3},
         {}},
        {"auto-repeat of Escape does not quit", {}, {{Msg::Repeat, kEscape}}, {}, {}},
        {"release of an ordinary key does nothing",
         {.testIndex = 3},
         {Release('5')},
         {.testIndex = 3},
         {}},
    });
}

TEST(KeyCommands, QuitsOnEscapeEnterAndLeftAlt) {
    Check({
        {"Escape quits, then the next rows still run",
         {.testIndex = 2, .cycleRunning = 1},
         {Press(kEscape)},
         {.testIndex = 3},
         {"quit", "repaint"}},
        {"Enter opens the international site",
         {},
         {Press(kReturn)},
         {.testIndex = 0},
         {"open https://www.example/", "quit", "repaint"}},
        {"Enter opens the German site in German",
         {},
         {Press(kReturn)},
         {.testIndex = 0},
         {"open https://de.example/", "quit", "repaint"},
         0},
        {"Escape and Enter together",
         {.testIndex = 5},
         {Press(kReturn, {kEscape})},
         {.testIndex = 6},
         {"quit", "open https://www.example/", "quit", "repaint"}},
        {"left Alt with any key",
         {.testIndex = 4, .selectionMode = 1, .cycleRunning = 1},
         {{Msg::Down, '5', {}, true}},
         {.testIndex = 4},
         {"quit"}},
        {"left Alt with an auto-repeated key",
         {.testIndex = 4},
         {{Msg::Repeat, kSpace, {}, true}},
         {.testIndex = 4},
         {"quit"}},
        {"left Alt while a throughput test runs",
         {.throughputRunning = 1},
         {{Msg::Down, kSpace, {}, true}},
         {.throughputRunning = 1},
         {"quit"}},
        {"left Alt and F4 released", {}, {{Msg::Up, kF4, {}, true}}, {}, {"quit"}},
        {"left Alt and F2 released is only F2",
         {},
         {{Msg::Up, kF2, {}, true}},
         {.throughputRunning = 1},
         {"throughput worker", "info", "repaint"}},
    });
}

TEST(KeyCommands, EnterWithoutAnAddressStillQuits) {
    AppState state;
    FakeHost host(state);
    host.section.clear();
    RunSteps({"", {}, {Press(kReturn)}, {}, {}}, state, host);
    EXPECT_EQ(host.log, (Log{"quit", "repaint"}));
}

TEST(KeyCommands, StartsAndStopsTheThroughputTest) {
    const Log started{"throughput worker", "info", "repaint"};
    Check({
        {"F2 press does nothing", {.testIndex = 3}, {Press(kF2)}, {.testIndex = 3}, {}},
        {"F2 release starts variant 0",
         {.testIndex = 3, .drawVariant = 2},
         {Press(kF2), Release(kF2)},
         {.throughputRunning = 1, .drawVariant = 0},
         started},
        {"F3 release starts variant 1",
         {.testIndex = 3},
         {Press(kF3), Release(kF3)},
         {.throughputRunning = 1, .drawVariant = 1},
         started},
        {"F4 press starts variant 2 and its release nothing more",
         {.testIndex = 3},
         {Press(kF4), {Msg::Repeat, kF4}, Release(kF4)},
         {.throughputRunning = 1, .drawVariant = 2},
         started},
        {"any press stops a running test",
         {.testIndex = 5, .throughputRunning = 1},
         {Press('7')},
         {.testIndex = -1},
         kInfoScreen},
        {"an auto-repeat does not stop it",
         {.testIndex = -1, .throughputRunning = 1},
         {{Msg::Repeat, '7'}},
         {.throughputRunning = 1},
         {}},
        {"F2 stops on press and starts on release",
         {.throughputRunning = 1, .drawVariant = 1},
         {Press(kF2), Release(kF2)},
         {.throughputRunning = 1, .drawVariant = 0},
         {"info", "repaint", "throughput worker", "info", "repaint"}},
        {"F4 stops a running test on press, restarts on release",
         {.throughputRunning = 1},
         {Press(kF4), Release(kF4)},
         {.throughputRunning = 1, .drawVariant = 2},
         {"info", "repaint", "throughput worker", "info", "repaint"}},
        {"a release while it runs changes only the variant",
         {.throughputRunning = 1},
         {Release(kF3)},
         {.throughputRunning = 1, .drawVariant = 1},
         {}},
        {"release ignored on the selection screen",
         {.selectionMode = 1},
         {Release(kF2)},
         {.selectionMode = 1},
         {}},
        {"release ignored on the repair screen",
         {.repairMode = 1, .drawVariant = 1},
         {Release(kF4)},
         {.repairMode = 1, .drawVariant = 1},
         {}},
    });
}

TEST(KeyCommands, TestSelectionScreen) {
    Log walkDown;
    for (int ms = 900; ms >= 100; ms -= 100) {
        walkDown.push_back("test_millisecond=" + std::to_string(ms));
        walkDown.push_back("repaint");
    }
    Log walk = walkDown;
    // 100 -> 10, 10 stays 10 (no write), then 100 and 200.
    for (const char* line : {"test_millisecond=10", "repaint", "test_millisecond=100", "repaint",
                             "test_millisecond=200", "repaint"}) {
        walk.push_back(line);
    }
    const std::vector<Step> nineTimesM(9, Press('M'));
    std::vector<Step> walkSteps = nineTimesM;
    walkSteps.insert(walkSteps.end(), {Press('M'), Press('M'), Press('P'), Press('P')});

    const Fields on{.selectionMode = 1};
    const Fields cycling{.selectionMode = 1, .cycleRunning = 1};
    const Fields marked{.selectionMode = 1, .enabled = 1U << 4};
    const Fields markedCycling{.selectionMode = 1, .cycleRunning = 1, .enabled = 1U << 4};
    // A single press marks one entry.
    const struct {
        const char* name;
        int key;
        int flag;
    } marks[] = {{"3", '3', 2}, {"H", 'H', 11}, {"F8", kF8, 11}, {"V", 'V', 10}, {"F7", kF7, 10}};
    std::vector<Scenario> cases;
    for (const auto& mark : marks) {
        const std::string setting = "use_test_" + std::to_string(mark.flag) + "=1";
        cases.push_back({mark.name,
                         on,
                         {Press(mark.key)},
                         {.selectionMode = 1, .enabled = 1U << mark.flag},
                         {setting, "repaint"}});
    }
    // A single press on the interval, stored only when it changes; digits held with it
    // are ignored while the cycle runs.
    const struct {
        const char* name;
        Fields start;
        int key;
        std::vector<int> held;
        int interval;
    } steps[] = {
        {"P while the cycle runs", cycling, 'P', {}, 1100},
        {"M and a digit while the cycle runs", cycling, 'M', {'4'}, 900},
        {"numeric-pad plus", on, kAdd, {}, 1100},
        {"numeric-pad minus", on, kSubtract, {}, 900},
        {"P at 10000", {.selectionMode = 1, .interval = 10000}, 'P', {}, 10000},
        {"P and M together", on, 'M', {'P'}, 1000},
        {"a stored 150 settles on 100", {.selectionMode = 1, .interval = 150}, kSpace, {}, 100},
    };
    for (const auto& step : steps) {
        Fields end = step.start;
        end.interval = step.interval;
        const Log log = step.interval == step.start.interval
                            ? kRepaint
                            : Log{"test_millisecond=" + std::to_string(step.interval), "repaint"};
        cases.push_back({step.name, step.start, {Press(step.key, step.held)}, end, log});
    }
    Check(cases);
    Check({
        {"3 twice clears it again",
         on,
         {Press('3'), Press('3')},
         on,
         {"use_test_2=1", "repaint", "use_test_2=0", "repaint"}},
        {"a mark stored as 7 clears, then sets",
         {.selectionMode = 1, .markStoredAsSeven = 3},
         {Press('4'), Press('4')},
         {.selectionMode = 1, .enabled = 1U << 3},
         {"use_test_3=0", "repaint", "use_test_3=1", "repaint"}},
        {"1 and 0",
         on,
         {Press('1'), Press('0')},
         {.selectionMode = 1, .enabled = (1U << 0) | (1U << 9)},
         {"use_test_0=1", "repaint", "use_test_9=1", "repaint"}},
        {"an unlisted key marks nothing", on, {Press(kSpace)}, on, kRepaint},
        {"keys do not change the test shown",
         {.testIndex = 4, .selectionMode = 1},
         {Press(kSpace), Press('X'), Press('C')},
         {.testIndex = 4, .selectionMode = 1},
         kRepaint},
        {"digits ignored while the cycle runs",
         cycling,
         {Press('3'), Press('H')},
         cycling,
         kRepaint},
        {"interval walk down and up", on, walkSteps, {.selectionMode = 1, .interval = 200}, walk},
        {"a digit and P",
         on,
         {Press('P', {'2'})},
         {.selectionMode = 1, .interval = 1100, .enabled = 1U << 1},
         {"use_test_1=1", "test_millisecond=1100", "repaint"}},
        {"Enter starts the cycle of the marked tests",
         marked,
         {Press(kReturn)},
         markedCycling,
         {"repaint", "cycle worker"}},
        {"Enter again stops it",
         marked,
         {Press(kReturn), Press(kReturn)},
         marked,
         {"repaint", "cycle worker", "repaint"}},
        {"Enter with no test marked starts nothing", on, {Press(kReturn)}, on, kRepaint},
        {"Escape without a cycle leaves the screen",
         {.testIndex = 3, .selectionMode = 1},
         {Press(kEscape)},
         {.testIndex = 3},
         kRepaint},
        {"first Escape stops the cycle only", cycling, {Press(kEscape)}, on, kRepaint},
        {"first Escape stops the cycle, the second leaves",
         cycling,
         {Press(kEscape), Press(kEscape)},
         {},
         kRepaint},
        {"Escape with a digit still marks",
         on,
         {Press('5', {kEscape})},
         {.enabled = 1U << 4},
         {"repaint", "use_test_4=1", "repaint"}},
        {"auto-repeat does nothing", on, {{Msg::Repeat, 'P'}}, on, {}},
    });
}

TEST(KeyCommands, RepairScreen) {
    const Fields on{.repairMode = 1};
    const Fields running{.repairMode = 1, .repairRunning = 1};
    Check({
        {"any key starts the repair worker", on, {Press(kSpace)}, running, {"repair worker"}},
        {"Escape leaves the screen",
         {.testIndex = 2, .repairMode = 1},
         {Press(kEscape)},
         {.testIndex = 2},
         kRepaint},
        {"Enter does not quit", on, {Press(kReturn)}, running, {"repair worker"}},
        {"keys are the worker's while it runs",
         running,
         {Press(kSpace), Press(kEscape), Press('1')},
         running,
         {}},
    });
}

TEST(KeyCommands, CloseStopsTheCycleBeforeWaiting) {
    AppState state;
    FakeHost host(state);
    Apply({.selectionMode = 1, .cycleRunning = 1}, state);
    HandleClose(state, host);
    EXPECT_EQ(Read(state), Fields{});
    EXPECT_EQ(host.log, (Log{"pause 100", "quit"}));
}

class RecordingMoreTests : public MoreTestActions {
public:
    std::vector<std::string> calls;
    void Repaint() override { calls.push_back("repaint"); }
    void CreateMotionWorker() override { calls.push_back("motion"); }
    void WaitForMotionWorker() override { calls.push_back("wait"); }
};

// The tests beyond the keys' pictures: the wheel goes around them, the motion test runs
// on its worker, and a key leaves them to act on the picture shown before.
TEST(KeyCommands, MoreTestsByTheWheelAndTheMenuAndAKeyLeavesThem) {
    const struct {
        const char* name;
        int shown, notches, after;
    } steps[] = {
        {"down from red: the first", 2, -1, kFirstMoreTest},
        {"up from the information screen: the last", -1, 1, kLastMoreTest},
        {"down", 17, -1, 18},
        {"two notches up", 17, 2, 15},
        {"down from the last: around", kLastMoreTest, -1, kFirstMoreTest},
        {"up from the first: around", kFirstMoreTest, 1, kLastMoreTest},
    };
    for (const auto& s : steps) {
        AppState state;
        state.testIndex = s.shown;
        state.pictureBeforeMoreTests = 5;
        RecordingMoreTests actions;
        StepMoreTests(s.notches, state, actions);
        EXPECT_EQ(state.testIndex.load(), s.after) << s.name;
        EXPECT_EQ(state.pictureBeforeMoreTests, IsMoreTest(s.shown) ? 5 : s.shown) << s.name;
    }

    AppState state;
    state.testIndex = 2;
    RecordingMoreTests actions;
    EXPECT_TRUE(CarryOutMoreTestCommand(kMenuMoreTestBase + 28, state, actions));
    EXPECT_EQ(state.motionRunning.load() + state.motionSpeed.load(), 1 + 480);
    EXPECT_TRUE(CarryOutMoreTestCommand(kMenuMoreTestBase + 17, state, actions));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"motion", "wait", "repaint"}));
    EXPECT_EQ(state.motionRunning.load(), 0);
    EXPECT_FALSE(CarryOutMoreTestCommand(kMenuMoreTestBase + 13, state, actions));

    // A key on grey 50 % shown over red acts as on red: Space shows green.
    FakeHost host(state);
    HandleKeyDown(state, host, kSpace, kPressParam);
    EXPECT_EQ(state.testIndex.load(), 3);
    EXPECT_EQ(state.pictureBeforeMoreTests, 2);

    // The submenu sits above "Translate", its shown test checked; during the
    // cycle there is none, and neither wheel nor menu shows one.
    std::vector<MenuEntry> entries = BuildContextMenuEntries({}, 1);
    state.testIndex = 22;
    AddMoreTestEntries(entries, state);
    ASSERT_EQ(entries.size(), 4u + 1 + (kLastMoreTest - kFirstMoreTest + 1) + 1);
    EXPECT_EQ(entries[1], (MenuEntry{kMenuPopup, 0, u"More tests"}));
    EXPECT_EQ(entries[1 + 1 + 22 - kFirstMoreTest].flags, kMenuChecked);
    EXPECT_EQ(entries[1 + 1 + 3].text, u"Grey 50 % - uniformity, clouding, dirty screen");
    EXPECT_EQ(entries[entries.size() - 3].id, kMenuTranslate);
    state.cycleRunning = 1;
    state.testIndex = 4;
    entries = BuildContextMenuEntries({}, 1);
    AddMoreTestEntries(entries, state);
    EXPECT_EQ(entries.size(), 4u);
    StepMoreTests(-1, state, actions);
    EXPECT_EQ(state.testIndex.load(), 4);
}

} // namespace
