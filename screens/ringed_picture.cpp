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

} // namespace

std::uint32_t PicturePixel(const TestPicture& picture, int x, int y) noexcept {
    switch (picture.shape) {
    case PictureShape::Solid:
        return Packed(picture.solid);
    case PictureShape::Columns:
        return Packed(picture.FillColour(x));
    case PictureShape::Rows:
        return Packed(picture.FillColour(y));
    case PictureShape::Nothing:
        break;
    }
    return 0;
}

RingedBands::RingedBands(const TestPicture& picture, const PublishedLog& published, int originX,
                         int originY, int bandRows, RingedBands::Scratch& scratch)
    : picture(picture), published(published), originX(originX), originY(originY),
      bandRows(std::max(bandRows, 1)),
      bandsAlike(picture.shape != PictureShape::Rows ||
                 (picture.scheme == StripeScheme::Lines && this->bandRows % 2 == 0)),
      band(scratch.band), cleanBand(scratch.cleanBand) {
    band.resize(static_cast<std::size_t>(std::max(picture.width, 0)) *
                static_cast<std::size_t>(this->bandRows));
    for (int type = kLitPixel; type <= kSubPixel; ++type) {
        for (const RingPixel& pixel : RingPixels(type)) {
            steps[type - kLitPixel].push_back(
                {pixel.dy, pixel.dx,
                 static_cast<std::ptrdiff_t>(pixel.dy) * picture.width + pixel.dx,
                 pixel.white ? kRingWhite : kRingBlack});
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
    for (int y = 0; y < bandRows; ++y) {
        std::fill_n(row(y), width, PicturePixel(picture, 0, top + y));
    }
}

void RingedBands::WriteRings(int top, const std::uint32_t* clean) noexcept {
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
        const std::vector<Step>& ring = steps[mark->type - kLitPixel];
        // The ring's rows inside the band: its pixels are listed row by row.
        const auto first = std::lower_bound(ring.begin(), ring.end(), top - cy,
                                            [](const Step& step, int dy) { return step.dy < dy; });
        const auto last = std::lower_bound(first, ring.end(), bottom - cy,
                                           [](const Step& step, int dy) { return step.dy < dy; });
        const std::ptrdiff_t centre = static_cast<std::ptrdiff_t>(cy - top) * width + cx;
        std::uint32_t* const pixels = band.data() + centre;
        if (cx - kRingExtent >= 0 && cx + kRingExtent < width) {
            if (clean != nullptr) {
                for (auto step = first; step != last; ++step) {
                    pixels[step->offset] = clean[centre + step->offset];
                }
            } else {
                for (auto step = first; step != last; ++step) {
                    pixels[step->offset] = step->colour;
                }
            }
            continue;
        }
        for (auto step = first; step != last; ++step) { // at the left or right edge
            const int x = cx + step->dx;
            if (x >= 0 && x < width) {
                pixels[step->offset] =
                    clean != nullptr ? clean[centre + step->offset] : step->colour;
            }
        }
    }
}

void RingedBands::GiveSquaresBack(int top) noexcept {
    const int width = picture.width;
    const int bottom = std::min(top + bandRows, picture.height);
    for (const MarkSquare& square : published.crowded) {
        const int y0 = std::max(square.top + originY, top);
        const int y1 = std::min(square.bottom + originY, bottom);
        const int x0 = std::max(square.left + originX, 0);
        const int x1 = std::min(square.right + originX, width);
        for (int y = y0; y < y1; ++y) {
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y - top) * width;
            for (int x = x0; x < x1; ++x) {
                band[static_cast<std::size_t>(at + x)] =
                    bandsAlike ? cleanBand[static_cast<std::size_t>(at + x)]
                               : PicturePixel(picture, x, y);
            }
        }
    }
}

std::span<const std::uint32_t> RingedBands::Compose(int top) noexcept {
    if (!bandsAlike) {
        FillWithPicture(band, top);
    } else if (composedTop < 0) {
        std::copy(cleanBand.begin(), cleanBand.end(), band.begin());
    } else {
        WriteRings(composedTop, cleanBand.data());
    }
    WriteRings(top, nullptr);
    GiveSquaresBack(top);
    composedTop = top;
    return band;
}
