// LZARI encoder: binary-tree match finder over the ring buffer and an arithmetic
// coder that mirrors the decoder's model step for step.
#include "text/lzari_encoder.h"

#include <memory>

#include "text/lzari_model.h"

using namespace lzari;

namespace {

constexpr int NIL = N; // tree "no node"

class Encoder {
public:
    explicit Encoder(std::vector<std::uint8_t>& sink) : out(sink) {}

    void Run(std::span<const std::uint8_t> text);

private:
    void PutBit(int bit);
    void FlushBits();
    void Output(int bit);
    void Renormalise();
    void EncodeChar(int ch);
    void EncodePosition(int position);
    void EncodeEnd();

    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);

    std::vector<std::uint8_t>& out;
    unsigned bitBuffer = 0;
    unsigned bitMask = 128;

    std::uint32_t low = 0;
    std::uint32_t high = Q4;
    int shifts = 0;

    std::uint8_t ring[N + F - 1] = {};
    int matchPosition = 0;
    int matchLength = 0;
    int lson[N + 1] = {};
    int rson[N + 257] = {};
    int dad[N + 1] = {};
    Model model = {};
};

void Encoder::PutBit(int bit) {
    if (bit != 0) {
        bitBuffer |= bitMask;
    }
    if ((bitMask >>= 1) == 0) {
        out.push_back(static_cast<std::uint8_t>(bitBuffer));
        bitBuffer = 0;
        bitMask = 128;
    }
}

void Encoder::FlushBits() {
    for (int i = 0; i < 7; ++i) {
        PutBit(0);
    }
}

void Encoder::Output(int bit) {
    PutBit(bit);
    for (; shifts > 0; --shifts) {
        PutBit(!bit);
    }
}

void Encoder::Renormalise() {
    for (;;) {
        if (high <= Q2) {
            Output(0);
        } else if (low >= Q2) {
            Output(1);
            low -= Q2;
            high -= Q2;
        } else if (low >= Q1 && high <= Q3) {
            ++shifts;
            low -= Q1;
            high -= Q1;
        } else {
            break;
        }
        low += low;
        high += high;
    }
}

void Encoder::EncodeChar(int ch) {
    const int sym = model.char_to_sym[ch];
    const std::uint32_t above = model.Above(sym);
    const std::uint32_t range = high - low;
    high = low + range * (above + model.sym_freq[sym]) / model.total;
    low += range * above / model.total;
    Renormalise();
    model.Update(sym);
}

void Encoder::EncodePosition(int position) {
    const std::uint32_t range = high - low;
    const PositionTable& positions = Positions();
    high = low + range * positions.cum[position] / positions.cum[0];
    low += range * positions.cum[position + 1] / positions.cum[0];
    Renormalise();
}

void Encoder::EncodeEnd() {
    ++shifts;
    Output(low < Q1 ? 0 : 1);
    FlushBits();
}

void Encoder::InitTree() {
    for (int i = N + 1; i <= N + 256; ++i) {
        rson[i] = NIL; // roots of the 256 trees
    }
    for (int i = 0; i < N; ++i) {
        dad[i] = NIL;
    }
}

void Encoder::InsertNode(int r) {
    int cmp = 1;
    const std::uint8_t* key = &ring[r];
    int p = N + 1 + key[0];
    rson[r] = lson[r] = NIL;
    matchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (rson[p] != NIL) {
                p = rson[p];
            } else {
                rson[p] = r;
                dad[r] = p;
                return;
            }
        } else {
            if (lson[p] != NIL) {
                p = lson[p];
            } else {
                lson[p] = r;
                dad[r] = p;
                return;
            }
        }
        int i = 1;
        for (; i < F; ++i) {
            if ((cmp = key[i] - ring[p + i]) != 0) {
                break;
            }
        }
        if (i > THRESHOLD) {
            const int distance = (r - p) & (N - 1);
            if (i > matchLength) {
                matchPosition = distance;
                if ((matchLength = i) >= F) {
                    break;
                }
            } else if (i == matchLength && distance < matchPosition) {
                matchPosition = distance;
            }
        }
    }
    // Full-length match: r replaces p in the tree.
    dad[r] = dad[p];
    lson[r] = lson[p];
    rson[r] = rson[p];
    dad[lson[p]] = r;
    dad[rson[p]] = r;
    if (rson[dad[p]] == p) {
        rson[dad[p]] = r;
    } else {
        lson[dad[p]] = r;
    }
    dad[p] = NIL;
}

void Encoder::DeleteNode(int p) {
    if (dad[p] == NIL) {
        return;
    }
    int q;
    if (rson[p] == NIL) {
        q = lson[p];
    } else if (lson[p] == NIL) {
        q = rson[p];
    } else {
        q = lson[p];
        if (rson[q] != NIL) {
            do {
                q = rson[q];
            } while (rson[q] != NIL);
            rson[dad[q]] = lson[q];
            dad[lson[q]] = dad[q];
            lson[q] = lson[p];
            dad[lson[p]] = q;
        }
        rson[q] = rson[p];
        dad[rson[p]] = q;
    }
    dad[q] = dad[p];
    if (rson[dad[p]] == p) {
        rson[dad[p]] = q;
    } else {
        lson[dad[p]] = q;
    }
    dad[p] = NIL;
}

void Encoder::Run(std::span<const std::uint8_t> text) {
    const auto size = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(size >> shift));
    }
    if (size == 0) {
        return;
    }
    model.Start();
    InitTree();

    std::size_t next = 0; // next input byte
    int s = 0;
    int r = START;
    // The mirror slots past N start as copies of slots 0..F-2 (blanks), so that the
    // match finder never sees a byte the decoder would not have.
    for (int i = 0; i < N + F - 1; ++i) {
        ring[i] = FILL;
    }
    int len = 0;
    for (; len < F && next < text.size(); ++len) {
        ring[r + len] = text[next++];
    }
    for (int i = 1; i <= F; ++i) {
        InsertNode(r - i);
    }
    InsertNode(r);
    do {
        if (matchLength > len) {
            matchLength = len;
        }
        if (matchLength <= THRESHOLD) {
            matchLength = 1;
            EncodeChar(ring[r]);
        } else {
            EncodeChar(255 - THRESHOLD + matchLength);
            EncodePosition(matchPosition - 1);
        }
        const int lastMatchLength = matchLength;
        int i = 0;
        for (; i < lastMatchLength && next < text.size(); ++i) {
            const std::uint8_t c = text[next++];
            DeleteNode(s);
            ring[s] = c;
            if (s < F - 1) {
                ring[s + N] = c; // mirror so matches can run past the ring's end
            }
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            InsertNode(r);
        }
        while (i++ < lastMatchLength) {
            DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len != 0) {
                InsertNode(r);
            }
        }
    } while (len > 0);
    EncodeEnd();
}

} // namespace

std::vector<std::uint8_t> LzAriEncode(std::span<const std::uint8_t> text) {
    std::vector<std::uint8_t> block;
    block.reserve(text.size() / 2 + 16);
    auto encoder = std::make_unique<Encoder>(block); // ~70 KB of tables: keep off the stack
    encoder->Run(text);
    return block;
}
