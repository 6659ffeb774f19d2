// LZARI decoder: LZSS over a 4096-byte ring with adaptive arithmetic coding of
// literals and match lengths and a fixed distribution for match positions.
#include "text/lzari.h"

#include <algorithm>
#include <bit>

using namespace lzari;

namespace {

// The interval [low, high), the code value inside it and the bit stream behind it,
// for the length of one decode.
class Coder {
public:
    Coder(const std::uint8_t* stream, std::int32_t length) noexcept : in(stream), inLength(length) {
        value = TakeBits(M + 2);
    }

    // Where the value lies in the interval, scaled to 0..total - 1. As the value stays
    // inside [low, high), the result is below total and the product fits 32 bits.
    std::uint32_t Target(std::uint32_t total) const noexcept {
        return ((value - low + 1) * total - 1) / (high - low);
    }

    // Keeps the part [above, below) of `total` of the interval.
    void Narrow(std::uint32_t above, std::uint32_t below, std::uint32_t total) noexcept {
        const std::uint32_t range = high - low;
        high = low + range * below / total;
        low += range * above / total;
        Renormalise();
    }

private:
    // The next `count` (0..17) bits of the stream.
    std::uint32_t TakeBits(int count) noexcept {
        if (bitCount < count) {
            while (bitCount <= 56) {
                // Past the end of the block every bit reads as 1.
                const std::uint64_t byte = inPos < inLength ? in[inPos++] : 0xFF;
                bits |= byte << (56 - bitCount);
                bitCount += 8;
            }
        }
        const auto taken = static_cast<std::uint32_t>(bits >> 32 >> (32 - count));
        bits <<= count;
        bitCount -= count;
        return taken;
    }

    // Doubles the interval until it straddles the middle without fitting the middle
    // half, all steps at once. First go the leading bits on which low and high - 1
    // agree; then low reads 0 and high - 1 reads 1 at the top, and the bits below on
    // which low reads 1 and high - 1 reads 0 (an interval hugging the middle) are
    // dropped while the top bit stays. Together they are never more than 17.
    void Renormalise() noexcept {
        constexpr std::uint32_t kBelowTop = Q2 - 1;
        const std::uint32_t top = high - 1;
        const int settled = std::countl_zero(((low ^ top) << 15) | (1u << 14));
        const std::uint32_t lowSettled = low << settled;
        const std::uint32_t topSettled = (top << settled) | ((1u << settled) - 1);
        const int hugging = std::countl_zero(((topSettled | ~lowSettled) << 16) | (1u << 15));
        const int shift = settled + hugging;
        const std::uint32_t fresh = TakeBits(shift);
        value = (((value << settled) | (fresh >> hugging)) & Q2) |
                (((value << shift) | fresh) & kBelowTop);
        low = (low << shift) & kBelowTop;
        high = (Q2 | (((top << shift) | ((1u << shift) - 1)) & kBelowTop)) + 1;
    }

    const std::uint8_t* in;
    std::int32_t inLength;
    std::int32_t inPos = 0;
    std::uint64_t bits = 0; // the next bits of the stream, most significant first
    int bitCount = 0;
    std::uint32_t low = 0;
    std::uint32_t high = Q4;
    std::uint32_t value = 0;
};

int DecodeChar(Coder& coder, Model& model) noexcept {
    const int sym = model.Find(coder.Target(model.total));
    const std::uint32_t above = model.Above(sym);
    coder.Narrow(above, above + model.sym_freq[sym], model.total);
    const int ch = model.sym_to_char[sym];
    model.Update(sym);
    return ch;
}

int DecodePosition(Coder& coder) noexcept {
    const PositionTable& positions = Positions();
    const int p = positions.Find(coder.Target(positions.cum[0]));
    coder.Narrow(positions.cum[p + 1], positions.cum[p], positions.cum[0]);
    return p;
}

} // namespace

CLzAriMem::CLzAriMem() noexcept = default;
CLzAriMem::~CLzAriMem() = default;

std::uint32_t CLzAriMem::Decode(const std::uint8_t* compressed, std::uint8_t* output,
                                std::int32_t compressedLength,
                                std::int32_t outputCapacity) noexcept {
    const std::int32_t inLength =
        compressed != nullptr && compressedLength > 0 ? compressedLength : 0;
    // At most capacity - 1 bytes are stored.
    const std::int32_t room = output != nullptr && outputCapacity > 1 ? outputCapacity - 1 : 0;
    outWritten = 0;

    // A block too short to hold its header holds no text.
    textsize = 0;
    if (inLength < 4) {
        return textsize;
    }
    textsize = static_cast<std::uint32_t>(compressed[0]) |
               static_cast<std::uint32_t>(compressed[1]) << 8 |
               static_cast<std::uint32_t>(compressed[2]) << 16 |
               static_cast<std::uint32_t>(compressed[3]) << 24;
    // Once nothing more can be stored the rest of the stream cannot change the output,
    // so a corrupt header claiming gigabytes does not keep start-up busy.
    if (textsize == 0 || room == 0) {
        return textsize;
    }

    Coder coder(compressed + 4, inLength - 4);
    model.Start();
    std::fill(ring, ring + START, FILL);
    int r = START;
    std::int32_t written = 0;
    std::uint32_t count = 0;
    while (count < textsize && written < room) {
        const int c = DecodeChar(coder, model);
        if (c < 256) {
            output[written++] = static_cast<std::uint8_t>(c);
            ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
        } else {
            const int length = c - 255 + THRESHOLD;
            const int src = (r - DecodePosition(coder) - 1) & (N - 1);
            const int stored = std::min(length, room - written);
            // Byte by byte: the source may run into the bytes this match writes.
            for (int k = 0; k < length; ++k) {
                const std::uint8_t byte = ring[(src + k) & (N - 1)];
                ring[(r + k) & (N - 1)] = byte;
                if (k < stored) {
                    output[written + k] = byte;
                }
            }
            r = (r + length) & (N - 1);
            written += stored;
            count += static_cast<std::uint32_t>(length);
        }
    }
    outWritten = written;
    return textsize;
}
