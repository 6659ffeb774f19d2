// The pixel defect log on the real program: a click on a test picture rings the pixel
// under the pointer without covering it, the mark is stored and survives a restart, a
// click on it changes its look, the menu removes it, and each monitor and screen size
// keeps a log of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "defects/ring_shape.h"
#include "tests/e2e/program_test.h"

namespace e2e {
namespace {

constexpr auto kScreenTimeout = 5s;
constexpr char kSection[] = "Pixel defects";

// On a black field: the 11 x 11 square around (x, y) stays black, a white ring lies
// within 16 pixels of it, and every pixel farther than 24 from all `marks` is black.
bool RingsOnBlack(const Screenshot& shot, std::initializer_list<std::pair<int, int>> marks) {
    for (const auto& [x, y] : marks) {
        const auto notBlack = [](int, int, Rgb c) { return c != kBlack; };
        if (CountWhere(shot, {x - 5, y - 5, 11, 11}, notBlack) > 0 ||
            CountWhere(shot, {x - 16, y - 16, 33, 33},
                       [](int, int, Rgb c) { return c == kWhite; }) == 0) {
            return false;
        }
    }
    return CountWhere(shot, shot.area, [&](int px, int py, Rgb c) {
               for (const auto& [x, y] : marks) {
                   if (std::abs(px - x) <= 24 && std::abs(py - y) <= 24) {
                       return false;
                   }
               }
               return c != kBlack;
           }) == 0;
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class DefectLog : public ProgramTest {
protected:
    // The shell opens web pages with a stand-in browser that writes the file's name to
    // C:\opened.txt, so a test sees which report was handed over.
    void UseStandInBrowser() {
        std::string error;
        for (const auto& [key, value] :
             {std::pair{"HKCR\\.html", "htmlfile"},
              {"HKCR\\htmlfile\\shell\\open\\command", "cmd.exe /c echo %1> C:\\opened.txt"}}) {
            const auto added =
                S().RunWine({"reg", "add", key, "/ve", "/d", value, "/f"}, 30s, &error);
            ASSERT_TRUE(added && added->exited && added->code == 0) << error;
        }
    }
    [[nodiscard]] fs::path Documents() { return S().Prefix().UserProfile() / "Documents"; }
    // The report in Documents that the stand-in browser was handed, once it was.
    std::optional<fs::path> WaitForOpenedReport() {
        const fs::path opened = S().Prefix().DriveC() / "opened.txt";
        std::string name;
        const bool handed = WaitUntil(15s, [&] {
            name = FileText(opened);
            return name.ends_with("\r\n");
        });
        std::error_code ec;
        fs::remove(opened, ec); // the next report's name comes in a file of its own
        if (!handed) {
            return std::nullopt;
        }
        for (const auto& entry : fs::directory_iterator(Documents(), ec)) {
            const std::string file = entry.path().filename().string();
            if (file.starts_with("Glimmerix pixel report ") && file.ends_with(".html") &&
                name.find(file) != std::string::npos) {
                return entry.path();
            }
        }
        ADD_FAILURE() << "handed " << name << " but it is not in " << Documents();
        return std::nullopt;
    }
    std::optional<Screenshot> ShowBlackField() {
        Press("2");
        if (!WaitForPicture(Solid(kBlack), kScreenTimeout)) {
            return std::nullopt;
        }
        return lastCapture;
    }
    void ClickAt(int x, int y, int button = 1) {
        X().MoveMouse(x, y);
        X().Click(button);
    }
    std::optional<std::string> StoredMarks(const std::string& key) {
        const auto ini = LoadIni(S().PerUserIni());
        return ini ? ini->Get(kSection, key) : std::nullopt;
    }
    bool WaitForStored(const std::string& key, const std::optional<std::string>& value) {
        return WaitUntil(kScreenTimeout, [&] { return StoredMarks(key) == value; });
    }
    void StoreSettings(const std::string& text) {
        std::error_code ec;
        fs::create_directories(S().PerUserFolder(), ec);
        std::ofstream(S().PerUserIni()) << text;
    }
    void ChooseFromMenuAt(int x, int y, int upPresses) {
        const Screenshot before = X().ShootScreen();
        ClickAt(x, y, 3);
        ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
            return CountDifferent(shot, before, shot.area) > 1000;
        })) << "no menu";
        for (int up = 0; up < upPresses; ++up) {
            Press("Up");
        }
        Press("Return");
    }
    // While the marked pixels flash: the 9 x 9 square of the first of `marks` goes through
    // four colours, and nothing but the squares and one line of text clear of them lights
    // up. Empty when so, else what was wrong.
    std::string FlashesOnlyTheSquares(const std::vector<std::pair<int, int>>& marks) {
        const auto distance = [](int x, int y, std::pair<int, int> mark) {
            return std::max(std::abs(x - mark.first), std::abs(y - mark.second));
        };
        const int left = marks.front().first - 4;
        const int top = marks.front().second - 4;
        std::set<Rgb> colours;
        std::string wrong;
        const bool cycled = WaitUntil(10s, [&] {
            lastCapture = X().ShootScreen();
            int lineTop = 1 << 20, lineBottom = -1, nearest = 1 << 20;
            CountWhere(lastCapture, lastCapture.area, [&](int x, int y, Rgb c) {
                int closest = 1 << 20;
                for (const auto& mark : marks) {
                    closest = std::min(closest, distance(x, y, mark));
                }
                if (closest > 4 && c != kBlack) { // the status line
                    lineTop = std::min(lineTop, y);
                    lineBottom = std::max(lineBottom, y);
                    nearest = std::min(nearest, closest);
                }
                return false;
            });
            if (lineBottom >= 0 && (lineBottom - lineTop > 40 || nearest < 32)) {
                wrong = "light outside the squares, rows " + std::to_string(lineTop) + " to " +
                        std::to_string(lineBottom) + ", " + std::to_string(nearest) +
                        " from a mark";
                return true;
            }
            const Rgb colour = lastCapture.At(left, top);
            if (CountWhere(lastCapture, {left, top, 9, 9},
                           [&](int, int, Rgb c) { return c != colour; }) == 0) {
                colours.insert(colour);
            }
            return colours.size() >= 4;
        });
        if (wrong.empty() && !cycled) {
            wrong = "the squares showed " + std::to_string(colours.size()) + " colours";
        }
        return wrong;
    }
    // Monitor pixels and the screen. The pointer's place is the same to X and to the
    // program, so a click marks the monitor pixel under it. The drawing shows the window
    // where the runtime puts its X window: client (0, 0) at Client(), and monitor pixel
    // m one border further. Wine 8 shows it at (-1, -1), where the window is; Wine 10
    // at (0, 0), one pixel right and down of it, so there a ring lies a pixel off the
    // pointer.
    [[nodiscard]] int OnScreen(int monitorPixel) const { return monitorPixel + 1 + Client().x; }
    [[nodiscard]] static int OnMonitor(int screenPixel) { return screenPixel; }
    // "x,y,type,picture" of a mark made at screen pixel (x, y).
    [[nodiscard]] std::string Entry(int x, int y, int type, int picture) const {
        return std::to_string(OnMonitor(x)) + "," + std::to_string(OnMonitor(y)) + "," +
               std::to_string(type) + "," + std::to_string(picture);
    }
};

