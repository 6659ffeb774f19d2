// The fixture of the tests that drive the program: a session with the program
// installed, the pictures the program is expected to show, keys held the way its
// key handling reads them, and bounded waits for what appears on the screen. A
// failing test leaves its last screen capture in the failure folder.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/test_pictures.h"

namespace e2e {

// An expected picture: the colour of each screen pixel.
using Picture = std::function<Rgb(int x, int y)>;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The session a test of this suite runs in (screen size, locale).
    [[nodiscard]] virtual SessionOptions Options() const { return {}; }

    Session& S() { return *session; }
    XClient& X() { return session->X(); }
    [[nodiscard]] const ClientArea& Client() const { return client; }
    [[nodiscard]] const Rect& Screen() const { return screen; }

    // The pictures on this screen, in screen coordinates.
    [[nodiscard]] Picture Solid(Rgb colour) const;
    [[nodiscard]] Picture VerticalGradient() const;
    [[nodiscard]] Picture HorizontalGradient() const;
    [[nodiscard]] Picture HorizontalLines() const;
    [[nodiscard]] Picture VerticalLines() const;

    // Lines of the information screen that no text reaches in any of its three
    // forms: the left and right margins and the rows above the texts.
    [[nodiscard]] std::vector<Rect> TextFreeLines() const;
    // The vertical gradient on the text-free lines, and white (text) pixels in the
    // text area: the information, selection or repair screen.
    [[nodiscard]] bool ShowsOverlay(const Screenshot& shot) const;
    // Pure white pixels where the overlay writes; the gradient has none.
    [[nodiscard]] std::size_t TextPixels(const Screenshot& shot) const;

    // The program's main window once its X window shows it placed over the screen;
    // Client() is then where that X window shows client (0, 0). A failure says where
    // the window is when it does not come there.
    std::optional<XWindowId> WaitForMainWindow(std::chrono::milliseconds timeout);
    // Where the program's window is on the screen, as "W x H at X, Y", for failures.
    [[nodiscard]] std::string DescribeWindowPlace();

    // Starts the installed program, waits for its window and for the first screen to
    // settle with its texts drawn; that capture, or nothing (with a failure).
    std::optional<Screenshot> LaunchToInformationScreen();

    // Holds a key long enough for the program to see it held when it handles the
    // key's message (and for a worker that polls it).
    void Press(std::string_view key,
               std::chrono::milliseconds hold = std::chrono::milliseconds(100));

    // Polls whole-screen captures until `accept` holds for one; that capture.
    std::optional<Screenshot> WaitForScreen(std::chrono::milliseconds timeout,
                                            const std::function<bool(const Screenshot&)>& accept);
    // The same, for a capture equal to the one taken just before it: a picture that
    // has been drawn completely and stays.
    std::optional<Screenshot>
    WaitForSettledScreen(std::chrono::milliseconds timeout,
                         const std::function<bool(const Screenshot&)>& accept);
    // Waits until the screen shows exactly `expected`.
    bool WaitForExactly(const Screenshot& expected, std::chrono::milliseconds timeout);
    // Waits until the whole screen shows `picture`.
    bool WaitForPicture(const Picture& picture, std::chrono::milliseconds timeout);
    // Failure text: where the last capture differs from `picture` (on the given
    // areas; the whole screen when none are given).
    [[nodiscard]] std::string DescribeMismatch(const Picture& picture,
                                               std::vector<Rect> areas = {}) const;

    std::unique_ptr<Session> session;
    Rect screen;
    ClientArea client;
    // The last whole-screen capture; written to the failure folder when the test fails.
    Screenshot lastCapture;
};

} // namespace e2e
