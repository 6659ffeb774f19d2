// The harness's own parts, which every end-to-end verdict rests on: exit statuses and
// timeouts of child processes, group kills, the private X server, and the mapping of
// Windows paths into a prefix. None of these needs the program or Wine.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Gone, or a zombie that nobody has collected yet: either way it runs no more.
bool ProcessGone(pid_t pid) {
    if (kill(pid, 0) != 0) {
        return true;
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

struct CommandCase {
    const char* name;
    std::vector<std::string> argv;
    std::chrono::milliseconds timeout;
    bool finishes;
    ExitStatus expected;
};

TEST(ChildProcess, ReportsExitCodesSignalsAndTimeouts) {
    const CommandCase cases[] = {
        {"success", {"sh", "-c", "exit 0"}, 10s, true, {true, 0, 0}},
        {"exit code 3", {"sh", "-c", "exit 3"}, 10s, true, {true, 3, 0}},
        {"exit code 255", {"sh", "-c", "exit 255"}, 10s, true, {true, 255, 0}},
        {"killed", {"sh", "-c", "kill -KILL $$"}, 10s, true, {false, -1, SIGKILL}},
        {"terminated", {"sh", "-c", "kill -TERM $$"}, 10s, true, {false, -1, SIGTERM}},
        {"too slow", {"sleep", "30"}, 200ms, false, {}},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const auto begun = std::chrono::steady_clock::now();
        const auto status = RunCommand(c.argv, Environment::Inherited(), c.timeout, &error);
        ASSERT_EQ(status.has_value(), c.finishes) << error;
        if (status) {
            EXPECT_EQ(status->exited, c.expected.exited);
            EXPECT_EQ(status->code, c.expected.code);
            EXPECT_EQ(status->signal, c.expected.signal);
            EXPECT_EQ(status->Succeeded(), c.expected.exited && c.expected.code == 0);
        } else {
            // Killed at the deadline, not left to run its course.
            EXPECT_LT(std::chrono::steady_clock::now() - begun, 10s);
        }
    }
}

TEST(ChildProcess, ReportsAProgramThatCannotStart) {
    std::string error;
    EXPECT_FALSE(RunCommand({"/nonexistent/program"}, Environment::Inherited(), 5s, &error));
    EXPECT_NE(error.find("/nonexistent/program"), std::string::npos) << error;
    EXPECT_FALSE(RunCommand({}, Environment::Inherited(), 5s, &error));
}

TEST(ChildProcess, PassesExactlyTheGivenEnvironment) {
    Environment env = Environment::Inherited();
    env.Set("E2E_PROBE", "a b=c");
    env.Set("DISPLAY", ":4242");
    env.Unset("HOME");
    std::string error;
    const auto status = RunCommand(
        {"sh", "-c",
         R"(test "$E2E_PROBE" = "a b=c" && test "$DISPLAY" = ":4242" && test -z "${HOME+set}")"},
        env, 10s, &error);
    ASSERT_TRUE(status) << error;
    EXPECT_TRUE(status->Succeeded()) << status->Describe();
}

TEST(ChildProcess, EndingItEndsWhatItStartedToo) {
    const fs::path pidFile =
        fs::temp_directory_path() / ("e2e-grandchild-" + std::to_string(getpid()));
    std::string error;
    {
        auto child = ChildProcess::Spawn(
            {"sh", "-c", "sleep 30 & echo $! > '" + pidFile.string() + "'; wait"},
            Environment::Inherited(), SpawnOptions{}, &error);
        ASSERT_TRUE(child) << error;
        ASSERT_TRUE(WaitUntil(10s, [&] {
            std::ifstream in(pidFile);
            pid_t pid = 0;
            return static_cast<bool>(in >> pid) && pid > 0;
        }));
        EXPECT_TRUE(child->Running());
    }
    std::ifstream in(pidFile);
    pid_t grandchild = 0;
    in >> grandchild;
    fs::remove(pidFile);
    ASSERT_GT(grandchild, 0);
    EXPECT_TRUE(WaitUntil(10s, [&] { return ProcessGone(grandchild); }))
        << "the grandchild " << grandchild << " outlived its owner";
}

TEST(XServer, RunsAtTheAskedSizeAndEndsWithItsOwner) {
    std::string error;
    const fs::path log = fs::temp_directory_path() / ("e2e-xvfb-" + std::to_string(getpid()));
    pid_t pid = 0;
    {
        auto server = XServer::Start(800, 600, log.string(), &error);
        ASSERT_TRUE(server) << error;
        pid = server->Pid();
        auto client = XClient::Open(server->DisplayName(), &error);
        ASSERT_TRUE(client) << error;
        EXPECT_EQ(client->ScreenWidth(), 800);
        EXPECT_EQ(client->ScreenHeight(), 600);
        EXPECT_EQ(client->Row(599).size(), 800u);
        EXPECT_EQ(client->Column(799).size(), 600u);
        // Areas reaching off the screen give nothing rather than an X error.
        EXPECT_TRUE(client->Capture({799, 0, 2, 1}).empty());
        EXPECT_TRUE(client->Capture({0, -1, 1, 1}).empty());
        EXPECT_TRUE(client->Capture({0, 0, 0, 1}).empty());
        EXPECT_TRUE(client->FindTopLevels("Glimmerix").empty());
        EXPECT_TRUE(client->TopLevels().empty());
        const Screenshot screen = client->ShootScreen();
        EXPECT_EQ(screen.area, (Rect{0, 0, 800, 600}));
        EXPECT_EQ(screen.pixels.size(), 800u * 600u);
        EXPECT_TRUE(client->Shoot({0, 0, 801, 1}).Empty());
        client->MoveMouse(123, 45);
        EXPECT_EQ(client->PointerPosition(), std::make_pair(123, 45));
        client->SetInputPause(0ms);
        EXPECT_TRUE(client->Tap("F4"));
        EXPECT_TRUE(client->Chord("Alt_L", "3"));
        EXPECT_FALSE(client->Tap("NoSuchKey"));
        EXPECT_FALSE(client->KeyDown(""));
        EXPECT_TRUE(client->Hold("Shift_L", 1ms));
        EXPECT_TRUE(client->TypeText("C:\\translation.txt ~!"));
        EXPECT_FALSE(client->TypeText("tab\there")) << "a control character";
        EXPECT_FALSE(client->TypeText("\xC3\xA6")) << "not ASCII";
    }
    fs::remove(log);
    EXPECT_TRUE(ProcessGone(pid)) << "Xvfb " << pid << " still runs";
}

TEST(WinePrefix, ReadsTheUserEnvironmentFromTheRegistryText) {
    const std::string userReg = "WINE REGISTRY Version 2\n"
                                "[Control Panel\\\\Desktop] 1700000000\n"
                                "\"TEMP\"=\"C:\\\\wrong\"\n"
                                "\n"
                                "[Environment] 1700000000\n"
                                "#time=1d9\n"
                                "\"TEMP\"=\"C:\\\\users\\\\me\\\\Temp\"\r\n"
                                "\"TMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n"
                                "\"BROKEN\"=\"no closing quote\n"
                                "\"QUOTE\"=\"say \\\"hi\\\"\"\n"
                                "\n"
                                "[Software\\\\Wine] 1700000000\n"
                                "\"PATH\"=\"C:\\\\other\"\n";
    const struct {
        const char* name;
        std::optional<std::string> value;
    } cases[] = {
        {"TEMP", "C:\\users\\me\\Temp"},
        {"TMP", "C:\\users\\me\\Temp"},
        {"BROKEN", std::nullopt},
        {"QUOTE", "say \"hi\""},
        {"PATH", std::nullopt},
        {"TEM", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UserEnvironmentValue(userReg, c.name, "C:\\users\\me"), c.value) << c.name;
    }
    EXPECT_EQ(UserEnvironmentValue("", "TEMP", "C:\\users\\me"), std::nullopt);
    EXPECT_EQ(UserEnvironmentValue("[Environment]\n\"TEMP\"=", "TEMP", ""), std::nullopt);
}

TEST(WinePrefix, MapsWindowsPathsOntoDriveC) {
    const fs::path c = "/prefix/drive_c";
    const struct {
        const char* windows;
        std::optional<fs::path> host;
    } cases[] = {
        {"C:\\Glimmerix\\Glimmerix.exe", c / "Glimmerix" / "Glimmerix.exe"},
        {"c:\\users\\me\\AppData", c / "users" / "me" / "AppData"},
        {"C:\\a\\\\b\\.\\c\\", c / "a" / "b" / "c"},
        {"C:\\", c},
        {"C:", c},
        {"C:relative", std::nullopt},
        {"D:\\Glimmerix", std::nullopt},
        {"\\\\server\\share", std::nullopt},
        {"Glimmerix.ini", std::nullopt},
        {"C:\\..\\etc\\passwd", std::nullopt},
        {"C:\\a\\..\\..\\b", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(HostPathOnDriveC(c, row.windows), row.host) << row.windows;
    }
}

} // namespace
} // namespace e2e
