// Pictures of the program for the README, made from the real exe: it runs under Wine
// in a private 1920 x 1080 X server on the end-to-end harness, is driven with the same
// keys and pointer as the end-to-end tests, and each screen is halved to 960 x 540
// (2 x 2 box average) and written as a PNG. The same pixels give the same bytes.
//
// Usage: screenshots <Glimmerix.exe> <output folder>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <zlib.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/test_pictures.h"

namespace {

using namespace e2e;
using Bytes = std::vector<std::uint8_t>;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr auto kScreenTimeout = 10s;
constexpr auto kPollStep = 40ms;
// White text pixels that every overlay screen has at least.
constexpr std::size_t kMinimumTextPixels = 1000;
// Where the pointer opens the context menu: right of the information texts, below
// the info line, so that the menu covers little of what the screen says.
constexpr int kMenuX = 1300;
constexpr int kMenuY = 190;
// Language indices of the catalogue.
constexpr int kEnglish = 1;
constexpr int kPersian = 20;

// --- PNG -------------------------------------------------------------------------

void PutBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBig32(out, static_cast<std::uint32_t>(crc));
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The rows of an 8-bit RGB image, each filtered with whichever of the five filters
// gives the smallest sum of its bytes taken as signed: the usual choice, and one that
// depends on the pixels alone.
Bytes FilteredRows(const Bytes& rgb, int width, int height) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    Bytes out;
    out.reserve((stride + 1) * static_cast<std::size_t>(height));
    const Bytes zeros(stride, 0);
    std::array<Bytes, 5> candidates;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rgb.data() + stride * static_cast<std::size_t>(y);
        const std::uint8_t* up = y == 0 ? zeros.data() : row - stride;
        std::size_t best = 0;
        long bestCost = -1;
        for (std::size_t filter = 0; filter < candidates.size(); ++filter) {
            Bytes& line = candidates[filter];
            line.resize(stride);
            long cost = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int a = i >= 3 ? row[i - 3] : 0;
                const int b = up[i];
                const int c = i >= 3 ? up[i - 3] : 0;
                const int predicted = filter == 0   ? 0
                                      : filter == 1 ? a
                                      : filter == 2 ? b
                                      : filter == 3 ? (a + b) / 2
                                                    : Paeth(a, b, c);
                line[i] = static_cast<std::uint8_t>(row[i] - predicted);
                cost += std::abs(static_cast<std::int8_t>(line[i]));
            }
            if (bestCost < 0 || cost < bestCost) {
                best = filter;
                bestCost = cost;
            }
        }
        out.push_back(static_cast<std::uint8_t>(best));
        out.insert(out.end(), candidates[best].begin(), candidates[best].end());
    }
    return out;
}

bool WritePng(const Bytes& rgb, int width, int height, const std::filesystem::path& file) {
    const Bytes raw = FilteredRows(rgb, width, height);
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return false;
    }
    packed.resize(packedSize);

    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no interlace
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

// Half the width and height, each pixel the rounded mean of a 2 x 2 block; 8-bit RGB.
Bytes HalvedRgb(const Screenshot& shot) {
    const int width = shot.area.width / 2;
    const int height = shot.area.height / 2;
    Bytes rgb;
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = shot.area.x + 2 * x;
            const int sy = shot.area.y + 2 * y;
            const Rgb block[4] = {shot.At(sx, sy), shot.At(sx + 1, sy), shot.At(sx, sy + 1),
                                  shot.At(sx + 1, sy + 1)};
            for (int (*channel)(Rgb) : {Red, Green, Blue}) {
                int sum = 2;
                for (Rgb colour : block) {
                    sum += channel(colour);
                }
                rgb.push_back(static_cast<std::uint8_t>(sum / 4));
            }
        }
    }
    return rgb;
}

// --- The program on the screen -----------------------------------------------------

std::size_t WhitePixels(const Screenshot& shot) {
    return static_cast<std::size_t>(std::count(shot.pixels.begin(), shot.pixels.end(), kWhite));
}

// An overlay screen (information, selection or repair): the gradient down the left
// edge, which no text reaches, and white text.
bool ShowsOverlay(const Screenshot& shot) {
    const ClientArea client = ClientAreaOn(shot.area.width, shot.area.height);
    for (int y = 0; y < shot.area.height; ++y) {
        if (shot.At(0, y) != VerticalGradientAt(y - client.y, client.height)) {
            return false;
        }
    }
    return WhitePixels(shot) >= kMinimumTextPixels;
}

