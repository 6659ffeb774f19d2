// The expected pictures of the end-to-end checks (see test_pictures.h).
#include "tests/e2e/test_pictures.h"

#include <algorithm>

namespace e2e {

ClientArea ClientAreaOn(int screenWidth, int screenHeight) {
    // SM_CXBORDER and SM_CYBORDER as Wine reports them.
    constexpr int kBorder = 1;
    return {-kBorder, -kBorder, screenWidth + 2 * kBorder, screenHeight + 2 * kBorder};
}

Rect Clipped(const Rect& r, const Rect& within) {
    const int left = std::max(r.x, within.x);
    const int top = std::max(r.y, within.y);
    const int right = std::min(r.x + r.width, within.x + within.width);
    const int bottom = std::min(r.y + r.height, within.y + within.height);
    return right > left && bottom > top ? Rect{left, top, right - left, bottom - top} : Rect{};
}

bool PlacedOver(const Rect& xWindow, const Rect& monitor, const Rect& screen) {
    const ClientArea area = ClientAreaOn(monitor.width, monitor.height);
    const Rect whole{monitor.x + area.x, monitor.y + area.y, area.width, area.height};
    return xWindow == whole || xWindow == Clipped(whole, screen);
}

int Scaled(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (a == 0 || b == 0 || c == 0) {
        return 0;
    }
    return a * b / c;
}

Rgb VerticalGradientAt(int clientY, int clientHeight) {
    const int level = Scaled(200, clientY, clientHeight);
    return MakeRgb(level, 0, 200 - level);
}

Rgb HorizontalGradientAt(int clientX, int clientWidth) {
    const int level = Scaled(200, clientX, clientWidth);
    return MakeRgb(level, 0, 200 - level);
}

Rgb HorizontalLinesAt(int clientY) {
    return clientY % 2 == 0 ? kBlack : kWhite;
}

Rgb VerticalLinesAt(int clientX) {
    return clientX % 2 == 0 ? kBlack : kWhite;
}

} // namespace e2e
