// LZARI decoder: LZSS over a 4096-byte ring with adaptive arithmetic coding of
// literals and match lengths and a fixed distribution for match positions.
#include "text/lzari.h"

using namespace lzari;

CLzAriMem::CLzAriMem() noexcept = default;
CLzAriMem::~CLzAriMem() = default;

int CLzAriMem::GetBit() noexcept {
    if (bitMask <= 1) {
        // Past the end of the block every bit reads as 1.
        bitBuffer = inPos < inLength ? in[inPos] : 0xFF;
        ++inPos;
        if (inPos > inLength) {
            inPos = inLength; // no wrap-around however long a corrupt stream runs
        }
        bitMask = 128;
    } else {
        bitMask >>= 1;
    }
    return (bitBuffer & bitMask) != 0 ? 1 : 0;
}

void CLzAriMem::Put(std::uint8_t byte) noexcept {
    if (outWritten + 1 < outCapacity) {
        out[outWritten++] = byte;
    }
}

void CLzAriMem::Renormalise() noexcept {
    for (;;) {
        if (low >= Q2) {
            value -= Q2;
            low -= Q2;
            high -= Q2;
        } else if (low >= Q1 && high <= Q3) {
            value -= Q1;
            low -= Q1;
            high -= Q1;
        } else if (high > Q2) {
            break;
        }
        low += low;
        high += high;
        value = 2 * value + static_cast<std::uint32_t>(GetBit());
    }
}

int CLzAriMem::DecodeChar() noexcept {
    const std::uint32_t range = high - low;
    const std::uint32_t x = ((value - low + 1) * model.sym_cum[0] - 1) / range;
    int i = 1;
    int j = N_CHAR;
    while (i < j) {
        const int k = (i + j) / 2;
        if (model.sym_cum[k] > x) {
            i = k + 1;
        } else {
            j = k;
        }
    }
    const int sym = i;
    high = low + range * model.sym_cum[sym - 1] / model.sym_cum[0];
    low += range * model.sym_cum[sym] / model.sym_cum[0];
    Renormalise();
    const int ch = model.sym_to_char[sym];
    model.Update(sym);
    return ch;
}

int CLzAriMem::DecodePosition() noexcept {
    const std::uint32_t range = high - low;
    const std::uint32_t x = ((value - low + 1) * model.position_cum[0] - 1) / range;
    int i = 1;
    int j = N;
    while (i < j) {
        const int k = (i + j) / 2;
        if (model.position_cum[k] > x) {
            i = k + 1;
        } else {
            j = k;
        }
    }
    const int p = i - 1;
    high = low + range * model.position_cum[p] / model.position_cum[0];
    low += range * model.position_cum[p + 1] / model.position_cum[0];
    Renormalise();
    return p;
}

std::uint32_t CLzAriMem::Decode(const std::uint8_t* compressed, std::uint8_t* output,
                                std::int32_t compressedLength,
                                std::int32_t outputCapacity) noexcept {
    in = compressed;
    inLength = compressed != nullptr && compressedLength > 0 ? compressedLength : 0;
    inPos = 0;
    bitBuffer = 0;
    bitMask = 0;
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
        for (int i = 0; i < M + 2; ++i) {
            value = 2 * value + static_cast<std::uint32_t>(GetBit());
        }
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
