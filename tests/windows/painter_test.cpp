// The test screen painter drawn into a 32-bit DIB section and read back pixel by
// pixel, for every test index at small, odd and full-screen sizes; the fills it
// makes; the information overlay's hook; the client rectangle of a real window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "defects/ring_shape.h"
#include "screens/picture.h"
#include "screens/win/painter.h"
#include "tests/windows/support/dib_canvas.h"
#include "tests/windows/support/ext_text_out_recorder.h"
#include "tests/windows/support/test_window.h"

namespace {

// A pattern that no picture draws over a whole area, so untouched pixels show.
std::uint32_t Pattern(int x, int y) {
    return 0x00A50000u | static_cast<std::uint32_t>((x * 31 + y * 17) & 0xFFFF);
}

void FillPattern(DibCanvas& canvas) {
    GdiFlush();
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.SetRaw(x, y, Pattern(x, y));
        }
    }
}

constexpr COLORREF kOverlayMark = RGB(1, 2, 3);

// The overlay stand-in: records its calls and marks pixel (0, 0), so a test sees
// that it came after the picture.
struct OverlayLog {
    struct Call {
        HDC dc;
        RECT client;
        int testIndex;
    };
    std::vector<Call> calls;
};
OverlayLog overlayLog;

void RecordingOverlay(HDC dc, const RECT& client, AppState& state) {
    overlayLog.calls.push_back({dc, client, state.testIndex.load()});
    if (client.right > 0 && client.bottom > 0) {
        SetPixel(dc, 0, 0, kOverlayMark);
    }
}

// What a pixel of the client area must show, by the picture's own shape.
std::optional<Rgb> ExpectedPixel(const TestPicture& picture, int x, int y) {
    switch (picture.shape) {
    case PictureShape::Solid:
        return picture.solid;
    case PictureShape::Columns:
        return picture.FillColour(x);
    case PictureShape::Rows:
        return picture.FillColour(y);
    case PictureShape::Pattern:
        return picture.PatternColour(x, y);
    case PictureShape::Nothing:
        break;
    }
    return std::nullopt;
}

// The fills the painter makes: one per run of equal stripes, none where it copies
// repeating rows instead.
std::size_t ExpectedFills(const TestPicture& picture) {
    std::size_t runs = 0;
    for (int i = 0; i < picture.FillCount() && picture.RowPeriod() == 0; ++i) {
        runs += i == 0 || picture.FillColour(i) != picture.FillColour(i - 1) ? 1 : 0;
    }
    return runs;
}

bool InLabel(const PictureLabels& labels, int x, int y) {
    return std::any_of(labels.labels.begin(), labels.labels.begin() + labels.count, [&](auto& l) {
        return x >= l.box.left && x < l.box.right && y >= l.box.top && y < l.box.bottom;
    });
}

// Compares the canvas with the picture of `index` over width x height (the rest of
// the canvas must be untouched); a label box shows its paper at its corners and ink
// somewhere. Reports the first wrong pixel only.
void ExpectPicture(const DibCanvas& canvas, int index, int width, int height, bool overlayMark) {
    GdiFlush();
    const TestPicture picture = PlanTestPicture(index, width, height);
    const PictureLabels labels = LabelsOf(picture);
    for (int i = 0; i < labels.count; ++i) {
        const PictureLabel& label = labels.labels[static_cast<std::size_t>(i)];
        const PixelRect& b = label.box;
        bool inked = false;
        for (int y = b.top; y < b.bottom; ++y) {
            for (int x = b.left; x < b.right; ++x) {
                inked = inked || canvas.Pixel(x, y) != label.paper;
            }
        }
        EXPECT_TRUE(inked && canvas.Pixel(b.left, b.top) == label.paper &&
                    canvas.Pixel(b.right - 1, b.bottom - 1) == label.paper)
            << "index " << index << " at " << width << " x " << height << ", label " << i;
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            std::optional<Rgb> expected;
            if (InLabel(labels, x, y)) {
                continue;
            }
            if (x < width && y < height) {
                expected = ExpectedPixel(picture, x, y);
            }
            if (overlayMark && x == 0 && y == 0) {
                expected = Rgb{1, 2, 3};
            }
            if (expected.has_value()) {
                if (canvas.Pixel(x, y) != *expected) {
                    const Rgb got = canvas.Pixel(x, y);
                    ADD_FAILURE() << "index " << index << " at " << width << " x " << height
                                  << ": pixel (" << x << ", " << y << ") is (" << int(got.red)
                                  << ", " << int(got.green) << ", " << int(got.blue)
                                  << "), expected (" << int(expected->red) << ", "
                                  << int(expected->green) << ", " << int(expected->blue) << ")";
                    return;
                }
            } else if (canvas.Raw(x, y) != Pattern(x, y)) {
                ADD_FAILURE() << "index " << index << " at " << width << " x " << height
                              << ": pixel (" << x << ", " << y << ") was painted over";
                return;
            }
        }
    }
}

