// The throughput test's thread, its off-screen source image and its frames.
#include "screens/win/throughput_worker.h"

#include <timeapi.h>

#include <atomic>
#include <span>

#include "screens/source_image.h"
#include "screens/throughput_figures.h"
#include "screens/win/colour_ref.h"
#include "screens/win/gdi_owners.h"
#include "screens/win/painter.h"
#include "screens/win/worker_slot.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

// Program-wide run state. Only the one throughput worker touches it (the start rule
// guarantees one at a time); the figures and the frame count are atomics because
// tests and benchmarks read them from other threads.
struct RunState {
    UniqueBitmap sourceImage;
    int imageWidth = 0; // the client size the image was built for
    int imageHeight = 0;
    ThroughputMeter meter;
    std::atomic<int> scrollPhase{0};
    std::atomic<std::uint64_t> frames{0};
    std::atomic<double> mbPerSecond{0.0};
    std::atomic<double> framesPerSecond{0.0};
};

RunState& Run() {
    static RunState run;
    return run;
}

// Text `id` in the current language; empty when the catalogue lacks it.
TextView CatalogueText(const AppState& state, int id) noexcept {
    const char16_t* text =
        LookupText(TheCatalogue(), TheTranslation().Current(), state.languageIndex, id);
    return text != nullptr ? TextView(text) : TextView();
}

Text StatusText(const AppState& state, ThroughputVariant variant) {
    const RunState& run = Run();
    const Text name =
        ThroughputVariantName(variant, CatalogueText(state, 13), CatalogueText(state, 14));
    return ThroughputStatusText(run.mbPerSecond.load(), run.framesPerSecond.load(),
                                CatalogueText(state, 4), name);
}

void DrawLines(HDC dc, int width, int top, int height, COLORREF colour) noexcept {
    const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const ScopedSelectObject selection(dc, pen);
    for (int row = top; row < top + height; ++row) {
        MoveToEx(dc, 0, row, nullptr);
        LineTo(dc, width, row);
    }
}

void ThroughputWorkerBody(const WorkerTicket& ticket) {
    AppState& state = ticket.state;
    RunState& run = Run();
    // Taken before the image is built, so the first measurement includes that work.
    const DWORD start = timeGetTime();
    RECT client{};
    GetClientRect(ticket.window, &client);
    if (!BuildSourceImage(client.right - client.left, client.bottom - client.top)) {
        // Nothing to copy from: end the run and give the window back to the painter.
        if (ticket.Current()) {
            state.throughputRunning = 0;
            state.testIndex = -1;
            RepaintWindow(ticket.window);
        }
        return;
    }
    run.meter.BeginRun(start);
    RandomGenerator& generator = TheRandomGenerator();
    do {
        DrawThroughputFrame(ticket.window, state, generator);
        if (run.meter.FrameDone()) {
            run.meter.Measure(timeGetTime());
            run.mbPerSecond = run.meter.MbPerSecond();
            run.framesPerSecond = run.meter.FramesPerSecond();
        }
    } while (ticket.KeepRunning());
    // The shell repaints when it stops the test, possibly before this thread's last
    // band; paint once more so that no band stays on the screen.
    if (ticket.Current() && state.throughputRunning == 0) {
        RepaintWindow(ticket.window);
    }
}

WorkerSlot& ThroughputSlot() {
    static WorkerSlot slot(ThroughputWorkerBody, &AppState::throughputRunning);
    return slot;
}

} // namespace

bool BuildSourceImage(int clientWidth, int clientHeight) noexcept {
    RunState& run = Run();
    run.sourceImage.Reset();
    run.imageWidth = 0;
    run.imageHeight = 0;
    if (clientWidth < 0 || clientHeight <= 0) {
        return false;
    }
    const int width = clientWidth + kScrollRange;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -clientHeight; // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image || bits == nullptr) {
        return false;
    }
    // 32-bit rows need no padding: row y starts at y * width pixels.
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < clientHeight; ++y) {
        FillSourceRow(std::span<std::uint32_t>(pixels + static_cast<std::size_t>(y) * width,
                                               static_cast<std::size_t>(width)),
                      y);
    }
    run.sourceImage = std::move(image);
    run.imageWidth = clientWidth;
    run.imageHeight = clientHeight;
    return true;
}

