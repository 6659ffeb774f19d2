// Fuzzes CLzAriMem with arbitrary blocks and output capacities: the decoder must store
// at most capacity - 1 bytes and never touch the guard bytes behind them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "text/lzari.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes choose the capacity, the rest is the block. Capacities stay
    // a little past the 4096-byte ring, so runs are quick and the ring still wraps.
    const int capacity = (data[0] | data[1] << 8) % 5000;
    const std::uint8_t* block = data + 2;
    const auto blockLength = static_cast<std::int32_t>(size - 2);

    constexpr int kGuard = 64;
    constexpr std::uint8_t kGuardByte = 0xA5;
    std::vector<std::uint8_t> output(static_cast<std::size_t>(capacity) + kGuard, kGuardByte);
    CLzAriMem decoder;
    const std::uint32_t stated = decoder.Decode(block, output.data(), blockLength, capacity);

    const int stored = capacity > 0 ? capacity - 1 : 0;
    if (stated != decoder.textsize || decoder.BytesWritten() < 0 ||
        decoder.BytesWritten() > stored) {
        std::abort();
    }
    for (std::size_t i = static_cast<std::size_t>(stored); i < output.size(); ++i) {
        if (output[i] != kGuardByte) {
            std::abort(); // a write past capacity - 1
        }
    }
    return 0;
}
