// The pixel defect log: marks made and stepped by clicks, clusters, the classes'
// allowances, the stored text with damaged values, the rings' geometry and the log's
// context-menu entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/defect_menu.h"
#include "app/monitor_choice.h"
#include "defects/defect_report.h"
#include "defects/defect_summary.h"
#include "defects/fault_class.h"
#include "defects/mark_log.h"
#include "defects/marks_shown.h"
#include "defects/report_table.h"
#include "defects/ring_shape.h"
#include "defects/stored_marks.h"
#include "screens/spot_repair.h"

namespace {

MarkLog LogOf(std::vector<PixelMark> marks, int width = 1920, int height = 1080) {
    MarkLog log(width, height);
    for (const PixelMark& mark : marks) {
        EXPECT_TRUE(log.Add(mark)) << mark.x << "," << mark.y;
    }
    return log;
}
// A log in its stored form, "x,y,type,picture ...", for the longer lists.
MarkLog LogOf(TextView stored, int width, int height) {
    return ParseStoredMarks(stored, width, height);
}

TEST(DefectLog, ClicksMarkByThePictureAndStepTheType) {
    MarkLog log(1920, 1080);
    // White gives dark; a dot on black is most often a sub-pixel, as on every other picture.
    const int pictures[] = {1, 0, 2, 8, 12, 13};
    const int types[] = {kSubPixel, kDarkPixel, kSubPixel, kSubPixel, kSubPixel, kSubPixel};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(log.Click(100 + i, 50, pictures[i]), ClickResult::Added);
        EXPECT_EQ(log.Marks().back(), (PixelMark{100 + i, 50, types[i], pictures[i]}));
    }
    // On the marked pixel itself: 3, 1, 2, 3, whatever the picture now.
    for (const int type : {kLitPixel, kDarkPixel, kSubPixel}) {
        EXPECT_EQ(log.Click(100, 50, 5), ClickResult::Stepped);
        EXPECT_EQ(log.Marks()[0].type, type);
    }
    EXPECT_EQ(log.Marks().size(), 6u);
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {1920, 0}, {0, 1080}}) {
        EXPECT_EQ(log.Click(x, y, 1), ClickResult::Ignored) << x << "," << y;
    }
    while (log.Marks().size() < static_cast<std::size_t>(kMostMarks)) {
        const int n = static_cast<int>(log.Marks().size());
        ASSERT_EQ(log.Click(n % 1900, n / 1900 + 200, 3), ClickResult::Added);
    }
    EXPECT_EQ(log.Click(5, 900, 3), ClickResult::Ignored);
    EXPECT_EQ(log.Click(100, 50, 3), ClickResult::Stepped); // a full log still steps

    // The menu's ring test: the nearest mark within reach across and down.
    const MarkLog two = LogOf({{500, 500, 1, 1}, {510, 500, 1, 1}});
    EXPECT_EQ(two.NearestOnRing(503, 490), 0);
    EXPECT_EQ(two.NearestOnRing(508, 512), 1);
    EXPECT_EQ(two.NearestOnRing(526, 500), 1);
    EXPECT_EQ(two.NearestOnRing(527, 500), -1);
    EXPECT_EQ(two.NearestOnRing(500, 483), -1);
}

TEST(DefectLog, ClustersOfOneKindWithinFourPixelsChainsIncluded) {
    struct Case {
        const char* name;
        std::vector<PixelMark> marks;
        DefectCounts counts;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"apart by five", {{10, 10, 1, 1}, {15, 10, 1, 1}}, {2, 0, 0, 0, 0}},
        {"four across and down", {{10, 10, 1, 1}, {14, 14, 1, 1}}, {2, 0, 0, 1, 0}},
        {"lit and dark are one kind", {{10, 10, 1, 1}, {11, 10, 2, 0}}, {1, 1, 0, 1, 0}},
        {"a sub-pixel beside a lit one is none", {{10, 10, 1, 1}, {11, 10, 3, 2}}, {1, 0, 1, 0, 0}},
        {"a chain beyond one block is one cluster",
         {{0, 0, 3, 2}, {4, 0, 3, 2}, {8, 0, 3, 2}, {12, 4, 3, 2}},
         {0, 0, 4, 0, 1}},
        {"two clusters at the screen's corners",
         {{0, 0, 2, 0}, {1, 1, 2, 0}, {1919, 1079, 3, 3}, {1915, 1075, 3, 3}},
         {0, 2, 2, 1, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountDefects(LogOf(c.marks).Marks()), c.counts) << c.name;
    }
}

