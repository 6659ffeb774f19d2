// The test screen painter drawn into a 32-bit DIB section and read back pixel by
// pixel, for every test index at small, odd and full-screen sizes; the fills it
// makes; the information overlay's hook; the client rectangle of a real window.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "screens/test_picture.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/test_painter.h"
#include "tests/windows/ext_text_out_recorder.h"

namespace {

// A top-down 32-bit DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap =
            UniqueBitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        bits = static_cast<std::uint32_t*>(memory);
        selection = std::make_unique<ScopedSelectObject>(dc.Get(), bitmap);
    }
    [[nodiscard]] bool Ready() const {
        return dc && bitmap && bits != nullptr && selection->Selected();
    }
    [[nodiscard]] HDC Dc() const { return dc.Get(); }

    // A pattern that no picture draws over a whole area, so untouched pixels show.
    static std::uint32_t Pattern(int x, int y) {
        return 0x00A50000u | static_cast<std::uint32_t>((x * 31 + y * 17) & 0xFFFF);
    }
    void FillPattern() {
        GdiFlush();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bits[y * width + x] = Pattern(x, y);
            }
        }
    }
    [[nodiscard]] std::uint32_t Raw(int x, int y) const { return bits[y * width + x]; }
    [[nodiscard]] Rgb Pixel(int x, int y) const {
        const std::uint32_t p = Raw(x, y);
        return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                static_cast<std::uint8_t>(p)};
    }

    const int width;
    const int height;

private:
    MemoryDc dc{nullptr};
    UniqueBitmap bitmap;
    std::uint32_t* bits = nullptr;
    std::unique_ptr<ScopedSelectObject> selection;
};

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
    case PictureShape::Nothing:
        break;
    }
    return std::nullopt;
}

// Compares the canvas with the picture of `index` over width x height (the rest of
// the canvas must be untouched). Reports the first wrong pixel only.
void ExpectPicture(const Canvas& canvas, int index, int width, int height, bool overlayMark) {
    GdiFlush();
    const TestPicture picture = PlanTestPicture(index, width, height);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            std::optional<Rgb> expected;
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
            } else if (canvas.Raw(x, y) != Canvas::Pattern(x, y)) {
                ADD_FAILURE() << "index " << index << " at " << width << " x " << height
                              << ": pixel (" << x << ", " << y << ") was painted over";
                return;
            }
        }
    }
}

// Fills a picture must take, counted here independently of the plan.
int ExpectedFillCount(int index, int width, int height) {
    if (width < 1 || height < 1) {
        return 0;
    }
    if (index >= 0 && index <= 7) {
        return 1;
    }
    switch (index) {
    case 8:
    case 12:
        return width;
    case -1:
    case 9:
    case 11:
    case 13:
        return height;
    default:
        return 0;
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

TEST_F(PaintTestScreenTest, EveryIndexAtEverySize) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {3, 1}, {1, 4}, {1280, 1024}, {1920, 1080}};
    for (const auto& size : sizes) {
        const int width = size[0];
        const int height = size[1];
        Canvas canvas(width, height);
        ASSERT_TRUE(canvas.Ready());
        for (int index = -2; index <= 14; ++index) {
            SCOPED_TRACE(testing::Message()
                         << "index " << index << " at " << width << " x " << height);
            canvas.FillPattern();
            state.testIndex = index;
            overlayLog.calls.clear();
            recorder.Clear();

            PaintTestScreen(canvas.Dc(), width, height, state, RecordingOverlay);

            ExpectPicture(canvas, index, width, height, index == -1);
            // One opaque, string-less fill per stripe, in the DC given.
            ASSERT_EQ(static_cast<int>(recorder.Calls().size()),
                      ExpectedFillCount(index, width, height));
            for (const ExtTextOutRecorder::Call& call : recorder.Calls()) {
                ASSERT_EQ(call.dc, canvas.Dc());
                ASSERT_EQ(call.options, static_cast<UINT>(ETO_OPAQUE));
                ASSERT_TRUE(call.hasRect);
                ASSERT_FALSE(call.hasString);
                ASSERT_EQ(call.length, 0u);
            }
            if (index == -1) {
                ASSERT_EQ(overlayLog.calls.size(), 1u);
                EXPECT_EQ(overlayLog.calls[0].dc, canvas.Dc());
                const RECT client{0, 0, width, height};
                EXPECT_TRUE(EqualRect(&overlayLog.calls[0].client, &client));
            } else {
                EXPECT_TRUE(overlayLog.calls.empty());
            }
        }
    }
}

struct PixelCase {
    int index, width, height, x, y;
    Rgb colour;
};

TEST_F(PaintTestScreenTest, HandPickedPixels) {
    const PixelCase cases[] = {
        {8, 1280, 8, 640, 3, {100, 0, 100}}, {8, 1920, 4, 1919, 0, {199, 0, 1}},
        {9, 6, 1, 5, 0, {0, 0, 200}},        {-1, 2, 1080, 1, 540, {100, 0, 100}},
        {11, 4, 3, 3, 0, {0, 0, 0}},         {11, 4, 3, 3, 1, {255, 255, 255}},
        {11, 4, 3, 3, 2, {0, 0, 0}},         {12, 2, 5, 0, 4, {0, 0, 0}},
        {12, 2, 5, 1, 4, {255, 255, 255}},   {2, 3, 3, 2, 2, {255, 0, 0}},
        {4, 3, 3, 2, 2, {0, 0, 255}},        {6, 3, 3, 2, 2, {255, 0, 255}},
    };
    for (const PixelCase& c : cases) {
        Canvas canvas(c.width, c.height);
        ASSERT_TRUE(canvas.Ready());
        canvas.FillPattern();
        state.testIndex = c.index;
        PaintTestScreen(canvas.Dc(), c.width, c.height, state, nullptr);
        GdiFlush();
        EXPECT_EQ(canvas.Pixel(c.x, c.y), c.colour)
            << "index " << c.index << " at " << c.width << " x " << c.height << ", pixel (" << c.x
            << ", " << c.y << ")";
    }
}