class PaintTestScreenTest : public testing::Test {
protected:
    void SetUp() override {
        overlayLog.calls.clear();
        ASSERT_TRUE(recorder.Installed());
    }
    AppState state;
    ExtTextOutRecorder recorder;
};

// The canvas is one pixel larger each way than the area, so that paint outside the
// area shows; empty and negative areas must draw nothing, yet the information screen
// still hands the overlay its (empty) client rectangle.
TEST_F(PaintTestScreenTest, EveryIndexAtEverySize) {
    const int sizes[][2] = {{1, 1},       {2, 3},  {7, 5},      {3, 1},      {1, 4},   {1280, 1024},
                            {1920, 1080}, {0, 5},  {5, 0},      {0, 0},      {-4, 5},  {5, -1},
                            {-3, -7},     {9, 19}, {1000, 600}, {1366, 768}, {39, 20}, {300, 200}};
    for (const auto& [width, height] : sizes) {
        const int areaWidth = std::max(width, 0);
        const int areaHeight = std::max(height, 0);
        const bool empty = areaWidth == 0 || areaHeight == 0;
        DibCanvas canvas(areaWidth + 1, areaHeight + 1);
        ASSERT_TRUE(canvas.Ready());
        for (int index = -2; index <= 27; ++index) {
            SCOPED_TRACE(testing::Message()
                         << "index " << index << " at " << width << " x " << height);
            FillPattern(canvas);
            state.testIndex = index;
            overlayLog.calls.clear();
            recorder.Clear();

            PaintTestScreen(canvas.Dc(), width, height, state, RecordingOverlay);

            ExpectPicture(canvas, index, width, height, index == -1 && !empty);
            // Opaque, string-less fills, in the DC given, then the labels.
            const TestPicture picture = PlanTestPicture(index, width, height);
            const std::size_t fills = ExpectedFills(picture);
            const PictureLabels labels = LabelsOf(picture);
            ASSERT_EQ(recorder.Calls().size(), fills + static_cast<std::size_t>(labels.count));
            for (std::size_t i = fills; i < recorder.Calls().size(); ++i) {
                const ExtTextOutRecorder::Call& call = recorder.Calls()[i];
                const PictureLabel& label = labels.labels[i - fills];
                const RECT box{label.box.left, label.box.top, label.box.right, label.box.bottom};
                ASSERT_EQ(call.options, static_cast<UINT>(ETO_OPAQUE | ETO_CLIPPED));
                ASSERT_TRUE(call.hasRect && EqualRect(&call.rect, &box));
                ASSERT_EQ(call.text, reinterpret_cast<const wchar_t*>(label.text.data()));
                ASSERT_EQ(call.background,
                          RGB(label.paper.red, label.paper.green, label.paper.blue));
            }
            for (const ExtTextOutRecorder::Call& call : std::span(recorder.Calls()).first(fills)) {
                ASSERT_EQ(call.dc, canvas.Dc());
                ASSERT_EQ(call.options, static_cast<UINT>(ETO_OPAQUE));
                ASSERT_TRUE(call.hasRect);
                ASSERT_FALSE(call.hasString);
                ASSERT_EQ(call.length, 0u);
            }
            if (index == -1) {
                ASSERT_EQ(overlayLog.calls.size(), 1u);
                EXPECT_EQ(overlayLog.calls[0].dc, canvas.Dc());
                const RECT client{0, 0, areaWidth, areaHeight};
                EXPECT_TRUE(EqualRect(&overlayLog.calls[0].client, &client));
            } else {
                EXPECT_TRUE(overlayLog.calls.empty());
            }
        }
    }
}