TEST_F(DefectLog, AClickRingsThePixelKeepsItAcrossARestartAndTheMenuRemovesIt) {
    const std::string key = "1280x1024 \\\\.\\DISPLAY1";
    ASSERT_TRUE(LaunchToInformationScreen());
    const auto black = ShowBlackField();
    ASSERT_TRUE(black);

    ClickAt(400, 300);
    const std::pair<int, int> ring{OnScreen(400), OnScreen(300)};
    const auto lit = WaitForSettledScreen(
        kScreenTimeout, [&](const Screenshot& shot) { return RingsOnBlack(shot, {ring}); });
    ASSERT_TRUE(lit) << "no ring that keeps the marked pixel's square black";
    EXPECT_TRUE(WaitForStored(key, Entry(400, 300, 3, 1))) << StoredMarks(key).value_or("(none)");

    // A click on the mark itself makes it a lit pixel: another look, stored at once.
    ClickAt(400, 300);
    const auto dark = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return RingsOnBlack(shot, {ring}) && CountDifferent(shot, *lit, shot.area) > 0;
    });
    ASSERT_TRUE(dark) << "the second click did not change the ring";
    EXPECT_TRUE(WaitForStored(key, Entry(400, 300, 1, 1)));

    Press("Escape");
    ASSERT_TRUE(S().WaitForExit(10s));
    ASSERT_TRUE(LaunchToInformationScreen());
    Press("2");
    EXPECT_TRUE(WaitForExactly(*dark, kScreenTimeout)) << "the mark did not survive the restart";

    // The menu opened on the ring offers "Remove this mark", second from the end.
    ClickAt(409, 296, 3);
    ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return CountDifferent(shot, *dark, {409, 296, 60, 60}) > 0;
    })) << "no menu at the pointer";
    Press("Up");
    Press("Up");
    Press("Return");
    EXPECT_TRUE(WaitForExactly(*black, kScreenTimeout))
        << "the black field did not come back whole";
    EXPECT_TRUE(WaitForStored(key, std::nullopt)) << "the removed mark is still stored";
}

