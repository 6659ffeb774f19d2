// A private X server per test and a client that looks at it and types into it:
// top-level windows, their geometry and state, screen pixels, XTest key and mouse events.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/e2e/process.h"
#include "tests/e2e/screenshot.h"

namespace e2e {

// An Xvfb on a display number of its own choosing (-displayfd), ended on destruction.
class XServer {
public:
    // `extraArgs` go after screen 0 (more screens, +xinerama, -extension RANDR).
    static std::unique_ptr<XServer> Start(int width, int height, const std::string& logFile,
                                          std::string* error,
                                          const std::vector<std::string>& extraArgs = {});
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    [[nodiscard]] const std::string& DisplayName() const { return displayName; }
    [[nodiscard]] pid_t Pid() const { return process.Pid(); }

private:
    XServer(ChildProcess process, std::string name)
        : process(std::move(process)), displayName(std::move(name)) {}

    ChildProcess process;
    std::string displayName;
};

// X window ids and key symbols without dragging Xlib's macros into every test.
using XWindowId = unsigned long;

struct WindowInfo {
    Rect outer;            // relative to the root window, that is in screen pixels
    bool viewable = false; // mapped, and all its ancestors too
};

// One Xlib connection to a test's own server.
class XClient {
public:
    static std::unique_ptr<XClient> Open(const std::string& displayName, std::string* error);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    [[nodiscard]] int ScreenWidth() const;
    [[nodiscard]] int ScreenHeight() const;

    // Top-level (root child) windows whose name is exactly `name`, topmost last.
    [[nodiscard]] std::vector<XWindowId> FindTopLevels(std::string_view name);
    // Every top-level window, named or not, bottom-most first.
    [[nodiscard]] std::vector<XWindowId> TopLevels();
    // The first such window that is viewable, polled until `timeout`.
    [[nodiscard]] std::optional<XWindowId> WaitForTopLevel(std::string_view name,
                                                           std::chrono::milliseconds timeout);
    [[nodiscard]] std::optional<WindowInfo> Describe(XWindowId window);
    // Atom names of the window's _NET_WM_STATE property (empty when it has none).
    [[nodiscard]] std::vector<std::string> NetWmState(XWindowId window);

    // Screen pixels read from the root window, so whatever is on top is what counts.
    [[nodiscard]] std::vector<Rgb> Capture(const Rect& area);
    // The whole screen, or `area` of it; empty when the area is not on the screen.
    [[nodiscard]] Screenshot Shoot(const Rect& area);
    [[nodiscard]] Screenshot ShootScreen();
    [[nodiscard]] Rgb Pixel(int x, int y);
    [[nodiscard]] std::vector<Rgb> Row(int y);
    [[nodiscard]] std::vector<Rgb> Column(int x);

    // Key events by key symbol name as Xlib spells it: "a", "3", "F4", "Alt_L",
    // "Escape", "Return", "KP_Add". False for a name the keyboard map cannot type.
    // Every key and button event is followed by a short pause (see SetInputPause).
    bool KeyDown(std::string_view keyName);
    bool KeyUp(std::string_view keyName);
    bool Tap(std::string_view keyName);
    // Holds `modifier` while tapping `key` (Alt+F4: Chord("Alt_L", "F4")).
    bool Chord(std::string_view modifier, std::string_view key);
    // Presses `keyName`, keeps it down for `duration` and releases it: what a worker
    // or a key handler that polls the key's state needs to see it.
    bool Hold(std::string_view keyName, std::chrono::milliseconds duration);
    // Types printable ASCII text, with Shift around the characters that need it.
    // False (nothing typed) when the keyboard map cannot type one of them.
    bool TypeText(std::string_view text);

    void MoveMouse(int x, int y);
    void ButtonDown(int button);
    void ButtonUp(int button);
    void Click(int button);
    // Where the pointer is, in screen pixels.
    [[nodiscard]] std::optional<std::pair<int, int>> PointerPosition();

    // Gives the first RandR output the monitor identity `edid` (its EDID output
    // property). The server keeps it only while this connection stays open.
    bool SetOutputEdid(const std::vector<std::uint8_t>& edid, std::string* error);

    // Gives the window the X input focus (see the comment in the source for what the
    // program's window needs before key events reach it).
    void Focus(XWindowId window);

    // The program reads held keys with GetAsyncKeyState, which tells the state of the
    // moment it is called, not of the message being handled. Events sent back to back
    // all reach Wine before the program handles the first, so a key released right
    // after another key's press looks released already. Each event is therefore given
    // this long to be handled before the next is sent; a test that must be certain
    // waits for the effect (a pixel, a file) before the next event instead.
    void SetInputPause(std::chrono::milliseconds pause) { inputPause = pause; }

private:
    explicit XClient(void* display) : display(display) {}
    bool SendKey(std::string_view keyName, bool press);
    bool SendKeyCode(unsigned keyCode, bool press);

    void* display; // Display*
    std::chrono::milliseconds inputPause{50};
};

} // namespace e2e
