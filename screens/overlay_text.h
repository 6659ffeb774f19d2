// What the information overlay shows: which of its three screens, the composed texts,
// their DrawText formats, the font height, the text rectangle and the shadow offset.
// The Windows layer only carries these out with GDI.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "state/app_state.h"
#include "text/text.h"

// DrawText format bits the overlay uses, with the values of the Windows headers (the
// Windows layer checks that they agree).
namespace overlay_format {
inline constexpr unsigned kRight = 0x0002;
inline constexpr unsigned kCenterSingleLine = 0x0021; // title
inline constexpr unsigned kParagraph = 0x0150;        // word break, tabs, no clip
inline constexpr unsigned kNoticeRight = 0x002A;      // bottom right, one line
inline constexpr unsigned kNoticeLeft = 0x0028;       // bottom left, one line
inline constexpr unsigned kRightToLeft = 0x20002;     // right-aligned, RTL reading
inline constexpr unsigned kInfoLine = kRight;
} // namespace overlay_format

// The catalogue's one right-to-left language.
inline constexpr int kRightToLeftLanguage = 20;

// A rectangle in client coordinates, edges as GDI keeps them.
struct TextBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const TextBox&, const TextBox&) = default;
};

// Paragraph texts move only their top-left corner for the white copy, so the word
// wrap width grows by the offset; single lines move the whole rectangle.
enum class ShadowForm { Paragraph, Line };

enum class OverlayScreen { Repair, Selection, Information };

// The words the overlay needs, by text id and by section-0 key; an empty text where
// the catalogue has none.
struct OverlayWords {
    std::function<Text(int id)> byId;
    std::function<Text(int key)> value;
};

// A copy of the AppState fields the overlay reads, taken once per paint so that one
// paint shows one consistent picture even while the main thread changes them.
struct OverlayState {
    int repairMode = 0;
    int selectionMode = 0;
    int languageIndex = 1;
    int cycleIntervalMs = 1000;
    std::array<int, kTestFlagCount> testEnabled{};
};

[[nodiscard]] OverlayState SnapshotOverlayState(const AppState& state) noexcept;

// Height of the overlay's font (negative: character height in pixels) for client width W.
[[nodiscard]] int OverlayFontHeight(int clientWidth) noexcept;
// Offset of the white copy against its black shadow (negative: up and left).
[[nodiscard]] int ShadowOffset(int clientWidth) noexcept;
// The client rectangle with its top and left edges moved 30 pixels inward.
[[nodiscard]] TextBox OverlayTextBox(const TextBox& client) noexcept;
// Where the white copy goes.
[[nodiscard]] TextBox ShadowCopyBox(const TextBox& box, int offset, ShadowForm form) noexcept;
// The format actually drawn: paragraphs of the right-to-left language are right-aligned
// with right-to-left reading order; single lines keep their own alignment.
[[nodiscard]] unsigned ShadowedFormat(unsigned format, ShadowForm form, int languageIndex) noexcept;

[[nodiscard]] OverlayScreen ChooseOverlayScreen(const OverlayState& state) noexcept;

// The cycle interval in seconds with a decimal comma and two decimals ("1,00", "1,05",
// "0,50", "0,01").
[[nodiscard]] Text IntervalText(int milliseconds);

// The lines strictly between the line holding the first "<<" and the line holding the
// first ">>" of an info text, each ended by LF (a CR before it stays).
[[nodiscard]] Text ExtractTestLines(TextView infoText);
// The test entries of extracted lines with their use marks: "//" splits a line into
// two entries that stay on one display line.
[[nodiscard]] Text MarkedTestList(TextView testLines,
                                  const std::array<int, kTestFlagCount>& testEnabled);

[[nodiscard]] Text RepairScreenText(const OverlayWords& words);
[[nodiscard]] Text TestSelectionText(const OverlayWords& words, TextView infoText,
                                     const OverlayState& state);
// Two right-aligned lines: the display mode's size and the client size.
[[nodiscard]] Text InfoLineText(const OverlayWords& words, int modeWidth, int modeHeight,
                                int clientWidth, int clientHeight);

// One shadowed text output of the overlay, with its final format.
struct ShadowedText {
    Text text;
    ShadowForm form = ShadowForm::Paragraph;
    unsigned format = 0;
};

// Everything the chosen screen draws, in order. `infoText` is the freshly built info
// text of the current language (shown on the information screen, mined for the test
// list on the selection screen).
[[nodiscard]] std::vector<ShadowedText> OverlayOutputs(OverlayScreen screen,
                                                       const OverlayState& state,
                                                       const OverlayWords& words,
                                                       TextView infoText);
