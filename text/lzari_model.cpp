// Model start and update of the LZARI coder.
#include "text/lzari_model.h"

namespace lzari {

void Model::Start() noexcept {
    sym_cum[N_CHAR] = 0;
    for (int sym = N_CHAR; sym >= 1; --sym) {
        const int ch = sym - 1;
        char_to_sym[ch] = static_cast<std::uint16_t>(sym);
        sym_to_char[sym] = static_cast<std::uint16_t>(ch);
        sym_freq[sym] = 1;
        sym_cum[sym - 1] = static_cast<std::uint16_t>(sym_cum[sym] + sym_freq[sym]);
    }
    sym_freq[0] = 0; // sentinel: differs from sym_freq[1]
    position_cum[N] = 0;
    for (int i = N; i >= 1; --i) {
        position_cum[i - 1] = static_cast<std::uint16_t>(position_cum[i] + 10000 / (i + 200));
    }
}

void Model::Update(int sym) noexcept {
    if (sym_cum[0] >= MAX_CUM) {
        unsigned c = 0;
        for (int i = N_CHAR; i >= 1; --i) {
            sym_cum[i] = static_cast<std::uint16_t>(c);
            sym_freq[i] = static_cast<std::uint16_t>((sym_freq[i] + 1) >> 1);
            c += sym_freq[i];
        }
        sym_cum[0] = static_cast<std::uint16_t>(c);
    }
    int i = sym;
    while (sym_freq[i] == sym_freq[i - 1]) {
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
    while (--i >= 0) {
        ++sym_cum[i];
    }
}

} // namespace lzari
