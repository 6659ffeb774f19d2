// The test screen painter (see test_painter.h): carries out the fill plan of the
// current test picture, one opaque fill per stripe.
#include "screens/win/test_painter.h"

#include "screens/test_picture.h"
#include "screens/win/colour_ref.h"

void FillRectOpaque(HDC dc, const RECT& rect, COLORREF colour) noexcept {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void PaintTestScreen(HDC dc, int width, int height, AppState& state,
                     InformationOverlay overlay) noexcept {
    if (dc == nullptr) {
        return;
    }
    const TestPicture picture = PlanTestPicture(state.testIndex.load(), width, height);
    // Stripes go straight to the DC: no off-screen copy, nothing cached.
    const int fills = picture.FillCount();
    for (int i = 0; i < fills; ++i) {
        const PixelRect r = picture.FillRect(i);
        FillRectOpaque(dc, RECT{r.left, r.top, r.right, r.bottom},
                       ToColorRef(picture.FillColour(i)));
    }
    // The cycle worker may have moved on to another test meanwhile; its own paint
    // draws that one, and the texts must not land on it.
    if (picture.overlay && overlay != nullptr && state.testIndex.load() == kInformationScreen) {
        const RECT client{0, 0, picture.width, picture.height};
        overlay(dc, client, state);
    }
}

void PaintTestScreen(HDC dc, HWND window, AppState& state, InformationOverlay overlay) noexcept {
    if (dc == nullptr) {
        return;
    }
    RECT client{};
    if (!GetClientRect(window, &client)) {
        return;
    }
    PaintTestScreen(dc, client.right - client.left, client.bottom - client.top, state, overlay);
}
