// Screen captures as plain pixel arrays, and the few questions the tests ask of them:
// which pixels differ from another capture or from an expected picture, how many
// have a colour, and a PPM copy to look at when a test fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// 0xRRGGBB
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int red, int green, int blue) {
    return (static_cast<Rgb>(red) << 16) | (static_cast<Rgb>(green) << 8) | static_cast<Rgb>(blue);
}
constexpr int Red(Rgb colour) {
    return static_cast<int>((colour >> 16) & 0xFF);
}
constexpr int Green(Rgb colour) {
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int Blue(Rgb colour) {
    return static_cast<int>(colour & 0xFF);
}
std::string RgbText(Rgb colour); // "(r, g, b)" for failure messages

inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// A rectangle of screen pixels, row by row from its top-left corner.
struct Screenshot {
    Rect area;
    std::vector<Rgb> pixels;

    [[nodiscard]] bool Empty() const { return pixels.empty(); }
    // The pixel at screen position (x, y), which must lie inside `area`.
    [[nodiscard]] Rgb At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y - area.y) * static_cast<std::size_t>(area.width) +
                      static_cast<std::size_t>(x - area.x)];
    }
    bool operator==(const Screenshot&) const = default;
};

// The part of `wanted` that lies inside `shot`'s area.
Rect Clip(const Screenshot& shot, const Rect& wanted);

// Screen pixels of `area` (clipped to both captures) whose colours differ between
// `a` and `b`.
std::size_t CountDifferent(const Screenshot& a, const Screenshot& b, const Rect& area);

// Pixels of `area` (clipped to the capture) for which `test(x, y, colour)` holds,
// with (x, y) in screen coordinates.
std::size_t CountWhere(const Screenshot& shot, const Rect& area,
                       const std::function<bool(int, int, Rgb)>& test);

// The first pixels of `area` whose colour is not what `expected(x, y)` gives, at most
// `limit` of them, described for a failure message; empty when all match.
std::vector<std::string> Mismatches(const Screenshot& shot, const Rect& area,
                                    const std::function<Rgb(int, int)>& expected,
                                    std::size_t limit = 3);
// How many pixels of `area` differ from `expected` (0: the picture is there).
std::size_t CountMismatches(const Screenshot& shot, const Rect& area,
                            const std::function<Rgb(int, int)>& expected);

// What a font draws for a character it has no glyph for: a hollow rectangle with a
// one-pixel outline, at least twice as tall as wide. Returns such shapes in `area`
// (clipped to the capture): connected groups of ink pixels (`isInk`, neighbours
// across corners count) that are exactly the outline of their bounding box, with
// nothing inside. Letters never are, and the square ones of the scripts shown
// (Hangul's mieum, the Han radical for mouth) are not twice as tall as wide.
std::vector<Rect> MissingGlyphBoxes(const Screenshot& shot, const Rect& area,
                                    const std::function<bool(Rgb)>& isInk);

// Writes the capture as a binary PPM (P6) file; false when it cannot.
bool WritePpm(const Screenshot& shot, const std::filesystem::path& file);

} // namespace e2e