// The throughput test's status line (client rows 0 to 15) is black with the figures
// in white, smoothed with greys.
bool ShowsStatusLine(const Screenshot& shot) {
    const Rect status{0, 0, shot.area.width, 15};
    const std::size_t all =
        static_cast<std::size_t>(status.width) * static_cast<std::size_t>(status.height);
    const auto count = [&](const std::function<bool(Rgb)>& test) {
        return CountWhere(shot, status, [&](int, int, Rgb c) { return test(c); });
    };
    return count([](Rgb c) { return Red(c) == Green(c) && Green(c) == Blue(c); }) == all &&
           count([](Rgb c) { return c == kWhite; }) >= 50 &&
           count([](Rgb c) { return c == kBlack; }) > all / 2;
}

class Shooter {
public:
    Shooter(Session& session, std::filesystem::path folder)
        : session(session), folder(std::move(folder)) {}

    // The per-user settings the program starts with, written as the end-to-end tests
    // write them.
    bool StoreSettings(const std::string& content) {
        std::error_code ec;
        std::filesystem::create_directories(session.PerUserFolder(), ec);
        std::ofstream out(session.PerUserIni(), std::ios::binary | std::ios::trunc);
        out << content;
        return Check(static_cast<bool>(out), "cannot write " + session.PerUserIni().string());
    }

    // Starts the program; the information screen once it has settled.
    std::optional<Screenshot> Launch() {
        std::string error;
        if (!Check(session.Launch(&error), error) ||
            !Check(session.WaitForMainWindow(30s).has_value(), "no main window within 30 s")) {
            return std::nullopt;
        }
        auto shot = WaitForSettled(30s, ShowsOverlay);
        Check(shot.has_value(), "the information screen did not appear");
        return shot;
    }

    // Polls captures until two in a row are equal and `accept` holds for them.
    std::optional<Screenshot> WaitForSettled(std::chrono::milliseconds timeout,
                                             const std::function<bool(const Screenshot&)>& accept) {
        Screenshot previous;
        return WaitFor(timeout, [&](const Screenshot& shot) {
            const bool settled = shot == previous && accept(shot);
            previous = shot;
            return settled;
        });
    }

    std::optional<Screenshot> WaitFor(std::chrono::milliseconds timeout,
                                      const std::function<bool(const Screenshot&)>& accept) {
        std::optional<Screenshot> found;
        WaitUntil(
            timeout,
            [&] {
                last = session.X().ShootScreen();
                if (accept(last)) {
                    found = last;
                }
                return found.has_value();
            },
            kPollStep);
        return found;
    }

    // A screen other than `from` with the overlay's texts, once it has settled.
    std::optional<Screenshot> WaitForOtherOverlay(const Screenshot& from) {
        return WaitForSettled(kScreenTimeout, [&](const Screenshot& shot) {
            return ShowsOverlay(shot) && CountDifferent(shot, from, shot.area) > 1000;
        });
    }

    bool WaitForExactly(const Screenshot& expected, const std::string& what) {
        return Check(
            WaitFor(kScreenTimeout, [&](const Screenshot& shot) { return shot == expected; })
                .has_value(),
            what);
    }

    bool Press(std::string_view key, std::chrono::milliseconds hold = 100ms) {
        return Check(session.X().Hold(key, hold), "cannot type the key " + std::string(key));
    }

    bool Save(const std::optional<Screenshot>& shot, const std::string& name,
              const std::string& what) {
        if (!Check(shot.has_value(), "no " + what)) {
            return false;
        }
        const auto file = folder / (name + ".png");
        if (!Check(WritePng(HalvedRgb(*shot), shot->area.width / 2, shot->area.height / 2, file),
                   "cannot write " + file.string())) {
            return false;
        }
        std::cout << file.string() << ": " << what << ", "
                  << std::filesystem::file_size(file) / 1024 << " KB\n";
        return true;
    }

    // Records the first failure; false when `ok` is.
    bool Check(bool ok, const std::string& message) {
        if (!ok && failure.empty()) {
            failure = message;
        }
        return ok;
    }

    [[nodiscard]] const std::string& Failure() const { return failure; }
    [[nodiscard]] const Screenshot& Last() const { return last; }
    [[nodiscard]] const std::filesystem::path& Folder() const { return folder; }

private:
    Session& session;
    std::filesystem::path folder;
    Screenshot last;
    std::string failure;
};

