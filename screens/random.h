// The program-wide random generator: a 32-bit linear congruential sequence that
// starts from the same state at every program start and is never reseeded, so the
// repair flashes and the throughput bands repeat from one start to the next.
#pragma once

#include <cstdint>

class RandomGenerator {
public:
    static constexpr std::uint32_t kStartState = 0xEA38A250u;

    constexpr RandomGenerator() noexcept = default;
    constexpr explicit RandomGenerator(std::uint32_t state) noexcept : state(state) {}

    // Advances the state (modulo 2^32) and returns the new state.
    constexpr std::uint32_t Next() noexcept {
        state = state * 69069u + 1u;
        return state;
    }

    [[nodiscard]] constexpr std::uint32_t State() const noexcept { return state; }

private:
    std::uint32_t state = kStartState;
};

// The one generator of the process. Its users (the repair and throughput workers)
// never run at the same time, so it needs no lock.
RandomGenerator& TheRandomGenerator() noexcept;
