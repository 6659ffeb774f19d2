// The information overlay drawn with GDI: white text with a black shadow in a bold
// italic Arial scaled to the client width, then the info line in the default font.
#include "screens/win/info_overlay.h"

#include "defects/shared_log.h"
#include "screens/overlay_text.h"
#include "screens/picture.h"
#include "screens/repair_warning.h"
#include "screens/win/gdi_owners.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

static_assert(overlay_format::kRight == DT_RIGHT);
static_assert(overlay_format::kCenterSingleLine == (DT_CENTER | DT_SINGLELINE));
static_assert(overlay_format::kParagraph == (DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP));
static_assert(overlay_format::kNoticeRight == (DT_RIGHT | DT_BOTTOM | DT_SINGLELINE));
static_assert(overlay_format::kNoticeLeft == (DT_BOTTOM | DT_SINGLELINE));
static_assert(overlay_format::kRightToLeft == (DT_RIGHT | DT_RTLREADING));

namespace {

TextBox BoxFromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT RectFromBox(const TextBox& box) {
    return {box.left, box.top, box.right, box.bottom};
}

void DrawTextInBox(HDC dc, const Text& text, const TextBox& box, unsigned format) {
    // DrawTextW may move the rectangle it is given, so every output gets its own copy.
    RECT rect = RectFromBox(box);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &rect, format);
}

// Black first, then white |offset| pixels up and left of it.
void DrawShadowedText(HDC dc, const ShadowedText& output, const TextBox& box, int offset) {
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextInBox(dc, output.text, box, output.format);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextInBox(dc, output.text, ShadowCopyBox(box, offset, output.form), output.format);
}

// The device context's default font is the System bitmap font, which the system does
// not link to other fonts: a character outside the ANSI code page shows as a box or
// a question mark. Such a line goes to the default GUI font instead, a TrueType face
// that the system links to fonts for every script.
bool FitsAnsiCodePage(const Text& text) {
    BOOL usedDefault = FALSE;
    const int length = static_cast<int>(text.size());
    return length == 0 || (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Wide(text), length,
                                               nullptr, 0, nullptr, &usedDefault) > 0 &&
                           !usedDefault);
}

Text OrEmpty(const char16_t* text) {
    return text != nullptr ? Text(text) : Text();
}

// Words of the language this paint shows, read once from AppState with the other flags.
OverlayWords CatalogueWords(int languageIndex) {
    OverlayWords words;
    words.byId = [languageIndex](int id) {
        return OrEmpty(LookupText(TheCatalogue(), TheTranslation().Current(), languageIndex, id));
    };
    words.value = [](int key) { return OrEmpty(TheCatalogue().SectionZeroValue(key)); };
    return words;
}

RECT Measured(HDC dc, const Text& text, const TextBox& box, unsigned format) {
    RECT rect = RectFromBox(box);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return rect;
}

struct RepairWarning {
    ShadowedText output;
    RepairScreenLayout layout;
};

// With the overlay's font selected into `dc`: the warning below the repair texts as
// they are drawn, in a smaller font where a long text at a wide, low client would
// run past the bottom.
RepairWarning LayoutRepairWarning(HDC dc, const TextBox& client, const TextBox& box,
                                  const ShadowedText& texts, int language) {
    RepairWarning warning;
    warning.output = {RepairWarningText(language, TheTranslation().Current() != nullptr),
                      ShadowForm::Paragraph,
                      ShadowedFormat(overlay_format::kParagraph, ShadowForm::Paragraph, language)};
    RepairScreenLayout& layout = warning.layout;
    layout.texts = Measured(dc, texts.text, box, texts.format);
    const int fullHeight = OverlayFontHeight(client.right - client.left);
    for (int height = fullHeight;; height = height * 4 / 5) {
        const UniqueFont smaller = height != fullHeight ? OverlayFont(height) : UniqueFont();
        const ScopedSelectObject selection(dc, smaller);
        layout.warningFontHeight = height;
        const TextBox place = RepairWarningBox(client, layout.texts.bottom, height);
        layout.warning = Measured(dc, warning.output.text, place, warning.output.format);
        if (RepairWarningFits(client, BoxFromRect(layout.warning)) || height > -8) {
            return warning;
        }
    }
}

} // namespace