TEST(DefectLog, AllowancesAndTheClassAtItsBoundaries) {
    // Per class: lit, dark, sub-pixel, clusters of lit/dark, of sub-pixels.
    EXPECT_EQ(ClassAllowance(2, 1280 * 1024), (DefectCounts{2, 2, 6, 0, 2}));
    EXPECT_EQ(ClassAllowance(2, 1920 * 1080), (DefectCounts{4, 4, 10, 0, 4}));
    EXPECT_EQ(ClassAllowance(2, 3840 * 2160), (DefectCounts{16, 16, 41, 0, 16}));
    EXPECT_EQ(ClassAllowance(3, 1920 * 1080), (DefectCounts{10, 31, 103, 0, 10}));
    EXPECT_EQ(ClassAllowance(4, 3840 * 2160), (DefectCounts{414, 1244, 4147, 41, 414}));
    EXPECT_EQ(ClassAllowance(1, 3840 * 2160), DefectCounts{});
    EXPECT_EQ(ClassAllowance(5, 3840 * 2160), DefectCounts{});

    constexpr std::int64_t kFullHd = 1920 * 1080;
    struct Case {
        DefectCounts counts;
        int expected;
    };
    const Case cases[] = {
        {{}, 1},
        {{1, 0, 0, 0, 0}, 2},
        {{4, 4, 10, 0, 4}, 2},
        {{5, 0, 0, 0, 0}, 3},
        {{0, 0, 0, 1, 0}, 4},
        {{10, 31, 103, 0, 10}, 3},
        {{0, 0, 0, 0, 11}, 4},
        {{103, 0, 0, 0, 0}, 4},
        {{0, 0, 0, 11, 0}, kNoClass},
        {{104, 0, 0, 0, 0}, kNoClass},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelClass(c.counts, kFullHd), c.expected)
            << c.counts.lit << " " << c.counts.litDarkClusters << " " << c.counts.subPixelClusters;
    }
    // Class II at full HD allows {4, 4, 10, 0, 4}: exactly that meets it, one more does not.
    const DefectCounts classII = ClassAllowance(2, kFullHd);
    EXPECT_EQ(Excess({4, 4, 10, 0, 4}, classII), DefectCounts{});
    EXPECT_EQ(Excess({5, 0, 11, 1, 5}, classII), (DefectCounts{1, 0, 1, 1, 1}));
    EXPECT_EQ(Excess({0, 40, 0, 0, 0}, classII), (DefectCounts{0, 36, 0, 0, 0}));
    EXPECT_EQ(ClassName(2), u"II");
    EXPECT_EQ(ClassName(kNoClass), u"none");
}

TEST(DefectLog, StoredTextKeepsWhatIsSound) {
    EXPECT_EQ(StoredMarksKey(u"\\\\.\\DISPLAY2", 1920, 1080), u"1920x1080 \\\\.\\DISPLAY2");
    EXPECT_EQ(StoredMarksKey(u"", 800, 600), u"800x600");
    const MarkLog log = LogOf({{812, 455, 1, 1}, {0, 0, 3, 13}, {1919, 1079, 2, 0}});
    EXPECT_EQ(FormatStoredMarks(log), u"812,455,1,1 0,0,3,13 1919,1079,2,0");
    EXPECT_EQ(ParseStoredMarks(FormatStoredMarks(log), 1920, 1080).Marks(), log.Marks());

    struct Case {
        const char* name;
        const char16_t* value;
        bool cutOff;
        std::vector<PixelMark> marks;
    };
    const Case cases[] = {
        {"empty", u"", false, {}},
        {"blanks around", u"  1,2,3,4   5,6,1,1 ", false, {{1, 2, 3, 4}, {5, 6, 1, 1}}},
        {"off the screen, bad type or picture",
         u"1920,0,1,1 0,1080,1,1 1,1,0,1 1,1,4,1 1,1,1,30 2,2,2,2 3,3,3,29",
         false,
         {{2, 2, 2, 2}, {3, 3, 3, 29}}},
        {"signs, letters, fields", u"-1,2,3,4 1,2,3 1,2,3,4,5 a,b,c,d 1,,3,4 +1,2,3,4", false, {}},
        {"huge numbers", u"99999999999,1,1,1 7,7,1,1", false, {{7, 7, 1, 1}}},
        {"a duplicate keeps the first", u"3,3,1,1 3,3,2,0", false, {{3, 3, 1, 1}}},
        {"a cut-off value drops its last entry",
         u"1,1,1,1 2,2,2,2 3,3",
         true,
         {{1, 1, 1, 1}, {2, 2, 2, 2}}},
        {"foreign text", u"\u00FF\uFFFD;[Program]=lng", false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseStoredMarks(c.value, 1920, 1080, c.cutOff).Marks(), c.marks) << c.name;
    }
    Text many;
    for (int i = 0; i < 1200; ++i) {
        many += FormatText(u"%d,5,3,2 ", {std::int64_t{i}});
    }
    EXPECT_EQ(ParseStoredMarks(many, 1920, 1080).Marks().size(), std::size_t{kMostMarks});
}

