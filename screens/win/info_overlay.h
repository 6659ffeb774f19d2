// The information overlay: the texts of the information, test selection and repair
// screens and the info line, drawn with GDI over the information screen's gradient.
#pragma once

#include <windows.h>

#include "screens/win/gdi_owners.h"
#include "state/app_state.h"

// The overlay's font, bold italic Arial, at `height` (negative: character height).
[[nodiscard]] UniqueFont OverlayFont(int height) noexcept;

// Draws the overlay onto `dc` for the client rectangle `client`. Called by the painter
// at test index -1 after the gradient. Replaces state.infoText on the information screen.
void DrawInformationOverlay(HDC dc, const RECT& client, AppState& state) noexcept;

// Where the repair screen's texts and its warning are drawn for `client` (the black
// copies; the white ones lie ShadowOffset up and left), and the warning's font height.
struct RepairScreenLayout {
    RECT texts;
    RECT warning;
    int warningFontHeight;
};
[[nodiscard]] RepairScreenLayout MeasureRepairScreen(HDC dc, const RECT& client,
                                                     const AppState& state) noexcept;
