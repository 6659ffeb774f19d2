// The motion test's frames (see motion_frame.h).
#include "screens/motion_frame.h"

#include <algorithm>

#include "screens/refresh_pacer.h"

namespace {

// Columns [begin, end) of the area.
struct Span {
    int begin;
    int end;
};

// At most two spans each: the bar, cut in two where it wraps.
using Spans = std::vector<Span>;

Spans Minus(const Spans& from, const Spans& cut) {
    Spans pieces = from;
    for (const Span& c : cut) {
        Spans rest;
        for (const Span& p : pieces) {
            if (c.end <= p.begin || c.begin >= p.end) {
                rest.push_back(p);
                continue;
            }
            if (p.begin < c.begin) {
                rest.push_back({p.begin, c.begin});
            }
            if (c.end < p.end) {
                rest.push_back({c.end, p.end});
            }
        }
        pieces = std::move(rest);
    }
    return pieces;
}

bool IsEmpty(const PixelRect& rect) noexcept {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

} // namespace

int MotionStep(int pixelsPerSecond, int hertz) noexcept {
    const int paced = PacedHertz(hertz);
    const long long speed = std::max(pixelsPerSecond, 0);
    return static_cast<int>(std::max((speed + paced / 2) / paced, 1LL));
}

MotionFrames::MotionFrames(int width, int height, int step) noexcept
    : width(std::max(width, 0)), height(std::max(height, 0)), step(std::max(step, 1)),
      barWidth(this->width > 0 ? std::max(this->width / 16, 1) : 0),
      // Squares of a fortieth of the width with gaps as wide: nineteen sides in all,
      // centred, half a side below the top of a strip that leaves as much below them.
      squareSide(std::max(this->width / 40, 1)),
      squaresLeft((this->width - (2 * kMotionSquareCount - 1) * squareSide) / 2),
      squaresTop(std::max(squareSide / 2, 1)),
      stripBottom(std::min(squareSide + 2 * squaresTop, this->height)) {}

int MotionFrames::BarLeft(std::uint64_t frame) const noexcept {
    if (width == 0) {
        return 0;
    }
    const auto w = static_cast<std::uint64_t>(width);
    return static_cast<int>(frame % w * (static_cast<std::uint64_t>(step) % w) % w);
}

PixelRect MotionFrames::Square(int i) const noexcept {
    if (i < 0 || i >= kMotionSquareCount) {
        return {};
    }
    const int left = squaresLeft + 2 * i * squareSide;
    PixelRect square{std::max(left, 0), std::min(squaresTop, stripBottom),
                     std::clamp(left + squareSide, 0, width),
                     std::min(squaresTop + squareSide, stripBottom)};
    if (IsEmpty(square)) {
        return {};
    }
    return square;
}

Rgb MotionFrames::PixelAt(std::uint64_t frame, int x, int y) const noexcept {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return kBlack;
    }
    if (y < stripBottom) {
        for (int i = 0; i < kMotionSquareCount; ++i) {
            const PixelRect s = Square(i);
            if (x >= s.left && x < s.right && y >= s.top && y < s.bottom) {
                return i == LitSquare(frame) ? kWhite : kMotionSquareDark;
            }
        }
        return kMotionStrip;
    }
    const int intoBar = ((x - BarLeft(frame)) % width + width) % width;
    return intoBar < barWidth ? kWhite : kMotionGrey;
}

namespace {

Spans BarSpans(int left, int barWidth, int width) {
    if (barWidth >= width) {
        return {{0, width}};
    }
    if (left + barWidth <= width) {
        return {{left, left + barWidth}};
    }
    return {{left, width}, {0, left + barWidth - width}};
}

void AddFill(std::vector<MotionFill>& fills, const PixelRect& rect, Rgb colour) {
    if (!IsEmpty(rect)) {
        fills.push_back({rect, colour});
    }
}

} // namespace

std::vector<MotionFill> MotionFrames::Whole(std::uint64_t frame) const {
    std::vector<MotionFill> fills;
    if (width == 0 || height == 0) {
        return fills;
    }
    AddFill(fills, {0, 0, width, stripBottom}, kMotionStrip);
    for (int i = 0; i < kMotionSquareCount; ++i) {
        AddFill(fills, Square(i), i == LitSquare(frame) ? kWhite : kMotionSquareDark);
    }
    AddFill(fills, {0, stripBottom, width, height}, kMotionGrey);
    for (const Span& span : BarSpans(BarLeft(frame), barWidth, width)) {
        AddFill(fills, {span.begin, stripBottom, span.end, height}, kWhite);
    }
    return fills;
}

std::vector<MotionFill> MotionFrames::Changes(std::uint64_t frame) const {
    if (frame == 0) {
        return Whole(0);
    }
    std::vector<MotionFill> fills;
    if (width == 0 || height == 0) {
        return fills;
    }
    const Spans before = BarSpans(BarLeft(frame - 1), barWidth, width);
    const Spans now = BarSpans(BarLeft(frame), barWidth, width);
    for (const Span& left : Minus(before, now)) {
        AddFill(fills, {left.begin, stripBottom, left.end, height}, kMotionGrey);
    }
    for (const Span& reached : Minus(now, before)) {
        AddFill(fills, {reached.begin, stripBottom, reached.end, height}, kWhite);
    }
    AddFill(fills, Square(LitSquare(frame - 1)), kMotionSquareDark);
    AddFill(fills, Square(LitSquare(frame)), kWhite);
    return fills;
}