TEST(DefectLog, RingsLieBetweenTheKeptSquareAndTheirReach) {
    std::vector<std::vector<std::pair<int, int>>> looks;
    for (const int type : {kLitPixel, kDarkPixel, kSubPixel}) {
        std::vector<std::pair<int, int>> pixels;
        int white = 0;
        for (const RingPixel& pixel : RingPixels(type)) {
            const int across = std::max(std::abs(pixel.dx), std::abs(pixel.dy));
            EXPECT_GT(across, kKeepClear) << type << ": " << pixel.dx << "," << pixel.dy;
            EXPECT_LE(across, kRingExtent) << type << ": " << pixel.dx << "," << pixel.dy;
            pixels.emplace_back(pixel.dx, pixel.dy);
            white += pixel.white ? 1 : 0;
        }
        std::sort(pixels.begin(), pixels.end());
        EXPECT_EQ(std::adjacent_find(pixels.begin(), pixels.end()), pixels.end()) << type;
        EXPECT_GT(white, 40) << type;
        EXPECT_GT(pixels.size() - white, 2u * white - 16) << type; // black on both sides
        looks.push_back(pixels);
    }
    EXPECT_NE(looks[0], looks[1]);
    EXPECT_NE(looks[1], looks[2]);
    EXPECT_TRUE(RingPixels(0).empty());
    EXPECT_LE(kRingExtent + 1, kRingReach); // the menu finds a mark anywhere on its ring

    // Only marks within another's ring reach keep their squares out of the drawing.
    const MarkLog log =
        LogOf({{100, 100, 1, 1}, {118, 82, 3, 2}, {500, 500, 2, 0}, {519, 500, 2, 0}});
    EXPECT_EQ(CrowdedSquares(log.Marks()),
              (std::vector<MarkSquare>{{95, 95, 106, 106}, {113, 77, 124, 88}}));
}

TEST(DefectLog, MarksAreLiveOnThePicturesAlsoDuringTheCycle) {
    struct Mode {
        const char* name;
        int testIndex;
        std::atomic<int> AppState::*flag; // set to 1 besides the test index
        bool live;
    };
    const Mode modes[] = {
        {"white field", 0, nullptr, true},
        {"plain gradient", 13, nullptr, true},
        {"index 10, no picture of its own", 10, nullptr, false},
        {"information screen", -1, nullptr, false},
        {"selection screen", 3, &AppState::selectionMode, false},
        {"repair screen", 3, &AppState::repairMode, false},
        {"full-screen flasher", 3, &AppState::repairRunning, false},
        {"throughput test", 3, &AppState::throughputRunning, false},
        {"marked-pixel flasher", 3, &AppState::spotRepairRunning, false},
    };
    for (const Mode& mode : modes) {
        AppState state;
        state.testIndex = mode.testIndex;
        if (mode.flag != nullptr) {
            (state.*mode.flag) = 1;
        }
        EXPECT_EQ(MarksShown(state), mode.live) << mode.name;
    }
    AppState cycle; // the endurance cycle runs in the selection mode
    cycle.selectionMode = 1;
    cycle.cycleRunning = 1;
    cycle.testIndex = 11;
    EXPECT_TRUE(MarksShown(cycle)) << "lines shown by the cycle";
    cycle.testIndex = 10;
    EXPECT_FALSE(MarksShown(cycle)) << "index 10 in the cycle";
}

// Records what the log's commands ask; the settings file takes a log unless told not to,
// and the question is answered as told.
class RecordingDefectActions : public DefectActions {
public:
    std::vector<std::string> calls;
    MarkLog kept;
    bool fileTakesIt = true;
    bool answer = true;
    bool KeepLog(MarkLog log) override {
        calls.push_back("keep " + std::to_string(log.Marks().size()));
        kept = std::move(log);
        return fileTakesIt;
    }
    bool Confirm(TextView question) override {
        calls.push_back("ask " + TextToUtf8(question));
        return answer;
    }
    void Tell(TextView) override { calls.push_back("tell"); }
    void WriteReport(const MarkLog& log) override {
        calls.push_back("report " + std::to_string(log.Marks().size()));
    }
    void WaitForDrawingWorkers() override { calls.push_back("wait"); }
    void CreateSpotRepairWorker() override { calls.push_back("flash"); }
    void Repaint() override { calls.push_back("repaint"); }
};

