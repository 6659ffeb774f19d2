// The information overlay drawn by the real painter into a 1280 x 1024 DIB section:
// where its white text and black shadows land on each screen, the info line, the
// right-to-left language, and that every GDI object is gone afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "screens/overlay_text.h"
#include "screens/own_texts.h"
#include "screens/repair_warning.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/info_overlay.h"
#include "screens/win/painter.h"
#include "tests/windows/support/dib_canvas.h"
#include "text/embedded_catalog.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

struct Area {
    int left, top, right, bottom;
};

// The gradient under the overlay has no green and red + blue = 200, so pure white
// and pure black pixels can only be text.
enum class Ink { White, Black };

bool Is(const DibCanvas& canvas, int x, int y, Ink ink) {
    return canvas.At(x, y) == (ink == Ink::White ? 0xFFFFFFu : 0u);
}

int Count(const DibCanvas& canvas, const Area& area, Ink ink) {
    GdiFlush();
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += Is(canvas, x, y, ink) ? 1 : 0;
        }
    }
    return n;
}

// Leftmost and rightmost column holding `ink` in `area`; {-1, -1} when none does.
std::pair<int, int> Columns(const DibCanvas& canvas, const Area& area, Ink ink) {
    GdiFlush();
    int first = -1;
    int last = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (Is(canvas, x, y, ink)) {
                first = first < 0 || x < first ? x : first;
                last = x > last ? x : last;
            }
        }
    }
    return {first, last};
}

// Regions at 1280 x 1024. The info text starts two empty lines below the title, so
// the top band holds only the title (centred), the info line (top right) and, on the
// selection screen, its heading at the left.
constexpr Area kTitleBand{400, 20, 900, 62};
constexpr Area kTopLeft{30, 20, 380, 62};
constexpr Area kInfoLine{1120, 25, kWidth, 70};
constexpr Area kBottom{0, 980, kWidth, kHeight};
constexpr Area kParagraphLeft{27, 100, 400, 900};
constexpr Area kParagraphRight{880, 100, kWidth, 900};

class OverlayTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(BuildCatalogue());
        ASSERT_TRUE(canvas.Ready());
        state.languageIndex = kEnglishIndex;
    }
    void Paint() { PaintTestScreen(canvas.Dc(), kWidth, kHeight, state, DrawInformationOverlay); }

    DibCanvas canvas{kWidth, kHeight};
    AppState state;
};

TEST_F(OverlayTest, InformationScreenPlacesEveryText) {
    Paint();
    // Title: centred on the text rectangle (30..1280), its white copy 3 pixels left.
    const auto [titleLeft, titleRight] = Columns(canvas, kTitleBand, Ink::White);
    ASSERT_GE(titleLeft, 0);
    EXPECT_NEAR((titleLeft + titleRight) / 2, (30 + kWidth) / 2 - 3, 8);
    EXPECT_EQ(Count(canvas, kTopLeft, Ink::White), 0);
    // Info line, right-aligned at the top.
    const auto [infoLeft, infoRight] = Columns(canvas, kInfoLine, Ink::White);
    EXPECT_GT(infoLeft, kTitleBand.right);
    EXPECT_GE(infoRight, kWidth - 20);
    // Notice: ends at the bottom right corner.
    const auto [noticeLeft, noticeRight] = Columns(canvas, kBottom, Ink::White);
    EXPECT_GE(noticeRight, kWidth - 20);
    EXPECT_GT(noticeLeft, kWidth / 3);
    // Info text: left-aligned paragraphs.
    EXPECT_GT(Count(canvas, kParagraphLeft, Ink::White),
              4 * Count(canvas, kParagraphRight, Ink::White));
    EXPECT_EQ(state.infoText.Get(), ComposeInfoText(TheCatalogue(), nullptr, kEnglishIndex));
}

TEST_F(OverlayTest, WhiteTextHasItsBlackShadowThreePixelsDownRight) {
    Paint();
    GdiFlush();
    // For each diagonal step k, how often a white title pixel has a black pixel k
    // steps down and right: the shadow's own offset stands out.
    int white = 0;
    int bestStep = 0;
    int bestCount = -1;
    for (int k = -6; k <= 6; ++k) {
        int count = 0;
        white = 0;
        for (int y = kTitleBand.top; y < kTitleBand.bottom; ++y) {
            for (int x = kTitleBand.left; x < kTitleBand.right; ++x) {
                if (Is(canvas, x, y, Ink::White)) {
                    ++white;
                    count += Is(canvas, x + k, y + k, Ink::Black) ? 1 : 0;
                }
            }
        }
        if (count > bestCount) {
            bestCount = count;
            bestStep = k;
        }
    }
    ASSERT_GT(white, 100);
    EXPECT_EQ(bestStep, 3);
    EXPECT_GT(bestCount, white / 4);
    // The info line has no shadow.
    EXPECT_EQ(Count(canvas, kInfoLine, Ink::Black), 0);
}

