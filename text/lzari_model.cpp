// Model start and update of the LZARI coder.
#include "text/lzari_model.h"

namespace lzari {

void Model::Start() noexcept {
    for (int sym = 1; sym <= N_CHAR; ++sym) {
        const int ch = sym - 1;
        char_to_sym[ch] = static_cast<std::uint16_t>(sym);
        sym_to_char[sym] = static_cast<std::uint16_t>(ch);
        sym_freq[sym] = 1;
    }
    sym_freq[0] = 0; // sentinel: differs from sym_freq[1]
    SumBlocks();
}

void Model::SumBlocks() noexcept {
    total = 0;
    for (auto& sum : block_freq) {
        sum = 0;
    }
    for (int i = 1; i <= N_CHAR; ++i) {
        block_freq[i / BLOCK] = static_cast<std::uint16_t>(block_freq[i / BLOCK] + sym_freq[i]);
        total += sym_freq[i];
    }
}

void Model::Update(int sym) noexcept {
    if (total >= MAX_CUM) {
        for (int i = 1; i <= N_CHAR; ++i) {
            sym_freq[i] = static_cast<std::uint16_t>((sym_freq[i] + 1) >> 1);
        }
        SumBlocks();
    }
    // The symbol moves to the first slot of its run of equal frequencies, so the order
    // stays falling; a binary search finds it, as runs are long while the model is young.
    const std::uint16_t freq = sym_freq[sym];
    int i = 1;
    for (int count = sym; count > 1;) {
        const int half = count / 2;
        if (sym_freq[i + half - 1] > freq) {
            i += half;
        }
        count -= half;
    }
    if (i < sym) {
        const std::uint16_t ch_i = sym_to_char[i];
        const std::uint16_t ch_sym = sym_to_char[sym];
        sym_to_char[i] = ch_sym;
        sym_to_char[sym] = ch_i;
        char_to_sym[ch_i] = static_cast<std::uint16_t>(sym);
        char_to_sym[ch_sym] = static_cast<std::uint16_t>(i);
    }
    ++sym_freq[i];
    ++block_freq[i / BLOCK];
    ++total;
}

std::uint32_t Model::Above(int sym) const noexcept {
    std::uint32_t upTo = 0; // frequencies of slots 0..sym
    for (int b = 0; b < sym / BLOCK; ++b) {
        upTo += block_freq[b];
    }
    for (int i = sym / BLOCK * BLOCK; i <= sym; ++i) {
        upTo += sym_freq[i];
    }
    return total - upTo;
}

int Model::Find(std::uint32_t target, std::uint32_t& above) const noexcept {
    // Count down from the most frequent slot: `rest` is how far into the frequencies
    // the target lies, at least 1 because the target is below the total.
    std::uint32_t rest = total - target;
    int b = 0;
    while (block_freq[b] < rest) {
        rest -= block_freq[b];
        ++b;
    }
    int sym = b * BLOCK;
    while (sym_freq[sym] < rest) {
        rest -= sym_freq[sym];
        ++sym;
    }
    above = target + rest - sym_freq[sym];
    return sym;
}

} // namespace lzari