struct EmptyAreaCase {
    int index, width, height;
    std::size_t overlayCalls;
    RECT client; // what the overlay is given
};

TEST_F(PaintTestScreenTest, EmptyAndNegativeAreasDrawNothing) {
    const EmptyAreaCase cases[] = {
        {8, 0, 5, 0, {}},
        {12, 0, 5, 0, {}},
        {11, 5, 0, 0, {}},
        {9, 5, 0, 0, {}},
        {13, 5, 0, 0, {}},
        {0, 0, 0, 0, {}},
        {8, -4, 5, 0, {}},
        {11, 5, -1, 0, {}},
        {-1, 5, 0, 1, {0, 0, 5, 0}},
        {-1, 0, 5, 1, {0, 0, 0, 5}},
        {-1, -3, -7, 1, {0, 0, 0, 0}},
    };
    Canvas canvas(8, 8);
    ASSERT_TRUE(canvas.Ready());
    for (const EmptyAreaCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "index " << c.index << " at " << c.width << " x " << c.height);
        canvas.FillPattern();
        state.testIndex = c.index;
        overlayLog.calls.clear();
        recorder.Clear();
        PaintTestScreen(canvas.Dc(), c.width, c.height, state, RecordingOverlay);
        ExpectPicture(canvas, 10, 8, 8, false);
        EXPECT_TRUE(recorder.Calls().empty());
        ASSERT_EQ(overlayLog.calls.size(), c.overlayCalls);
        if (c.overlayCalls == 1) {
            EXPECT_TRUE(EqualRect(&overlayLog.calls[0].client, &c.client));
        }
    }
}

TEST_F(PaintTestScreenTest, NoDcOrNoWindowDrawsNothing) {
    Canvas canvas(4, 4);
    ASSERT_TRUE(canvas.Ready());
    canvas.FillPattern();
    state.testIndex = -1;
    PaintTestScreen(nullptr, 4, 4, state, RecordingOverlay);
    PaintTestScreen(nullptr, GetDesktopWindow(), state, RecordingOverlay);
    // A window handle that is no window: no client rectangle, nothing painted.
    PaintTestScreen(canvas.Dc(), static_cast<HWND>(nullptr), state, RecordingOverlay);
    ExpectPicture(canvas, 10, 4, 4, false);
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_TRUE(overlayLog.calls.empty());
}

// A borderless, hidden window: its client area is its whole size.
class PopupWindow {
public:
    PopupWindow(int width, int height)
        : window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr)) {}
    ~PopupWindow() { Destroy(); }
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;
    [[nodiscard]] HWND Get() const { return window; }
    void Destroy() {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }

private:
    HWND window;
};

TEST_F(PaintTestScreenTest, ReadsTheWindowsClientRectangleAtEveryCall) {
    struct Step {
        int width, height, index;
    };
    const Step steps[] = {{7, 5, 13},   {3, 9, 8},  {16, 1, -1}, {1, 16, 12},
                          {12, 12, 11}, {0, 4, -1}, {5, 0, 9}};
    PopupWindow window(7, 5);
    ASSERT_NE(window.Get(), nullptr);
    Canvas canvas(16, 16);
    ASSERT_TRUE(canvas.Ready());
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message()
                     << "index " << step.index << " at " << step.width << " x " << step.height);
        ASSERT_TRUE(SetWindowPos(window.Get(), nullptr, 0, 0, step.width, step.height,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
        RECT client{};
        ASSERT_TRUE(GetClientRect(window.Get(), &client));
        ASSERT_EQ(client.right, step.width);
        ASSERT_EQ(client.bottom, step.height);
        canvas.FillPattern();
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
    // Once the window is gone there is no client area to paint.
    const HWND gone = window.Get();
    window.Destroy();
    canvas.FillPattern();
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
        {"lines switched to information screen", 12, {{3, -1}}, 0},
    };
    Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.Ready());
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.what);
        canvas.FillPattern();
        state.testIndex = c.startIndex;
        overlayLog.calls.clear();
        recorder.Clear();
        for (const auto& [fill, value] : c.switches) {
            recorder.AtCall(fill, [this, v = value] { state.testIndex = v; });
        }
        PaintTestScreen(canvas.Dc(), kWidth, kHeight, state, RecordingOverlay);
        EXPECT_EQ(static_cast<int>(recorder.Calls().size()),
                  ExpectedFillCount(c.startIndex, kWidth, kHeight));
        ExpectPicture(canvas, c.startIndex, kWidth, kHeight, c.overlayCalls == 1);
        ASSERT_EQ(overlayLog.calls.size(), c.overlayCalls);
        if (c.overlayCalls == 1) {
            EXPECT_EQ(overlayLog.calls[0].testIndex, -1);
        }
    }
}

} // namespace
