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
// An ID stands for the maker whose blocks carry it in practice: SEC is registered to
// Seiko Epson, but nearly every block with it is a Samsung laptop panel.
constexpr Maker kMakers[] = {
    {u"ACI", u"ASUS"},
    {u"ACR", u"Acer"},
    {u"AOC", u"AOC"},
    {u"APP", u"Apple"},
    {u"AUO", u"AU Optronics"},
    {u"AUS", u"ASUS"},
    {u"BNQ", u"BenQ"},
    {u"BOE", u"BOE"},
    {u"CMN", u"Chimei Innolux"},
    {u"CMO", u"Chi Mei Optoelectronics"},
    {u"CPQ", u"Compaq"},
    {u"DEL", u"Dell"},
    {u"EIZ", u"EIZO"},
    {u"ENC", u"EIZO"},
    {u"FUS", u"Fujitsu"},
    {u"GBT", u"Gigabyte"},
    {u"GSM", u"LG"},
    {u"HPN", u"HP"},
    {u"HSD", u"HannStar"},
    {u"HWP", u"HP"},
    {u"IVM", u"iiyama"},
    {u"IVO", u"InfoVision"},
    {u"LEN", u"Lenovo"},
    {u"LGD", u"LG Display"},
    {u"LPL", u"LG Philips"},
    {u"MAX", u"Belinea"},
    {u"MEI", u"Panasonic"},
    {u"MSI", u"MSI"},
    {u"NEC", u"NEC"},
    {u"PHL", u"Philips"},
    {u"SAM", u"Samsung"},
    {u"SDC", u"Samsung Display"},
    {u"SEC", u"Samsung"},
    {u"SHP", u"Sharp"},
    {u"SNY", u"Sony"},
    {u"TSB", u"Toshiba"},
    {u"VSC", u"ViewSonic"},
    {u"XMI", u"Xiaomi"},
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

// One descriptor's text: up to 13 bytes, ended by a line feed or a NUL, padded with
// blanks or 0xFF that do not belong to it.
struct DescriptorText {
    Text text;
    bool continued = false; // fills its 13 bytes to the last: the next one goes on with it
};

DescriptorText ReadDescriptorText(std::span<const std::uint8_t> payload) {
    std::size_t end = 0;
    while (end < payload.size() && payload[end] != 0x0A && payload[end] != 0x00) {
        ++end;
    }
    DescriptorText out;
    out.continued = end == payload.size();
    while (end > 0 && (payload[end - 1] == 0x20 || payload[end - 1] == 0xFF)) {
        --end;
        out.continued = false;
    }
    for (std::size_t i = 0; i < end; ++i) {
        const std::uint8_t byte = payload[i];
        out.text.push_back(byte >= 0x20 && byte <= 0x7E ? static_cast<char16_t>(byte) : u'?');
    }
    return out;
}

// A part that ended before its descriptor did was a word of its own: a blank divides it
// from the next.
void Join(Text& joined, bool& continued, const DescriptorText& part) {
    if (part.text.empty()) {
        return;
    }
    if (!joined.empty() && !continued) {
        joined += u' ';
    }
    joined += part.text;
    continued = part.continued;
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
        m.interlaced = (preferred[17] & 0x80) != 0;
        if (m.interlaced) {
            m.nativeHeight *= 2; // the timing counts the lines of one field
        }
    }
    bool nameContinued = false;
    for (int i = 0; i < kDescriptors; ++i) {
        const std::span<const std::uint8_t> d = b.subspan(
            kFirstDescriptor + kDescriptorSize * static_cast<std::size_t>(i), kDescriptorSize);
        if (d[0] != 0 || d[1] != 0 || d[2] != 0) {
            continue;
        }
        const DescriptorText text = ReadDescriptorText(d.subspan(5));
        if (d[3] == 0xFC) {
            Join(m.name, nameContinued, text);
        } else if (d[3] == 0xFE) {
            bool apart = false; // each data text is a word of its own
            Join(m.dataText, apart, text);
        } else if (d[3] == 0xFF && m.serialText.empty()) { // the first that says anything
            m.serialText = text.text;
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

Text WindowsMonitorId(const MonitorIdentity& monitor) {
    if (!monitor.valid || monitor.manufacturerId.size() != 3) {
        return {};
    }
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    Text id = monitor.manufacturerId;
    for (const int shift : {12, 8, 4, 0}) {
        id.push_back(kDigits[monitor.productCode >> shift & 0xF]);
    }
    return id;
}

Text ModelText(const MonitorIdentity& monitor) {
    return monitor.name.empty() ? monitor.dataText : monitor.name;
}

int KnownYear(const MonitorIdentity& monitor, int currentYear) {
    if (!monitor.valid || monitor.year <= 0) {
        return 0;
    }
    // A model year is named ahead of the calendar; a year of manufacture never is.
    const int latest = currentYear + (monitor.modelYear ? 1 : 0);
    return monitor.year <= latest ? monitor.year : 0;
}

bool KnownImageSize(const MonitorIdentity& monitor) {
    const auto known = [](int cm) { return cm > 0 && cm < 255; };
    return monitor.valid && known(monitor.widthCm) && known(monitor.heightCm);
}

bool KnownNativeResolution(const MonitorIdentity& monitor) {
    return monitor.valid && monitor.nativeWidth >= 320 && monitor.nativeHeight >= 200;
}

int DiagonalTenthsOfInch(int widthCm, int heightCm) {
    if (widthCm <= 0 || heightCm <= 0) {
        return 0;
    }
    // Rounded down, so a report never makes a panel bigger than it is.
    const double tenths = std::hypot(widthCm, heightCm) / 0.254;
    return static_cast<int>(std::min(std::floor(tenths), 2147483647.0));
}
