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

struct Model {
    std::uint16_t char_to_sym[N_CHAR];
    std::uint16_t sym_to_char[N_CHAR + 1];
    std::uint16_t sym_freq[N_CHAR + 1];
    std::uint16_t sym_cum[N_CHAR + 1];
    std::uint16_t position_cum[N + 1];

    void Start() noexcept;
    void Update(int sym) noexcept;
};

} // namespace lzari
