// The test screen painter (see painter.h): draws the fill plan of the current
// test picture with as few calls as keep its pixels. Each call costs far more than
// the pixels it writes when it writes one narrow stripe, so a column per fill took a
// hundred times a full-screen fill.
#include "screens/win/painter.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "defects/marks_shown.h"
#include "defects/picture_table.h"
#include "screens/picture.h"
#include "screens/ringed_picture.h"
#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/info_overlay.h"
#include "text/win/wide.h"

namespace {

// Rows of the strip copied down the area: a multiple of every row period, and few
// enough that the strip stays in the cache (measured: taller strips cost more).
constexpr int kStripRows = 8;
// Rows of a band composed with the defect rings: small enough for the cache, and few
// enough copies per picture that their calls cost nothing next to the pixels.
constexpr int kRingBandRows = 32;

// Rows top .. top + count - 1 of the area from `pixels`, a top-down 32-bit DIB of
// exactly those rows: no doubt which rows go.
void PutRows(HDC dc, int width, int top, int count, const std::uint32_t* pixels) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -count;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, top, static_cast<DWORD>(width), static_cast<DWORD>(count), 0, 0, 0,
                      static_cast<UINT>(count), pixels, &info, DIB_RGB_COLORS);
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

// A picture whose rows repeat: in each span of repeating rows its first rows as a
// 32-bit top-down DIB, copied down the span strip by strip. Every strip starts at a
// multiple of the span's period from its top.
void CopyStripsDown(HDC dc, const TestPicture& picture, const RowSpans& rows) {
    const int width = picture.width;
    std::vector<std::uint32_t> strip(static_cast<std::size_t>(width) * kStripRows);
    for (int s = 0; s < rows.count; ++s) {
        const RowSpan& span = rows.spans[static_cast<std::size_t>(s)];
        const int stripRows = std::min(kStripRows, span.bottom - span.top);
        for (int y = 0; y < stripRows; ++y) {
            const auto row = strip.begin() + static_cast<std::ptrdiff_t>(y) * width;
            if (y >= span.period) {
                std::copy_n(row - static_cast<std::ptrdiff_t>(span.period) * width, width, row);
                continue;
            }
            for (int x = 0; x < width; ++x) {
                row[x] = PicturePixel(picture, x, span.top + y);
            }
        }
        for (int top = span.top; top < span.bottom; top += stripRows) {
            PutRows(dc, width, top, std::min(stripRows, span.bottom - top), strip.data());
        }
    }
}

// The numbers of the picture, each in its box: one opaque, clipped text output.
void DrawLabels(HDC dc, const TestPicture& picture) noexcept {
    const PictureLabels labels = LabelsOf(picture);
    if (labels.count == 0) {
        return;
    }
    const UniqueFont font = OverlayFont(labels.fontHeight);
    const ScopedSelectObject selection(dc, font);
    const COLORREF ink = GetTextColor(dc);
    for (int i = 0; i < labels.count; ++i) {
        const PictureLabel& label = labels.labels[static_cast<std::size_t>(i)];
        const wchar_t* const text = Wide(label.text.data());
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, label.length, &extent);
        const RECT box{label.box.left, label.box.top, label.box.right, label.box.bottom};
        SetTextColor(dc, ToColorRef(label.ink));
        SetBkColor(dc, ToColorRef(label.paper));
        ExtTextOutW(dc, box.left + (box.right - box.left - extent.cx) / 2,
                    box.top + (box.bottom - box.top - extent.cy) / 2, ETO_OPAQUE | ETO_CLIPPED,
                    &box, text, static_cast<UINT>(label.length), nullptr);
    }
    SetTextColor(dc, ink);
}

// The picture with the defect rings on it, band by band.
void ComposeWithRings(HDC dc, const TestPicture& picture, const MarkRings& rings) {
    // Kept by each painting thread (the main one and the cycle worker's).
    thread_local RingedBands::Scratch scratch;
    RingedBands bands(picture, *rings.log, rings.origin.x, rings.origin.y, kRingBandRows, scratch);
    for (int top = 0; top < picture.height; top += kRingBandRows) {
        PutRows(dc, picture.width, top, std::min(kRingBandRows, picture.height - top),
                bands.Compose(top).data());
    }
}

} // namespace

void FillRectOpaque(HDC dc, const RECT& rect, COLORREF colour) noexcept {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void PaintTestScreen(HDC dc, int width, int height, AppState& state, InformationOverlay overlay,
                     const MarkRings& rings) noexcept {
    if (dc == nullptr) {
        return;
    }
    const int testIndex = state.testIndex.load();
    const TestPicture picture = PlanTestPicture(testIndex, width, height);
    // Straight to the DC: no off-screen copy of the picture, nothing cached.
    bool drawn = false;
    if (rings.log != nullptr && !rings.log->log.Empty() && IsMarkablePicture(testIndex) &&
        picture.shape != PictureShape::Nothing) {
        try {
            ComposeWithRings(dc, picture, rings);
            drawn = true;
        } catch (const std::bad_alloc&) {
            // No memory for a band: the picture goes without its rings this time.
        }
    }
    const RowSpans repeating = picture.RepeatingRows();
    if (!drawn && repeating.count > 0) {
        try {
            CopyStripsDown(dc, picture, repeating);
            drawn = true;
        } catch (const std::bad_alloc&) {
            // No memory for the strip: the fills below draw the same pixels, slower.
        }
    }
    if (!drawn) {
        FillRuns(dc, picture);
    }
    DrawLabels(dc, picture);
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
    // Where the monitor's top-left pixel lies in the client area (the window reaches
    // one border beyond the monitor).
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    // One snapshot: the rings at the place of the monitor they belong to. Rings show
    // only where marks are live.
    std::shared_ptr<const PublishedLog> covered = TheDefectLog().Get();
    const PixelPoint origin = covered->OriginInClient(clientOrigin.x, clientOrigin.y);
    const MarkRings rings{MarksShown(state) ? std::move(covered) : nullptr, {origin.x, origin.y}};
    PaintTestScreen(dc, client.right - client.left, client.bottom - client.top, state, overlay,
                    rings);
}