TEST(DefectLog, MenuEntriesAndTheirCommands) {
    // The block follows the menu's closing separator, or a monitor entry with one of its own.
    const MenuEntry closing{kMenuSeparator, kMenuClosingSeparator, u""};
    const MenuEntry monitor{kMenuString, kMenuMonitorBase, u"1: 1920 x 1080"};
    const MenuEntry report{kMenuString, kMenuDefectReport, u"Pixel defect report"};
    const MenuEntry howTo{kMenuGrayed | kMenuDisabled, kMenuHowToMark,
                          u"Left-click a faulty pixel to mark it"};
    std::vector<MenuEntry> entries = {closing};
    AppendDefectEntries(entries, MarkLog(1920, 1080), -1, false);
    EXPECT_EQ(entries, std::vector<MenuEntry>{closing}) << "no report off the test pictures";
    AppendDefectEntries(entries, MarkLog(1920, 1080), -1, true);
    EXPECT_EQ(entries, (std::vector<MenuEntry>{closing, howTo, report})) << "a clean panel";
    entries = {closing, monitor};
    AppendDefectEntries(entries, MarkLog(1920, 1080), -1, true);
    EXPECT_EQ(entries,
              (std::vector<MenuEntry>{closing, monitor, {kMenuSeparator, 0, u""}, howTo, report}));

    const MarkLog log = LogOf({{10, 10, 1, 1}, {11, 10, 1, 1}, {300, 300, 2, 0}, {600, 600, 3, 2}});
    const std::pair<MarkLog, std::u16string> summaries[] = {
        {log, u"Pixel defects: 2 lit, 1 dark, 1 sub-pixel, 1 cluster of lit or dark pixels - "
              u"class IV"},
        {LogOf({{10, 10, 1, 1}}), u"Pixel defects: 1 lit, 0 dark, 0 sub-pixel - class II"},
        {LogOf(u"5,5,1,1 7,5,1,1 10,50,3,1 12,50,3,1 50,50,3,1 52,50,3,1 90,50,3,1 92,50,3,1", 320,
               200),
         u"Pixel defects: 2 lit, 0 dark, 6 sub-pixel, 1 cluster of lit or dark pixels, 3 "
         u"clusters of sub-pixels - beyond class IV"},
    };
    for (const auto& [marks, summary] : summaries) {
        EXPECT_EQ(DefectSummary(marks), summary);
    }
    MarkLog full(3840, 2160);
    for (int i = 0; i < kMostMarks; ++i) {
        full.Add({i * 3, 2000, 3, 2});
    }
    EXPECT_TRUE(DefectSummary(full, false).ends_with(u" - full at 1000 marks (not saved)"));

    entries = {closing};
    AppendDefectEntries(entries, log, 2, false, false);
    const std::vector<MenuEntry> expected = {
        closing,
        {kMenuGrayed | kMenuDisabled, kMenuDefectSummary, DefectSummary(log, false)},
        report,
        {kMenuString, kMenuRepairMarked, u"Repair marked pixels"},
        {kMenuString, kMenuMarkTypeBase + 1, u"White dot: pixel always lit (type 1)"},
        {kMenuChecked, kMenuMarkTypeBase + 2, u"Black dot: pixel always dark (type 2)"},
        {kMenuString, kMenuMarkTypeBase + 3, u"Coloured dot: faulty sub-pixel (type 3)"},
        {kMenuString, kMenuRemoveMark, u"Remove this mark"},
        {kMenuString, kMenuRemoveAllMarks, u"Remove all marks"}};
    EXPECT_EQ(entries, expected);
    entries = {closing};
    AppendDefectEntries(entries, log, -1, true);
    EXPECT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries.back().id, kMenuRemoveAllMarks);

    struct Case {
        const char* name;
        int command;
        int markOnRing;
        bool answer, fileTakesIt;
        std::vector<std::string> calls;
        std::size_t marksAfter; // of the kept log
    };
    const std::string ask = "ask Remove all 4 marks of this monitor?";
    const Case cases[] = {
        {"dismissed", 0, 2, true, true, {}, 0},
        {"another menu's command", kMenuTranslate, 2, true, true, {}, 0},
        {"report", kMenuDefectReport, -1, true, true, {"report 4"}, 0},
        {"remove this mark", kMenuRemoveMark, 2, true, true, {"keep 3", "repaint"}, 3},
        {"remove off any ring", kMenuRemoveMark, -1, true, true, {}, 0},
        {"remove all, yes", kMenuRemoveAllMarks, -1, true, true, {ask, "keep 0", "repaint"}, 0},
        {"remove all, no", kMenuRemoveAllMarks, -1, false, true, {ask}, 0},
        {"own type again", kMenuMarkTypeBase + 2, 2, true, true, {}, 0},
        {"type 3 set", kMenuMarkTypeBase + 3, 2, true, true, {"keep 4", "repaint"}, 4},
        {"not saved: told once", kMenuRemoveMark, 0, true, false, {"keep 3", "tell", "repaint"}, 3},
    };
    for (const Case& c : cases) {
        AppState state;
        RecordingDefectActions actions;
        actions.answer = c.answer;
        actions.fileTakesIt = c.fileTakesIt;
        const bool known = CarryOutDefectCommand(c.command, log, c.markOnRing, state, actions);
        EXPECT_EQ(known, c.command != 0 && c.command != kMenuTranslate) << c.name;
        EXPECT_EQ(actions.calls, c.calls) << c.name;
        EXPECT_EQ(actions.kept.Marks().size(), c.marksAfter) << c.name;
        if (!c.fileTakesIt) {
            actions.calls.clear();
            CarryOutDefectCommand(c.command, log, c.markOnRing, state, actions);
            EXPECT_EQ(actions.calls, (std::vector<std::string>{"keep 3", "repaint"}))
                << "told only once";
        }
    }
    RecordingDefectActions typed;
    AppState state;
    CarryOutDefectCommand(kMenuMarkTypeBase + 3, log, 2, state, typed);
    EXPECT_EQ(typed.kept.Marks()[2], (PixelMark{300, 300, 3, 0}));
}