UniqueFont OverlayFont(int height) noexcept {
    return UniqueFont(CreateFontW(height, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                  0, 0, 0, L"Arial"));
}

RepairScreenLayout MeasureRepairScreen(HDC dc, const RECT& client, const AppState& state) noexcept {
    const OverlayState snapshot = SnapshotOverlayState(state);
    const OverlayWords words = CatalogueWords(snapshot.languageIndex);
    const UniqueFont font = OverlayFont(OverlayFontHeight(client.right - client.left));
    const ScopedSelectObject selection(dc, font);
    const auto outputs = OverlayOutputs(OverlayScreen::Repair, snapshot, words, Text());
    return LayoutRepairWarning(dc, BoxFromRect(client), OverlayTextBox(BoxFromRect(client)),
                               outputs.front(), snapshot.languageIndex)
        .layout;
}

void DrawInformationOverlay(HDC dc, const RECT& client, AppState& state) noexcept {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const OverlayState snapshot = SnapshotOverlayState(state);
    const OverlayWords words = CatalogueWords(snapshot.languageIndex);
    const TextBox box = OverlayTextBox(BoxFromRect(client));
    const int offset = ShadowOffset(width);

    {
        const UniqueFont font = OverlayFont(OverlayFontHeight(width));
        const ScopedSelectObject selection(dc, font);
        SetBkMode(dc, TRANSPARENT);

        const OverlayScreen screen = ChooseOverlayScreen(snapshot);
        Text infoText;
        if (screen != OverlayScreen::Repair) {
            infoText =
                ComposeInfoText(TheCatalogue(), TheTranslation().Current(), snapshot.languageIndex);
        }
        if (screen == OverlayScreen::Information) {
            state.infoText.Set(infoText);
        }
        const auto outputs = OverlayOutputs(screen, snapshot, words, infoText);
        for (const ShadowedText& output : outputs) {
            DrawShadowedText(dc, output, box, offset);
        }
        // Drawn after the texts and below them, so they stay exactly as before.
        if (screen == OverlayScreen::Repair) {
            const RepairWarning warning = LayoutRepairWarning(
                dc, BoxFromRect(client), box, outputs.front(), snapshot.languageIndex);
            const int height = warning.layout.warningFontHeight;
            const UniqueFont smaller =
                height != OverlayFontHeight(width) ? OverlayFont(height) : UniqueFont();
            const ScopedSelectObject selected(dc, smaller);
            const TextBox place =
                RepairWarningBox(BoxFromRect(client), warning.layout.texts.bottom, height);
            DrawShadowedText(dc, warning.output, place, offset);
        }
    }

    // The cycle worker may have moved on to a test while the texts were drawn.
    if (state.testIndex.load() != kInformationScreen) {
        return;
    }
    // The mode of the monitor the window covers (the primary display before it covers
    // one). Wine reports no size for a second Xinerama screen; the monitor's own
    // size stands in for a mode without one.
    const Text device = state.screenDevice.Get();
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsW(device.empty() ? nullptr : Wide(device), ENUM_CURRENT_SETTINGS, &mode);
    int screenWidth = static_cast<int>(mode.dmPelsWidth);
    int screenHeight = static_cast<int>(mode.dmPelsHeight);
    if ((screenWidth == 0 || screenHeight == 0) && !device.empty()) {
        const std::shared_ptr<const PublishedLog> covered = TheDefectLog().Get();
        screenWidth = covered->log.Width();
        screenHeight = covered->log.Height();
    }
    const Text infoLine = InfoLineText(words, screenWidth, screenHeight, width, height);
    const ScopedSelectObject guiFont(
        dc, FitsAnsiCodePage(infoLine) ? nullptr : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextInBox(dc, infoLine, box, overlay_format::kInfoLine);
}
