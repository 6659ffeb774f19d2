// The EDID base block on real monitors' blocks and on damaged and hand-made ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "defects/edid.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

// Real monitors, as published with the hardware probes' EDID collection.
const Bytes kAoc = FromHex("00ffffffffffff0005e31916c90100001e130103682213782ab370a255489827"
                           "155054bfee00310a614c010101010101010101010101662156a851001e30458f"
                           "3a0058c21000001c000000ff0049313739374941303030343537000000fd0037"
                           "4b1e3c08000a202020202020000000fc0031363139770a20202020202020000b");
const Bytes kDell = FromHex("00ffffffffffff0010ac0b2001010101201c0103804627782acde5a0594ea125"
                            "0e5054a54b00714f8180a9c0d1c00101010101010101023a801871382d40582c"
                            "4500ba892100001e000000ff00583952354b383836344d31450a000000fc0044"
                            "33323138484e0a2020202020000000fd00384c1e5311000a20202020202001ce");
// `base` (a bare header block when empty) with bytes written at offsets, then summed right.
Bytes Patched(Bytes base, std::vector<std::pair<std::size_t, Bytes>> patches, bool fix = true) {
    if (base.empty()) {
        base = FromHex("00ffffffffffff00");
        base.resize(128);
    }
    for (const auto& [at, bytes] : patches) {
        std::copy(bytes.begin(), bytes.end(), base.begin() + static_cast<std::ptrdiff_t>(at));
    }
    if (fix) {
        base[127] = static_cast<std::uint8_t>(-std::accumulate(base.begin(), base.end() - 1, 0));
    }
    return base;
}

std::string Describe(const MonitorIdentity& m) {
    std::string s = TextToUtf8(m.manufacturerId + u"|" + m.maker + u"|" + m.name + u"|" +
                               m.serialText + u"|" + m.dataText);
    for (const long long n :
         {0LL + m.valid, 0LL + m.productCode, 0LL + m.serialNumber, 0LL + m.week, 0LL + m.year,
          0LL + m.modelYear, 0LL + m.version, 0LL + m.revision, 0LL + m.widthCm, 0LL + m.heightCm,
          0LL + m.nativeWidth, 0LL + m.nativeHeight}) {
        s += " " + std::to_string(n);
    }
    return s;
}

TEST(Edid, ParsesRealAndDamagedBlocks) {
    const MonitorIdentity aoc = {true, u"AOC", u"AOC", 5657, 457,  30,  2009,     false,
                                 1,    3,      34,     19,   1366, 768, u"1619w", u"I1797IA000457",
                                 u""};
    const MonitorIdentity bare = {.valid = true, .year = 1990};
    Bytes dellAndExtension = kDell;
    dellAndExtension.resize(256, 0xA5);
    struct Case {
        const char* name;
        Bytes bytes;
        MonitorIdentity want;
    };
    const std::vector<Case> cases = {
        {"AOC 1619w, analog", kAoc, aoc},
        {"Dell D3218HN, its extension after it",
         dellAndExtension,
         {true, u"DEL", u"Dell", 8203, 16843009, 32, 2018, false, 1, 3, 70, 39, 1920, 1080,
          u"D3218HN", u"X9R5K8864M1E", u""}},
        {"nothing", {}, {}},
        {"one byte short", Bytes(kAoc.begin(), kAoc.end() - 1), {}},
        {"wrong header", Patched(kAoc, {{7, {0x01}}}), {}},
        {"a byte changed, checksum not", Patched(kAoc, {{16, {31}}}, false), {}},
        {"everything zero", Patched({}, {}), bare},
        {"first letter 27", Patched({}, {{8, {0x6C, 0x21}}}), bare},
        {"third letter 27", Patched({}, {{8, {0x04, 0x3B}}}), bare},
        {"reserved bit set, maker not in the table",
         Patched({}, {{8, {0xEB, 0x5A}}}),
         {.valid = true, .manufacturerId = u"ZZZ", .maker = u"ZZZ", .year = 1990}},
        {"model year",
         Patched({}, {{16, {0xFF, 30}}}),
         {.valid = true, .year = 2020, .modelYear = true}},
        {"week 54", Patched({}, {{16, {54, 255}}}), {.valid = true, .week = 54, .year = 2245}},
        {"week 55 is none", Patched({}, {{16, {55, 1}}}), {.valid = true, .year = 1991}},
        {"largest timing, clock in the high byte only",
         Patched({}, {{54, {0x00, 0x01, 0xFF, 0, 0xFF, 0xFF, 0, 0xFF}}}),
         {.valid = true, .year = 1990, .nativeWidth = 4095, .nativeHeight = 4095}},
        {"texts: unprintable, no line feed, spaces, repeats, other tags",
         Patched({}, {{54, {0, 0, 0, 0xFC, 0, 'A', 0x80, ' ', 'B', ' ', ' ', 0x0A, 'C'}},
                      {72, {0, 0, 0, 0xFF, 0}},
                      {77, {'x', 'x', 0x7F, 'x', 'x', '\t', 'x', 'x', 'x', 'x', 'x', 'x', 'x'}},
                      {90, {0, 0, 0, 0xFC, 0, 'D', 0x0A}},
                      {108, {0, 0, 1, 0xFE, 0, 'E', 0x0A}}}),
         {.valid = true, .year = 1990, .name = u"A? B", .serialText = u"xx?xx?xxxxxxx"}},
        {"data text: spaces only, then a real one, behind a timing",
         Patched({}, {{54, {1}},
                      {90, {0, 0, 0, 0xFE, 0, ' ', ' ', 0x0A}},
                      {108, {0, 0, 0, 0xFE, 0, 'd', 0x0A}}}),
         {.valid = true, .year = 1990, .dataText = u"d"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseEdid(c.bytes)), Describe(c.want)) << c.name;
    }
}

TEST(Edid, MakersAndDiagonals) {
    const std::vector<std::pair<Text, Text>> makers = {
        {u"DEL", u"Dell"}, {u"XMI", u"Xiaomi"}, {u"QQQ", u"QQQ"},
        {u"del", u"del"},  {u"DELL", u"DELL"},  {u"", u""},
    };
    for (const auto& [id, name] : makers) {
        EXPECT_EQ(MakerName(id), name) << TextToUtf8(id);
    }
    const std::vector<std::pair<std::pair<int, int>, int>> diagonals = {
        {{60, 34}, 271},    {{70, 39}, 315}, {{3, 4}, 19},
        {{255, 255}, 1419}, {{0, 39}, 0},    {{70, 0}, 0},
        {{-70, 39}, 0},     {{70, -39}, 0},  {{INT_MAX, INT_MAX}, INT_MAX},
    };
    for (const auto& [size, tenths] : diagonals) {
        EXPECT_EQ(DiagonalTenthsOfInch(size.first, size.second), tenths)
            << size.first << " x " << size.second;
    }
}

} // namespace
