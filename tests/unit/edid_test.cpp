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
// Real blocks of the faults a person reads: an interlaced preferred timing (SONY TV), a
// name padded with NULs under a maker ID that is no letters (a JDI panel), a laptop panel
// named only in its data texts under SEC. Their numbers agree with edid-decode's output.
const Bytes kSonyTv = FromHex("00ffffffffffff004dd9010001010101320f0103804628780a0dc9a057479827"
                              "12484c00000001010101010101010101010101010101011d80d0721c1620102c"
                              "2580dfa42100009e8c0ad08a20e02d10103e9600dfa421000018000000fc0053"
                              "4f4e592054560a2020202020000000fd00303e0e2e08000a2020202020200148");
const Bytes kJdiPanel = FromHex("00ffffffffffff00367f030003000000000c010490130cff2f0000a057499b26"
                                "10484f00000001010101010101010101010101010101036a00e8a04014607820"
                                "d300c0780000001a000000fc004a44495f382e395f4c43440000000000fd003c"
                                "3d61621c010000000000000000000010000000000000000000000000000000d6");
const Bytes kSamsungPanel =
    FromHex("00ffffffffffff004ca351360000000000120103802213780a87f594574f8c27"
            "27505400000001010101010101010101010101010101121b567250000c303020"
            "250058c2100000190000000f0000000000000000001eb4027400000000fe0053"
            "414d53554e470a2020202020000000fe00313536415430352d4830310a200015");
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

// kAoc made nonsense: year 2245, 255 x 255 cm, a preferred timing of 1 x 1 pixel.
const Bytes kNonsense =
    Patched(kAoc, {{17, {0xFF}}, {21, {0xFF, 0xFF}}, {56, {1}}, {58, {0x08, 1}}, {61, {0}}});

std::string Describe(const MonitorIdentity& m) {
    std::string s = TextToUtf8(m.manufacturerId + u"|" + m.maker + u"|" + m.name + u"|" +
                               m.serialText + u"|" + m.dataText);
    for (const long long n :
         {0LL + m.valid, 0LL + m.productCode, 0LL + m.serialNumber, 0LL + m.week, 0LL + m.year,
          0LL + m.modelYear, 0LL + m.version, 0LL + m.revision, 0LL + m.widthCm, 0LL + m.heightCm,
          0LL + m.nativeWidth, 0LL + m.nativeHeight, 0LL + m.interlaced}) {
        s += " " + std::to_string(n);
    }
    return s;
}

TEST(Edid, ParsesRealAndDamagedBlocks) {
    const MonitorIdentity aoc = {true, u"AOC", u"AOC", 5657, 457,  30,  2009,     false,
                                 1,    3,      34,     19,   1366, 768, u"1619w", u"I1797IA000457",
                                 u"",  false};
    const MonitorIdentity bare = {.valid = true, .year = 1990};
    MonitorIdentity nonsense = aoc;
    nonsense.year = 2245;
    nonsense.widthCm = nonsense.heightCm = 255;
    nonsense.nativeWidth = nonsense.nativeHeight = 1;
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
          u"D3218HN", u"X9R5K8864M1E", u"", false}},
        {"SONY TV, interlaced: the frame's full height",
         kSonyTv,
         {true, u"SNY", u"Sony", 1, 16843009, 50, 2005, false, 1, 3, 70, 40, 1920, 1080, u"SONY TV",
          u"", u"", true}},
        {"JDI panel: its name padded with NULs, its ID no letters",
         kJdiPanel,
         {true, u"", u"", 3, 3, 0, 2002, false, 1, 4, 19, 12, 2560, 1600, u"JDI_8.9_LCD", u"", u"",
          false}},
        {"SEC laptop panel: no name, two data texts",
         kSamsungPanel,
         {true, u"SEC", u"Samsung", 13905, 0, 0, 2008, false, 1, 3, 34, 19, 1366, 768, u"", u"",
          u"SAMSUNG 156AT05-H01", false}},
        {"nonsense kept as the block says it", kNonsense, nonsense},
        {"name over two descriptors, the first full; serial padded with 0xFF",
         Patched({}, {{72,
                       {0, 0, 0, 0xFF, 0, 'T', 'D', '0', 'E', 'E', '0', '0', '1', '3', '9', '0',
                        '0', 0xFF}},
                      {90,
                       {0, 0, 0, 0xFC, 0, 'B', 'e', 'l', 'i', 'n', 'e', 'a', ' ', '1', '0', '3',
                        '0', '5'}},
                      {108, {0, 0, 0, 0xFC, 0, '1', 0x0A}}}),
         {.valid = true, .year = 1990, .name = u"Belinea 103051", .serialText = u"TD0EE0013900"}},
        {"name over two descriptors, the first ended",
         Patched({}, {{90, {0, 0, 0, 0xFC, 0, 'B', 'e', 'l', 'i', 'n', 'e', 'a', 0x0A, ' '}},
                      {108, {0, 0, 0, 0xFC, 0, '1', '0', '3', '0', '5', '1', 0x00, 0xFF}}}),
         {.valid = true, .year = 1990, .name = u"Belinea 103051"}},
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
         {.valid = true, .year = 1990, .name = u"A? B D", .serialText = u"xx?xx?xxxxxxx"}},
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
        {u"DEL", u"Dell"}, {u"XMI", u"Xiaomi"}, {u"QQQ", u"QQQ"}, {u"SEC", u"Samsung"},
        {u"del", u"del"},  {u"DELL", u"DELL"},  {u"", u""},
    };
    for (const auto& [id, name] : makers) {
        EXPECT_EQ(MakerName(id), name) << TextToUtf8(id);
    }
    // Windows' name for the monitor and what of the block a monitor can have, in 2026.
    struct Judged {
        const char* name;
        Bytes bytes;
        Text windowsId;
        int year;
        bool size, resolution;
    };
    const auto timing = [](int width, int height) {
        return Patched({}, {{54,
                             {1, 0, static_cast<std::uint8_t>(width), 0,
                              static_cast<std::uint8_t>(width >> 4 & 0xF0),
                              static_cast<std::uint8_t>(height), 0, 0}},
                            {21, {254, 1}}});
    };
    const std::vector<Judged> judged = {
        {"Dell", kDell, u"DEL200B", 2018, true, true},
        {"SEC panel", kSamsungPanel, u"SEC3651", 2008, true, true},
        {"nonsense", kNonsense, u"AOC1619", 0, false, false},
        {"no letters", kJdiPanel, u"", 2002, true, true},
        {"nothing", {}, u"", 0, false, false},
        {"made this year", Patched({}, {{16, {1, 36}}}), u"", 2026, false, false},
        {"made next year", Patched({}, {{16, {1, 37}}}), u"", 0, false, false},
        {"model year next year", Patched({}, {{16, {0xFF, 37}}}), u"", 2027, false, false},
        {"320 x 200, 254 x 1 cm", timing(320, 200), u"", 1990, true, true},
        {"319 x 200", timing(319, 200), u"", 1990, true, false},
        {"320 x 199", timing(320, 199), u"", 1990, true, false},
    };
    for (const Judged& j : judged) {
        const MonitorIdentity m = ParseEdid(j.bytes);
        EXPECT_EQ(WindowsMonitorId(m), j.windowsId) << j.name;
        EXPECT_EQ(KnownYear(m, 2026), j.year) << j.name;
        EXPECT_EQ(KnownImageSize(m), j.size) << j.name;
        EXPECT_EQ(KnownNativeResolution(m), j.resolution) << j.name;
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