// The flasher of the marks is the only worker drawing; a click marks while marks are
// live, never the click that closed a menu.
TEST(DefectLog, TheFlasherOwnsTheScreenAndClicksMarkTheLivePicture) {
    std::atomic<int> AppState::*const others[] = {
        nullptr, &AppState::cycleRunning, &AppState::repairRunning, &AppState::throughputRunning,
        &AppState::motionRunning};
    for (const auto flag : others) {
        AppState state;
        state.testIndex = 28; // the motion test over red: red comes back after the flashing
        state.pictureBeforeMoreTests = 2;
        if (flag != nullptr) {
            state.*flag = 1;
        }
        RecordingDefectActions actions;
        CarryOutDefectCommand(kMenuRepairMarked, LogOf({{10, 10, 1, 1}}), -1, state, actions);
        const std::vector<std::string> calls = flag == nullptr
                                                   ? std::vector<std::string>{"flash"}
                                                   : std::vector<std::string>{"wait", "flash"};
        EXPECT_EQ(actions.calls, calls);
        EXPECT_EQ(state.spotRepairRunning.load(), 1);
        EXPECT_EQ(state.cycleRunning + state.repairRunning + state.throughputRunning +
                      state.motionRunning,
                  0);
        EXPECT_EQ(state.testIndex.load(), flag == &AppState::motionRunning ? 2 : 28);
    }

    const MarkLog log = LogOf({{10, 10, 2, 0}});
    struct Click {
        const char* name;
        int testIndex, cycleRunning;
        std::uint32_t at;
        bool marks;
        int type; // of the mark at (100, 100) after it
    };
    const Click clicks[] = {
        {"black field: a coloured dot", 1, 0, 5000, true, kSubPixel},
        {"white field: a dark pixel", 0, 0, 5000, true, kDarkPixel},
        {"red field shown by the cycle", 2, 1, 5000, true, kSubPixel},
        {"index 10", 10, 0, 5000, false, 0},
        {"the click that closed the menu", 1, 0, 900, false, 0},
        {"at the tick the menu closed", 1, 0, 1000, false, 0},
    };
    for (const Click& c : clicks) {
        AppState state;
        state.testIndex = c.testIndex;
        state.selectionMode = c.cycleRunning;
        state.cycleRunning = c.cycleRunning;
        state.menuClosedAt = 1000;
        state.menuJustClosed = 1; // a menu closed at 1000; later clicks are the user's
        RecordingDefectActions actions;
        EXPECT_EQ(CarryOutMarkClick(log, 100, 100, c.at, state, actions), c.marks) << c.name;
        EXPECT_EQ(state.menuJustClosed, 0) << c.name;
        const int at = actions.kept.MarkAt(100, 100);
        EXPECT_EQ(at < 0 ? 0 : actions.kept.Marks()[static_cast<std::size_t>(at)].type, c.type)
            << c.name;
    }
}

std::size_t Occurrences(const std::string& page, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = page.find(part); at != std::string::npos; at = page.find(part, at + 1)) {
        ++count;
    }
    return count;
}

bool Apart(const MapBox& a, const MapBox& b) {
    return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}

TEST(DefectReport, FileNamesAreCleanAndNeverTheSame) {
    MonitorIdentity monitor;
    EXPECT_EQ(ReportFileName(u"2026-12-08", monitor, 1),
              u"Glimmerix pixel report 2026-12-08 unknown monitor.html");
    monitor.valid = true;
    monitor.manufacturerId = u"DEL";
    monitor.maker = u"Dell";
    monitor.productCode = 41394;
    EXPECT_EQ(ReportFileName(u"2026-12-08", monitor, 1),
              u"Glimmerix pixel report 2026-12-08 Dell DELA1B2.html");
    monitor.name = u"DELL U2720Q";
    EXPECT_EQ(ReportFileName(u"2026-12-08", monitor, 2),
              u"Glimmerix pixel report 2026-12-08 DELL U2720Q (2).html");
    monitor.name = u"a<b>c:d\"e/f\\g|h?i*j\x01k. .";
    EXPECT_EQ(ReportFileName(u"2026-12-08", monitor, 1),
              u"Glimmerix pixel report 2026-12-08 a_b_c_d_e_f_g_h_i_j_k.html");
}