struct PixelCase {
    int index, width, height, x, y;
    std::uint32_t packed;
};

// Exact pixels of the acceptance pictures as painted, at a width 256 divides not:
// square edges, step and band edges, gamma squares and row parity, checker parity.
TEST_F(PaintTestScreenTest, AcceptancePicturesPixelByPixel) {
    const PixelCase cases[] = {
        {14, 1000, 600, 999, 599, 0x0D0D0D},  {15, 1366, 768, 0, 0, 0x1A1A1A},
        {16, 1000, 600, 500, 300, 0x404040},  {17, 1366, 768, 1365, 767, 0x808080},
        {18, 1000, 600, 0, 599, 0xBFBFBF},    {19, 1000, 600, 65, 283, 0x010101},
        {19, 1000, 600, 64, 283, 0x000000},   {19, 1000, 600, 933, 315, 0x141414},
        {19, 1000, 600, 934, 315, 0x000000},  {19, 1366, 768, 90, 361, 0x010101},
        {19, 1366, 768, 90, 360, 0x000000},   {20, 1000, 600, 97, 300, 0xEBEBEB},
        {20, 1000, 600, 98, 300, 0xFFFFFF},   {20, 1366, 768, 1274, 405, 0xFEFEFE},
        {20, 1366, 768, 1274, 406, 0xFFFFFF}, {21, 1000, 600, 2, 149, 0x000000},
        {21, 1000, 600, 3, 150, 0x010000},    {21, 1000, 600, 995, 449, 0x00FE00},
        {21, 1000, 600, 996, 450, 0x0000FF},  {21, 1366, 768, 682, 191, 0x7F7F7F},
        {21, 1366, 768, 683, 383, 0x800000},  {21, 1366, 768, 1360, 767, 0x0000FF},
        {22, 1000, 600, 35, 264, 0xA5A5A5},   {22, 1000, 600, 34, 264, 0x000000},
        {22, 1000, 600, 35, 263, 0xFFFFFF},   {22, 1000, 600, 963, 334, 0xC7C7C7},
        {22, 1366, 768, 0, 767, 0xFFFFFF},    {22, 1366, 768, 683, 384, 0xBABABA},
        {23, 1000, 600, 0, 0, 0x000000},      {23, 1000, 600, 1, 0, 0xFFFFFF},
        {23, 1366, 768, 1365, 767, 0x000000}, {24, 1000, 600, 0, 1, 0x00FF00},
        {24, 1366, 768, 1, 1, 0xFF00FF},      {25, 1000, 600, 1, 0, 0x000000},
        {25, 1366, 768, 2, 0, 0xFFFFFF},      {26, 1000, 600, 1, 1, 0x00FF00},
        {26, 1366, 768, 3, 767, 0xFF00FF},
    };
    std::unique_ptr<DibCanvas> canvas;
    int painted = -1;
    for (const PixelCase& c : cases) {
        if (canvas == nullptr || canvas->Width() != c.width || painted != c.index) {
            canvas = std::make_unique<DibCanvas>(c.width, c.height);
            ASSERT_TRUE(canvas->Ready());
            state.testIndex = painted = c.index;
            PaintTestScreen(canvas->Dc(), c.width, c.height, state, nullptr);
            GdiFlush();
        }
        EXPECT_EQ(canvas->At(c.x, c.y), c.packed)
            << "index " << c.index << " at " << c.width << " x " << c.height << ", (" << c.x << ", "
            << c.y << ")";
    }
}

