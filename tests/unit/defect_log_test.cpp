// The pixel defect log: marks made and stepped by clicks, clusters, the classes'
// allowances, the stored text with damaged values, the rings' geometry and the log's
// context-menu entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/defect_menu.h"
#include "defects/defect_report.h"
#include "defects/defect_summary.h"
#include "defects/fault_class.h"
#include "defects/mark_log.h"
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

TEST(DefectLog, ClicksMarkByThePictureAndStepTheType) {
    MarkLog log(1920, 1080);
    // Black gives lit, white dark, every other picture a sub-pixel.
    const int pictures[] = {1, 0, 2, 8, 12, 13};
    const int types[] = {kLitPixel, kDarkPixel, kSubPixel, kSubPixel, kSubPixel, kSubPixel};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(log.Click(100 + i, 50, pictures[i]), ClickResult::Added);
        EXPECT_EQ(log.Marks().back(), (PixelMark{100 + i, 50, types[i], pictures[i]}));
    }
    // On the marked pixel itself: 1, 2, 3, 1, whatever the picture now.
    for (const int type : {kDarkPixel, kSubPixel, kLitPixel}) {
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
         u"1920,0,1,1 0,1080,1,1 1,1,0,1 1,1,4,1 1,1,1,14 2,2,2,2",
         false,
         {{2, 2, 2, 2}}},
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

TEST(DefectLog, MenuEntriesAndTheirCommands) {
    std::vector<MenuEntry> entries;
    AppendDefectEntries(entries, MarkLog(1920, 1080), -1);
    EXPECT_TRUE(entries.empty());

    MarkLog log = LogOf({{10, 10, 1, 1}, {11, 10, 1, 1}, {300, 300, 2, 0}, {600, 600, 3, 2}});
    EXPECT_EQ(DefectSummary(log),
              u"Pixel defects: 2 lit, 1 dark, 1 sub-pixel, 1 cluster - class IV");
    EXPECT_EQ(DefectSummary(LogOf({{10, 10, 1, 1}})),
              u"Pixel defects: 1 lit, 0 dark, 0 sub-pixel - class II");
    AppendDefectEntries(entries, log, 2);
    const std::vector<MenuEntry> expected = {
        {kMenuSeparator, 0, u""},
        {kMenuGrayed | kMenuDisabled, kMenuDefectSummary, DefectSummary(log)},
        {kMenuString, kMenuDefectReport, u"Pixel defect report"},
        {kMenuString, kMenuRepairMarked, u"Repair marked pixels"},
        {kMenuString, kMenuRemoveMark, u"Remove this mark"},
        {kMenuString, kMenuRemoveAllMarks, u"Remove all marks"}};
    EXPECT_EQ(entries, expected);
    entries.clear();
    AppendDefectEntries(entries, log, -1);
    EXPECT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries.back().id, kMenuRemoveAllMarks);

    EXPECT_FALSE(ApplyDefectCommand(0, log, 2));
    EXPECT_FALSE(ApplyDefectCommand(kMenuTranslate, log, 2));
    EXPECT_FALSE(ApplyDefectCommand(kMenuRemoveMark, log, -1));
    EXPECT_TRUE(ApplyDefectCommand(kMenuRemoveMark, log, 2));
    EXPECT_EQ(log.MarkAt(300, 300), -1);
    EXPECT_EQ(log.Marks().size(), 3u);
    EXPECT_TRUE(ApplyDefectCommand(kMenuRemoveAllMarks, log, -1));
    EXPECT_TRUE(log.Empty());
    EXPECT_FALSE(ApplyDefectCommand(kMenuRemoveAllMarks, log, -1));
}

std::size_t Occurrences(const std::string& page, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = page.find(part); at != std::string::npos; at = page.find(part, at + 1)) {
        ++count;
    }
    return count;
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
              u"Glimmerix pixel report 2026-12-08 Dell 41394.html");
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
    const std::string page = DefectReportHtml(facts);
    for (const char* part : {
             "<meta name=\"pixel-fault-class\" content=\"IV\">",
             "<meta name=\"pixel-faults\" content=\"1=1 2=1 3=1 clusters-1-2=1 clusters-3=0\">",
             "<th>Model</th><td>&lt;U2720Q&gt;</td>",
             "<th>Image size</th><td>60 x 34 cm, 27.1 in diagonal</td>",
             "<th>Mode tested</th><td>1920 x 1080, \\\\.\\DISPLAY1</td>",
             "<th class=\"n\">Class II allows at 1920 x 1080</th>",
             "<tr><th>Type 3, faulty sub-pixel</th><td>1</td><td>10</td></tr>",
             "<tr><th>Clusters of types 1 and 2</th><td>1</td><td>0</td></tr>",
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

    // No identity, a thousand marks: every field says so, every mark has its row.
    facts.monitor = MonitorIdentity();
    facts.log = MarkLog(3840, 2160);
    for (int i = 0; i < kMostMarks; ++i) {
        facts.log.Add({i * 3, 2000, 3, 2});
    }
    const std::string full = DefectReportHtml(facts);
    EXPECT_EQ(Occurrences(full, "<th>Model</th><td>unknown</td>"), 1u);
    EXPECT_EQ(Occurrences(full, "<th>Serial number</th><td>unknown</td>"), 1u);
    EXPECT_EQ(Occurrences(full, "<td class=\"w\">3 sub-pixel</td>"), 1000u);
    EXPECT_EQ(Occurrences(full, "<tr><td>1000</td><td>2997</td>"), 1u);
    EXPECT_EQ(Occurrences(full, "content=\"IV\">"), 1u); // one chain of 1000 sub-pixels
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
