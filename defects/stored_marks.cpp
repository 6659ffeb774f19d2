// The defect log's text in the settings file.
#include "defects/stored_marks.h"

#include <cstdint>

namespace {

// A decimal number of at most six digits (no screen is a million pixels wide); no
// sign, no blank, nothing else.
bool ReadNumber(TextView text, int& value) {
    if (text.empty() || text.size() > 6) {
        return false;
    }
    value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        value = value * 10 + (c - u'0');
    }
    return true;
}

bool ReadMark(TextView entry, PixelMark& mark) {
    int fields[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = entry.find(u',');
        const bool last = i == 3;
        if ((comma == TextView::npos) != last) {
            return false; // too few or too many fields
        }
        if (!ReadNumber(entry.substr(0, comma), fields[i])) {
            return false;
        }
        entry = last ? TextView() : entry.substr(comma + 1);
    }
    mark = {fields[0], fields[1], fields[2], fields[3]};
    return true;
}

} // namespace

Text StoredMarksIdentityKey(const MonitorIdentity& monitor, int width, int height) {
    const Text id = WindowsMonitorId(monitor);
    Text serial = monitor.serialText;
    if (serial.empty() && monitor.serialNumber != 0) {
        serial = DecimalText(static_cast<std::int64_t>(monitor.serialNumber));
    }
    if (id.empty() || serial.empty()) {
        return {};
    }
    for (char16_t& c : serial) {
        const bool plain = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'a' && c <= u'z') || c == u'-' || c == u'.';
        c = plain ? c : u'_';
    }
    return FormatText(u"%dx%d %s %s", {std::int64_t{width}, std::int64_t{height}, id, serial});
}

Text StoredMarksKey(TextView device, int width, int height) {
    Text key = FormatText(u"%dx%d", {std::int64_t{width}, std::int64_t{height}});
    if (!device.empty()) {
        key += u' ';
        key += device;
    }
    return key;
}

Text FormatStoredMarks(const MarkLog& log) {
    Text value;
    for (const PixelMark& mark : log.Marks()) {
        if (!value.empty()) {
            value += u' ';
        }
        value += FormatText(u"%d,%d,%d,%d", {std::int64_t{mark.x}, std::int64_t{mark.y},
                                             std::int64_t{mark.type}, std::int64_t{mark.picture}});
    }
    return value;
}

MarkLog ParseStoredMarks(TextView value, int width, int height, bool cutOff) {
    MarkLog log(width, height);
    if (cutOff) {
        const std::size_t lastBlank = value.find_last_of(u' ');
        value = lastBlank == TextView::npos ? TextView() : value.substr(0, lastBlank);
    }
    while (!value.empty()) {
        const std::size_t blank = value.find(u' ');
        const TextView entry = value.substr(0, blank);
        PixelMark mark;
        if (!entry.empty() && ReadMark(entry, mark)) {
            log.Add(mark); // off the screen, unknown or beyond the limit: left out
        }
        value = blank == TextView::npos ? TextView() : value.substr(blank + 1);
    }
    return log;
}
