// Fuzzes the EDID parser twice per input: on the bytes as they come (almost never a
// valid block) and on the bytes made into one, with the header written and the checksum
// put right, so that every field and descriptor is reached.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <vector>

#include "defects/edid.h"
#include "text/text.h"

namespace {

// Four descriptors of 13 bytes at most, with a blank between the parts of a joined text.
bool Printable(const Text& text, std::size_t most = 4 * 13 + 3) {
    return text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x20 && c <= 0x7E; });
}

void Check(std::span<const std::uint8_t> bytes) {
    const MonitorIdentity m = ParseEdid(bytes);
    if (!m.valid) {
        if (!(m == MonitorIdentity{})) {
            std::abort(); // an unusable block says nothing at all
        }
        return;
    }
    const bool lettersOk = std::all_of(m.manufacturerId.begin(), m.manufacturerId.end(),
                                       [](char16_t c) { return c >= u'A' && c <= u'Z'; });
    if (bytes.size() < 128 || (m.manufacturerId.size() != 3 && !m.manufacturerId.empty()) ||
        !lettersOk || m.maker.empty() != m.manufacturerId.empty() || m.week < 0 || m.week > 54 ||
        (m.modelYear && m.week != 0) || m.year < 1990 || m.year > 2245 || m.nativeWidth > 4095 ||
        m.nativeHeight > (m.interlaced ? 8190 : 4095) || !Printable(m.name) ||
        !Printable(m.serialText, 13) || !Printable(m.dataText)) {
        std::abort();
    }
    if (!(ParseEdid(bytes.first(128)) == m)) {
        std::abort(); // what follows the base block changes nothing
    }
    const Text id = WindowsMonitorId(m);
    if (id.size() != (m.manufacturerId.empty() ? 0u : 7u) || KnownYear(m, 1988) != 0) {
        std::abort(); // the ID and four hex digits; no year is two before the first a block counts
    }
    if (DiagonalTenthsOfInch(m.widthCm, m.heightCm) > 14200) {
        std::abort(); // 255 x 255 cm is the most a block can say
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Check(bytes);

    std::vector<std::uint8_t> block(bytes.begin(), bytes.end());
    block.resize(std::max<std::size_t>(size, 128));
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), block.begin());
    unsigned sum = 0;
    for (std::size_t i = 0; i < 127; ++i) {
        sum += block[i];
    }
    block[127] = static_cast<std::uint8_t>(0u - sum);
    if (!ParseEdid(block).valid) {
        std::abort(); // header and checksum are all it takes
    }
    Check(block);
    return 0;
}
