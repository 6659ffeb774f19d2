// A private X server per test and a client that looks at it and types into it:
// top-level windows, their geometry and state, screen pixels, XTest key and mouse events.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/process.h"

namespace e2e {

// An Xvfb on a display number of its own choosing (-displayfd), ended on destruction.
class XServer {
public:
    static std::unique_ptr<XServer> Start(int width, int height, const std::string& logFile,
                                          std::string* error);
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

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct WindowInfo {
    Rect outer;            // relative to the root window, that is in screen pixels
    bool viewable = false; // mapped, and all its ancestors too
};

// 0xRRGGBB
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
    return (static_cast<Rgb>(red) << 16) | (static_cast<Rgb>(green) << 8) | static_cast<Rgb>(blue);
}
std::string RgbText(Rgb colour); // "(r, g, b)" for failure messages

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
    // The first such window that is viewable, polled until `timeout`.
    [[nodiscard]] std::optional<XWindowId> WaitForTopLevel(std::string_view name,
                                                           std::chrono::milliseconds timeout);
    [[nodiscard]] std::optional<WindowInfo> Describe(XWindowId window);
    // Atom names of the window's _NET_WM_STATE property (empty when it has none).
    [[nodiscard]] std::vector<std::string> NetWmState(XWindowId window);

    // Screen pixels read from the root window, so whatever is on top is what counts.
    [[nodiscard]] std::vector<Rgb> Capture(const Rect& area);
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

    void MoveMouse(int x, int y);
    void ButtonDown(int button);
    void ButtonUp(int button);
    void Click(int button);

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

    void* display; // Display*
    std::chrono::milliseconds inputPause{50};
};

} // namespace e2e
