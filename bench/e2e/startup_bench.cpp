// Start-up time of the program against two baselines started the same way: an empty
// window program, and the same drawing one line of text in the overlay's font (so
// that the system's font start-up is measured apart). The wall time from spawning
// `wine <exe>` to the moment the first picture is on the screen, all run in one
// private X server and one prepared Wine prefix with a warm, persistent wineserver,
// in turn. Then, in the same prefix, where the program's own time goes: the
// in-process step timers of the program and of the text baseline side by side
// (medians over fresh processes), and the catalogue build timer.
//
// Usage: startup_bench <Glimmerix.exe> <folder of the Windows timing programs> [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/test_pictures.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

// The colour the empty window program fills itself with.
constexpr Rgb kEmptyColour = MakeRgb(32, 160, 96);
// White pixels of the centred title (white copy of a 26-pixel bold italic text) that
// count as "the overlay is drawn"; a short title still has hundreds.
constexpr int kTitleWhitePixels = 40;
constexpr auto kPollPause = 2ms;
constexpr auto kStartTimeout = 60s;
// Time for Wine and the X server to finish with an ended program before the next start.
constexpr auto kSettle = 300ms;

// The program's first screen: the gradient at the left edge of a low row, and the
// white title in the top middle, which the overlay draws after the whole gradient.
bool InformationScreenShown(XClient& x) {
    const int width = x.ScreenWidth();
    const int height = x.ScreenHeight();
    const int lowRow = height - 40;
    const ClientArea client = ClientAreaOn(width, height);
    if (x.Pixel(0, lowRow) != VerticalGradientAt(lowRow - client.y, client.height)) {
        return false;
    }
    const auto title = x.Capture({width / 2 - 200, 10, 400, 60});
    return std::count(title.begin(), title.end(), kWhite) >= kTitleWhitePixels;
}

bool EmptyWindowShown(XClient& x) {
    return x.Pixel(0, x.ScreenHeight() - 40) == kEmptyColour &&
           x.Pixel(x.ScreenWidth() / 2, x.ScreenHeight() / 2) == kEmptyColour;
}

// The empty window's colour with its white line of text in the top middle.
bool TextWindowShown(XClient& x) {
    if (!EmptyWindowShown(x)) {
        return false;
    }
    const auto line = x.Capture({x.ScreenWidth() / 2 - 200, 10, 400, 60});
    return std::count(line.begin(), line.end(), kWhite) >= kTitleWhitePixels;
}

struct Contender {
    std::string name;
    std::string windowsPath;
    std::function<bool(XClient&)> shown;
    std::vector<double> startMs;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Min(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

class StartupBench {
public:
    explicit StartupBench(Session& session) : session(session) {}

    // One start: milliseconds from the spawn to the picture, or a negative value (and
    // `error`) when it never came. The program is ended before this returns.
    double TimeOneStart(const Contender& contender, std::string* error) {
        XClient& x = session.X();
        const Environment env = session.Prefix().WineEnvironment(session.DisplayName(), "C.UTF-8");
        SpawnOptions spawn;
        spawn.outputFile = (session.Prefix().ScratchFolder() / "wine.log").string();

        const auto start = Clock::now();
        auto program = ChildProcess::Spawn({"wine", contender.windowsPath}, env, spawn, error);
        if (!program) {
            return -1.0;
        }
        double elapsedMs = -1.0;
        while (Clock::now() - start < kStartTimeout) {
            if (contender.shown(x)) {
                elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                break;
            }
            if (!program->Running()) {
                *error = contender.name + " ended before its picture showed";
                return -1.0;
            }
            std::this_thread::sleep_for(kPollPause);
        }
        if (elapsedMs < 0) {
            *error = contender.name + " showed no picture within " +
                     std::to_string(kStartTimeout.count()) + " s";
        }
        // Only the program itself: the desktop and service processes that the first
        // start may have spawned into its group stay for the next starts.
        kill(program->Pid(), SIGTERM);
        if (!program->WaitFor(10s)) {
            kill(program->Pid(), SIGKILL);
            (void)program->WaitFor(10s);
        }
        // The next start must not find this picture still on the screen.
        if (!WaitUntil(
                10s, [&] { return !contender.shown(x); }, 5ms)) {
            *error = contender.name + "'s picture stayed on the screen after it ended";
            return -1.0;
        }
        std::this_thread::sleep_for(kSettle);
        return elapsedMs;
    }

private:
    Session& session;
};

bool InstallAs(Session& session, const std::filesystem::path& exe, const std::string& name,
               std::string* windowsPath, std::string* error) {
    std::error_code ec;
    const auto folder = session.ProgramFolder();
    std::filesystem::copy_file(exe, folder / name,
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        *error = "cannot copy " + exe.string() + ": " + ec.message();
        return false;
    }
    *windowsPath = std::string(kProgramFolder) + "\\" + name;
    return true;
}

// Runs the catalogue build timer in the session's prefix and returns its report line.
std::string TimeCatalogueBuild(Session& session, const std::string& windowsPath) {
    const auto output = session.Prefix().ScratchFolder() / "catalogue_start.txt";
    std::string error;
    const auto status = RunCommand(
        {"wine", windowsPath}, session.Prefix().WineEnvironment(session.DisplayName(), "C.UTF-8"),
        60s, &error, output.string());
    std::ifstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("BuildCatalogue", 0) == 0) {
            return line;
        }
    }
    return "BuildCatalogue: no report (" + (status ? status->Describe() : error) + ")";
}

