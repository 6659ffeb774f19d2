// The EDID base block, field by field, and the makers' names.
#include "defects/edid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::array<std::uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kFirstDescriptor = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr int kDescriptors = 4;

struct Maker {
    const char16_t* id;
    const char16_t* name;
};

// The IDs seen on most desktop monitors and laptop panels; the rest show as letters.
constexpr Maker kMakers[] = {
    {u"ACI", u"ASUS"},         {u"ACR", u"Acer"},
    {u"AOC", u"AOC"},          {u"APP", u"Apple"},
    {u"AUO", u"AU Optronics"}, {u"AUS", u"ASUS"},
    {u"BNQ", u"BenQ"},         {u"BOE", u"BOE"},
    {u"CMN", u"Innolux"},      {u"CMO", u"Chi Mei Optoelectronics"},
    {u"CPQ", u"Compaq"},       {u"DEL", u"Dell"},
    {u"EIZ", u"EIZO"},         {u"ENC", u"EIZO"},
    {u"FUS", u"Fujitsu"},      {u"GBT", u"Gigabyte"},
    {u"GSM", u"LG"},           {u"HPN", u"HP"},
    {u"HSD", u"HannStar"},     {u"HWP", u"HP"},
    {u"IVM", u"iiyama"},       {u"LEN", u"Lenovo"},
    {u"LGD", u"LG Display"},   {u"LPL", u"LG Philips"},
    {u"MEI", u"Panasonic"},    {u"MSI", u"MSI"},
    {u"NEC", u"NEC"},          {u"PHL", u"Philips"},
    {u"SAM", u"Samsung"},      {u"SDC", u"Samsung Display"},
    {u"SEC", u"Seiko Epson"},  {u"SHP", u"Sharp"},
    {u"SNY", u"Sony"},         {u"TSB", u"Toshiba"},
    {u"VSC", u"ViewSonic"},    {u"XMI", u"Xiaomi"},
};

// Three letters of five bits each, 1 for 'A'; bit 15 is reserved.
Text ManufacturerId(std::uint8_t high, std::uint8_t low) {
    const int word = high << 8 | low;
    Text id;
    for (const int shift : {10, 5, 0}) {
        const int letter = word >> shift & 0x1F;
        if (letter < 1 || letter > 26) {
            return {};
        }
        id.push_back(static_cast<char16_t>(u'A' + letter - 1));
    }
    return id;
}

// Up to 13 bytes ending at a line feed, padded with spaces that do not belong to it.
Text DescriptorText(std::span<const std::uint8_t> payload) {
    std::size_t end = 0;
    while (end < payload.size() && payload[end] != 0x0A) {
        ++end;
    }
    while (end > 0 && payload[end - 1] == 0x20) {
        --end;
    }
    Text text;
    for (std::size_t i = 0; i < end; ++i) {
        const std::uint8_t byte = payload[i];
        text.push_back(byte >= 0x20 && byte <= 0x7E ? static_cast<char16_t>(byte) : u'?');
    }
    return text;
}

} // namespace

MonitorIdentity ParseEdid(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBlockSize) {
        return {};
    }
    const std::span<const std::uint8_t> b = bytes.first(kBlockSize);
    unsigned sum = 0;
    for (const std::uint8_t byte : b) {
        sum += byte;
    }
    if (sum % 256 != 0 || !std::equal(kHeader.begin(), kHeader.end(), b.begin())) {
        return {};
    }

    MonitorIdentity m;
    m.valid = true;
    m.manufacturerId = ManufacturerId(b[8], b[9]);
    m.maker = MakerName(m.manufacturerId);
    m.productCode = b[10] | b[11] << 8;
    m.serialNumber = static_cast<std::uint32_t>(b[12]) | static_cast<std::uint32_t>(b[13]) << 8 |
                     static_cast<std::uint32_t>(b[14]) << 16 |
                     static_cast<std::uint32_t>(b[15]) << 24;
    m.modelYear = b[16] == 0xFF;
    m.week = b[16] <= 54 ? b[16] : 0; // 55..254 are not weeks at all
    m.year = 1990 + b[17];
    m.version = b[18];
    m.revision = b[19];
    m.widthCm = b[21];
    m.heightCm = b[22];

    const std::span<const std::uint8_t> preferred = b.subspan(kFirstDescriptor, kDescriptorSize);
    if (preferred[0] != 0 || preferred[1] != 0) { // a zero pixel clock marks a display descriptor
        m.nativeWidth = preferred[2] | (preferred[4] & 0xF0) << 4;
        m.nativeHeight = preferred[5] | (preferred[7] & 0xF0) << 4;
    }
    for (int i = 0; i < kDescriptors; ++i) {
        const std::span<const std::uint8_t> d = b.subspan(
            kFirstDescriptor + kDescriptorSize * static_cast<std::size_t>(i), kDescriptorSize);
        if (d[0] != 0 || d[1] != 0 || d[2] != 0) {
            continue;
        }
        Text* target = d[3] == 0xFC   ? &m.name
                       : d[3] == 0xFF ? &m.serialText
                       : d[3] == 0xFE ? &m.dataText
                                      : nullptr;
        if (target != nullptr && target->empty()) { // the first that says anything counts
            *target = DescriptorText(d.subspan(5));
        }
    }
    return m;
}

Text MakerName(TextView manufacturerId) {
    for (const Maker& maker : kMakers) {
        if (manufacturerId == maker.id) {
            return maker.name;
        }
    }
    return Text(manufacturerId);
}

int DiagonalTenthsOfInch(int widthCm, int heightCm) {
    if (widthCm <= 0 || heightCm <= 0) {
        return 0;
    }
    // Rounded down, so a report never makes a panel bigger than it is.
    const double tenths = std::hypot(widthCm, heightCm) / 0.254;
    return static_cast<int>(std::min(std::floor(tenths), 2147483647.0));
}
