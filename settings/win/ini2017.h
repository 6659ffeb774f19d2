// CIni2017: the program's settings store, one ini file per process, kept through the
// Windows private-profile services. All operations are class-wide; no instance is
// ever needed.
#pragma once

#include <array>
#include <cstdint>

#include "text/text.h"

inline constexpr int kIniBufferChars = 1024;
using IniBuffer = std::array<char16_t, kIniBufferChars>;

class CIni2017 {
public:
    virtual ~CIni2017() = default;

    // Chooses the settings file for the rest of the run from the real program folder,
    // temporary folder and per-user application-data folder. When the shell cannot name
    // the application-data folder, the APPDATA environment value stands in, else the
    // temporary folder: never the root of the current drive. Always returns 1.
    static int Setup();

    // The same choice from folders given by the caller (the file operations are real).
    // programFolder has no trailing backslash; tempFolder is as GetTempPathW reports
    // it (empty when unknown); appDataFolder is the folder that gets the program's
    // per-user folder. Always returns 1.
    static int SetupFrom(const Text& programFolder, const Text& tempFolder,
                         const Text& appDataFolder);

    // The settings file in use; empty before the set-up.
    [[nodiscard]] static Text SettingsFilePath();

    // The folder of the program file without a trailing backslash, empty if unknown.
    [[nodiscard]] static Text GetProgramFolder();

    // 1 an existing file, 2 an existing folder, 0 nothing there (file or path not
    // found), -1 the question could not be answered (access denied, bad name, ...).
    [[nodiscard]] static int GetPathKind(const Text& path);

    // A null file means the settings file. Writes return nonzero on success.
    static int WriteString(const Text& section, const Text& key, const Text& value,
                           const Text* file = nullptr);
    static int WriteInt(const Text& section, const Text& key, std::int32_t value,
                        const Text* file = nullptr);
    // Takes the key out of the section; nonzero when the file holds no such key after.
    static int DeleteKey(const Text& section, const Text& key, const Text* file = nullptr);
    // Takes the section out when it holds no key; nonzero when none is left of it.
    static int DeleteSectionIfEmpty(const Text& section, const Text* file = nullptr);

    // The buffer holds the default on entry and the stored text (or the default) on
    // return, cut to capacity - 1 characters. Returns the number of characters placed.
    static int ReadString(const Text& section, const Text& key, char16_t* buffer, int capacity,
                          const Text* file = nullptr);

    // Reads the settings file; a missing or empty value gives the default, text that
    // is not a number gives 0. Bounds of -1 mean no range.
    [[nodiscard]] static std::int32_t ReadInt(const Text& section, const Text& key,
                                              std::int32_t defaultValue, std::int32_t lower,
                                              std::int32_t upper);

    // The same in the program's one section, on the settings file.
    static int WriteProgramInt(const Text& key, std::int32_t value);
    [[nodiscard]] static std::int32_t ReadProgramInt(const Text& key, std::int32_t defaultValue);
    static int WriteProgramString(const Text& key, const Text& value);
    static int ReadProgramString(const Text& key, IniBuffer& buffer);
};
