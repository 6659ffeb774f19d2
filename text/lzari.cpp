// LZARI decoder: LZSS over a 4096-byte ring with adaptive arithmetic coding of
// literals and match lengths and a fixed distribution for match positions.
#include "text/lzari.h"

#include <bit>

using namespace lzari;

CLzAriMem::CLzAriMem() noexcept = default;
CLzAriMem::~CLzAriMem() = default;

// The next `count` (0..17) bits of the stream.
std::uint32_t CLzAriMem::TakeBits(int count) noexcept {
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

void CLzAriMem::Put(std::uint8_t byte) noexcept {
    if (outWritten + 1 < outCapacity) {
        out[outWritten++] = byte;
    }
}

// Where the code value lies in [low, high), scaled to 0..total - 1. As value stays
// inside [low, high), the result is below total and the product fits 32 bits.
std::uint32_t CLzAriMem::Target(std::uint32_t total) const noexcept {
    return ((value - low + 1) * total - 1) / (high - low);
}

void CLzAriMem::Narrow(std::uint32_t above, std::uint32_t below, std::uint32_t total) noexcept {
    const std::uint32_t range = high - low;
    high = low + range * below / total;
    low += range * above / total;
    Renormalise();
}

// Doubles the interval until it straddles the middle without fitting the middle
// half, all steps at once: first the leading bits on which low and high - 1 agree,
// then the bits below the top on which low reads 1 and high - 1 reads 0 (the interval
// hugging the middle), which are dropped while the top bit stays.
void CLzAriMem::Renormalise() noexcept {
    constexpr std::uint32_t kMask = Q4 - 1;
    constexpr std::uint32_t kBelowTop = Q2 - 1;
    std::uint32_t top = high - 1;
    const int settled = std::countl_zero(((low ^ top) << 15) | (1u << 14));
    low = (low << settled) & kMask;
    top = ((top << settled) | ((1u << settled) - 1)) & kMask;
    value = ((value << settled) | TakeBits(settled)) & kMask;

    const int hugging = std::countl_zero(((top | ~low) << 16) | (1u << 15));
    low = (low << hugging) & kBelowTop;
    top = Q2 | (((top << hugging) | ((1u << hugging) - 1)) & kBelowTop);
    value = (value & Q2) | (((value << hugging) | TakeBits(hugging)) & kBelowTop);
    high = top + 1;
}

int CLzAriMem::DecodeChar() noexcept {
    std::uint32_t above = 0;
    const int sym = model.Find(Target(model.total), above);
    Narrow(above, above + model.sym_freq[sym], model.total);
    const int ch = model.sym_to_char[sym];
    model.Update(sym);
    return ch;
}

int CLzAriMem::DecodePosition() noexcept {
    const int p = POSITIONS.Find(Target(POSITIONS.cum[0]));
    Narrow(POSITIONS.cum[p + 1], POSITIONS.cum[p], POSITIONS.cum[0]);
    return p;
}

std::uint32_t CLzAriMem::Decode(const std::uint8_t* compressed, std::uint8_t* output,
                                std::int32_t compressedLength,
                                std::int32_t outputCapacity) noexcept {
    in = compressed;
    inLength = compressed != nullptr && compressedLength > 0 ? compressedLength : 0;
    inPos = 0;
    bits = 0;
    bitCount = 0;
    out = output;
    outCapacity = output != nullptr ? outputCapacity : 0;
    outWritten = 0;
    low = 0;
    high = Q4;
    value = 0;

    // A block too short to hold its header holds no text.
    textsize = 0;
    if (inLength >= 4) {
        textsize = static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
                   static_cast<std::uint32_t>(in[2]) << 16 |
                   static_cast<std::uint32_t>(in[3]) << 24;
        inPos = 4;
    }

    if (textsize != 0) {
        value = TakeBits(M + 2);
        model.Start();
        for (int i = 0; i < START; ++i) {
            ring[i] = FILL;
        }
        int r = START;
        std::uint32_t count = 0;
        // Once nothing more can be stored the rest of the stream cannot change the
        // output, so a corrupt header claiming gigabytes does not keep start-up busy.
        while (count < textsize && !OutputFull()) {
            const int c = DecodeChar();
            if (c < 256) {
                Put(static_cast<std::uint8_t>(c));
                ring[r] = static_cast<std::uint8_t>(c);
                r = (r + 1) & (N - 1);
                ++count;
            } else {
                const int length = c - 255 + THRESHOLD;
                const int src = (r - DecodePosition() - 1) & (N - 1);
                for (int k = 0; k < length; ++k) {
                    const std::uint8_t byte = ring[(src + k) & (N - 1)];
                    Put(byte);
                    ring[r] = byte;
                    r = (r + 1) & (N - 1);
                }
                count += static_cast<std::uint32_t>(length);
            }
        }
    }

    in = nullptr;
    out = nullptr;
    return textsize;
}
