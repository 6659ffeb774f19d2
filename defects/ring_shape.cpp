// The rings' pixels, from their outlines, and the squares they must leave alone.
#include "defects/ring_shape.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>

namespace {

struct Point {
    int x;
    int y;
};

// Outlines one pixel apart, so the three make one solid band, also along the
// diagonals (whose points sum to consecutive values).
constexpr std::array<Point, 5> Square(int r) {
    return {{{-r, -r}, {r, -r}, {r, r}, {-r, r}, {-r, -r}}};
}
constexpr std::array<Point, 5> Diamond(int r) {
    return {{{0, -r}, {r, 0}, {0, r}, {-r, 0}, {0, -r}}};
}
// An octagon whose straight sides keep the half-length 4; close enough to a circle.
constexpr std::array<Point, 9> Octagon(int r) {
    constexpr int d = 4;
    return {{{-d, -r}, {d, -r}, {r, -d}, {r, d}, {d, r}, {-d, r}, {-r, d}, {-r, -d}, {-d, -r}}};
}

// The pixels of a closed outline whose sides are straight or diagonal, each once.
template <std::size_t N>
void AddOutline(const std::array<Point, N>& corners, bool white, std::vector<RingPixel>& pixels) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
        const Point a = corners[i];
        const Point b = corners[i + 1];
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        for (int s = 0; s < steps; ++s) { // the end is the next side's start
            pixels.push_back({a.x + (b.x - a.x) / steps * s, a.y + (b.y - a.y) / steps * s, white});
        }
    }
}

template <class Shape> std::vector<RingPixel> Ring(Shape shape, int inner) {
    std::vector<RingPixel> pixels;
    AddOutline(shape(inner), false, pixels);
    AddOutline(shape(inner + 1), true, pixels);
    AddOutline(shape(inner + 2), false, pixels);
    std::sort(pixels.begin(), pixels.end(), [](const RingPixel& a, const RingPixel& b) {
        return a.dy != b.dy ? a.dy < b.dy : a.dx < b.dx;
    });
    return pixels;
}

} // namespace

std::span<const RingPixel> RingPixels(int type) noexcept {
    static const std::vector<RingPixel> circle = Ring(Octagon, 7);
    static const std::vector<RingPixel> square = Ring(Square, 6);
    static const std::vector<RingPixel> diamond = Ring(Diamond, 11);
    switch (type) {
    case kLitPixel:
        return circle;
    case kDarkPixel:
        return square;
    case kSubPixel:
        return diamond;
    default:
        return {};
    }
}

std::vector<MarkSquare> CrowdedSquares(std::span<const PixelMark> marks) {
    // A ring reaches another mark's square only when the two are this close.
    constexpr int kNear = kRingExtent + kKeepClear;
    std::vector<int> order(marks.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return marks[static_cast<std::size_t>(a)].x < marks[static_cast<std::size_t>(b)].x;
    });
    std::vector<bool> crowded(marks.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const PixelMark& a = marks[static_cast<std::size_t>(order[i])];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const PixelMark& b = marks[static_cast<std::size_t>(order[j])];
            if (b.x - a.x > kNear) {
                break;
            }
            if (std::abs(b.y - a.y) <= kNear) {
                crowded[static_cast<std::size_t>(order[i])] = true;
                crowded[static_cast<std::size_t>(order[j])] = true;
            }
        }
    }
    std::vector<MarkSquare> squares;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (crowded[i]) {
            squares.push_back({marks[i].x - kKeepClear, marks[i].y - kKeepClear,
                               marks[i].x + kKeepClear + 1, marks[i].y + kKeepClear + 1});
        }
    }
    return squares;
}