TEST_F(PaintTestScreenTest, NoDcOrNoWindowDrawsNothing) {
    DibCanvas canvas(4, 4);
    ASSERT_TRUE(canvas.Ready());
    FillPattern(canvas);
    state.testIndex = -1;
    PaintTestScreen(nullptr, 4, 4, state, RecordingOverlay);
    PaintTestScreen(nullptr, GetDesktopWindow(), state, RecordingOverlay);
    // A window handle that is no window: no client rectangle, nothing painted.
    PaintTestScreen(canvas.Dc(), static_cast<HWND>(nullptr), state, RecordingOverlay);
    ExpectPicture(canvas, 10, 4, 4, false);
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_TRUE(overlayLog.calls.empty());
}

TEST_F(PaintTestScreenTest, ReadsTheWindowsClientRectangleAtEveryCall) {
    struct Step {
        int width, height, index;
    };
    const Step steps[] = {{7, 5, 13},   {3, 9, 8},  {16, 1, -1}, {1, 16, 12},
                          {12, 12, 11}, {0, 4, -1}, {5, 0, 9}};
    DibCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.Ready());
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message()
                     << "index " << step.index << " at " << step.width << " x " << step.height);
        const TestWindow window(step.width, step.height);
        RECT client{};
        ASSERT_TRUE(GetClientRect(window.Get(), &client));
        ASSERT_EQ(client.right, step.width);
        ASSERT_EQ(client.bottom, step.height);
        FillPattern(canvas);
        state.testIndex = step.index;
        overlayLog.calls.clear();
        PaintTestScreen(canvas.Dc(), window.Get(), state, RecordingOverlay);
        const bool marked = step.index == -1 && step.width > 0 && step.height > 0;
        ExpectPicture(canvas, step.index, step.width, step.height, marked);
        ASSERT_EQ(overlayLog.calls.size(), step.index == -1 ? 1u : 0u);
        if (step.index == -1) {
            EXPECT_TRUE(EqualRect(&overlayLog.calls[0].client, &client));
        }
    }
    // Once a window is gone there is no client area to paint.
    const HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    FillPattern(canvas);
    state.testIndex = 0;
    PaintTestScreen(canvas.Dc(), gone, state, RecordingOverlay);
    ExpectPicture(canvas, 10, 16, 16, false);
}

struct SwitchCase {
    const char* what;
    int startIndex;
    std::vector<std::pair<std::size_t, int>> switches; // after fill n, testIndex = value
    std::size_t overlayCalls;
};

// The picture follows the index read at the start; the overlay needs the index to be
// the information screen both at the start and after the picture.
TEST_F(PaintTestScreenTest, IndexSwitchedDuringThePaint) {
    constexpr int kWidth = 7;
    constexpr int kHeight = 5;
    const SwitchCase cases[] = {
        {"no switch", -1, {}, 1},
        {"switch at the first row", -1, {{0, 0}}, 0},
        {"switch at the last row", -1, {{kHeight - 1, 13}}, 0},
        {"switch to an unknown index", -1, {{2, 14}}, 0},
        {"switch away and back", -1, {{0, 5}, {kHeight - 1, -1}}, 1},
        {"same index written again", -1, {{kHeight - 1, -1}}, 1},
        {"plain gradient switched to information screen", 13, {{0, -1}}, 0},
        {"vertical gradient switched to information screen", 9, {{kHeight - 1, -1}}, 0},
        {"solid switched to a gradient", 0, {{0, 8}}, 0},
        {"lines: no fills to switch between", 12, {}, 0},
    };
    DibCanvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.Ready());
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.what);
        FillPattern(canvas);
        state.testIndex = c.startIndex;
        overlayLog.calls.clear();
        recorder.Clear();
        for (const auto& [fill, value] : c.switches) {
            recorder.AtCall(fill, [this, v = value] { state.testIndex = v; });
        }
        PaintTestScreen(canvas.Dc(), kWidth, kHeight, state, RecordingOverlay);
        EXPECT_EQ(recorder.Calls().size(),
                  ExpectedFills(PlanTestPicture(c.startIndex, kWidth, kHeight)));
        ExpectPicture(canvas, c.startIndex, kWidth, kHeight, c.overlayCalls == 1);
        ASSERT_EQ(overlayLog.calls.size(), c.overlayCalls);
        if (c.overlayCalls == 1) {
            EXPECT_EQ(overlayLog.calls[0].testIndex, -1);
        }
    }
}

