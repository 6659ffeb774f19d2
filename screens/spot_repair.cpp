// The marked-pixel flasher's decisions (see spot_repair.h).
#include "screens/spot_repair.h"

#include <algorithm>
#include <array>
#include <functional>

namespace {

constexpr std::array<Rgb, 5> kSpotColours{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 255},
    {0, 0, 0},
}};

// The status line's words per language index of the catalogue; %d is the minutes.
constexpr std::array<const char16_t*, 24> kLines{{
    u"Markierte Pixel blinken: %d min \u2013 beliebige Taste beendet",         // German
    u"Marked pixels flashing: %d min \u2013 any key stops",                    // English
    u"Pixel segnati lampeggianti: %d min \u2013 un tasto qualsiasi ferma",     // Italian
    u"Pixels marqu\u00E9s clignotants : %d min \u2013 une touche arr\u00EAte", // French
    u"\u041C\u0438\u0433\u0430\u043D\u0438\u0435 \u043E\u0442\u043C\u0435\u0447\u0435\u043D"
    u"\u043D\u044B\u0445 \u043F\u0438\u043A\u0441\u0435\u043B\u0435\u0439: %d \u043C\u0438"
    u"\u043D \u2013 \u043B\u044E\u0431\u0430\u044F \u043A\u043B\u0430\u0432\u0438\u0448"
    u"\u0430 \u043E\u0441\u0442\u0430\u043D\u0430\u0432\u043B\u0438\u0432\u0430\u0435\u0442", // Russian
    u"\u0E01\u0E33\u0E25\u0E31\u0E07\u0E01\u0E30\u0E1E\u0E23\u0E34\u0E1A\u0E1E\u0E34\u0E01"
    u"\u0E40\u0E0B\u0E25\u0E17\u0E35\u0E48\u0E17\u0E33\u0E40\u0E04\u0E23\u0E37\u0E48\u0E2D"
    u"\u0E07\u0E2B\u0E21\u0E32\u0E22: %d \u0E19\u0E32\u0E17\u0E35 \u2013 \u0E01\u0E14"
    u"\u0E1B\u0E38\u0E48\u0E21\u0E43\u0E14\u0E01\u0E47\u0E44\u0E14\u0E49\u0E40\u0E1E\u0E37"
    u"\u0E48\u0E2D\u0E2B\u0E22\u0E38\u0E14", // Thai
    u"\u0130\u015Faretli pikseller yan\u0131p s\u00F6n\u00FCyor: %d dk \u2013 herhangi bir "
    u"tu\u015F durdurur",                                                              // Turkish
    u"Utripanje ozna\u010Denih slikovnih pik: %d min \u2013 katera koli tipka ustavi", // Slovenian
    u"Megjel\u00F6lt k\u00E9ppontok villognak: %d perc \u2013 b\u00E1rmely billenty\u0171 "
    u"le\u00E1ll\u00EDtja", // Hungarian
    u"Blik\u00E1n\u00ED ozna\u010Den\u00FDch pixel\u016F: %d min \u2013 libovoln\u00E1 "
    u"kl\u00E1vesa zastav\u00ED",                                                      // Czech
    u"Miganie zaznaczonych pikseli: %d min \u2013 dowolny klawisz zatrzymuje",         // Polish
    u"Markerade pixlar blinkar: %d min \u2013 valfri tangent stoppar",                 // Swedish
    u"P\u00EDxeles marcados parpadeando: %d min \u2013 cualquier tecla detiene",       // Spanish
    u"Pixels marcados piscando: %d min \u2013 qualquer tecla para",                    // Brazil
    u"Piksel bertanda berkedip: %d menit \u2013 tekan tombol apa saja untuk berhenti", // Indonesian
    u"\u6A19\u8A18\u50CF\u7D20\u9583\u720D\u4E2D\uFF1A%d \u5206\u9418 \u2013 \u6309\u4EFB"
    u"\u610F\u9375\u505C\u6B62", // Traditional Chinese
    u"\u6807\u8BB0\u50CF\u7D20\u95EA\u70C1\u4E2D\uFF1A%d \u5206\u949F \u2013 \u6309\u4EFB"
    u"\u610F\u952E\u505C\u6B62", // Simplified Chinese
    u"Pixeli marca\u021Bi clipesc: %d min \u2013 orice tast\u0103 opre\u0219te", // Romanian
    u"\u0391\u03BD\u03B1\u03B2\u03BF\u03C3\u03B2\u03AE\u03BD\u03BF\u03C5\u03BD \u03C4\u03B1 "
    u"\u03C3\u03B7\u03BC\u03B5\u03B9\u03C9\u03BC\u03AD\u03BD\u03B1 pixel: %d \u03BB\u03B5"
    u"\u03C0\u03C4\u03AC \u2013 \u03BF\u03C0\u03BF\u03B9\u03BF\u03B4\u03AE\u03C0\u03BF\u03C4"
    u"\u03B5 \u03C0\u03BB\u03AE\u03BA\u03C4\u03C1\u03BF \u03C3\u03C4\u03B1\u03BC\u03B1\u03C4"
    u"\u03AC",                                                             // Greek
    u"Pixel segnati lampeggianti: %d min \u2013 un tasto qualsiasi ferma", // Italian (2)
    u"\u0686\u0634\u0645\u06A9 \u0632\u062F\u0646 \u067E\u06CC\u06A9\u0633\u0644\u200C\u0647"
    u"\u0627\u06CC \u0639\u0644\u0627\u0645\u062A\u200C\u062F\u0627\u0631: %d \u062F\u0642"
    u"\u06CC\u0642\u0647 \u2013 \u0628\u0631\u0627\u06CC \u062A\u0648\u0642\u0641 \u0647"
    u"\u0631 \u06A9\u0644\u06CC\u062F\u06CC \u0631\u0627 \u0628\u0632\u0646\u06CC\u062F", // Persian
    u"Gemarkeerde pixels knipperen: %d min \u2013 een willekeurige toets stopt",          // Dutch
    u"Markerede pixels blinker: %d min \u2013 en vilk\u00E5rlig tast stopper",            // Danish
    u"\uD45C\uC2DC\uD55C \uD53D\uC140 \uAE5C\uBC15\uC784: %d\uBD84 \u2013 \uC544\uBB34 "
    u"\uD0A4\uB098 \uB204\uB974\uBA74 \uBA48\uCDA4", // Korean
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
    const bool known = languageIndex >= 0 && languageIndex < static_cast<int>(kLines.size());
    return FormatText(known ? kLines[static_cast<std::size_t>(languageIndex)] : kLines[1],
                      {std::int64_t{minutes}});
}
