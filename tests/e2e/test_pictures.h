// The pictures the program is expected to show, worked out apart from the program's
// own code: where its client area lies and the colour of each test picture there.
// Shared by the end-to-end tests, the start-up timing and the screenshot maker.
#pragma once

#include <cstdint>

#include "tests/e2e/screenshot.h"

namespace e2e {

// Where the program's client area lies on the screen: its window reaches one border
// width beyond every screen edge and has no frame. Where client (0, 0) is shown is the
// runtime's own: found from the window's X geometry (see PlacedOver).
struct ClientArea {
    int x = 0; // screen position of client (0, 0)
    int y = 0;
    int width = 0;
    int height = 0;
};
ClientArea ClientAreaOn(int screenWidth, int screenHeight);

// The part of `r` inside `within`; empty (0 x 0) when they do not meet.
Rect Clipped(const Rect& r, const Rect& within);
// Whether an X window at `xWindow` shows the program's window placed over `monitor`
// of `screen`: Wine 8 gives the X window the whole window rectangle (client (0, 0) at
// (-1, -1)), Wine 10 clips it to the screen (client (0, 0) at (0, 0)). Either way the
// X window's own (0, 0) shows client (0, 0).
bool PlacedOver(const Rect& xWindow, const Rect& monitor, const Rect& screen);

// a * b / c in 32-bit signed arithmetic, truncated toward zero; 0 if any is 0.
int Scaled(std::int32_t a, std::int32_t b, std::int32_t c);

// The test pictures by the client position of a pixel.
Rgb VerticalGradientAt(int clientY, int clientHeight);  // blue at the top to red
Rgb HorizontalGradientAt(int clientX, int clientWidth); // blue at the left to red
Rgb HorizontalLinesAt(int clientY);                     // even rows black, odd rows white
Rgb VerticalLinesAt(int clientX);                       // even columns black, odd white

} // namespace e2e
