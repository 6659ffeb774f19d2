// The test screen painter: draws the picture of the current test index over the
// whole client area, straight into the DC it is given, on whichever thread calls it
// (the main window's WM_PAINT or the endurance cycle's worker).
#pragma once

#include <windows.h>

#include <memory>

#include "defects/shared_log.h"
#include "state/app_state.h"

// Fills a rectangle with one colour the way every fill of the program is done: the
// DC's background colour, then an opaque text output without a string. Leaves the
// background colour set.
void FillRectOpaque(HDC dc, const RECT& rect, COLORREF colour) noexcept;

// Draws over the information screen's gradient; `client` is the area painted.
using InformationOverlay = void (*)(HDC dc, const RECT& client, AppState& state);

// The defect marks that go over a test picture: a published log, and the client pixel
// at which its monitor's pixel (0, 0) shows.
struct MarkRings {
    std::shared_ptr<const PublishedLog> log;
    POINT origin{0, 0};
};

// Paints the picture of `state.testIndex` over the area 0..width x 0..height of
// `dc`. The index is read once to choose the picture; a test picture gets the rings of
// `rings` on top; at the information screen the overlay (if any) follows the gradient,
// but only while the index is still the information screen when read again: a paint
// overtaken by a switch of test leaves the texts to the paint of the new test. Without
// a DC nothing happens.
void PaintTestScreen(HDC dc, int width, int height, AppState& state, InformationOverlay overlay,
                     const MarkRings& rings = {}) noexcept;

// The same over the client rectangle of `window`, read at every call, with the rings
// of the covered monitor's log. A window without a client rectangle (gone, or not a
// window) gets nothing painted.
void PaintTestScreen(HDC dc, HWND window, AppState& state, InformationOverlay overlay) noexcept;