TEST(DefectReport, CountsClassAllowanceMapAndRows) {
    ReportFacts facts;
    facts.program = u"Glimmerix 3.19";
    facts.dateTime = u"2026-12-08 14:03";
    facts.device = u"\\\\.\\DISPLAY1";
    facts.log = LogOf({{400, 300, 1, 1}, {403, 302, 2, 0}, {1900, 10, 3, 12}});
    facts.monitor.valid = true;
    facts.monitor.manufacturerId = u"DEL";
    facts.monitor.maker = u"Dell";
    facts.monitor.name = u"<U2720Q>";
    facts.monitor.widthCm = 60;
    facts.monitor.heightCm = 34;
    facts.monitor.productCode = 41394;
    facts.monitor.year = 2245; // after the report's own year: no monitor's
    facts.monitor.nativeWidth = 1920;
    facts.monitor.nativeHeight = 1080;
    facts.monitor.interlaced = true;
    const std::string page = DefectReportHtml(facts);
    for (const char* part : {
             "<meta name=\"pixel-fault-class\" content=\"IV\">",
             "<meta name=\"pixel-faults\" content=\"1=1 2=1 3=1 clusters-1-2=1 clusters-3=0\">",
             "<th>Model</th><td>&lt;U2720Q&gt;</td>",
             "<th>Image size</th><td>60 x 34 cm, 27.1 in diagonal</td>",
             "<th>Maker</th><td>Dell (DEL)</td>",
             "<th>Product code</th><td>DELA1B2 (41394)</td>",
             "<th>Serial number (from the label)</th><td>unknown <span class=\"fill\"></span></td>",
             "<th>Manufactured (from the label)</th><td>unknown <span class=\"fill\"></span>",
             "<th>Native resolution</th><td>1920 x 1080, interlaced</td>",
             "<th>Mode tested</th><td>1920 x 1080, \\\\.\\DISPLAY1</td>",
             "<th class=\"n\">Class II allows at 1920 x 1080</th>",
             "<tr><th>Type 3, faulty sub-pixel</th><td>1</td><td>10</td></tr>",
             "<tr class=\"exceeds\"><th>Clusters of types 1 and 2</th><td>1 <span "
             "class=\"over\">exceeds</span></td><td>0</td></tr>",
             "<meta name=\"meets-class-ii\" content=\"no\">",
             "class II of ISO 9241-307: no - clusters of types 1 and 2 (1 marked, 0 allowed)<",
             "<g class=\"t1\" transform=\"translate(400 300)\">",
             "<g class=\"t3\" transform=\"translate(1900 10)\">",
             "<tr><td>2</td><td>403</td><td>302</td><td class=\"w\">2 dark</td><td "
             "class=\"w\">white</td></tr>",
             "<td class=\"w\">3 sub-pixel</td><td class=\"w\">vertical lines</td>",
         }) {
        EXPECT_EQ(Occurrences(page, part), 1u) << part;
    }
    EXPECT_EQ(Occurrences(page, "<rect class=\"cluster\""), 1u);
    // Self-contained: nothing fetched, nothing run.
    for (const char* absent : {"<script", "http:", "https:", "src=", "<link", "url("}) {
        EXPECT_EQ(Occurrences(page, absent), 0u) << absent;
    }

    // A laptop panel of a maker the table does not know: its data texts are its model.
    facts.monitor.manufacturerId = facts.monitor.maker = u"AGC";
    facts.monitor.name.clear();
    facts.monitor.dataText = u"SAMSUNG 156AT05-H01";
    const std::string panel = DefectReportHtml(facts);
    for (const char* part : {"<th>Maker</th><td>AGC</td>", "<th>Model</th><td>SAMSUNG 156AT05-H01",
                             "<title>Pixel defect report 2026-12-08 14:03 SAMSUNG 156AT05-H01<"}) {
        EXPECT_EQ(Occurrences(panel, part), 1u) << part;
    }

    // At 1280 x 1024 class II allows 2 lit, 2 dark, 6 sub-pixels: a clean panel, exactly
    // that, and one lit and one dark more.
    const auto spread = [](int lit, int dark, int subPixel) {
        std::vector<PixelMark> marks;
        for (const auto& [type, count] : {std::pair{1, lit}, {2, dark}, {3, subPixel}}) {
            for (int i = 0; i < count; ++i) {
                marks.push_back({100 + 100 * i, 200 * type, type, 2});
            }
        }
        return marks;
    };
    struct Case {
        std::vector<PixelMark> marks;
        std::vector<std::string> present, absent;
        std::size_t exceedingRows;
    };
    const Case cases[] = {
        {{},
         {"content=\"I\">", "<meta name=\"meets-class-ii\" content=\"yes\">", "ISO 9241-307: yes<",
          "<p class=\"none\">No faults were marked.</p>", "<rect class=\"screen\"",
          "<th>Mode tested</th><td>1280 x 1024, ", "</svg>"},
         {"<g class=\"t", "<h2>Marks", "<td class=\"w\">"},
         0},
        {spread(2, 2, 6), {"content=\"II\">", "ISO 9241-307: yes<", "<tbody>"}, {"No faults"}, 0},
        {spread(3, 3, 6),
         {"content=\"III\">", "content=\"no\">",
          "ISO 9241-307: no - type 1 (3 marked, 2 allowed), type 2 (3 marked, 2 allowed)<",
          "<tr class=\"exceeds\"><th>Type 2, always dark</th><td>3 <span "
          "class=\"over\">exceeds</span></td><td>2</td></tr>"},
         {"No faults"},
         2},
    };
    for (const Case& c : cases) {
        facts.log = LogOf(c.marks, 1280, 1024);
        const std::string report = DefectReportHtml(facts);
        for (const std::string& part : c.present) {
            EXPECT_EQ(Occurrences(report, part), 1u) << c.marks.size() << ": " << part;
        }
        for (const std::string& part : c.absent) {
            EXPECT_EQ(Occurrences(report, part), 0u) << c.marks.size() << ": " << part;
        }
        EXPECT_EQ(Occurrences(report, "<tr class=\"exceeds\">"), c.exceedingRows);
    }

    // No identity, a thousand marks: every field says so, every mark has its row.
    facts.monitor = MonitorIdentity();
    facts.log = MarkLog(3840, 2160);
    for (int i = 0; i < kMostMarks; ++i) {
        facts.log.Add({i * 3, 2000, 3, 2});
    }
    const std::string full = DefectReportHtml(facts);
    EXPECT_EQ(Occurrences(full, "<th>Model (from the label)</th><td>unknown <span"), 1u);
    EXPECT_EQ(Occurrences(full, "<th>Image size (measured)</th><td>unknown <span"), 1u);
    EXPECT_EQ(Occurrences(full, "<span class=\"fill\"></span>"), 7u); // every identity row
    EXPECT_EQ(Occurrences(full, "<td class=\"w\">3 sub-pixel</td>"), 1000u);
    EXPECT_EQ(Occurrences(full, "<tr><td>1000</td><td>2997</td>"), 1u);
    EXPECT_EQ(Occurrences(full, "content=\"IV\">"), 1u); // one chain of 1000 sub-pixels
    // Far from room for all their numbers: those shown keep apart, the rest are told of.
    const std::vector<MapLabel> crowded = PlaceMapLabels(facts.log, LayoutMap(3840, 2160));
    for (std::size_t i = 0; i < crowded.size(); ++i) {
        for (std::size_t j = i + 1; crowded[i].shown && j < crowded.size(); ++j) {
            ASSERT_TRUE(!crowded[j].shown || Apart(crowded[i].box, crowded[j].box))
                << i << " " << j;
        }
    }
    EXPECT_EQ(Occurrences(full, " marks are not numbered on the map for want of room"), 1u);
}