TEST_F(OverlayTest, RightToLeftLanguageMirrorsParagraphsAndNotice) {
    state.languageIndex = 20;
    Paint();
    const auto [titleLeft, titleRight] = Columns(canvas, kTitleBand, Ink::White);
    ASSERT_GE(titleLeft, 0);
    EXPECT_NEAR((titleLeft + titleRight) / 2, (30 + kWidth) / 2 - 3, 8);
    const auto [noticeLeft, noticeRight] = Columns(canvas, kBottom, Ink::White);
    EXPECT_GE(noticeLeft, 27);
    EXPECT_LE(noticeLeft, 50);
    EXPECT_LT(noticeRight, 2 * kWidth / 3);
    EXPECT_GT(Count(canvas, kParagraphRight, Ink::White),
              4 * Count(canvas, kParagraphLeft, Ink::White));
    EXPECT_GT(Count(canvas, kInfoLine, Ink::White), 0);
}

TEST_F(OverlayTest, InfoLineGivesTheScreenModeThenTheWindow) {
    // A window smaller than the screen, so that the two sizes differ. Words the ANSI
    // code page has are drawn in the DC's default font (System), others in the
    // default GUI font, which the system links to fonts for their script.
    const struct {
        int language;
        const char16_t* format;
        HGDIOBJ font;
    } rows[] = {
        {kEnglishIndex, u"Screen:%d x %d  \nWindow:%d x %d  ", nullptr},
        {4, u"\u042d\u043a\u0440\u0430\u043d:%d x %d  \n\u041e\u043a\u043d\u043e:%d x %d  ",
         GetStockObject(DEFAULT_GUI_FONT)},
    };
    constexpr int width = 1000;
    constexpr int height = 700;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    for (const auto& row : rows) {
        state.languageIndex = row.language;
        DibCanvas shown(width, height);
        ASSERT_TRUE(shown.Ready());
        PaintTestScreen(shown.Dc(), width, height, state, DrawInformationOverlay);
        const Text line =
            FormatText(row.format, {std::int64_t{mode.dmPelsWidth}, std::int64_t{mode.dmPelsHeight},
                                    std::int64_t{width}, std::int64_t{height}});
        // Black, with the expected line in white: in the row's font, and in the other.
        const auto drawn = [&](HGDIOBJ font) {
            auto canvas = std::make_unique<DibCanvas>(width, height);
            const TextBox box = OverlayTextBox({0, 0, width, height});
            RECT rect{box.left, box.top, box.right, box.bottom};
            const ScopedSelectObject selection(canvas->Dc(), font);
            SetBkMode(canvas->Dc(), TRANSPARENT);
            SetTextColor(canvas->Dc(), RGB(255, 255, 255));
            DrawTextW(canvas->Dc(), Wide(line), static_cast<int>(line.size()), &rect,
                      overlay_format::kInfoLine);
            return canvas;
        };
        const auto expected = drawn(row.font);
        const auto other = drawn(row.font ? nullptr : GetStockObject(DEFAULT_GUI_FONT));
        // Within the expected line's extent, white where it has ink and nowhere else.
        const auto [left, right] = Columns(*expected, {0, 0, width, 100}, Ink::White);
        ASSERT_GE(left, 0);
        int differing = 0;
        int differingFromOther = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = left; x <= right; ++x) {
                differing += Is(shown, x, y, Ink::White) != Is(*expected, x, y, Ink::White);
                differingFromOther +=
                    Is(*other, x, y, Ink::White) != Is(*expected, x, y, Ink::White);
            }
        }
        EXPECT_EQ(differing, 0) << TextToUtf8(line);
        EXPECT_GT(differingFromOther, 0) << "the two fonts draw alike: " << TextToUtf8(line);
    }
}

TEST_F(OverlayTest, RepairAndSelectionScreensReplaceTheInformation) {
    Paint();
    const std::vector<std::uint32_t> information = canvas.Snapshot();
    const int infoLinePixels = Count(canvas, kInfoLine, Ink::White);
    ASSERT_GT(infoLinePixels, 0);

    state.infoText.Set(u"before");
    state.selectionMode = 1;
    Paint();
    const std::vector<std::uint32_t> selection = canvas.Snapshot();
    EXPECT_NE(selection, information);
    EXPECT_GT(Count(canvas, kTopLeft, Ink::White), 100); // the heading
    EXPECT_EQ(Count(canvas, kBottom, Ink::White), 0);
    EXPECT_EQ(Count(canvas, kInfoLine, Ink::White), infoLinePixels);

    state.repairMode = 1; // wins over the selection
    Paint();
    const std::vector<std::uint32_t> repair = canvas.Snapshot();
    EXPECT_NE(repair, information);
    EXPECT_NE(repair, selection);
    // Four empty lines come first: nothing at the top but the info line.
    EXPECT_EQ(Count(canvas, kTitleBand, Ink::White), 0);
    EXPECT_EQ(Count(canvas, kTopLeft, Ink::White), 0);
    EXPECT_GT(Count(canvas, kParagraphLeft, Ink::White), 1000);
    EXPECT_EQ(Count(canvas, kInfoLine, Ink::White), infoLinePixels);
    // Only the information screen replaces the info text.
    EXPECT_EQ(state.infoText.Get(), u"before");
}

