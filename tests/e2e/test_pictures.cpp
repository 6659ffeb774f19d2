// The expected pictures of the end-to-end checks (see test_pictures.h).
#include "tests/e2e/test_pictures.h"

namespace e2e {

ClientArea ClientAreaOn(int screenWidth, int screenHeight) {
    // SM_CXBORDER and SM_CYBORDER as Wine reports them.
    constexpr int kBorder = 1;
    return {-kBorder, -kBorder, screenWidth + 2 * kBorder, screenHeight + 2 * kBorder};
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
