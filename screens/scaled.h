// The scaled value a * b / c used to size gradients, fonts and shadows with the
// client area: 32-bit signed arithmetic, the division truncating toward zero.
#pragma once

#include <cstdint>
#include <limits>

// 0 when any operand is 0. The product wraps as a 32-bit multiply would, but is
// formed in 64 bits so that an overflow is never undefined; so is the one quotient
// that does not fit (the most negative value divided by -1).
[[nodiscard]] constexpr std::int32_t scaled(std::int32_t a, std::int32_t b,
                                            std::int32_t c) noexcept {
    if (a == 0 || b == 0 || c == 0) {
        return 0;
    }
    const auto product = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(a) * static_cast<std::int64_t>(b)));
    if (product == std::numeric_limits<std::int32_t>::min() && c == -1) {
        return product;
    }
    return product / c;
}
