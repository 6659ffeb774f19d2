// Child processes of the end-to-end tests: started with an explicit environment,
// waited for with a deadline and never left behind (the owner kills and reaps them).
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace e2e {

using namespace std::chrono_literals;

// The complete environment handed to a child; starts as a copy of this process's own.
class Environment {
public:
    static Environment Inherited();

    void Set(const std::string& name, const std::string& value) { vars[name] = value; }
    void Unset(const std::string& name) { vars.erase(name); }
    [[nodiscard]] std::optional<std::string> Get(const std::string& name) const;
    [[nodiscard]] std::vector<std::string> Entries() const;

private:
    std::map<std::string, std::string> vars;
};

// How a child ended: a normal exit with its code, or the signal that killed it.
struct ExitStatus {
    bool exited = false;
    int code = -1;
    int signal = 0;

    [[nodiscard]] bool Succeeded() const { return exited && code == 0; }
    [[nodiscard]] std::string Describe() const;
};

struct SpawnOptions {
    // Where stdout and stderr go (appended); empty means /dev/null.
    std::string outputFile;
    // Descriptors passed on: {descriptor here, number in the child}.
    std::vector<std::pair<int, int>> passFds;
};

// One running child in a process group of its own. Destruction kills the whole group
// (SIGKILL) and reaps the child, so a failing test never leaves it running.
class ChildProcess {
public:
    // argv[0] is looked up on PATH.
    static std::optional<ChildProcess> Spawn(const std::vector<std::string>& argv,
                                             const Environment& env, const SpawnOptions& options,
                                             std::string* error);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    [[nodiscard]] pid_t Pid() const { return pid; }
    [[nodiscard]] bool Running();
    // The exit status once the child has ended within `timeout`, else nothing.
    [[nodiscard]] std::optional<ExitStatus> WaitFor(std::chrono::milliseconds timeout);
    // Sends `signal` to the group, waits up to `grace`, then kills the group for good.
    ExitStatus Stop(int signal, std::chrono::milliseconds grace);

private:
    explicit ChildProcess(pid_t child) : pid(child) {}
    bool Reap(bool block);

    pid_t pid = -1;
    std::optional<ExitStatus> status;
};

// Runs a command to its end, killed after `timeout`. Nothing when it timed out or
// could not start (`error` says which).
std::optional<ExitStatus> RunCommand(const std::vector<std::string>& argv, const Environment& env,
                                     std::chrono::milliseconds timeout, std::string* error,
                                     const std::string& outputFile = {});

} // namespace e2e
