// Child processes of the end-to-end tests (posix_spawn, bounded waits, group kill).
#include "tests/e2e/process.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {

Environment Environment::Inherited() {
    Environment env;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos && equals > 0) {
            env.vars[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    return env;
}

std::optional<std::string> Environment::Get(const std::string& name) const {
    const auto found = vars.find(name);
    if (found == vars.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<std::string> Environment::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(vars.size());
    for (const auto& [name, value] : vars) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

std::string ExitStatus::Describe() const {
    if (exited) {
        return "exit code " + std::to_string(code);
    }
    return "killed by signal " + std::to_string(signal);
}

namespace {

// posix_spawn wants mutable char* arrays that end in a null pointer.
std::vector<char*> PointerArray(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (auto& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// The spawn attribute and file-action objects, destroyed on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

std::optional<ChildProcess> ChildProcess::Spawn(const std::vector<std::string>& argv,
                                                const Environment& env, const SpawnOptions& options,
                                                std::string* error) {
    if (argv.empty()) {
        *error = "empty command line";
        return std::nullopt;
    }
    SpawnSetup setup;
    const std::string output = options.outputFile.empty() ? "/dev/null" : options.outputFile;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 1, output.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&setup.actions, 1, 2);
    for (const auto& [here, there] : options.passFds) {
        // dup2 onto the same number would keep close-on-exec; the caller passes
        // descriptors numbered above the targets.
        posix_spawn_file_actions_adddup2(&setup.actions, here, there);
    }
    // A group of its own, so that Stop reaches whatever the child starts in turn, and
    // default signal handling whatever this process has set up.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &allSignals);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                    POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> args = argv;
    std::vector<std::string> envEntries = env.Entries();
    std::vector<char*> argPointers = PointerArray(args);
    std::vector<char*> envPointers = PointerArray(envEntries);
    pid_t child = -1;
    const int rc = posix_spawnp(&child, argPointers[0], &setup.actions, &setup.attributes,
                                argPointers.data(), envPointers.data());
    if (rc != 0) {
        *error = "cannot start " + argv[0] + ": " + std::strerror(rc);
        return std::nullopt;
    }
    return ChildProcess(child);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid(std::exchange(other.pid, -1)), status(std::move(other.status)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (pid > 0 && !status) {
            Stop(SIGKILL, 0ms);
        }
        pid = std::exchange(other.pid, -1);
        status = std::move(other.status);
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !status) {
        Stop(SIGKILL, 0ms);
    }
}

bool ChildProcess::Reap(bool block) {
    if (status) {
        return true;
    }
    int raw = 0;
    pid_t done = -1;
    do {
        done = waitpid(pid, &raw, block ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done != pid) {
        return false;
    }
    ExitStatus s;
    if (WIFEXITED(raw)) {
        s.exited = true;
        s.code = WEXITSTATUS(raw);
    } else if (WIFSIGNALED(raw)) {
        s.signal = WTERMSIG(raw);
    }
    status = s;
    return true;
}

bool ChildProcess::Running() {
    return pid > 0 && !Reap(false);
}

std::optional<ExitStatus> ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Reap(false)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(5ms);
    }
    return status;
}

ExitStatus ChildProcess::Stop(int signal, std::chrono::milliseconds grace) {
    if (!status && pid > 0) {
        kill(-pid, signal);
        if (!WaitFor(grace)) {
            kill(-pid, SIGKILL);
            Reap(true);
        }
    }
    return status.value_or(ExitStatus{});
}

std::optional<ExitStatus> RunCommand(const std::vector<std::string>& argv, const Environment& env,
                                     std::chrono::milliseconds timeout, std::string* error,
                                     const std::string& outputFile) {
    SpawnOptions options;
    options.outputFile = outputFile;
    auto child = ChildProcess::Spawn(argv, env, options, error);
    if (!child) {
        return std::nullopt;
    }
    auto result = child->WaitFor(timeout);
    if (!result) {
        *error = argv[0] + " did not finish within " + std::to_string(timeout.count()) + " ms";
    }
    return result;
}

} // namespace e2e
