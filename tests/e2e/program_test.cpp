// The fixture of the tests that drive the program.
#include "tests/e2e/program_test.h"

#include <iostream>
#include <thread>

namespace e2e {

namespace {

constexpr auto kSettlePause = std::chrono::milliseconds(120);
constexpr auto kPollStep = std::chrono::milliseconds(40);
// White text pixels every overlay screen has at least (the information screen
// has tens of thousands, the repair screen thousands).
constexpr std::size_t kMinimumTextPixels = 1000;

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return name;
}

} // namespace

void ProgramTest::SetUp() {
    const auto exe = ProgramUnderTest();
    if (!exe) {
        GTEST_SKIP() << "GLIMMERIX_EXE is unset or names no file; build the windows "
                        "preset and run through scripts/test or ctest --preset e2e";
    }
    // What an earlier failing run of this test left is no longer the story.
    std::error_code ec;
    for (const char* suffix : {".last.ppm", ".end.ppm"}) {
        std::filesystem::remove(FailureFolder() / (TestName() + suffix), ec);
    }
    std::string error;
    session = Session::Start(Options(), &error);
    ASSERT_TRUE(session) << error;
    ASSERT_TRUE(session->InstallProgram(*exe, &error)) << error;
    screen = {0, 0, X().ScreenWidth(), X().ScreenHeight()};
    client = ClientAreaOn(screen.width, screen.height);
}

void ProgramTest::TearDown() {
    if (!HasFailure() || !session) {
        return;
    }
    std::cerr << session->LogTail() << "\n";
    std::error_code ec;
    std::filesystem::create_directories(FailureFolder(), ec);
    const auto last = FailureFolder() / (TestName() + ".last.ppm");
    const auto now = FailureFolder() / (TestName() + ".end.ppm");
    if (!lastCapture.Empty() && WritePpm(lastCapture, last)) {
        std::cerr << "last capture the test judged: " << last << "\n";
    }
    if (WritePpm(X().ShootScreen(), now)) {
        std::cerr << "the screen at the end of the test: " << now << "\n";
    }
}

Picture ProgramTest::Solid(Rgb colour) const {
    return [colour](int, int) { return colour; };
}

Picture ProgramTest::VerticalGradient() const {
    // The client as found when the picture is judged: it may be made before the start.
    const ClientArea& area = client;
    return [&area](int, int y) { return VerticalGradientAt(y - area.y, area.height); };
}

Picture ProgramTest::HorizontalGradient() const {
    const ClientArea& area = client;
    return [&area](int x, int) { return HorizontalGradientAt(x - area.x, area.width); };
}

Picture ProgramTest::HorizontalLines() const {
    const ClientArea& area = client;
    return [&area](int, int y) { return HorizontalLinesAt(y - area.y); };
}

Picture ProgramTest::VerticalLines() const {
    const ClientArea& area = client;
    return [&area](int x, int) { return VerticalLinesAt(x - area.x); };
}

std::vector<Rect> ProgramTest::TextFreeLines() const {
    // The texts start 30 pixels in from the client's top and left edges (27 with the
    // white copy) and end short of its right edge; the notice line at the bottom
    // starts in the middle of the screen.
    const int w = screen.width;
    const int h = screen.height;
    return {
        {0, 0, 1, h}, {1, 0, 1, h}, {10, 0, 1, h}, {20, 0, 1, h},        {w - 1, 0, 1, h},
        {0, 0, w, 1}, {0, 1, w, 1}, {0, 12, w, 1}, {0, h - 1, w / 3, 1},
    };
}

std::size_t ProgramTest::TextPixels(const Screenshot& shot) const {
    return CountWhere(shot, screen, [](int, int, Rgb colour) { return colour == kWhite; });
}

bool ProgramTest::ShowsOverlay(const Screenshot& shot) const {
    const Picture gradient = VerticalGradient();
    for (const Rect& line : TextFreeLines()) {
        if (CountMismatches(shot, line, gradient) != 0) {
            return false;
        }
    }
    return TextPixels(shot) >= kMinimumTextPixels;
}

