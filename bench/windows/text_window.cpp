// The second baseline of the start-up timing: the empty window that also draws one
// line of text in the overlay's font (bold italic Arial scaled to the client width),
// so that what the system's font start-up costs is measured apart from what the
// program does. The driver looks for the fill colour with white text near the top
// middle. Started by bench/e2e's driver.
#include "bench/windows/support/baseline_window.h"
#include "screens/overlay_text.h"

namespace {

void DrawLine(HDC dc, const RECT& client) {
    HFONT font = CreateFontW(OverlayFontHeight(client.right), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT line{30, 30, client.right, client.bottom};
    DrawTextW(dc, L"Glimmerix 3.19", -1, &line, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
}

} // namespace

int main() {
    return baseline::Run(L"TextWindow", DrawLine);
}
