// The settings store's decisions that need no Windows: how an ini value becomes a
// number, how a read is brought into range, how the per-user folder is chosen and how
// a program running from inside the temporary folder is recognised.
#pragma once

#include <cstdint>

#include "text/text.h"

// The text as wcstol reads it with base 10 where long is 32 bits: leading white
// space, an optional sign, then decimal digits up to the first other character.
// No digits give 0; a value beyond the 32-bit range gives INT32_MAX or INT32_MIN.
[[nodiscard]] std::int32_t ParseIniInt(TextView text) noexcept;

// The value of an integer read: the parsed text when the read placed at least one
// character, else the default (a key that is present with an empty value).
[[nodiscard]] std::int32_t IniIntOrDefault(TextView placed, std::int32_t defaultValue) noexcept;

// Brings a read value into lower..upper. Either bound -1 means no range. The upper
// bound is applied first, so a lower bound above the upper one wins.
[[nodiscard]] std::int32_t ClampIniInt(std::int32_t value, std::int32_t lower,
                                       std::int32_t upper) noexcept;

// A folder in the form used to compare folders: one backslash appended, then every
// pair of backslashes replaced by one in a single left-to-right pass. Lower-casing is
// left to the caller (it needs the system's case tables).
[[nodiscard]] Text FolderComparisonText(TextView folder);

// True when the program folder lies inside the temporary folder. Both are comparison
// texts as above, already lowered.
[[nodiscard]] bool IsInsideFolder(TextView programFolder, TextView tempFolder) noexcept;

// The folder under which the program's own per-user folder is made: the first
// non-empty of the shell's application-data folder, the APPDATA environment value and
// the temporary folder, with trailing backslashes removed (so "C:\" gives "C:").
[[nodiscard]] Text PerUserBaseFolder(TextView shellFolder, TextView environmentFolder,
                                     TextView tempFolder);

// Everything before the last backslash of a file path; empty when there is none.
[[nodiscard]] Text FolderOfPath(TextView path);

// The stamp written by the location set-up: seconds since 1970 as signed 32-bit
// "%d" text (the count wraps in 2038 as a 32-bit time does).
[[nodiscard]] Text IniTimeStamp(std::int64_t secondsSince1970);
