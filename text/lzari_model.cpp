// Model start and update of the LZARI coder.
#include "text/lzari_model.h"

namespace lzari {

void Model::Start() noexcept {
    for (auto& freq : sym_freq) {
        freq = 0; // slot 0 is a sentinel: it differs from sym_freq[1]
    }
    for (int sym = 1; sym <= N_CHAR; ++sym) {
        const int ch = sym - 1;
        char_to_sym[ch] = static_cast<std::uint16_t>(sym);
        sym_to_char[sym] = static_cast<std::uint16_t>(ch);
        sym_freq[sym] = 1;
    }
    Sum();
}

void Model::Sum() noexcept {
    total = 0;
    for (int b = 0; b < BLOCKS; ++b) {
        before_block[b] = static_cast<std::uint16_t>(total);
        std::uint32_t inBlock = 0;
        for (int i = b * BLOCK; i < (b + 1) * BLOCK; ++i) {
            before_in_block[i] = static_cast<std::uint16_t>(inBlock);
            inBlock += sym_freq[i];
        }
        total += inBlock;
    }
}

void Model::Update(int sym) noexcept {
    if (total >= MAX_CUM) {
        for (int i = 1; i <= N_CHAR; ++i) {
            sym_freq[i] = static_cast<std::uint16_t>((sym_freq[i] + 1) >> 1);
        }
        Sum();
    }
    // The symbol trades places with the first slot of its run of equal frequencies, so
    // that the order still falls once that slot is counted.
    const std::uint16_t freq = sym_freq[sym];
    int i = sym;
    while (sym_freq[i - 1] == freq) {
        --i;
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
    ++total;
    const int block = i / BLOCK;
    for (int b = 0; b < BLOCKS; ++b) {
        before_block[b] = static_cast<std::uint16_t>(before_block[b] + (b > block ? 1 : 0));
    }
    std::uint16_t* const row = &before_in_block[block * BLOCK];
    for (int k = 0; k < BLOCK; ++k) {
        row[k] = static_cast<std::uint16_t>(row[k] + (block * BLOCK + k > i ? 1 : 0));
    }
}

int Model::Find(std::uint32_t target) const noexcept {
    // `rest` is how far into the frequencies, counted from slot 1, the target lies; at
    // least 1 because the target is below the total. The slot is the last one whose
    // sum before it falls short of `rest`; the zero sentinel in slot 0 is never it.
    // Sums stay below 2^15, so the comparisons can be done in 16 bits.
    const auto rest = static_cast<std::uint16_t>(total - target);
    int block = 0;
    for (int b = 1; b < BLOCKS; ++b) {
        block += before_block[b] < rest ? 1 : 0;
    }
    const auto restInBlock = static_cast<std::uint16_t>(rest - before_block[block]);
    const std::uint16_t* const row = &before_in_block[block * BLOCK];
    int k = 0;
    for (int j = 1; j < BLOCK; ++j) {
        k += row[j] < restInBlock ? 1 : 0;
    }
    return block * BLOCK + k;
}

PositionTable::PositionTable() noexcept : cum(), first() {
    for (int i = N; i >= 1; --i) {
        cum[i - 1] = static_cast<std::uint16_t>(cum[i] + 10000 / (i + 200));
    }
    int p = N - 1;
    for (std::uint32_t b = 0; (b << SHIFT) < cum[0]; ++b) {
        const std::uint32_t end = (b + 1) << SHIFT; // first target past the run
        while (p > 0 && cum[p] < end) {
            --p;
        }
        first[b] = static_cast<std::uint16_t>(p);
    }
}

const PositionTable& Positions() noexcept {
    static const PositionTable table;
    return table;
}

} // namespace lzari