// The report from the menu: written to Documents and handed to the shell, which opens it
// with a stand-in browser that records the file; Wine gives its monitor no EDID.
TEST_F(DefectLog, TheReportListsTheClickedMarksAndTheClass) {
    ASSERT_NO_FATAL_FAILURE(UseStandInBrowser());
    ASSERT_TRUE(LaunchToInformationScreen());
    ASSERT_TRUE(ShowBlackField());
    const std::string key = "1280x1024 \\\\.\\DISPLAY1";
    // A dot on black is taken for a sub-pixel; the second click makes it a lit pixel.
    std::string lit;
    for (const auto& [x, y] : {std::pair{400, 300}, {403, 302}}) { // close: a cluster, class IV
        const std::string before = lit.empty() ? lit : lit + " ";
        ClickAt(x, y);
        ASSERT_TRUE(WaitForStored(key, before + Entry(x, y, 3, 1)));
        ClickAt(x, y);
        lit = before + Entry(x, y, 1, 1);
        ASSERT_TRUE(WaitForStored(key, lit));
    }
    Press("3");
    ClickAt(900, 700);
    ASSERT_TRUE(WaitForStored(key, lit + " " + Entry(900, 700, 3, 2)));

    const auto marked =
        WaitForSettledScreen(kScreenTimeout, [](const Screenshot&) { return true; });
    ASSERT_TRUE(marked);
    ClickAt(100, 500, 3); // away from every ring: the report is third from the end
    ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return CountDifferent(shot, *marked, shot.area) > 1000;
    })) << "no menu";
    for (int up = 0; up < 3; ++up) {
        Press("Up");
    }
    Press("Return");
    const auto report = WaitForOpenedReport();
    ASSERT_TRUE(report) << "no report was opened";
    EXPECT_TRUE(report->filename().string().ends_with(" unknown monitor.html"));
    const std::string page = FileText(*report);
    const auto row = [&](int n, int x, int y, const std::string& rest) {
        return "<tr><td>" + std::to_string(n) + "</td><td>" + std::to_string(OnMonitor(x)) +
               "</td><td>" + std::to_string(OnMonitor(y)) + "</td>" + rest + "</tr>";
    };
    for (const std::string& part :
         {std::string("<meta name=\"pixel-fault-class\" content=\"IV\">"),
          std::string("<meta name=\"pixel-faults\" content=\"1=2 2=0 3=1 clusters-1-2=1 "
                      "clusters-3=0\">"),
          row(1, 400, 300, "<td class=\"w\">1 lit</td><td class=\"w\">black</td>"),
          row(3, 900, 700, "<td class=\"w\">3 sub-pixel</td><td class=\"w\">red</td>"),
          std::string("<th>Model (from the label)</th><td>unknown <span class=\"fill\">"),
          std::string("1280 x 1024, \\\\.\\DISPLAY1")}) {
        EXPECT_NE(page.find(part), std::string::npos) << part;
    }
}