TEST(DefectReport, MapNumbersReadOnPaperAtTheEdgesAndInClusters) {
    // Printed at most 180 x 95 mm, the numbers stand 8 pt (2.822 mm) or more.
    for (const auto& [width, height] : {std::pair{2560, 1440}, {1080, 1920}, {640, 480}}) {
        const MapLayout layout = LayoutMap(width, height);
        const double mmPerUnit =
            std::min(180.0 / (width + 2 * layout.margin), 95.0 / (height + 2 * layout.margin));
        EXPECT_GE(layout.fontSize * mmPerUnit, 2.822) << width << " x " << height;
    }
    // The four edges and two corners of 2560 x 1440, then five marks within 4 pixels.
    const MarkLog log = LogOf(u"0,720,1,1 1280,0,2,0 2559,720,3,2 1280,1439,1,1 0,0,3,2 "
                              u"2559,1439,2,0 1000,700,1,1 1002,701,2,0 1004,700,1,1 "
                              u"1001,703,2,0 1003,704,1,1",
                              2560, 1440);
    const MapLayout layout = LayoutMap(2560, 1440);
    const MapBox map{-layout.margin, -layout.margin, 2560 + layout.margin, 1440 + layout.margin};
    const std::vector<MapLabel> labels = PlaceMapLabels(log, layout);
    ASSERT_EQ(labels.size(), log.Marks().size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const MapBox& box = labels[i].box;
        EXPECT_TRUE(labels[i].shown) << i;
        EXPECT_EQ(labels[i].leader, i >= 6) << i;
        EXPECT_GE(box.bottom - box.top, layout.fontSize) << i;
        EXPECT_TRUE(box.left >= map.left && box.top >= map.top && box.right <= map.right &&
                    box.bottom <= map.bottom)
            << i;
        for (std::size_t j = 0; j < labels.size(); ++j) {
            const PixelMark& mark = log.Marks()[j];
            const int unit = layout.unit;
            EXPECT_TRUE(Apart(box, {mark.x - unit, mark.y - unit, mark.x + unit, mark.y + unit}))
                << i << " on the symbol of " << j;
            EXPECT_TRUE(j == i || Apart(box, labels[j].box)) << i << " " << j;
        }
    }
}

