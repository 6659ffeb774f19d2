// Who a monitor says it is: the base block of its EDID (maker, product, serial, date,
// size, native mode and its text descriptors), for the defect report.
#pragma once

#include <cstdint>
#include <span>

#include "text/text.h"

// Every number is 0 and every text empty when the monitor does not say.
struct MonitorIdentity {
    bool valid = false;  // a whole base block with its header and checksum; else all unknown
    Text manufacturerId; // three capitals, "DEL"
    Text maker;          // "Dell", or the three letters when the table does not know them
    int productCode = 0; // the maker's own number
    std::uint32_t serialNumber = 0;
    int week = 0; // 1..54
    int year = 0; // of manufacture, or of the model when modelYear
    bool modelYear = false;
    int version = 0; // EDID version.revision, 1.3 or 1.4 in practice
    int revision = 0;
    int widthCm = 0; // image size
    int heightCm = 0;
    int nativeWidth = 0; // the preferred timing's active pixels
    int nativeHeight = 0;
    Text name; // display descriptor texts, printable ASCII only
    Text serialText;
    Text dataText;

    friend bool operator==(const MonitorIdentity&, const MonitorIdentity&) = default;
};

// Reads the first 128 bytes; extension blocks after them are left alone. Fewer bytes, a
// wrong header or a wrong checksum give MonitorIdentity{}.
[[nodiscard]] MonitorIdentity ParseEdid(std::span<const std::uint8_t> bytes);

// The company behind a three-letter manufacturer ID, else the ID itself.
[[nodiscard]] Text MakerName(TextView manufacturerId);

// The image diagonal in tenths of an inch, rounded down (60 x 34 cm gives 271); 0 when
// either side is unknown.
[[nodiscard]] int DiagonalTenthsOfInch(int widthCm, int heightCm);