// The marked pixels' flasher from the menu: only their 9 x 9 squares (clipped at the
// screen's edge) and one small line clear of the marks change, all else is black; a
// key stops it without ending the program, and the picture comes back whole.
TEST_F(DefectLog, RepairFlashesOnlyTheMarkedSquaresUntilAKey) {
    StoreSettings("[Pixel defects]\r\n1280x1024 \\\\.\\DISPLAY1=300,300,3,2 1000,200,3,2 "
                  "0,1023,3,2\r\n");
    ASSERT_TRUE(LaunchToInformationScreen());
    // Where the marks show on the screen, once the window shows where it is.
    const std::vector<std::pair<int, int>> marks = {{OnScreen(300), OnScreen(300)},
                                                    {OnScreen(1000), OnScreen(200)},
                                                    {OnScreen(0), OnScreen(1023)}};
    Press("3");
    const int square = OnScreen(300) - 4; // the first mark's 9 x 9 square
    const auto red = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return shot.At(640, 512) == MakeRgb(255, 0, 0) &&
               shot.At(square + 4, square - 7) != MakeRgb(255, 0, 0); // its ring
    });
    ASSERT_TRUE(red);
    ChooseFromMenuAt(640, 600, 2); // "Repair marked pixels" is second from the end
    EXPECT_EQ(FlashesOnlyTheSquares(marks), "");
    Press("Escape");
    EXPECT_TRUE(WaitForExactly(*red, kScreenTimeout)) << "the red field did not come back whole";
    EXPECT_TRUE(S().ProgramRunning()) << "the key that stopped the flasher ended the program";
}

// Started during the endurance cycle, in which a click marks, and during the full-screen
// flasher, the marked pixels' flasher is the only light on the screen; F10, a system
// key, stops it as any key does.
TEST_F(DefectLog, TheMarkedPixelsFlasherStopsEveryOtherWorker) {
    const std::string key = "1280x1024 \\\\.\\DISPLAY1";
    StoreSettings("[Program]\r\nuse_test_1=1\r\ntest_millisecond=1000\r\n[Pixel defects]\r\n" +
                  key + "=300,300,3,1\r\n");
    ASSERT_TRUE(LaunchToInformationScreen());
    Press("F5");
    Press("Return");
    ASSERT_TRUE(S().WaitForPixel(640, 512, kBlack, kScreenTimeout))
        << "no cycle of the black field";
    ClickAt(700, 600);
    ASSERT_TRUE(WaitForStored(key, "300,300,3,1 " + Entry(700, 600, 3, 1)))
        << "a click during the cycle marked nothing";
    const std::vector<std::pair<int, int>> marks = {{OnScreen(300), OnScreen(300)},
                                                    {OnScreen(700), OnScreen(600)}};
    EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return RingsOnBlack(shot, {marks[0], marks[1]});
    })) << "the cycle's picture shows no rings";

    ChooseFromMenuAt(100, 900, 2);
    EXPECT_EQ(FlashesOnlyTheSquares(marks), "") << "during the cycle";
    Press("F10");
    EXPECT_TRUE(WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot);
    })) << "F10 did not stop the flasher: the stopped cycle's selection screen should show";
    ASSERT_TRUE(S().ProgramRunning());

    Press("Escape");
    Press("F6");
    Press("space"); // the full-screen flasher
    ASSERT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return !ShowsOverlay(shot) && shot.At(640, 512) != kBlack;
    })) << "the full-screen flasher did not start";
    ChooseFromMenuAt(100, 900, 2);
    EXPECT_EQ(FlashesOnlyTheSquares(marks), "") << "during the full-screen flasher";
    Press("Escape");
    EXPECT_TRUE(WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return ShowsOverlay(shot);
    })) << "the repair screen did not come back";
    EXPECT_TRUE(S().ProgramRunning());
}

