// The test screen painter (see test_painter.h): draws the fill plan of the current
// test picture with as few calls as keep its pixels. Each call costs far more than
// the pixels it writes when it writes one narrow stripe, so a column per fill took a
// hundred times a full-screen fill.
#include "screens/win/test_painter.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "screens/test_picture.h"
#include "screens/win/colour_ref.h"

namespace {

// Rows of the strip copied down the area: a multiple of every row period, and few
// enough that the strip stays in the cache (measured: taller strips cost more).
constexpr int kStripRows = 8;

std::uint32_t DibPixel(Rgb colour) noexcept {
    return static_cast<std::uint32_t>(colour.red) << 16 |
           static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

// One fill per run of equal stripes: a solid field is one run, a gradient one run
// per level (at most 200), the stripes of a run being side by side.
void FillRuns(HDC dc, const TestPicture& picture) noexcept {
    const int fills = picture.FillCount();
    for (int first = 0; first < fills;) {
        const Rgb colour = picture.FillColour(first);
        int last = first;
        while (last + 1 < fills && picture.FillColour(last + 1) == colour) {
            ++last;
        }
        const PixelRect from = picture.FillRect(first);
        const PixelRect to = picture.FillRect(last);
        FillRectOpaque(dc, RECT{from.left, from.top, to.right, to.bottom}, ToColorRef(colour));
        first = last + 1;
    }
}

// A picture whose rows repeat: its first rows as a 32-bit top-down DIB, copied down
// the area strip by strip. Every strip starts at a multiple of the row period.
void CopyStripDown(HDC dc, const TestPicture& picture) {
    const int width = picture.width;
    const int rows = std::min(kStripRows, picture.height);
    std::vector<std::uint32_t> strip(static_cast<std::size_t>(width) * rows);
    for (int x = 0; x < width; ++x) {
        strip[static_cast<std::size_t>(x)] =
            DibPixel(picture.FillColour(picture.shape == PictureShape::Columns ? x : 0));
    }
    for (int y = 1; y < rows; ++y) {
        const auto row = strip.begin() + static_cast<std::ptrdiff_t>(y) * width;
        if (picture.shape == PictureShape::Columns) {
            std::copy_n(strip.begin(), width, row);
        } else {
            std::fill_n(row, width, DibPixel(picture.FillColour(y)));
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    for (int top = 0; top < picture.height; top += rows) {
        const int count = std::min(rows, picture.height - top);
        // A DIB of exactly the rows copied, top row first: no doubt which rows go.
        info.bmiHeader.biHeight = -count;
        SetDIBitsToDevice(dc, 0, top, static_cast<DWORD>(width), static_cast<DWORD>(count), 0, 0, 0,
                          static_cast<UINT>(count), strip.data(), &info, DIB_RGB_COLORS);
    }
}

} // namespace

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
    // Straight to the DC: no off-screen copy of the picture, nothing cached.
    bool drawn = false;
    if (picture.RowPeriod() > 0) {
        try {
            CopyStripDown(dc, picture);
            drawn = true;
        } catch (const std::bad_alloc&) {
            // No memory for the strip: the fills below draw the same pixels, slower.
        }
    }
    if (!drawn) {
        FillRuns(dc, picture);
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