TEST_F(OverlayTest, RepairWarningStandsBelowTheUnchangedTexts) {
    state.repairMode = 1;
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{3840, 2160}}) {
        DibCanvas shown(width, height), alone(width, height);
        ASSERT_TRUE(shown.Ready() && alone.Ready());
        const int offset = ShadowOffset(width);
        for (int language = 0; language < kOwnTextLanguages; ++language) {
            SCOPED_TRACE(testing::Message() << width << " x " << height << ", " << language);
            state.languageIndex = language;
            const auto layout = MeasureRepairScreen(shown.Dc(), {0, 0, width, height}, state);
            EXPECT_GT(layout.warning.top + offset, layout.texts.bottom);
            EXPECT_TRUE(layout.warning.left + offset >= 0 && layout.warning.right <= width &&
                        layout.warning.bottom <= height);
            EXPECT_EQ(layout.warningFontHeight, OverlayFontHeight(width));
            PaintTestScreen(shown.Dc(), width, height, state, DrawInformationOverlay);
            state.testIndex = 13; // the gradient alone
            PaintTestScreen(alone.Dc(), width, height, state, DrawInformationOverlay);
            state.testIndex = -1; // back to the overlay
            OverlayWords words;
            words.byId = [language](int id) {
                return Text(LookupText(TheCatalogue(), nullptr, language, id));
            };
            const ShadowedText texts =
                OverlayOutputs(OverlayScreen::Repair, SnapshotOverlayState(state), words, u"")[0];
            const UniqueFont font(CreateFontW(OverlayFontHeight(width), 0, 0, 0, FW_BOLD, TRUE,
                                              FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
            const ScopedSelectObject selection(alone.Dc(), font);
            SetBkMode(alone.Dc(), TRANSPARENT);
            const TextBox box = OverlayTextBox({0, 0, width, height});
            for (const TextBox& place : {box, ShadowCopyBox(box, offset, texts.form)}) {
                SetTextColor(alone.Dc(), place == box ? RGB(0, 0, 0) : RGB(255, 255, 255));
                RECT rect{place.left, place.top, place.right, place.bottom};
                DrawTextW(alone.Dc(), Wide(texts.text), static_cast<int>(texts.text.size()), &rect,
                          texts.format);
            }
            // Below the info line, which stands in the four empty lines the texts start with.
            const auto infoLine = std::ptrdiff_t{kInfoLine.bottom} * width;
            const auto above = std::ptrdiff_t{layout.warning.top + offset} * width;
            const auto shownPixels = shown.Snapshot();
            const auto alonePixels = alone.Snapshot();
            EXPECT_TRUE(std::equal(shownPixels.begin() + infoLine, shownPixels.begin() + above,
                                   alonePixels.begin() + infoLine));
            EXPECT_GT(Count(shown, {0, layout.warning.top + offset, width, layout.warning.bottom},
                            Ink::White),
                      width / 4);
            EXPECT_EQ(Count(shown, {0, layout.warning.bottom, width, height}, Ink::White), 0);
        }
    }
}

TEST_F(OverlayTest, NoInfoLineOnceTheTestIndexHasMoved) {
    Paint();
    const std::vector<std::uint32_t> full = canvas.Snapshot();

    // The gradient alone, then the overlay as if a switch of test had come between the
    // painter's check and the info line.
    state.testIndex = 13;
    Paint();
    const std::vector<std::uint32_t> gradient = canvas.Snapshot();
    state.testIndex = 4;
    const RECT client{0, 0, kWidth, kHeight};
    DrawInformationOverlay(canvas.Dc(), client, state);
    const std::vector<std::uint32_t> late = canvas.Snapshot();

    int infoLineDiffers = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kWidth + x;
            const bool inInfoLine = x >= kInfoLine.left && y < kInfoLine.bottom;
            if (inInfoLine) {
                ASSERT_EQ(late[i], gradient[i]) << x << ", " << y;
                infoLineDiffers += full[i] != gradient[i] ? 1 : 0;
            } else {
                ASSERT_EQ(late[i], full[i]) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(infoLineDiffers, 50);
}

// Every screen, and an empty client area (width 0 gives font height 0, the system's
// default size).
TEST_F(OverlayTest, LeavesNoGdiObjectAndRestoresTheFont) {
    const int ownersBefore = LiveGdiOwners();
    const HGDIOBJ fontBefore = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    for (int screen = 0; screen < 3; ++screen) {
        state.selectionMode = screen == 1 ? 1 : 0;
        state.repairMode = screen == 2 ? 1 : 0;
        for (int i = 0; i < 20; ++i) {
            Paint();
        }
        const RECT empty{0, 0, 0, 0};
        DrawInformationOverlay(canvas.Dc(), empty, state);
        EXPECT_EQ(LiveGdiOwners(), ownersBefore);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), fontBefore);
    }
}

} // namespace