// On both line pictures every pixel of a ring differs from the line under it, on even
// and odd rows and columns; "Remove all marks" asks first, with the count.
TEST_F(DefectLog, RingsShowOnTheLinesAndRemovingAllAsksFirst) {
    const std::string key = "1280x1024 \\\\.\\DISPLAY1";
    const std::string stored = "300,300,1,11 501,401,2,11 700,600,3,12 901,301,3,12";
    StoreSettings("[Pixel defects]\r\n" + key + "=" + stored + "\r\n");
    ASSERT_TRUE(LaunchToInformationScreen());
    const int marks[][3] = {{300, 300, 1}, {501, 401, 2}, {700, 600, 3}, {901, 301, 3}};
    for (const auto& lines : {std::pair{"h", HorizontalLines()}, std::pair{"v", VerticalLines()}}) {
        const char* keyName = lines.first;
        const Picture& picture = lines.second;
        Press(keyName);
        const auto shot = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& s) {
            return s.At(OnScreen(300), OnScreen(291)) != picture(OnScreen(300), OnScreen(291));
        });
        ASSERT_TRUE(shot) << keyName << ": no rings";
        int alike = 0;
        for (const auto& [x, y, type] : marks) {
            for (const RingPixel& ring : RingPixels(type)) {
                const int sx = OnScreen(x + ring.dx);
                const int sy = OnScreen(y + ring.dy);
                alike += shot->At(sx, sy) == picture(sx, sy) ? 1 : 0;
            }
        }
        EXPECT_EQ(alike, 0) << keyName << ": ring pixels the colour of the lines under them";
    }

    ChooseFromMenuAt(100, 900, 1); // "Remove all marks" is the last entry
    const std::string question = "Pixel defect log";
    ASSERT_TRUE(X().WaitForTopLevel(question, kScreenTimeout)) << "no question";
    Press("n");
    EXPECT_TRUE(WaitUntil(kScreenTimeout, [&] { return X().FindTopLevels(question).empty(); }));
    EXPECT_EQ(StoredMarks(key), stored) << "No removed the marks";
    ChooseFromMenuAt(100, 900, 1);
    ASSERT_TRUE(X().WaitForTopLevel(question, kScreenTimeout)) << "no question";
    Press("y");
    EXPECT_TRUE(WaitForStored(key, std::nullopt)) << "Yes kept the marks";
    EXPECT_TRUE(WaitUntil(kScreenTimeout, [&] {
        const auto ini = LoadIni(S().PerUserIni());
        return ini && !ini->HasSection(kSection);
    })) << "the empty section stayed";
}

// A real monitor's EDID held on the X server for the whole session: the runtime hands
// it to the program as the monitor's own.
class DefectLogOfAKnownMonitor : public DefectLog {
protected:
    [[nodiscard]] SessionOptions Options() const override {
        SessionOptions options;
        options.edid = KnownMonitorEdid();
        return options;
    }
};

// A clean panel's report first, then one with a mark: both name the monitor as its
// EDID does, and each adds its row to the table in Documents under the rows before it.
TEST_F(DefectLogOfAKnownMonitor, ReportsNameTheMonitorAndEachAddsATableRow) {
    ASSERT_NO_FATAL_FAILURE(UseStandInBrowser());
    ASSERT_TRUE(LaunchToInformationScreen());
    const auto black = ShowBlackField();
    ASSERT_TRUE(black);
    const auto openMenuAndChoose = [&](int upPresses) {
        ClickAt(100, 500, 3);
        EXPECT_TRUE(WaitForScreen(kScreenTimeout, [&](const Screenshot& shot) {
            return CountDifferent(shot, *black, shot.area) > 1000;
        })) << "no menu";
        for (int up = 0; up < upPresses; ++up) {
            Press("Up");
        }
        Press("Return");
    };
    openMenuAndChoose(1); // without marks the report is the menu's last entry
    const auto clean = WaitForOpenedReport();
    ASSERT_TRUE(clean) << "no report of the clean panel was opened";
    const fs::path table = Documents() / "Glimmerix pixel reports.csv";
    const std::string firstTable = FileText(table);

    ClickAt(400, 300);
    // Kept under the monitor's own name, not its output's.
    ASSERT_TRUE(WaitForStored("1280x1024 DEL200B X9R5K8864M1E", Entry(400, 300, 3, 1)));
    openMenuAndChoose(3); // summary, report, flasher, remove all
    const auto marked = WaitForOpenedReport();
    ASSERT_TRUE(marked) << "no second report was opened";
    EXPECT_NE(*marked, *clean);

    for (const fs::path& report : {*clean, *marked}) {
        EXPECT_NE(report.filename().string().find(" D3218HN"), std::string::npos) << report;
        const std::string page = FileText(report);
        for (const char* identity :
             {">Dell (DEL)<", ">D3218HN<", ">X9R5K8864M1E<", "week 32 of 2018", "70 x 39 cm",
              ">1920 x 1080<", "DEL200B (8203)"}) {
            EXPECT_NE(page.find(identity), std::string::npos) << identity << " in " << report;
        }
    }
    EXPECT_NE(FileText(*clean).find("No faults were marked"), std::string::npos);
    EXPECT_NE(FileText(*marked).find("<td class=\"w\">3 sub-pixel</td>"), std::string::npos);

    const std::string header = "\xEF\xBB\xBF"
                               "Date,Maker,Model,Serial number,Product code,";
    const std::string clean_row =
        ",Dell (DEL),D3218HN,X9R5K8864M1E,DEL200B (8203),1280 x 1024,0,0,0,0,0,I,yes," +
        clean->filename().string() + "\r\n";
    EXPECT_TRUE(firstTable.starts_with(header) && firstTable.ends_with(clean_row)) << firstTable;
    EXPECT_EQ(std::count(firstTable.begin(), firstTable.end(), '\n'), 2);
    const std::string secondTable = FileText(table);
    EXPECT_TRUE(secondTable.starts_with(firstTable)) << "a row already there was rewritten";
    EXPECT_TRUE(secondTable.ends_with(",1280 x 1024,0,0,1,0,0,II,yes," +
                                      marked->filename().string() + "\r\n"))
        << secondTable;
    EXPECT_EQ(std::count(secondTable.begin(), secondTable.end(), '\n'), 3);
}

