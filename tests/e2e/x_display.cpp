// A private X server per test and an Xlib/XTest client for it.
#include "tests/e2e/x_display.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

namespace e2e {

namespace {

// A pipe whose ends close themselves.
struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
    ~Pipe() {
        if (readEnd >= 0) {
            close(readEnd);
        }
        if (writeEnd >= 0) {
            close(writeEnd);
        }
    }
};

// Xvfb writes its display number and a newline once it accepts connections.
std::optional<std::string> ReadDisplayNumber(int fd, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char buffer[32];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return std::nullopt; // Xvfb ended before it was ready
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    text.resize(text.find('\n'));
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return text;
}

// A window vanishing between two requests is normal here; Xlib's default handler
// would end the whole test program for it.
int CountXError(Display*, XErrorEvent*) {
    return 0;
}

Display* Dpy(void* display) {
    return static_cast<Display*>(display);
}

// The number of one-bit steps to shift a channel mask down to bit 0.
int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1UL) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const unsigned long max = mask >> MaskShift(mask);
    const unsigned long value = (pixel & mask) >> MaskShift(mask);
    return static_cast<int>(value * 255 / max);
}

} // namespace

std::unique_ptr<XServer> XServer::Start(int width, int height, const std::string& logFile,
                                        std::string* error,
                                        const std::vector<std::string>& extraArgs) {
    Pipe pipe;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *error = "pipe2 failed";
        return nullptr;
    }
    pipe.readEnd = fds[0];
    pipe.writeEnd = fds[1];
    constexpr int childFd = 3;
    if (pipe.writeEnd <= childFd) {
        // Keep the source above the target, or dup2 would leave close-on-exec set.
        const int moved = fcntl(pipe.writeEnd, F_DUPFD_CLOEXEC, childFd + 1);
        close(pipe.writeEnd);
        pipe.writeEnd = moved;
    }
    SpawnOptions options;
    options.outputFile = logFile;
    options.passFds.push_back({pipe.writeEnd, childFd});
    const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> args = {"Xvfb",      "-displayfd", std::to_string(childFd),
                                     "-screen",   "0",          geometry,
                                     "-nolisten", "tcp",        "-noreset"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    auto process = ChildProcess::Spawn(args, Environment::Inherited(), options, error);
    if (!process) {
        return nullptr;
    }
    close(pipe.writeEnd);
    pipe.writeEnd = -1;
    const auto number = ReadDisplayNumber(pipe.readEnd, 15s);
    if (!number) {
        *error = "Xvfb did not report a display within 15 s (see " + logFile + ")";
        return nullptr;
    }
    return std::unique_ptr<XServer>(new XServer(std::move(*process), ":" + *number));
}

XServer::~XServer() {
    process.Stop(SIGTERM, 3s);
}

std::unique_ptr<XClient> XClient::Open(const std::string& displayName, std::string* error) {
    XSetErrorHandler(CountXError);
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        *error = "cannot open X display " + displayName;
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        *error = "the X server has no XTEST extension";
        return nullptr;
    }
    return std::unique_ptr<XClient>(new XClient(display));
}

XClient::~XClient() {
    XCloseDisplay(Dpy(display));
}

int XClient::ScreenWidth() const {
    return DisplayWidth(Dpy(display), DefaultScreen(Dpy(display)));
}

int XClient::ScreenHeight() const {
    return DisplayHeight(Dpy(display), DefaultScreen(Dpy(display)));
}

std::vector<XWindowId> XClient::TopLevels() {
    Display* d = Dpy(display);
    std::vector<XWindowId> windows;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        return windows;
    }
    windows.assign(children, children + count);
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

std::vector<XWindowId> XClient::FindTopLevels(std::string_view name) {
    Display* d = Dpy(display);
    std::vector<XWindowId> found;
    for (XWindowId window : TopLevels()) {
        char* windowName = nullptr;
        if (XFetchName(d, window, &windowName) && windowName != nullptr) {
            if (name == windowName) {
                found.push_back(window);
            }
            XFree(windowName);
        }
    }
    return found;
}