TEST(DefectReport, TableRowsQuotedAsSpreadsheetsReadThem) {
    const std::pair<std::string, std::string> fields[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"=1+1", "'=1+1"},
        {"-2", "'-2"},
        {"@x,y", "\"'@x,y\""},
    };
    for (const auto& [text, field] : fields) {
        EXPECT_EQ(CsvField(text), field) << text;
    }
    const std::string header = ReportTableHeader();
    EXPECT_TRUE(header.starts_with("\xEF\xBB\xBF"
                                   "Date,Maker,Model,"))
        << header;
    EXPECT_TRUE(header.ends_with(",Class,Meets class II,Report\r\n")) << header;

    ReportFacts facts;
    facts.dateTime = u"2026-12-08 14:03";
    facts.log = LogOf({{400, 300, 1, 1}, {403, 302, 2, 0}, {1900, 10, 3, 12}});
    facts.monitor.valid = true;
    facts.monitor.manufacturerId = u"DEL";
    facts.monitor.maker = u"Dell";
    facts.monitor.productCode = 8203;
    facts.monitor.name = u"U2720Q, \"27\"";
    facts.monitor.serialNumber = 16843009;
    EXPECT_EQ(ReportTableRow(facts, u"r.html"),
              "2026-12-08 14:03,Dell (DEL),\"U2720Q, \"\"27\"\"\",16843009,DEL200B (8203),1920 x "
              "1080,1,1,1,1,0,IV,"
              "no,r.html\r\n");
    facts.log = LogOf({});
    facts.monitor = MonitorIdentity();
    EXPECT_EQ(ReportTableRow(facts, u"clean.html"),
              "2026-12-08 14:03,,,,,1920 x 1080,0,0,0,0,0,I,yes,clean.html\r\n");
    // As many fields in every row as in the header.
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 13);
}

TEST(SpotRepair, SquaresColoursAndTheStatusLine) {
    const MarkLog log = LogOf({{0, 0, 3, 2}, {100, 50, 3, 2}, {103, 52, 1, 1}, {1919, 1079, 2, 0}});
    // Origin (1, 1): the window reaches one pixel beyond the monitor.
    EXPECT_EQ(SpotSquares(log.Marks(), 1, 1, 1922, 1082),
              (std::vector<PixelRect>{
                  {0, 0, 6, 6}, {97, 47, 106, 56}, {100, 49, 109, 58}, {1916, 1076, 1922, 1082}}));
    EXPECT_EQ(SpotSquares(log.Marks(), -2000, 0, 1920, 1080).size(), 0u);
    EXPECT_TRUE(SpotSquares({}, 0, 0, 1920, 1080).empty());
    EXPECT_EQ(SpotColour(0), (Rgb{255, 0, 0}));
    EXPECT_EQ(SpotColour(3), kWhite);
    EXPECT_EQ(SpotColour(4), kBlack);
    EXPECT_EQ(SpotColour(5), (Rgb{255, 0, 0}));

    // The line keeps 32 pixels from every square, found anywhere on the screen: the
    // corners first, then along the bottom and top edges, the left and right edges,
    // then the lowest and leftmost place; none where every place is too close.
    const auto grid = [](int columns, int rows, int dx, int dy, int x0, int y0) {
        std::vector<PixelRect> squares;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const int x = x0 + column * dx;
                const int y = y0 + row * dy;
                squares.push_back({x - 4, y - 4, x + 5, y + 5});
            }
        }
        return squares;
    };
    std::vector<PixelRect> holed = grid(10, 14, 200, 80, 100, 20); // every place too close
    holed.erase(holed.begin() + 6 * 10 + 4);                       // but where (900, 500) was
    const std::vector<PixelRect> corners = {
        {300, 1040, 309, 1049}, {1700, 1040, 1709, 1049}, {300, 20, 309, 29}, {1700, 20, 1709, 29}};
    const std::vector<PixelRect> edges = grid(10, 2, 200, 1040, 100, 20); // top and bottom rows
    const std::vector<PixelRect> apart = {{320, 1011, 329, 1020}};        // 32 above the line
    const std::vector<PixelRect> close = {{320, 1012, 329, 1021}};        // 31 above it
    const struct {
        std::vector<PixelRect> squares;
        int width;
        int lineWidth;
        std::optional<PixelRect> line;
    } places[] = {
        {{}, 1920, 300, PixelRect{8, 1052, 308, 1072}},
        {{corners[0]}, 1920, 300, PixelRect{1612, 1052, 1912, 1072}},
        {apart, 1920, 300, PixelRect{8, 1052, 308, 1072}},
        {close, 1920, 300, PixelRect{1612, 1052, 1912, 1072}},
        {{corners[0], corners[1]}, 1920, 300, PixelRect{8, 8, 308, 28}},
        {corners, 1920, 300, PixelRect{341, 1052, 641, 1072}},
        {edges, 1920, 300, PixelRect{8, 1004, 308, 1024}},
        {holed, 1920, 300, PixelRect{737, 524, 1037, 544}},
        {grid(10, 14, 200, 80, 100, 20), 1920, 300, std::nullopt},
        {grid(40, 27, 48, 40, 24, 20), 1920, 300, std::nullopt}, // 1080 squares
        {{}, 300, 300, std::nullopt},                            // wider than the screen
    };
    for (const auto& c : places) {
        EXPECT_EQ(PlaceStatusLine(c.squares, c.width, 1080, c.lineWidth, 20), c.line)
            << c.squares.size() << " squares";
    }
    EXPECT_NE(SpotRepairLine(0, 3), SpotRepairLine(1, 3));
    EXPECT_EQ(SpotRepairLine(1, 3), u"Marked pixels flashing: 3 min \u2013 any key stops");
    EXPECT_EQ(SpotRepairLine(99, 3), SpotRepairLine(1, 3));
}

} // namespace
