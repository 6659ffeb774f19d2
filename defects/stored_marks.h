// How a monitor's marks are kept in the settings file: section "Pixel defects", one
// key per monitor and screen size, whose value lists the marks as "x,y,type,picture"
// separated by blanks, for instance "812,455,1,1 20,3,3,2". A monitor whose EDID names
// it is kept under that name, "2560x1440 DELA0F5 X9R5K8864M1E", so it takes its marks
// along to another output and another monitor on its output starts empty; one that
// does not, under its output, "1920x1080 \\.\DISPLAY1".
#pragma once

#include "defects/edid.h"
#include "defects/mark_log.h"
#include "text/text.h"

inline constexpr char16_t kDefectSection[] = u"Pixel defects";

// The longest value a full log takes, with room to spare: the settings read needs a
// buffer of its own, larger than the other settings' one.
inline constexpr int kStoredMarksChars = 32768;

// "WxH" then, when the monitor has a device name, a blank and the name.
[[nodiscard]] Text StoredMarksKey(TextView device, int width, int height);

// "WxH", the Windows monitor ID and the serial (its characters that an ini key cannot
// hold as '_'); empty when the identity lacks the ID or any serial.
[[nodiscard]] Text StoredMarksIdentityKey(const MonitorIdentity& monitor, int width, int height);

[[nodiscard]] Text FormatStoredMarks(const MarkLog& log);

// Reads a stored value for a screen of width x height: every sound mark on the
// screen is kept, up to the limit; anything else (a damaged, foreign or cut-off
// entry, a duplicate) is passed over. `cutOff` says the value may have been cut at
// the read buffer's end, so its last entry is not trusted.
[[nodiscard]] MarkLog ParseStoredMarks(TextView value, int width, int height, bool cutOff = false);
