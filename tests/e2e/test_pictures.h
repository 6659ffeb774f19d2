// The pictures the program is expected to show, worked out apart from the program's
// own code: where its client area lies and the colour of each test picture there.
// Shared by the end-to-end tests, the start-up timing and the screenshot maker.
#pragma once

#include <cstdint>

#include "tests/e2e/screenshot.h"

namespace e2e {

// Where the program's client area lies on the screen: its window reaches one border
// width beyond every screen edge and has no frame, so client (0, 0) is screen (-1, -1).
struct ClientArea {
    int x = 0; // screen position of client (0, 0)
    int y = 0;
    int width = 0;
    int height = 0;
};
ClientArea ClientAreaOn(int screenWidth, int screenHeight);

// a * b / c in 32-bit signed arithmetic, truncated toward zero; 0 if any is 0.
int Scaled(std::int32_t a, std::int32_t b, std::int32_t c);

// The test pictures by the client position of a pixel.
Rgb VerticalGradientAt(int clientY, int clientHeight);  // blue at the top to red
Rgb HorizontalGradientAt(int clientX, int clientWidth); // blue at the left to red
Rgb HorizontalLinesAt(int clientY);                     // even rows black, odd rows white
Rgb VerticalLinesAt(int clientX);                       // even columns black, odd white

} // namespace e2e
