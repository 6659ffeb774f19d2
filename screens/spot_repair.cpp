// The marked-pixel flasher's decisions (see spot_repair.h).
#include "screens/spot_repair.h"

#include <algorithm>
#include <array>
#include <functional>

#include "screens/own_texts.h"

namespace {

constexpr std::array<Rgb, 5> kSpotColours{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 255},
    {0, 0, 0},
}};

// Where a line along one row of the area may go: the leftmost free place, and whether
// the places at the area's left and right edges are free.
struct RowPlaces {
    int y;
    std::optional<int> leftmost;
    bool atLeft;
    bool atRight;
};

// `byLeft` are the squares ordered by their left edge, so that the spans they keep the
// line's left edge out of come in order and one sweep finds the gaps between them.
RowPlaces PlacesInRow(std::span<const PixelRect> byLeft, int y, int left, int right, int lineWidth,
                      int lineHeight) {
    constexpr int gap = kStatusLineClearance;
    int cursor = left; // the first place no span seen so far covers
    std::optional<int> leftmost;
    for (const PixelRect& s : byLeft) {
        if (y >= s.bottom + gap || s.top >= y + lineHeight + gap) {
            continue; // far enough above or below
        }
        const int from = s.left - gap - lineWidth + 1;
        if (from > right) {
            break;
        }
        if (from > cursor && !leftmost && cursor <= right) {
            leftmost = cursor;
        }
        cursor = std::max(cursor, s.right + gap);
    }
    const bool atRight = cursor <= right;
    if (!leftmost && atRight) {
        leftmost = cursor;
    }
    return {y, leftmost, leftmost == left, atRight};
}

} // namespace

std::vector<PixelRect> SpotSquares(std::span<const PixelMark> marks, int originX, int originY,
                                   int width, int height) {
    std::vector<PixelRect> squares;
    for (const PixelMark& mark : marks) {
        const int x = mark.x + originX;
        const int y = mark.y + originY;
        const PixelRect square{std::max(x - kSpotReach, 0), std::max(y - kSpotReach, 0),
                               std::min(x + kSpotReach + 1, width),
                               std::min(y + kSpotReach + 1, height)};
        if (square.left < square.right && square.top < square.bottom) {
            squares.push_back(square);
        }
    }
    return squares;
}

Rgb SpotColour(std::uint64_t frame) noexcept {
    return kSpotColours[frame % kSpotColours.size()];
}

std::optional<PixelRect> PlaceStatusLine(std::span<const PixelRect> squares, int width, int height,
                                         int lineWidth, int lineHeight) {
    constexpr int kMargin = 8;
    constexpr int gap = kStatusLineClearance;
    const int left = kMargin;
    const int right = width - kMargin - lineWidth;
    const int top = kMargin;
    const int bottom = height - kMargin - lineHeight;
    if (right < left || bottom < top) {
        return std::nullopt;
    }
    std::vector<PixelRect> byLeft(squares.begin(), squares.end());
    std::sort(byLeft.begin(), byLeft.end(),
              [](const PixelRect& a, const PixelRect& b) { return a.left < b.left; });
    // A line that fits somewhere still fits when moved down until it meets a square's
    // clearance or the bottom: the rows worth trying are those, and the top.
    std::vector<int> ys{bottom, top};
    for (const PixelRect& s : squares) {
        for (const int y : {s.bottom + gap, s.top - gap - lineHeight}) {
            if (y > top && y < bottom) {
                ys.push_back(y);
            }
        }
    }
    std::sort(ys.begin() + 2, ys.end(), std::greater<>());
    ys.erase(std::unique(ys.begin() + 2, ys.end()), ys.end());
    std::vector<RowPlaces> rows; // the bottom row, the top row, then upwards
    rows.reserve(ys.size());
    for (const int y : ys) {
        rows.push_back(PlacesInRow(byLeft, y, left, right, lineWidth, lineHeight));
    }
    const auto at = [&](int x, int y) {
        return std::optional<PixelRect>(PixelRect{x, y, x + lineWidth, y + lineHeight});
    };
    const RowPlaces& bottomRow = rows[0];
    const RowPlaces& topRow = rows[1];
    if (bottomRow.atLeft) {
        return at(left, bottom);
    }
    if (bottomRow.atRight) {
        return at(right, bottom);
    }
    if (topRow.atLeft) {
        return at(left, top);
    }
    if (topRow.atRight) {
        return at(right, top);
    }
    for (const RowPlaces* row : {&bottomRow, &topRow}) {
        if (row->leftmost) {
            return at(*row->leftmost, row->y);
        }
    }
    // Lowest first: the bottom row, then upwards, the top row last.
    std::vector<const RowPlaces*> lowestFirst{&bottomRow};
    for (std::size_t i = 2; i < rows.size(); ++i) {
        lowestFirst.push_back(&rows[i]);
    }
    lowestFirst.push_back(&topRow);
    for (const bool leftEdge : {true, false}) {
        for (const RowPlaces* row : lowestFirst) {
            if (leftEdge ? row->atLeft : row->atRight) {
                return at(leftEdge ? left : right, row->y);
            }
        }
    }
    for (const RowPlaces* row : lowestFirst) {
        if (row->leftmost) {
            return at(*row->leftmost, row->y);
        }
    }
    return std::nullopt;
}

Text SpotRepairLine(int languageIndex, int minutes) {
    return FormatText(OwnTextsOf(languageIndex).spotRepairLine, {std::int64_t{minutes}});
}
