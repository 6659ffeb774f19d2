// The adaptive symbol model and the fixed position model shared by the LZARI
// decoder and the build-time encoder. Both sides must evolve the model identically,
// so it lives in one place.
#pragma once

#include <cstdint>

namespace lzari {

inline constexpr int N = 4096;                     // ring buffer size
inline constexpr int F = 60;                       // longest match
inline constexpr int THRESHOLD = 2;                // a match must be longer than this
inline constexpr int N_CHAR = 256 - THRESHOLD + F; // literals and match lengths 3..60
inline constexpr int M = 15;                       // coder precision in bits
inline constexpr std::uint32_t Q1 = 1u << M;
inline constexpr std::uint32_t Q2 = 2 * Q1;
inline constexpr std::uint32_t Q3 = 3 * Q1;
inline constexpr std::uint32_t Q4 = 4 * Q1;
inline constexpr std::uint32_t MAX_CUM = Q1 - 1;
inline constexpr std::uint8_t FILL = 0x20; // initial ring content
inline constexpr int START = N - F;        // first ring slot written

// Literals and match lengths. Slots are kept in order of falling frequency. Each
// block of BLOCK slots keeps the frequency sum of the blocks before it, and each slot
// the sum of the slots before it in its block, so that finding a symbol or counting
// one touches two short rows in fixed loops the compiler can vectorise, rather than
// every slot from the symbol to the start.
struct Model {
    static constexpr int BLOCK = 16;
    static constexpr int BLOCKS = N_CHAR / BLOCK + 1;

    std::uint16_t char_to_sym[N_CHAR];
    std::uint16_t sym_to_char[N_CHAR + 1];
    std::uint16_t sym_freq[BLOCKS * BLOCK]; // slot 0 and the slots past N_CHAR hold 0
    std::uint16_t before_block[BLOCKS];
    std::uint16_t before_in_block[BLOCKS * BLOCK];
    std::uint32_t total; // of all frequencies

    void Start() noexcept;
    void Update(int sym) noexcept;
    // Sum of the frequencies in the slots after `sym`: its interval is
    // [Above(sym), Above(sym) + sym_freq[sym]) out of `total`.
    std::uint32_t Above(int sym) const noexcept {
        return total - before_block[sym / BLOCK] - before_in_block[sym] - sym_freq[sym];
    }
    // The slot whose interval holds `target` (below `total`).
    int Find(std::uint32_t target) const noexcept;

private:
    void Sum() noexcept;
};

// Match positions have the fixed share 10000 / (p + 201): cum[p] is the share of the
// positions from p up. `first` maps each run of 2^SHIFT targets to the lowest position
// that holds one of them, so that finding a position takes a step or two.
struct PositionTable {
    static constexpr int SHIFT = 3;

    std::uint16_t cum[N + 1];
    std::uint16_t first[(Q1 >> SHIFT) + 1];

    PositionTable() noexcept;

    int Find(std::uint32_t target) const noexcept {
        int p = first[target >> SHIFT];
        while (cum[p + 1] > target) {
            ++p;
        }
        return p;
    }
};

// Built at its first use rather than stored: 16 KB that the program file need not carry,
// made in microseconds.
[[nodiscard]] const PositionTable& Positions() noexcept;

} // namespace lzari