// Persian from its stored language: the information screen, then Escape ends it.
bool ShootPersian(Session& session, Shooter& shooter) {
    if (!shooter.StoreSettings("[Program]\r\nlng=" + std::to_string(kPersian) + "\r\n")) {
        return false;
    }
    const auto information = shooter.Launch();
    if (!shooter.Save(information, "information-persian", "information screen in Persian") ||
        !shooter.Press("Escape")) {
        return false;
    }
    const auto status = session.WaitForExit(10s);
    return shooter.Check(status && status->Succeeded(), "Escape did not end the program");
}

// English with some tests marked: every other screen, each reached from the
// information screen and left back to it; the context menu last.
bool ShootEnglish(Session& session, Shooter& shooter) {
    // White, red, blue, the horizontal gradient and the horizontal lines.
    if (!shooter.StoreSettings("[Program]\r\nlng=" + std::to_string(kEnglish) +
                               "\r\nuse_test_0=1\r\nuse_test_2=1\r\nuse_test_4=1\r\n"
                               "use_test_8=1\r\nuse_test_11=1\r\n")) {
        return false;
    }
    const auto information = shooter.Launch();
    if (!shooter.Save(information, "information", "information screen")) {
        return false;
    }

    if (!shooter.Press("F5") ||
        !shooter.Save(shooter.WaitForOtherOverlay(*information), "selection",
                      "test selection screen") ||
        !shooter.Press("Escape") ||
        !shooter.WaitForExactly(*information, "Escape did not leave the selection screen")) {
        return false;
    }

    if (!shooter.Press("F6") ||
        !shooter.Save(shooter.WaitForOtherOverlay(*information), "repair", "repair screen") ||
        !shooter.Press("Escape") ||
        !shooter.WaitForExactly(*information, "Escape did not leave the repair screen")) {
        return false;
    }

    // The block copy starts when F2 is released; a frame once its figures are there.
    if (!shooter.Press("F2") ||
        !shooter.Save(shooter.WaitFor(kScreenTimeout, ShowsStatusLine), "throughput",
                      "throughput test frame") ||
        !shooter.Press("space") ||
        !shooter.WaitForExactly(*information, "space did not stop the throughput test")) {
        return false;
    }

    session.X().MoveMouse(kMenuX, kMenuY);
    session.X().Click(3);
    const Rect nearPointer{kMenuX, kMenuY, 100, 100};
    return shooter.Save(shooter.WaitForSettled(kScreenTimeout,
                                               [&](const Screenshot& shot) {
                                                   return CountDifferent(shot, *information,
                                                                         nearPointer) > 1000;
                                               }),
                        "menu", "context menu");
}

// The pixel defect log: marks on the black, white and red fields, the rings shown on
// the red one, then the report from the menu, left in the output folder as
// report.html for scripts/screenshots to render in a browser.
bool ShootDefects(Session& session, Shooter& shooter) {
    std::string error;
    const auto opener = session.RunWine({"reg", "add", "HKCR\\htmlfile\\shell\\open\\command",
                                         "/ve", "/d", "cmd.exe /c echo %1> C:\\opened.txt", "/f"},
                                        30s, &error);
    if (!shooter.Check(opener && opener->Succeeded(),
                       "cannot register the report's opener: " + error) ||
        !shooter.StoreSettings("[Program]\r\nlng=" + std::to_string(kEnglish) + "\r\n") ||
        !shooter.Launch()) {
        return false;
    }
    struct Mark {
        const char* key; // the picture it is marked on
        int x, y;
    };
    // On black a click marks a sub-pixel; a second one on the same pixel makes it lit.
    const Mark marks[] = {{"2", 700, 400}, {"2", 703, 402}, {"2", 1210, 300},
                          {"1", 930, 700}, {"3", 400, 820}, {"3", 1500, 610}};
    for (const Mark& mark : marks) {
        if (!shooter.Press(mark.key)) {
            return false;
        }
        std::this_thread::sleep_for(300ms);
        session.X().MoveMouse(mark.x, mark.y);
        for (int click = 0; click < (std::string_view(mark.key) == "2" ? 2 : 1); ++click) {
            session.X().Click(1);
            std::this_thread::sleep_for(300ms);
        }
    }
    const auto ringed = shooter.WaitForSettled(kScreenTimeout, [](const Screenshot& shot) {
        return shot.At(10, 10) == MakeRgb(255, 0, 0) && shot.At(400, 820) == MakeRgb(255, 0, 0) &&
               shot.At(400, 809) != MakeRgb(255, 0, 0); // a ring above the mark
    });
    if (!shooter.Save(ringed, "marks", "the marks' rings on the red field")) {
        return false;
    }
    // The menu away from every ring; the report is the third entry from its end.
    session.X().MoveMouse(kMenuX, kMenuY);
    session.X().Click(3);
    std::this_thread::sleep_for(700ms);
    if (!shooter.Press("Up") || !shooter.Press("Up") || !shooter.Press("Up") ||
        !shooter.Press("Return")) {
        return false;
    }
    const std::filesystem::path documents = session.Prefix().UserProfile() / "Documents";
    std::filesystem::path report;
    WaitUntil(kScreenTimeout, [&] {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(documents, ec)) {
            if (entry.path().extension() == ".html") { // not the report table beside it
                report = entry.path();
            }
        }
        return !report.empty();
    });
    std::error_code ec;
    if (!shooter.Check(!report.empty(), "no report in " + documents.string())) {
        return false;
    }
    std::filesystem::copy_file(report, shooter.Folder() / "report.html",
                               std::filesystem::copy_options::overwrite_existing, ec);
    return shooter.Check(!ec, "cannot copy the report: " + ec.message());
}

