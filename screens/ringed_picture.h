// A test picture with the defect marks' rings, composed pixel by pixel one band of
// rows at a time and drawn by a few copies of whole bands: a thousand rings as GDI
// lines cost several times the picture, as pixels of a band next to nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "defects/shared_log.h"
#include "screens/picture.h"

// The colour of a picture's pixel, 0x00RRGGBB as a 32-bit DIB holds it; black for a
// picture without pixels of its own.
[[nodiscard]] std::uint32_t PicturePixel(const TestPicture& picture, int x, int y) noexcept;

// The colour of a ring pixel (its outline's, white or black) over `picture`: white
// between black, which shows on every field and gradient. A ring side that runs along
// the line pictures' black and white lines would vanish into them, so there the ring is
// yellow between blue, neither of which a line has; so too on the checkerboards (black
// and white, purple and green) and over the gamma picture's lines.
[[nodiscard]] std::uint32_t RingColour(const TestPicture& picture, bool white) noexcept;

class RingedBands {
public:
    // Buffers that a thread keeps from paint to paint, so that a paint does not wait
    // for fresh memory to be mapped.
    struct Scratch {
        std::vector<std::uint32_t> band;
        std::vector<std::uint32_t> cleanBand; // the picture's band, when all are alike
        std::vector<std::uint32_t> spanRows;  // a pattern's distinct rows, two per span
    };

    // The rings of `published`, its monitor pixel (0, 0) at picture pixel (originX,
    // originY), over `picture`, in bands of `bandRows` rows (at least 1), composed in
    // `scratch`.
    RingedBands(const TestPicture& picture, const PublishedLog& published, int originX, int originY,
                int bandRows, Scratch& scratch);

    // The rows top .. top + bandRows - 1 (fewer at the bottom), each picture.width
    // pixels, valid until the next call; `top` a multiple of bandRows, in any order.
    // Where rings cross, the ring of the mark lower down shows (of two on one row, the
    // later in the log). The keep-clear square of every crowded mark shows the picture.
    [[nodiscard]] std::span<const std::uint32_t> Compose(int top) noexcept;

private:
    // A ring's pixels as offsets into the band from its mark's pixel, row by row, and
    // where each of its rows starts (dy from -kRingExtent, then the end).
    struct Stamp {
        std::vector<std::ptrdiff_t> offset;
        std::vector<int> dx;
        std::vector<std::uint32_t> colour;
        std::array<std::size_t, 2 * kRingExtent + 2> rowStart{};
    };
    // Writes value(stamp, i, centre) to the ring pixels that fall into the band at
    // `top`: their ring colours, or the clean picture's to take them away again.
    template <class Value> void WriteRings(int top, Value value) noexcept;
    void GiveSquaresBack(int top) noexcept;
    void FillWithPicture(std::vector<std::uint32_t>& rows, int top) noexcept;
    // Row y of a pattern picture, from the rows composed once per span.
    [[nodiscard]] const std::uint32_t* PatternRow(int y) const noexcept;

    const TestPicture& picture;
    const PublishedLog& published;
    int originX;
    int originY;
    int bandRows;
    // Every band of the picture is the same (a field, columns, lines in even bands):
    // the next band only needs the last one's rings taken away.
    bool bandsAlike;
    int composedTop = -1;
    std::vector<std::uint32_t>& band;
    std::vector<std::uint32_t>& cleanBand;
    RowSpans spans; // a pattern's spans of repeating rows
    std::vector<std::uint32_t>& spanRows;
    Stamp stamps[3]; // the ring of each type
};