// Medians of a step timer's steps over fresh processes, in the order they come.
struct StepMedians {
    std::vector<std::string> order;
    std::map<std::string, double> ms;
};

// Runs each step timer `runs` times, in turn as the starts are, each a fresh process;
// their medians in the timers' order, or nothing when a run fails.
std::optional<std::vector<StepMedians>>
TimeSteps(Session& session, const std::vector<std::string>& windowsPaths, int runs) {
    const auto output = session.Prefix().ScratchFolder() / "steps.txt";
    std::vector<StepMedians> medians(windowsPaths.size());
    std::vector<std::map<std::string, std::vector<double>>> times(windowsPaths.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t timer = 0; timer < windowsPaths.size(); ++timer) {
            // The output is appended to: each run must read only its own lines.
            std::filesystem::remove(output);
            std::string error;
            const auto status =
                RunCommand({"wine", windowsPaths[timer]},
                           session.Prefix().WineEnvironment(session.DisplayName(), "C.UTF-8"), 60s,
                           &error, output.string());
            if (!status || !status->Succeeded()) {
                std::printf("  %s failed: %s\n", windowsPaths[timer].c_str(),
                            (status ? status->Describe() : error).c_str());
                return std::nullopt;
            }
            std::ifstream in(output);
            std::string line;
            while (std::getline(in, line)) {
                const auto tab = line.find('\t');
                if (tab == std::string::npos) {
                    continue;
                }
                const std::string step = line.substr(0, tab);
                if (times[timer].find(step) == times[timer].end()) {
                    medians[timer].order.push_back(step);
                }
                times[timer][step].push_back(std::atof(line.c_str() + tab + 1));
            }
            std::this_thread::sleep_for(kSettle);
        }
    }
    for (std::size_t timer = 0; timer < windowsPaths.size(); ++timer) {
        for (const auto& [step, values] : times[timer]) {
            medians[timer].ms[step] = Median(values);
        }
    }
    return medians;
}

// The program's steps with the text baseline's steps of the same name beside them.
void PrintStepsSideBySide(const StepMedians& program, const StepMedians& text, int runs) {
    std::printf("In-process start-up steps under Wine, median of %d fresh processes each:\n"
                "  %-36s %10s %12s %10s\n",
                runs, "step", "Glimmerix", "text window", "more");
    for (const std::string& step : program.order) {
        const double ms = program.ms.at(step);
        const auto other = text.ms.find(step);
        if (other == text.ms.end()) {
            std::printf("  %-36s %7.2f ms %12s %7.2f ms\n", step.c_str(), ms, "-", ms);
        } else {
            std::printf("  %-36s %7.2f ms %9.2f ms %+7.2f ms\n", step.c_str(), ms, other->second,
                        ms - other->second);
        }
    }
}