// The tests beyond the keys' pictures: the menu's "More tests" open over the information
// screen, then the gamma picture chosen in it.
bool ShootMoreTests(Session& session, Shooter& shooter) {
    if (!shooter.StoreSettings("[Program]\r\nlng=" + std::to_string(kEnglish) + "\r\n")) {
        return false;
    }
    const auto information = shooter.Launch();
    if (!information) {
        return false;
    }
    session.X().MoveMouse(kMenuX, kMenuY);
    session.X().Click(3);
    std::this_thread::sleep_for(700ms);
    // Above the closing separator: "Load from File", "Translate", then "More tests".
    for (const char* key : {"Up", "Up", "Up", "Right"}) {
        if (!shooter.Press(key)) {
            return false;
        }
    }
    const Rect nearPointer{kMenuX, kMenuY - 300, 600, 400};
    if (!shooter.Save(shooter.WaitForSettled(kScreenTimeout,
                                             [&](const Screenshot& shot) {
                                                 return CountDifferent(shot, *information,
                                                                       nearPointer) > 20000;
                                             }),
                      "more-tests", "the menu's more tests")) {
        return false;
    }
    for (int down = 0; down < 8; ++down) { // from grey 5 % to gamma
        if (!shooter.Press("Down")) {
            return false;
        }
    }
    return shooter.Press("Return") &&
           shooter.Save(shooter.WaitForSettled(kScreenTimeout,
                                               [&](const Screenshot& shot) {
                                                   return !ShowsOverlay(shot) &&
                                                          shot.At(10, 10) != shot.At(10, 11);
                                               }),
                        "gamma", "the gamma picture");
}

int Fail(Session* session, const Shooter* shooter, const std::string& message) {
    std::cerr << "screenshots: " << message << "\n";
    if (session != nullptr) {
        std::cerr << session->LogTail() << "\n";
    }
    if (shooter != nullptr && !shooter->Last().Empty()) {
        std::error_code ec;
        std::filesystem::create_directories(FailureFolder(), ec);
        const auto file = FailureFolder() / "screenshots.last.ppm";
        if (WritePpm(shooter->Last(), file)) {
            std::cerr << "the last capture: " << file.string() << "\n";
        }
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: screenshots <Glimmerix.exe> <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return Fail(nullptr, nullptr, "cannot make " + folder.string() + ": " + ec.message());
    }

    // Persian on a Persian system, where Wine draws it in a face that joins its letters;
    // then everything else on an English one, the defect log in a session of its own.
    for (const int run : {0, 1, 2, 3}) {
        const bool persian = run == 0;
        SessionOptions options;
        options.screenWidth = kScreenWidth;
        options.screenHeight = kScreenHeight;
        options.locale = persian ? "fa_IR.UTF-8" : "C.UTF-8";
        if (run == 2) { // the report names a real monitor
            options.edid = KnownMonitorEdid();
        }
        std::string error;
        auto session = Session::Start(options, &error);
        if (!session) {
            return Fail(nullptr, nullptr, error);
        }
        if (!session->InstallProgram(argv[1], &error)) {
            return Fail(session.get(), nullptr, error);
        }
        Shooter shooter(*session, folder);
        const bool shot = run == 0   ? ShootPersian(*session, shooter)
                          : run == 1 ? ShootEnglish(*session, shooter)
                          : run == 2 ? ShootDefects(*session, shooter)
                                     : ShootMoreTests(*session, shooter);
        if (!shot) {
            return Fail(session.get(), &shooter, shooter.Failure());
        }
    }
    return 0;
}