// Marks of every type, two of them crowded, one in the corner, on odd and even rows and
// columns: the rings leave the 11 x 11 square around every mark and everything beyond
// 24 pixels as the picture, show within 16 pixels (on the lines every pixel of a ring),
// and give each type a look of its own. The information screen and an empty log draw
// no ring, and no GDI object is left behind.
TEST_F(PaintTestScreenTest, RingsAroundMarksLeaveThePixelsTheyMark) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 90;
    MarkLog log(kWidth, kHeight);
    const PixelMark marks[] = {{30, 30, 1, 1},  {80, 30, 2, 0},  {130, 30, 3, 2},
                               {60, 70, 3, 8},  {68, 66, 1, 1},  {0, 0, 2, 0},
                               {109, 71, 1, 1}, {141, 72, 2, 0}, {20, 73, 3, 2}};
    for (const PixelMark& mark : marks) {
        ASSERT_TRUE(log.Add(mark));
    }
    const auto published = std::make_shared<PublishedLog>(MakePublishedLog(u"", log));
    const MarkRings rings{published, {1, 1}}; // the client pixel of monitor pixel (0, 0)
    DibCanvas canvas(kWidth + 2, kHeight + 2);
    ASSERT_TRUE(canvas.Ready());
    const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (const int index : {-1, 0, 1, 2, 8, 9, 11, 12, 17, 19, 21, 22, 23, 24, 26}) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        state.testIndex = index;
        PaintTestScreen(canvas.Dc(), kWidth + 2, kHeight + 2, state, nullptr);
        const std::vector<std::uint32_t> plain = canvas.Snapshot();
        PaintTestScreen(canvas.Dc(), kWidth + 2, kHeight + 2, state, nullptr, rings);
        const std::vector<std::uint32_t> ringed = canvas.Snapshot();
        std::vector<int> changedNear(std::size(marks), 0);
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const std::size_t at = static_cast<std::size_t>(y * canvas.Width() + x);
                const bool changed = (plain[at] & 0xFFFFFF) != (ringed[at] & 0xFFFFFF);
                int nearest = 1 << 20;
                for (std::size_t m = 0; m < std::size(marks); ++m) {
                    const int across =
                        std::max(std::abs(x - 1 - marks[m].x), std::abs(y - 1 - marks[m].y));
                    nearest = std::min(nearest, across);
                    changedNear[m] += changed && across <= 16 ? 1 : 0;
                }
                if (changed && (nearest <= 5 || nearest > 24 || index == -1)) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") changed, " << nearest
                                  << " from a mark";
                    return;
                }
            }
        }
        for (std::size_t m = 0; m < std::size(marks) && index != -1; ++m) {
            EXPECT_GT(changedNear[m], 10) << "no ring around mark " << m;
            const bool apart = m < 3 || m > 5; // from the other marks and the edges
            const bool lines = index == kHorizontalLines || index == kVerticalLines;
            if (apart && (lines || index >= kCheckerboard)) {
                EXPECT_EQ(changedNear[m], static_cast<int>(RingPixels(marks[m].type).size())) << m;
            }
        }
        if (index == 1) { // the three looks on black, each within its 33 x 33 square
            const auto look = [&](int cx, int cy) {
                std::vector<std::uint32_t> patch;
                for (int y = cy - 16; y <= cy + 16; ++y) {
                    for (int x = cx - 16; x <= cx + 16; ++x) {
                        patch.push_back(canvas.At(x + 1, y + 1));
                    }
                }
                return patch;
            };
            EXPECT_NE(look(30, 30), look(80, 30));
            EXPECT_NE(look(80, 30), look(130, 30));
            EXPECT_NE(look(30, 30), look(130, 30));
        }
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
    // An empty log draws nothing.
    state.testIndex = 1;
    const MarkRings none{std::make_shared<PublishedLog>(), {1, 1}};
    PaintTestScreen(canvas.Dc(), kWidth + 2, kHeight + 2, state, nullptr, none);
    EXPECT_TRUE(canvas.RowsAre(0, kHeight + 2, 0));
}

} // namespace