int Fail(Session* session, const std::string& message) {
    std::cerr << "startup_bench: " << message << "\n";
    if (session != nullptr) {
        std::cerr << session->LogTail() << "\n";
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: startup_bench <Glimmerix.exe> <folder of the Windows timing "
                     "programs> [runs]\n";
        return 2;
    }
    const int runs = argc == 4 ? std::atoi(argv[3]) : 10;
    if (runs < 1 || runs > 1000) {
        std::cerr << "startup_bench: runs must be 1 to 1000\n";
        return 2;
    }

    std::string error;
    auto session = Session::Start(SessionOptions{}, &error);
    if (!session) {
        return Fail(nullptr, error);
    }
    Contender program{"Glimmerix", {}, InformationScreenShown, {}};
    Contender empty{"empty window", {}, EmptyWindowShown, {}};
    Contender text{"text window", {}, TextWindowShown, {}};
    std::string catalogueTimer;
    std::string stepTimer;
    std::string textStepTimer;
    const std::filesystem::path benchFolder = argv[2];
    if (!session->InstallProgram(argv[1], &error) ||
        !InstallAs(*session, benchFolder / "empty_window.exe", "empty_window.exe",
                   &empty.windowsPath, &error) ||
        !InstallAs(*session, benchFolder / "text_window.exe", "text_window.exe", &text.windowsPath,
                   &error) ||
        !InstallAs(*session, benchFolder / "catalogue_start.exe", "catalogue_start.exe",
                   &catalogueTimer, &error) ||
        !InstallAs(*session, benchFolder / "startup_steps.exe", "startup_steps.exe", &stepTimer,
                   &error) ||
        !InstallAs(*session, benchFolder / "text_window_steps.exe", "text_window_steps.exe",
                   &textStepTimer, &error)) {
        return Fail(session.get(), error);
    }
    program.windowsPath = session->ProgramWindowsPath();

    // A persistent server keeps the prefix warm between the starts, so that neither
    // contender pays for booting Wine's own processes.
    const auto server = RunCommand(
        {"wineserver", "-p"}, session->Prefix().WineEnvironment(session->DisplayName(), "C.UTF-8"),
        30s, &error);
    if (!server || !server->Succeeded()) {
        return Fail(session.get(), "wineserver -p: " + (server ? server->Describe() : error));
    }

    std::cout << "Start-up to the first painted screen, " << session->X().ScreenWidth() << " x "
              << session->X().ScreenHeight() << ", " << runs << " starts each, in turn\n"
              << "load average before: " << LoadAverage() << "\n";

    StartupBench bench(*session);
    // Warm-up: the first start in the prefix boots Wine's desktop and services.
    const std::vector<Contender*> contenders{&program, &empty, &text};
    for (Contender* contender : contenders) {
        const double ms = bench.TimeOneStart(*contender, &error);
        if (ms < 0) {
            return Fail(session.get(), error);
        }
        std::printf("  warm-up %-12s %8.1f ms (not counted)\n", contender->name.c_str(), ms);
    }
    for (int run = 0; run < runs; ++run) {
        for (Contender* contender : contenders) {
            const double ms = bench.TimeOneStart(*contender, &error);
            if (ms < 0) {
                return Fail(session.get(), error);
            }
            contender->startMs.push_back(ms);
        }
    }

    std::printf("load average after:  %s\n", LoadAverage().c_str());
    for (const Contender* contender : contenders) {
        std::printf("  %-12s median %8.1f ms   min %8.1f ms\n", contender->name.c_str(),
                    Median(contender->startMs), Min(contender->startMs));
    }
    for (const Contender* contender : contenders) {
        std::printf("  %-12s every start, in order:", contender->name.c_str());
        for (const double ms : contender->startMs) {
            std::printf(" %.0f", ms);
        }
        std::printf(" ms\n");
    }
    for (const Contender* baseline : {&empty, &text}) {
        // The starts of one round ran one after the other, so their ratio is spared the
        // machine's slower drifts.
        std::vector<double> roundRatios;
        for (std::size_t i = 0; i < program.startMs.size(); ++i) {
            roundRatios.push_back(program.startMs[i] / baseline->startMs[i]);
        }
        std::printf("  ratio Glimmerix / %-12s median %.2f (%+.1f ms)   min %.2f   "
                    "median of the rounds' ratios %.2f\n",
                    baseline->name.c_str(), Median(program.startMs) / Median(baseline->startMs),
                    Median(program.startMs) - Median(baseline->startMs),
                    Min(program.startMs) / Min(baseline->startMs), Median(roundRatios));
    }
    std::printf("  text window / empty window:   median %.2f (%+.1f ms)\n",
                Median(text.startMs) / Median(empty.startMs),
                Median(text.startMs) - Median(empty.startMs));
    const int stepRuns = std::min(runs, 20);
    if (const auto steps = TimeSteps(*session, {stepTimer, textStepTimer}, stepRuns)) {
        PrintStepsSideBySide((*steps)[0], (*steps)[1], stepRuns);
    }
    std::printf("In-process, under Wine: %s\n",
                TimeCatalogueBuild(*session, catalogueTimer).c_str());
    return 0;
}