std::string ProgramTest::DescribeWindowPlace() {
    const auto windows = X().FindTopLevels(kProgramName);
    const auto info = windows.empty() ? std::nullopt : X().Describe(windows.back());
    const Rect outer = info ? info->outer : Rect{};
    return std::to_string(outer.width) + " x " + std::to_string(outer.height) + " at " +
           std::to_string(outer.x) + ", " + std::to_string(outer.y);
}

std::optional<XWindowId> ProgramTest::WaitForMainWindow(std::chrono::milliseconds timeout) {
    const auto window = session->WaitForMainWindow(timeout);
    if (!window) {
        ADD_FAILURE() << "no viewable top-level window named Glimmerix within " << timeout.count()
                      << " ms";
        return std::nullopt;
    }
    // Wine passes the final position on to X a little after the window is mapped.
    std::optional<WindowInfo> info;
    if (!WaitUntil(5s, [&] {
            info = X().Describe(*window);
            return info && PlacedOver(info->outer, screen, screen);
        })) {
        ADD_FAILURE() << "the window does not cover the " << screen.width << " x " << screen.height
                      << " screen one border beyond its edges: it is " << DescribeWindowPlace();
        return window;
    }
    client.x = info->outer.x;
    client.y = info->outer.y;
    return window;
}

std::optional<Screenshot> ProgramTest::LaunchToInformationScreen() {
    std::string error;
    if (!session->Launch(&error)) {
        ADD_FAILURE() << error;
        return std::nullopt;
    }
    if (!WaitForMainWindow(20s)) {
        return std::nullopt;
    }
    auto shot = WaitForSettledScreen(15s, [&](const Screenshot& s) { return ShowsOverlay(s); });
    if (!shot) {
        // Where the window is tells a wrong placement from a wrong picture.
        ADD_FAILURE() << "the information screen did not appear within 15 s; the window is "
                      << DescribeWindowPlace() << "; " << TextPixels(lastCapture)
                      << " text pixels; "
                      << "gradient on the text-free lines: "
                      << DescribeMismatch(VerticalGradient(), TextFreeLines());
    }
    return shot;
}

void ProgramTest::Press(std::string_view key, std::chrono::milliseconds hold) {
    EXPECT_TRUE(X().Hold(key, hold)) << "cannot type the key " << key;
}

std::optional<Screenshot>
ProgramTest::WaitForScreen(std::chrono::milliseconds timeout,
                           const std::function<bool(const Screenshot&)>& accept) {
    std::optional<Screenshot> found;
    WaitUntil(
        timeout,
        [&] {
            lastCapture = X().ShootScreen();
            if (accept(lastCapture)) {
                found = lastCapture;
            }
            return found.has_value();
        },
        kPollStep);
    return found;
}

std::optional<Screenshot>
ProgramTest::WaitForSettledScreen(std::chrono::milliseconds timeout,
                                  const std::function<bool(const Screenshot&)>& accept) {
    Screenshot previous;
    return WaitForScreen(timeout, [&](const Screenshot& shot) {
        const bool settled = shot == previous && accept(shot);
        previous = shot;
        if (!settled) {
            // Let the picture change, if it still does, before the next look.
            std::this_thread::sleep_for(kSettlePause);
        }
        return settled;
    });
}

bool ProgramTest::WaitForExactly(const Screenshot& expected, std::chrono::milliseconds timeout) {
    return WaitForScreen(timeout, [&](const Screenshot& shot) { return shot == expected; })
        .has_value();
}

bool ProgramTest::WaitForPicture(const Picture& picture, std::chrono::milliseconds timeout) {
    return WaitForScreen(
               timeout,
               [&](const Screenshot& shot) { return CountMismatches(shot, screen, picture) == 0; })
        .has_value();
}

std::string ProgramTest::DescribeMismatch(const Picture& picture, std::vector<Rect> areas) const {
    if (areas.empty()) {
        areas.push_back(screen);
    }
    std::size_t count = 0;
    std::vector<std::string> lines;
    for (const Rect& area : areas) {
        count += CountMismatches(lastCapture, area, picture);
        for (std::string& line : Mismatches(lastCapture, area, picture)) {
            if (lines.size() < 3) {
                lines.push_back(std::move(line));
            }
        }
    }
    std::string text = std::to_string(count) + " pixels off the picture";
    for (const std::string& line : lines) {
        text += "; " + line;
    }
    return text;
}

} // namespace e2e
