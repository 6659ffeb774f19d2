// The end-to-end harness: a test's own X server and Wine prefix, the program copied
// into that prefix and launched under Wine, and bounded waits for what it shows and
// writes. Everything a session starts ends with it, also when a test fails.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/ini_file.h"
#include "tests/e2e/process.h"
#include "tests/e2e/wine_prefix.h"
#include "tests/e2e/x_display.h"

namespace e2e {

// The window title and class of the program, and its settings file name.
inline constexpr const char* kProgramName = "Glimmerix";
inline constexpr const char* kIniName = "Glimmerix.ini";
// Where sessions install the program unless told otherwise.
inline constexpr const char* kProgramFolder = "C:\\Glimmerix";

// The program under test: GLIMMERIX_EXE when it names an existing file.
std::optional<std::filesystem::path> ProgramUnderTest();

// A folder in the build tree where failing tests leave what they saw (screen
// captures), kept after the test for a person to look at.
std::filesystem::path FailureFolder();

// Polls `done` until it holds or `timeout` has passed; true when it held.
template <typename Predicate>
bool WaitUntil(std::chrono::milliseconds timeout, Predicate&& done,
               std::chrono::milliseconds step = std::chrono::milliseconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(step);
    }
}

struct SessionOptions {
    int screenWidth = 1280;
    int screenHeight = 1024;
    std::string locale = "C.UTF-8";
    std::vector<std::string> serverArgs; // more Xvfb arguments, such as a second screen
    // The monitor's EDID, held on the X server for the whole session; none when empty.
    std::vector<std::uint8_t> edid;
};

// A real monitor's EDID (a Dell D3218HN: serial X9R5K8864M1E, week 32 of 2018, 70 x 39 cm,
// 1920 x 1080) for SessionOptions::edid.
[[nodiscard]] std::vector<std::uint8_t> KnownMonitorEdid();

// Two monitors as Xvfb with Xinerama and without RANDR gives them: \\.\DISPLAY1,
// 1280 x 1024 (the primary), and \\.\DISPLAY2, 1024 x 768, both at 0, 0.
[[nodiscard]] SessionOptions TwoMonitorOptions();

class Session {
public:
    static std::unique_ptr<Session> Start(const SessionOptions& options, std::string* error);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    XClient& X() { return *client; }
    WinePrefix& Prefix() { return *prefix; }
    [[nodiscard]] const std::string& DisplayName() const { return server->DisplayName(); }

    // Copies the program to <windowsFolder>\Glimmerix.exe inside the prefix.
    bool InstallProgram(const std::filesystem::path& exe, std::string* error,
                        const std::string& windowsFolder = kProgramFolder);
    [[nodiscard]] const std::string& ProgramWindowsPath() const { return programPath; }
    // Host paths of the installed program's folder, the ini beside it, and the
    // per-user settings folder and file.
    [[nodiscard]] std::filesystem::path ProgramFolder() const;
    [[nodiscard]] std::filesystem::path ProgramIni() const { return ProgramFolder() / kIniName; }
    [[nodiscard]] std::filesystem::path PerUserFolder() const {
        return prefix->RoamingAppData() / kProgramName;
    }
    [[nodiscard]] std::filesystem::path PerUserIni() const { return PerUserFolder() / kIniName; }

    // Starts the installed program under Wine (`wine <path>`), by default by the path
    // it was installed to; Windows paths ignore case, so another spelling may be given.
    bool Launch(std::string* error, const std::string& windowsPath = {});
    [[nodiscard]] bool ProgramRunning();
    // The program's exit status once it has ended within `timeout`.
    [[nodiscard]] std::optional<ExitStatus> WaitForExit(std::chrono::milliseconds timeout);

    // The program's viewable main window, polled until `timeout`.
    [[nodiscard]] std::optional<XWindowId> WaitForMainWindow(std::chrono::milliseconds timeout);
    // Polls the screen pixel at (x, y) until it is `colour`.
    [[nodiscard]] bool WaitForPixel(int x, int y, Rgb colour, std::chrono::milliseconds timeout);
    // Polls until `file` exists and has `key` in `section`; returns that ini.
    [[nodiscard]] std::optional<IniFile> WaitForIniKey(const std::filesystem::path& file,
                                                       std::string_view section,
                                                       std::string_view key,
                                                       std::chrono::milliseconds timeout);

    // Runs another Wine command in this session (e.g. {"cmd", "/c", "attrib", ...}).
    std::optional<ExitStatus> RunWine(const std::vector<std::string>& args,
                                      std::chrono::milliseconds timeout, std::string* error);

    // The end of Wine's and the X server's output, for failure messages.
    [[nodiscard]] std::string LogTail(std::size_t bytes = 3000) const;

private:
    Session() = default;

    SessionOptions options;
    // Declared so that destruction ends the program first, then the X connection and
    // server, and last the Wine prefix (wineserver -k, folder removed).
    std::unique_ptr<WinePrefix> prefix;
    std::unique_ptr<XServer> server;
    std::unique_ptr<XClient> client;
    std::optional<ChildProcess> program;
    std::string programPath;
};

} // namespace e2e