namespace {

// The bands of one frame, from the status line down; `sourceDc` holds the source
// image for the block copy (null: nothing to copy from).
void DrawBands(HDC dc, const RECT& client, const AppState& state, ThroughputVariant variant,
               const Text& status, HDC sourceDc, RandomGenerator& generator) noexcept {
    RunState& run = Run();
    const int width = client.right - client.left;
    const int bandHeight = ThroughputBandHeight(variant, client.bottom - client.top);
    for (int y = client.top, band = 0; y < client.bottom; ++band) {
        const COLORREF colour = ToColorRef(NextBandColour(generator));
        SetBkColor(dc, colour);
        if (band == 0) {
            const RECT statusRect{client.left, y, client.right, y + kStatusBandHeight};
            SetBkColor(dc, RGB(0, 0, 0));
            SetTextColor(dc, RGB(255, 255, 255));
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &statusRect, Wide(status),
                        static_cast<UINT>(status.size()), nullptr);
            y += kStatusBandHeight;
        } else {
            if (bandHeight <= 0) {
                break; // no room below the status line
            }
            const RECT bandRect{client.left, y, client.right, y + bandHeight};
            switch (variant) {
            case ThroughputVariant::BlockCopy: {
                const int phase = NextScrollPhase(run.scrollPhase);
                run.scrollPhase = phase;
                if (sourceDc != nullptr) {
                    BitBlt(dc, client.left, y, width, bandHeight, sourceDc, phase, 0, SRCCOPY);
                }
                break;
            }
            case ThroughputVariant::Rectangles:
                FillRectOpaque(dc, bandRect, colour);
                DrawLines(dc, width, y, bandHeight, colour);
                break;
            case ThroughputVariant::Lines:
                DrawLines(dc, width, y, bandHeight, colour);
                break;
            }
            y += bandHeight;
        }
        if (state.throughputRunning == 0) {
            break;
        }
    }
}

} // namespace

bool DrawThroughputFrame(HWND window, const AppState& state, RandomGenerator& generator) noexcept {
    RunState& run = Run();
    run.frames.fetch_add(1, std::memory_order_relaxed);
    RECT client{};
    GetClientRect(window, &client);
    const WindowDc dc(window);
    if (!dc) {
        return false;
    }
    run.meter.CountPixels(
        ThroughputFramePixels(client.right - client.left, client.bottom - client.top));
    const ThroughputVariant variant = ThroughputVariantFrom(state.drawVariant);
    const Text status = StatusText(state, variant);
    if (variant == ThroughputVariant::BlockCopy) {
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        if (width != run.imageWidth || height != run.imageHeight) {
            // The window has moved to another monitor or the mode has changed: the
            // copy goes on from an image of the new size.
            BuildSourceImage(width, height);
        }
        // Declared in this order, the image is selected out before the DC goes.
        const MemoryDc sourceDc(nullptr);
        const ScopedSelectObject selection(sourceDc.Get(), run.sourceImage);
        DrawBands(dc.Get(), client, state, variant, status,
                  selection.Selected() ? sourceDc.Get() : nullptr, generator);
    } else {
        DrawBands(dc.Get(), client, state, variant, status, nullptr, generator);
    }
    return true;
}

bool StartThroughputWorkerThread(HWND window, AppState& state) noexcept {
    return ThroughputSlot().Start(window, state);
}

bool WaitForThroughputWorker(DWORD timeoutMs) noexcept {
    return ThroughputSlot().WaitUntilEnded(timeoutMs);
}

int ThroughputScrollPhase() noexcept {
    return Run().scrollPhase.load();
}
std::uint64_t ThroughputFrameCount() noexcept {
    return Run().frames.load();
}
double ThroughputMbPerSecond() noexcept {
    return Run().mbPerSecond.load();
}
double ThroughputFramesPerSecond() noexcept {
    return Run().framesPerSecond.load();
}
int ThroughputWorkersActive() noexcept {
    return ThroughputSlot().Active();
}
int ThroughputWorkersPeak() noexcept {
    return ThroughputSlot().PeakActive();
}