class DefectLogOnTwoMonitors : public DefectLog {
protected:
    [[nodiscard]] SessionOptions Options() const override { return TwoMonitorOptions(); }
};

TEST_F(DefectLogOnTwoMonitors, EachMonitorAndSizeKeepsItsOwnMarks) {
    // Xvfb shows both monitors at 0,0; the second one is covered.
    std::error_code ec;
    fs::create_directories(S().PerUserFolder(), ec);
    std::ofstream(S().PerUserIni()) << "[Program]\r\nscreen=\\\\.\\DISPLAY2\r\n"
                                    << "[Pixel defects]\r\n"
                                    << "1280x1024 \\\\.\\DISPLAY1=200,200,1,1\r\n"
                                    << "1024x768 \\\\.\\DISPLAY2=600,400,3,2 9,9,9 x\r\n"
                                    << "800x600 \\\\.\\DISPLAY2=300,300,1,1\r\n";
    // Where the runtime gives the second screen the primary's size, the window covers
    // 1280 x 1024 and the two monitors cannot be told apart.
    std::string error;
    ASSERT_TRUE(S().Launch(&error)) << error;
    const auto window = S().WaitForMainWindow(20s);
    ASSERT_TRUE(window);
    if (!WaitUntil(5s, [&] {
            const auto info = X().Describe(*window);
            return info && PlacedOver(info->outer, {0, 0, 1024, 768}, Screen());
        })) {
        GTEST_SKIP() << "this Wine reports the second Xinerama screen at the primary's size, "
                        "so the monitors cannot be told apart (the window is "
                     << DescribeWindowPlace() << ")";
    }
    Press("Escape");
    ASSERT_TRUE(S().WaitForExit(10s));
    screen = {0, 0, 1024, 768};
    client = ClientAreaOn(screen.width, screen.height);
    ASSERT_TRUE(LaunchToInformationScreen());
    Press("2");
    const auto second = WaitForSettledScreen(kScreenTimeout, [&](const Screenshot& shot) {
        return RingsOnBlack(shot, {{OnScreen(600), OnScreen(400)}});
    });
    ASSERT_TRUE(second) << "the second monitor's mark alone should show";

    ClickAt(100, 100);
    EXPECT_TRUE(WaitForStored("1024x768 \\\\.\\DISPLAY2", "600,400,3,2 " + Entry(100, 100, 3, 1)))
        << StoredMarks("1024x768 \\\\.\\DISPLAY2").value_or("(none)");
    EXPECT_EQ(StoredMarks("1280x1024 \\\\.\\DISPLAY1"), "200,200,1,1");
    EXPECT_EQ(StoredMarks("800x600 \\\\.\\DISPLAY2"), "300,300,1,1");
}

} // namespace
} // namespace e2e
