// Times the test screen painter drawing every picture into a real window's DC at
// full-screen sizes, against one fill of the whole area in the same run. Prints the
// median time per picture and its ratio to that single fill, the same picture drawn
// into an off-screen DIB, and the bare memory cost of writing a picture column by
// column or row by row without GDI.
// Run under Wine in an X server at least 3840 x 2160 large.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "screens/test_picture.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/test_painter.h"

namespace {

constexpr double kFrameMs = 16.0;

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// Median of `repetitions` timed runs of `draw`; GDI's batch is flushed inside the
// timing, and the window gets its messages between runs, as it would on screen.
template <class Draw> double MedianMs(int repetitions, Draw draw) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
        PumpMessages();
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        draw();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end, frequency));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const char* PictureName(int index) {
    static const char* const names[] = {"information screen (no texts)",
                                        "white",
                                        "black",
                                        "red",
                                        "green",
                                        "blue",
                                        "cyan",
                                        "purple",
                                        "yellow",
                                        "horizontal gradient",
                                        "vertical gradient",
                                        "(no picture)",
                                        "horizontal lines",
                                        "vertical lines",
                                        "plain gradient"};
    return index >= -1 && index <= 13 ? names[index + 1] : "?";
}

// A top-down 32-bit DIB section of the client size in a memory DC: where the same
// pictures go without the window surface, and where the memory pattern of the
// stripes can be timed without GDI at all.
class OffScreen {
public:
    OffScreen(int width, int height) : width(width), height(height) {
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
        bits = static_cast<volatile DWORD*>(memory);
        selection = std::make_unique<ScopedSelectObject>(dc.Get(), bitmap);
    }
    [[nodiscard]] bool Ready() const { return bits != nullptr && selection->Selected(); }
    [[nodiscard]] HDC Dc() const { return dc.Get(); }

    // One pixel per row and column, in the order the stripe fills write them.
    void WriteColumns() {
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                bits[static_cast<std::size_t>(y) * width + x] = static_cast<DWORD>(x);
            }
        }
    }
    void WriteRows() {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bits[static_cast<std::size_t>(y) * width + x] = static_cast<DWORD>(y);
            }
        }
    }

private:
    int width;
    int height;
    MemoryDc dc{nullptr};
    UniqueBitmap bitmap;
    volatile DWORD* bits = nullptr;
    std::unique_ptr<ScopedSelectObject> selection;
};

// Returns how many pictures took longer than one frame.
int BenchSize(HWND window, int width, int height, int repetitions) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    RECT client{};
    GetClientRect(window, &client);
    std::printf("\nClient area %ld x %ld (asked for %d x %d), median of %d paints\n", client.right,
                client.bottom, width, height, repetitions);

    WindowDc dc(window);
    OffScreen offScreen(client.right, client.bottom);
    if (!dc || !offScreen.Ready()) {
        std::printf("no device context\n");
        return 1;
    }
    const RECT whole{0, 0, client.right, client.bottom};
    int colour = 0;
    const double baseline = MedianMs(repetitions, [&] {
        colour = (colour + 1) & 0xFF;
        FillRectOpaque(dc.Get(), whole, RGB(colour, 0, 255 - colour));
    });
    const double rawColumns = MedianMs(repetitions, [&] { offScreen.WriteColumns(); });
    const double rawRows = MedianMs(repetitions, [&] { offScreen.WriteRows(); });
    std::printf("%-36s %10.3f ms\n", "one full-screen fill (the baseline)", baseline);
    std::printf("%-36s %10.3f ms  (%.2f x fill)\n", "columns into DIB memory, no GDI", rawColumns,
                rawColumns / baseline);
    std::printf("%-36s %10.3f ms  (%.2f x fill)\n", "rows into DIB memory, no GDI", rawRows,
                rawRows / baseline);
    std::printf("%-32s %6s %10s %8s %10s\n", "picture", "fills", "window ms", "x fill", "DIB ms");

    AppState state;
    int slow = 0;
    for (int index = -1; index <= 13; ++index) {
        state.testIndex = index;
        const double ms =
            MedianMs(repetitions, [&] { PaintTestScreen(dc.Get(), window, state, nullptr); });
        const double offScreenMs = MedianMs(repetitions, [&] {
            PaintTestScreen(offScreen.Dc(), client.right, client.bottom, state, nullptr);
        });
        const int fills = PlanTestPicture(index, client.right, client.bottom).FillCount();
        const bool overFrame = ms > kFrameMs;
        slow += overFrame ? 1 : 0;
        std::printf("%3d %-28s %6d %10.3f %8.2f %10.3f%s\n", index, PictureName(index), fills, ms,
                    ms / baseline, offScreenMs, overFrame ? "  over one frame" : "");
    }
    return slow;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PaintBenchWindow";
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (RegisterClassW(&windowClass) == 0) {
        std::printf("cannot register the window class\n");
        return 2;
    }
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"paint bench", WS_POPUP | WS_VISIBLE, 0, 0,
                        1920, 1080, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::printf("cannot create the window\n");
        return 2;
    }
    UpdateWindow(window);
    PumpMessages();

    // One frame is a must at 1920 x 1080 and a wish at 3840 x 2160.
    const int slow = BenchSize(window, 1920, 1080, repetitions);
    BenchSize(window, 3840, 2160, repetitions);
    DestroyWindow(window);
    PumpMessages();
    if (slow > 0) {
        std::printf("\n%d picture(s) over one frame (%.0f ms) at 1920 x 1080\n", slow, kFrameMs);
        return 1;
    }
    return 0;
}
