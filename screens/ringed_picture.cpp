// Composing the test picture with the rings (see ringed_picture.h).
#include "screens/ringed_picture.h"

#include <algorithm>

namespace {

std::uint32_t Packed(Rgb colour) noexcept {
    return static_cast<std::uint32_t>(colour.red) << 16 |
           static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

constexpr std::uint32_t kRingBlack = 0x000000;
constexpr std::uint32_t kRingWhite = 0xFFFFFF;
constexpr std::uint32_t kLinesRingOutline = 0x0000FF; // blue
constexpr std::uint32_t kLinesRingMiddle = 0xFFFF00;  // yellow

// Whether every band of `bandRows` rows is the same: a field, columns, or rows that
// repeat all the way down after a period that divides the band.
bool BandsAlike(const TestPicture& picture, int bandRows) noexcept {
    if (picture.shape == PictureShape::Solid || picture.shape == PictureShape::Nothing) {
        return true;
    }
    const RowSpans rows = picture.RepeatingRows();
    return rows.count == 1 && bandRows % rows.spans[0].period == 0;
}

} // namespace

std::uint32_t PicturePixel(const TestPicture& picture, int x, int y) noexcept {
    switch (picture.shape) {
    case PictureShape::Solid:
        return Packed(picture.solid);
    case PictureShape::Columns:
        return Packed(picture.FillColour(x));
    case PictureShape::Rows:
        return Packed(picture.FillColour(y));
    case PictureShape::Pattern:
        return Packed(picture.PatternColour(x, y));
    case PictureShape::Nothing:
        break;
    }
    return 0;
}

std::uint32_t RingColour(const TestPicture& picture, bool white) noexcept {
    const bool lined =
        picture.shape == PictureShape::Pattern
            ? picture.pattern == PatternKind::Checkerboard || picture.pattern == PatternKind::Gamma
            : picture.scheme == StripeScheme::Lines && picture.shape != PictureShape::Solid;
    if (lined) {
        return white ? kLinesRingMiddle : kLinesRingOutline;
    }
    return white ? kRingWhite : kRingBlack;
}

RingedBands::RingedBands(const TestPicture& picture, const PublishedLog& published, int originX,
                         int originY, int bandRows, RingedBands::Scratch& scratch)
    : picture(picture), published(published), originX(originX), originY(originY),
      bandRows(std::max(bandRows, 1)), bandsAlike(BandsAlike(picture, this->bandRows)),
      band(scratch.band), cleanBand(scratch.cleanBand), spanRows(scratch.spanRows) {
    band.resize(static_cast<std::size_t>(std::max(picture.width, 0)) *
                static_cast<std::size_t>(this->bandRows));
    for (int type = kLitPixel; type <= kSubPixel; ++type) {
        Stamp& stamp = stamps[type - kLitPixel];
        const std::span<const RingPixel> pixels = RingPixels(type);
        stamp.offset.reserve(pixels.size());
        stamp.dx.reserve(pixels.size());
        stamp.colour.reserve(pixels.size());
        std::size_t next = 0;
        for (int dy = -kRingExtent; dy <= kRingExtent + 1; ++dy) {
            while (next < pixels.size() && pixels[next].dy < dy) {
                const RingPixel& pixel = pixels[next++];
                stamp.offset.push_back(static_cast<std::ptrdiff_t>(pixel.dy) * picture.width +
                                       pixel.dx);
                stamp.dx.push_back(pixel.dx);
                stamp.colour.push_back(RingColour(picture, pixel.white));
            }
            stamp.rowStart[static_cast<std::size_t>(dy + kRingExtent)] = next;
        }
    }
    if (picture.shape == PictureShape::Pattern) {
        // Each distinct row composed once: pixel by pixel a pattern costs many times
        // the copies of its rows.
        spans = picture.RepeatingRows();
        const auto width = static_cast<std::size_t>(picture.width);
        spanRows.resize(static_cast<std::size_t>(spans.count) * 2 * width);
        for (int s = 0; s < spans.count; ++s) {
            const RowSpan& span = spans.spans[static_cast<std::size_t>(s)];
            for (int j = 0; j < std::min(span.period, span.bottom - span.top); ++j) {
                std::uint32_t* const row =
                    spanRows.data() + (static_cast<std::size_t>(s) * 2 + j) * width;
                for (int x = 0; x < picture.width; ++x) {
                    row[x] = PicturePixel(picture, x, span.top + j);
                }
            }
        }
    }
    if (bandsAlike) {
        cleanBand.resize(band.size());
        FillWithPicture(cleanBand, 0);
    }
}

void RingedBands::FillWithPicture(std::vector<std::uint32_t>& rows, int top) noexcept {
    const int width = picture.width;
    const auto row = [&](int y) { return rows.begin() + static_cast<std::ptrdiff_t>(y) * width; };
    if (picture.shape == PictureShape::Columns) {
        for (int x = 0; x < width; ++x) {
            row(0)[x] = PicturePixel(picture, x, top);
        }
        for (int y = 1; y < bandRows; ++y) {
            std::copy_n(row(0), width, row(y));
        }
        return;
    }
    if (picture.shape == PictureShape::Pattern) {
        const int bottom = std::min(top + bandRows, picture.height);
        for (int y = top; y < bottom; ++y) {
            std::copy_n(PatternRow(y), width, row(y - top));
        }
        return;
    }
    for (int y = 0; y < bandRows; ++y) {
        std::fill_n(row(y), width, PicturePixel(picture, 0, top + y));
    }
}

const std::uint32_t* RingedBands::PatternRow(int y) const noexcept {
    int s = 0;
    while (s + 1 < spans.count && spans.spans[static_cast<std::size_t>(s)].bottom <= y) {
        ++s;
    }
    const RowSpan& span = spans.spans[static_cast<std::size_t>(s)];
    const int j = span.period > 0 ? (y - span.top) % span.period : 0;
    return spanRows.data() + (static_cast<std::size_t>(s) * 2 + static_cast<std::size_t>(j)) *
                                 static_cast<std::size_t>(picture.width);
}

template <class Value> void RingedBands::WriteRings(int top, Value value) noexcept {
    const int width = picture.width;
    const int bottom = std::min(top + bandRows, picture.height);
    // The marks whose rings reach into the band.
    const auto from = std::lower_bound(published.byRow.begin(), published.byRow.end(),
                                       top - kRingExtent - originY,
                                       [](const PixelMark& mark, int y) { return mark.y < y; });
    for (auto mark = from; mark != published.byRow.end(); ++mark) {
        const int cx = mark->x + originX;
        const int cy = mark->y + originY;
        if (cy - kRingExtent >= bottom) {
            break;
        }
        if (mark->type < kLitPixel || mark->type > kSubPixel) {
            continue;
        }
        const Stamp& stamp = stamps[mark->type - kLitPixel];
        // The ring's rows inside the band.
        const auto rowIndex = [](int dy) {
            return static_cast<std::size_t>(std::clamp(dy, -kRingExtent, kRingExtent + 1) +
                                            kRingExtent);
        };
        const std::size_t first = stamp.rowStart[rowIndex(top - cy)];
        const std::size_t last = stamp.rowStart[rowIndex(bottom - cy)];
        const std::ptrdiff_t centre = static_cast<std::ptrdiff_t>(cy - top) * width + cx;
        std::uint32_t* const pixels = band.data() + centre;
        if (cx - kRingExtent >= 0 && cx + kRingExtent < width) {
            for (std::size_t i = first; i < last; ++i) {
                pixels[stamp.offset[i]] = value(stamp, i, centre);
            }
            continue;
        }
        for (std::size_t i = first; i < last; ++i) { // at the left or right edge
            const int x = cx + stamp.dx[i];
            if (x >= 0 && x < width) {
                pixels[stamp.offset[i]] = value(stamp, i, centre);
            }
        }
    }
}

void RingedBands::GiveSquaresBack(int top) noexcept {
    const int width = picture.width;
    const int bottom = std::min(top + bandRows, picture.height);
    // The squares are all of one height and listed by their top row.
    const auto from =
        std::upper_bound(published.crowded.begin(), published.crowded.end(), top - originY,
                         [](int y, const MarkSquare& square) { return y < square.bottom; });
    for (auto square = from; square != published.crowded.end(); ++square) {
        const int y0 = std::max(square->top + originY, top);
        if (y0 >= bottom) {
            break;
        }
        const int y1 = std::min(square->bottom + originY, bottom);
        const int x0 = std::max(square->left + originX, 0);
        const int x1 = std::min(square->right + originX, width);
        for (int y = y0; y < y1 && x0 < x1; ++y) {
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y - top) * width;
            if (bandsAlike) {
                std::copy(cleanBand.begin() + at + x0, cleanBand.begin() + at + x1,
                          band.begin() + at + x0);
            } else if (picture.shape == PictureShape::Pattern) {
                std::copy(PatternRow(y) + x0, PatternRow(y) + x1, band.begin() + at + x0);
            } else {
                std::fill(band.begin() + at + x0, band.begin() + at + x1,
                          PicturePixel(picture, 0, y));
            }
        }
    }
}

std::span<const std::uint32_t> RingedBands::Compose(int top) noexcept {
    if (!bandsAlike) {
        FillWithPicture(band, top);
    } else if (composedTop < 0) {
        std::copy(cleanBand.begin(), cleanBand.end(), band.begin());
    } else if (picture.shape == PictureShape::Solid) {
        // The last band's rings taken away again.
        const std::uint32_t colour = cleanBand.front();
        WriteRings(composedTop,
                   [colour](const Stamp&, std::size_t, std::ptrdiff_t) { return colour; });
    } else {
        const std::uint32_t* const clean = cleanBand.data();
        WriteRings(composedTop, [clean](const Stamp& stamp, std::size_t i, std::ptrdiff_t centre) {
            return clean[centre + stamp.offset[i]];
        });
    }
    WriteRings(top,
               [](const Stamp& stamp, std::size_t i, std::ptrdiff_t) { return stamp.colour[i]; });
    GiveSquaresBack(top);
    composedTop = top;
    const int rows = std::clamp(picture.height - top, 0, bandRows);
    return std::span<const std::uint32_t>(band).first(static_cast<std::size_t>(rows) *
                                                      static_cast<std::size_t>(picture.width));
}
