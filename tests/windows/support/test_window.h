// Test aid: one visible pop-up window at the top left of the screen, shared by all
// tests of the run and sized anew for each (destroying a window costs Wine a wait for
// the X server of seconds), and the message pump that empties the queue.
#pragma once

#include <windows.h>

#include <cstdint>

// Handles what the window system queued, so that nothing arrives later.
void PumpMessages();

class TestWindow {
public:
    // Shows the shared window with a client area of width x height (it has no frame).
    TestWindow(int width, int height);
    [[nodiscard]] HWND Get() const { return window; }

    // Fills the whole client area with a packed 0x00RRGGBB colour.
    void Fill(std::uint32_t packed) const;

private:
    HWND window;
};
