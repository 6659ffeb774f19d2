// Test and benchmark aid: a top-down 32-bit DIB section selected into a memory DC of
// its own, so that what GDI draws there (or what is copied there from a window) can be
// read back pixel by pixel. Header-only, so that the timing programs can use it too.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "screens/rgb.h"
#include "screens/win/gdi_owners.h"

// A colour as the read-back pixels hold it: 0x00RRGGBB.
constexpr std::uint32_t Packed(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue);
}
constexpr std::uint32_t Packed(const Rgb& colour) {
    return Packed(colour.red, colour.green, colour.blue);
}
constexpr Rgb Unpacked(std::uint32_t packed) {
    return {static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
            static_cast<std::uint8_t>(packed)};
}
constexpr COLORREF ColorRefOf(std::uint32_t packed) {
    return RGB(packed >> 16 & 0xFF, packed >> 8 & 0xFF, packed & 0xFF);
}

class DibCanvas {
public:
    DibCanvas(int width, int height) : width(width), height(height) {
        if (width <= 0 || height <= 0) {
            return;
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap =
            UniqueBitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        bits = static_cast<std::uint32_t*>(memory);
        selection = std::make_unique<ScopedSelectObject>(dc.Get(), bitmap);
    }

    // A copy of `window`'s client area as it is on screen now.
    explicit DibCanvas(HWND window) : DibCanvas(ClientSize(window)) {
        if (Ready()) {
            const WindowDc windowDc(window);
            BitBlt(dc.Get(), 0, 0, width, height, windowDc.Get(), 0, 0, SRCCOPY);
            GdiFlush();
        }
    }

    [[nodiscard]] bool Ready() const {
        return dc && bitmap && bits != nullptr && selection->Selected();
    }
    [[nodiscard]] HDC Dc() const { return dc.Get(); }
    [[nodiscard]] int Width() const { return width; }
    [[nodiscard]] int Height() const { return height; }
    // Row after row from the top; GdiFlush() first when GDI drew into the canvas.
    [[nodiscard]] std::uint32_t* Bits() const { return bits; }

    [[nodiscard]] std::uint32_t Raw(int x, int y) const { return bits[Offset(x, y)]; }
    void SetRaw(int x, int y, std::uint32_t value) { bits[Offset(x, y)] = value; }
    // The colour without the byte GDI leaves undefined.
    [[nodiscard]] std::uint32_t At(int x, int y) const { return Raw(x, y) & 0xFFFFFFu; }
    [[nodiscard]] Rgb Pixel(int x, int y) const { return Unpacked(At(x, y)); }

    // True when every pixel of rows [top, bottom) is `packed`.
    [[nodiscard]] bool RowsAre(int top, int bottom, std::uint32_t packed) const {
        GdiFlush();
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width; ++x) {
                if (At(x, y) != packed) {
                    return false;
                }
            }
        }
        return true;
    }
    [[nodiscard]] std::vector<std::uint32_t> Snapshot() const {
        GdiFlush();
        return {bits, bits + Offset(0, height)};
    }

private:
    struct Size {
        int width, height;
    };
    explicit DibCanvas(Size size) : DibCanvas(size.width, size.height) {}
    static Size ClientSize(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
    [[nodiscard]] std::size_t Offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }

    int width;
    int height;
    MemoryDc dc{nullptr};
    UniqueBitmap bitmap;
    std::uint32_t* bits = nullptr;
    std::unique_ptr<ScopedSelectObject> selection;
};
