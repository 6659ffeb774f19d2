// Who a monitor says it is: the base block of its EDID (maker, product, serial, date,
// size, native mode and its text descriptors), for the defect report.
#pragma once

#include <cstdint>
#include <span>

#include "text/text.h"

// Every number is 0 and every text empty when the monitor does not say. The numbers are
// the block's own, as a decoder reads them; whether a monitor can have them is for the
// Known* functions below to say.
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
    int nativeWidth = 0;  // the preferred timing's active pixels
    int nativeHeight = 0; // of the whole frame, both fields of an interlaced timing
    // Display descriptor texts, printable ASCII only: the name joined from every name
    // descriptor, the serial text, and the data texts joined with a blank (a laptop
    // panel names its maker and model there: "SAMSUNG 156AT05-H01").
    Text name;
    Text serialText;
    Text dataText;
    bool interlaced = false; // the preferred timing's

    friend bool operator==(const MonitorIdentity&, const MonitorIdentity&) = default;
};

// Reads the first 128 bytes; extension blocks after them are left alone. Fewer bytes, a
// wrong header or a wrong checksum give MonitorIdentity{}.
[[nodiscard]] MonitorIdentity ParseEdid(std::span<const std::uint8_t> bytes);

// The company behind a three-letter manufacturer ID, else the ID itself.
[[nodiscard]] Text MakerName(TextView manufacturerId);

// The ID and the product code in four upper-case hex digits, as Windows names the
// monitor ("DELD0A1"); empty when there is no sound block or no ID.
[[nodiscard]] Text WindowsMonitorId(const MonitorIdentity& monitor);

// What the monitor calls its model: its name, else its panel's data texts.
[[nodiscard]] Text ModelText(const MonitorIdentity& monitor);

// The year of manufacture (or model year) when a monitor can have it: not after
// currentYear (a model year may be the next one); else 0.
[[nodiscard]] int KnownYear(const MonitorIdentity& monitor, int currentYear);

// An image size of 0 or 255 cm on either side is a block that does not know it.
[[nodiscard]] bool KnownImageSize(const MonitorIdentity& monitor);

// No flat panel has fewer than 320 x 200 pixels; fewer is a block that does not know.
[[nodiscard]] bool KnownNativeResolution(const MonitorIdentity& monitor);

// The image diagonal in tenths of an inch, rounded down (60 x 34 cm gives 271); 0 when
// either side is unknown.
[[nodiscard]] int DiagonalTenthsOfInch(int widthCm, int heightCm);