std::optional<XWindowId> XClient::WaitForTopLevel(std::string_view name,
                                                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (XWindowId window : FindTopLevels(name)) {
            const auto info = Describe(window);
            if (info && info->viewable) {
                return window;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(20ms);
    }
}

std::optional<WindowInfo> XClient::Describe(XWindowId window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(Dpy(display), window, &attributes)) {
        return std::nullopt;
    }
    WindowInfo info;
    // Top-level windows are children of the root, so x and y are screen positions.
    info.outer = {attributes.x, attributes.y, attributes.width, attributes.height};
    info.viewable = attributes.map_state == IsViewable;
    return info;
}

std::vector<std::string> XClient::NetWmState(XWindowId window) {
    Display* d = Dpy(display);
    std::vector<std::string> names;
    const Atom property = XInternAtom(d, "_NET_WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, window, property, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) != Success) {
        return names;
    }
    if (data != nullptr && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char* atomName = XGetAtomName(d, atoms[i]);
            if (atomName != nullptr) {
                names.emplace_back(atomName);
                XFree(atomName);
            }
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return names;
}

Screenshot XClient::Shoot(const Rect& area) {
    Display* d = Dpy(display);
    Screenshot shot;
    if (area.width <= 0 || area.height <= 0 || area.x < 0 || area.y < 0 ||
        area.x + area.width > ScreenWidth() || area.y + area.height > ScreenHeight()) {
        return shot;
    }
    XImage* image =
        XGetImage(d, DefaultRootWindow(d), area.x, area.y, static_cast<unsigned>(area.width),
                  static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    const Visual* visual = DefaultVisual(d, DefaultScreen(d));
    shot.area = area;
    shot.pixels.reserve(static_cast<std::size_t>(area.width) *
                        static_cast<std::size_t>(area.height));
    // The usual 24-bit visual in 32-bit pixels is read straight from the image data;
    // a whole screen through XGetPixel takes far longer than the tests want to wait.
    const bool plain32 = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                         visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
                         visual->blue_mask == 0xFF;
    for (int y = 0; y < area.height; ++y) {
        const auto* row =
            reinterpret_cast<const unsigned char*>(image->data) +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(image->bytes_per_line);
        for (int x = 0; x < area.width; ++x) {
            if (plain32) {
                const unsigned char* p = row + static_cast<std::size_t>(x) * 4;
                shot.pixels.push_back(MakeRgb(p[2], p[1], p[0]));
                continue;
            }
            const unsigned long pixel = XGetPixel(image, x, y);
            shot.pixels.push_back(MakeRgb(Channel(pixel, visual->red_mask),
                                          Channel(pixel, visual->green_mask),
                                          Channel(pixel, visual->blue_mask)));
        }
    }
    XDestroyImage(image);
    return shot;
}

Screenshot XClient::ShootScreen() {
    return Shoot({0, 0, ScreenWidth(), ScreenHeight()});
}

std::vector<Rgb> XClient::Capture(const Rect& area) {
    return Shoot(area).pixels;
}

Rgb XClient::Pixel(int x, int y) {
    const auto pixels = Capture({x, y, 1, 1});
    return pixels.empty() ? 0xFFFFFFFFu : pixels.front();
}

std::vector<Rgb> XClient::Row(int y) {
    return Capture({0, y, ScreenWidth(), 1});
}

std::vector<Rgb> XClient::Column(int x) {
    return Capture({x, 0, 1, ScreenHeight()});
}

bool XClient::SendKeyCode(unsigned keyCode, bool press) {
    Display* d = Dpy(display);
    XTestFakeKeyEvent(d, keyCode, press ? True : False, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(inputPause);
    return true;
}

bool XClient::SendKey(std::string_view keyName, bool press) {
    Display* d = Dpy(display);
    const KeySym symbol = XStringToKeysym(std::string(keyName).c_str());
    if (symbol == NoSymbol) {
        return false;
    }
    const KeyCode code = XKeysymToKeycode(d, symbol);
    if (code == 0) {
        return false;
    }
    return SendKeyCode(code, press);
}

bool XClient::KeyDown(std::string_view keyName) {
    return SendKey(keyName, true);
}

bool XClient::KeyUp(std::string_view keyName) {
    return SendKey(keyName, false);
}

bool XClient::Tap(std::string_view keyName) {
    return KeyDown(keyName) && KeyUp(keyName);
}

bool XClient::Chord(std::string_view modifier, std::string_view key) {
    if (!KeyDown(modifier)) {
        return false;
    }
    const bool tapped = Tap(key);
    return KeyUp(modifier) && tapped;
}

bool XClient::Hold(std::string_view keyName, std::chrono::milliseconds duration) {
    if (!KeyDown(keyName)) {
        return false;
    }
    // The pause after the press counts toward the time held.
    if (duration > inputPause) {
        std::this_thread::sleep_for(duration - inputPause);
    }
    return KeyUp(keyName);
}

bool XClient::TypeText(std::string_view text) {
    Display* d = Dpy(display);
    struct Stroke {
        KeyCode code;
        bool shifted;
    };
    std::vector<Stroke> strokes;
    for (const char c : text) {
        // Printable ASCII characters are their own key symbols.
        const auto symbol = static_cast<KeySym>(static_cast<unsigned char>(c));
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
        const KeyCode code = XKeysymToKeycode(d, symbol);
        if (code == 0) {
            return false;
        }
        if (XkbKeycodeToKeysym(d, code, 0, 0) == symbol) {
            strokes.push_back({code, false});
        } else if (XkbKeycodeToKeysym(d, code, 0, 1) == symbol) {
            strokes.push_back({code, true});
        } else {
            return false;
        }
    }
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    for (const Stroke& stroke : strokes) {
        if (stroke.shifted) {
            SendKeyCode(shift, true);
        }
        SendKeyCode(stroke.code, true);
        SendKeyCode(stroke.code, false);
        if (stroke.shifted) {
            SendKeyCode(shift, false);
        }
    }
    return true;
}

void XClient::MoveMouse(int x, int y) {
    Display* d = Dpy(display);
    XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(inputPause);
}

void XClient::ButtonDown(int button) {
    XTestFakeButtonEvent(Dpy(display), static_cast<unsigned>(button), True, CurrentTime);
    XSync(Dpy(display), False);
    std::this_thread::sleep_for(inputPause);
}

void XClient::ButtonUp(int button) {
    XTestFakeButtonEvent(Dpy(display), static_cast<unsigned>(button), False, CurrentTime);
    XSync(Dpy(display), False);
    std::this_thread::sleep_for(inputPause);
}

void XClient::Click(int button) {
    ButtonDown(button);
    ButtonUp(button);
}

std::optional<std::pair<int, int>> XClient::PointerPosition() {
    Display* d = Dpy(display);
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &mask)) {
        return std::nullopt;
    }
    return std::make_pair(rootX, rootY);
}

bool XClient::SetOutputEdid(const std::vector<std::uint8_t>& edid, std::string* error) {
    auto* d = static_cast<Display*>(display);
    XRRScreenResources* resources = XRRGetScreenResources(d, DefaultRootWindow(d));
    if (resources == nullptr || resources->noutput < 1) {
        if (resources != nullptr) {
            XRRFreeScreenResources(resources);
        }
        *error = "the X server has no RandR output to give an EDID";
        return false;
    }
    const RROutput output = resources->outputs[0];
    XRRFreeScreenResources(resources);
    const Atom property = XInternAtom(d, "EDID", False);
    XRRChangeOutputProperty(d, output, property, XA_INTEGER, 8, PropModeReplace, edid.data(),
                            static_cast<int>(edid.size()));
    XSync(d, False);
    // Read back: a server that refused the property says so here, not in Wine.
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool kept =
        XRRGetOutputProperty(d, output, property, 0, 1024, False, False, AnyPropertyType, &type,
                             &format, &items, &after, &data) == Success &&
        format == 8 && items == edid.size() && data != nullptr &&
        std::equal(edid.begin(), edid.end(), data);
    if (data != nullptr) {
        XFree(data);
    }
    if (!kept) {
        *error = "the X server did not keep the EDID output property";
    }
    return kept;
}

void XClient::Focus(XWindowId window) {
    // Without a window manager Xvfb starts with the focus at PointerRoot, and because
    // the program's window covers the screen the pointer is always over it, so key
    // events reach Wine from the start; Wine hands them to the window that the
    // program made the foreground window. Once the X focus has left the window,
    // though, Wine has made its desktop the foreground window, and a plain FocusIn
    // does not undo that: Wine announces WM_TAKE_FOCUS and activates a window only
    // when a window manager offers it the focus through that protocol. So this does
    // what a window manager does: set the X focus and send WM_TAKE_FOCUS, after which
    // Wine activates the window and key events reach it again.
    Display* d = Dpy(display);
    XSetInputFocus(d, window, RevertToPointerRoot, CurrentTime);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_TAKE_FOCUS", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
}

} // namespace e2e
