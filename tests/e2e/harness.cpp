// The end-to-end harness: sessions of X server, Wine prefix and program.
#include "tests/e2e/harness.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string_view>

namespace e2e {

namespace fs = std::filesystem;

namespace {

fs::path BuildFolder() {
    // The test program lives in the host build tree; the template prefix and the
    // per-test copies stay beside it, on the same file system.
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

// The template is checked once per test process; each test runs in its own process
// under ctest, and the lock file inside EnsureTemplate orders them.
const std::string& TemplateError() {
    static std::once_flag once;
    static std::string error;
    std::call_once(once, [] {
        error = WinePrefix::EnsureTemplate(WinePrefix::TemplateFolder(BuildFolder()));
    });
    return error;
}

std::string FileTail(const fs::path& file, std::size_t bytes) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() <= bytes ? text : text.substr(text.size() - bytes);
}

} // namespace

std::optional<fs::path> ProgramUnderTest() {
    const char* exe = std::getenv("GLIMMERIX_EXE");
    std::error_code ec;
    if (exe == nullptr || *exe == '\0' || !fs::is_regular_file(exe, ec)) {
        return std::nullopt;
    }
    return fs::absolute(exe, ec);
}

fs::path FailureFolder() {
    return BuildFolder() / "e2e-failures";
}

std::unique_ptr<Session> Session::Start(const SessionOptions& options, std::string* error) {
    if (!TemplateError().empty()) {
        *error = TemplateError();
        return nullptr;
    }
    std::unique_ptr<Session> session(new Session());
    session->options = options;
    session->prefix = WinePrefix::CopyOf(WinePrefix::TemplateFolder(BuildFolder()),
                                         BuildFolder() / "e2e-prefixes", error);
    if (!session->prefix) {
        return nullptr;
    }
    session->server = XServer::Start(options.screenWidth, options.screenHeight,
                                     (session->prefix->ScratchFolder() / "xvfb.log").string(),
                                     error, options.serverArgs);
    if (!session->server) {
        return nullptr;
    }
    session->client = XClient::Open(session->server->DisplayName(), error);
    if (!session->client) {
        return nullptr;
    }
    // The session's own connection sets it, so it lasts until the program has ended.
    if (!options.edid.empty() && !session->client->SetOutputEdid(options.edid, error)) {
        return nullptr;
    }
    return session;
}

Session::~Session() {
    program.reset();
}

bool Session::InstallProgram(const fs::path& exe, std::string* error,
                             const std::string& windowsFolder) {
    const auto folder = prefix->HostPath(windowsFolder);
    if (!folder) {
        *error = "not a C: path: " + windowsFolder;
        return false;
    }
    std::error_code ec;
    fs::create_directories(*folder, ec);
    fs::copy_file(exe, *folder / "Glimmerix.exe", fs::copy_options::overwrite_existing, ec);
    if (ec) {
        *error = "cannot copy " + exe.string() + ": " + ec.message();
        return false;
    }
    programPath = windowsFolder + "\\Glimmerix.exe";
    return true;
}

fs::path Session::ProgramFolder() const {
    return prefix->HostPath(programPath).value_or(fs::path()).parent_path();
}

bool Session::Launch(std::string* error, const std::string& windowsPath) {
    if (programPath.empty()) {
        *error = "no program installed";
        return false;
    }
    SpawnOptions spawn;
    spawn.outputFile = (prefix->ScratchFolder() / "wine.log").string();
    program =
        ChildProcess::Spawn({"wine", windowsPath.empty() ? programPath : windowsPath},
                            prefix->WineEnvironment(DisplayName(), options.locale), spawn, error);
    return program.has_value();
}

bool Session::ProgramRunning() {
    return program && program->Running();
}

std::optional<ExitStatus> Session::WaitForExit(std::chrono::milliseconds timeout) {
    if (!program) {
        return std::nullopt;
    }
    return program->WaitFor(timeout);
}

std::optional<XWindowId> Session::WaitForMainWindow(std::chrono::milliseconds timeout) {
    return client->WaitForTopLevel(kProgramName, timeout);
}

bool Session::WaitForPixel(int x, int y, Rgb colour, std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [&] { return client->Pixel(x, y) == colour; });
}

std::optional<IniFile> Session::WaitForIniKey(const fs::path& file, std::string_view section,
                                              std::string_view key,
                                              std::chrono::milliseconds timeout) {
    std::optional<IniFile> ini;
    WaitUntil(timeout, [&] {
        ini = LoadIni(file);
        return ini && ini->Get(section, key).has_value();
    });
    if (ini && !ini->Get(section, key)) {
        return std::nullopt;
    }
    return ini;
}

std::optional<ExitStatus> Session::RunWine(const std::vector<std::string>& args,
                                           std::chrono::milliseconds timeout, std::string* error) {
    std::vector<std::string> argv{"wine"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, prefix->WineEnvironment(DisplayName(), options.locale), timeout, error,
                      (prefix->ScratchFolder() / "wine.log").string());
}

std::string Session::LogTail(std::size_t bytes) const {
    return "--- wine output:\n" + FileTail(prefix->ScratchFolder() / "wine.log", bytes) +
           "\n--- Xvfb output:\n" + FileTail(prefix->ScratchFolder() / "xvfb.log", bytes);
}

std::vector<std::uint8_t> KnownMonitorEdid() {
    const std::string_view hex = "00ffffffffffff0010ac0b2001010101201c0103804627782acde5a0594ea125"
                                 "0e5054a54b00714f8180a9c0d1c00101010101010101023a801871382d40582c"
                                 "4500ba892100001e000000ff00583952354b383836344d31450a000000fc0044"
                                 "33323138484e0a2020202020000000fd00384c1e5311000a20202020202001ce";
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

SessionOptions TwoMonitorOptions() {
    SessionOptions options;
    options.serverArgs = {"+xinerama", "-extension", "RANDR", "-screen", "1", "1024x768x24"};
    return options;
}

} // namespace e2e
