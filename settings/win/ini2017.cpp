// CIni2017 over GetPrivateProfileStringW / WritePrivateProfileStringW, and the
// one-time choice of the settings file: beside the program when a writable one is
// already there, otherwise in the program's folder under the user's application data.
#include "settings/win/ini2017.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <ctime>

#include "settings/ini_rules.h"
#include "text/win/wide.h"

namespace {

constexpr char16_t kApplicationName[] = u"Glimmerix";
constexpr char16_t kIniFileName[] = u"Glimmerix.ini";
constexpr char16_t kSection[] = u"Program";
constexpr char16_t kProbeKey[] = u"TestIni";
// The start mark is set back by this many seconds from the probe's stamp.
constexpr std::int64_t kStartMarkOffset = 22;

// One store per process. Written by the set-up on the main thread before any worker
// exists, read afterwards.
Text settingsFilePath;
Text programFolderCache;

// The file an operation works on: its own, or the settings file. Empty when neither
// is known yet; the private-profile services would then fall back to a file in the
// Windows folder, so such calls are not made at all.
const Text& TargetFile(const Text* file) {
    return file != nullptr ? *file : settingsFilePath;
}

// A comparison text lowered by the system's case tables.
Text LoweredComparisonText(const Text& folder) {
    Text text = FolderComparisonText(folder);
    CharLowerW(Wide(text.data()));
    return text;
}

Text TempFolder() {
    wchar_t buffer[kIniBufferChars] = {};
    const DWORD length = GetTempPathW(kIniBufferChars, buffer);
    return length > 0 && length < kIniBufferChars ? FromWide(buffer, length) : Text();
}

Text ShellAppDataFolder() {
    wchar_t buffer[kIniBufferChars] = {};
    return SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE) ? FromWide(buffer)
                                                                          : Text();
}

Text EnvironmentAppDataFolder() {
    wchar_t buffer[kIniBufferChars] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, kIniBufferChars);
    return length > 0 && length < kIniBufferChars ? FromWide(buffer, length) : Text();
}

std::int64_t SecondsSince1970() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

// Writes the stamp into the current settings file and reads it back. A file that
// cannot be written does not give the stamp back; a write that reports failure is
// taken as a failed probe as well, since a cached copy of the file may still answer.
bool ProbeSettingsFile(const Text& stamp) {
    if (CIni2017::WriteProgramString(kProbeKey, stamp) == 0) {
        return false;
    }
    IniBuffer readBack{};
    const int placed = CIni2017::ReadProgramString(kProbeKey, readBack);
    return TextView(readBack.data(), static_cast<std::size_t>(placed)) == stamp;
}

} // namespace

int CIni2017::Setup() {
    const Text tempFolder = TempFolder();
    const Text appData =
        PerUserBaseFolder(ShellAppDataFolder(), EnvironmentAppDataFolder(), tempFolder);
    return SetupFrom(GetProgramFolder(), tempFolder, appData);
}

int CIni2017::SetupFrom(const Text& programFolder, const Text& tempFolder,
                        const Text& appDataFolder) {
    const Text tempComparison = LoweredComparisonText(tempFolder);
    const Text programComparison = LoweredComparisonText(programFolder);
    const Text stamp = IniTimeStamp(SecondsSince1970());

    // Without a program folder the candidate would be a file at the root of the
    // current drive, which is not beside the program.
    bool besideProgram = false;
    if (!programFolder.empty()) {
        settingsFilePath = programFolder + u'\\' + kIniFileName;
        // A program started from inside the temporary folder (straight out of an
        // archive, say) never keeps its settings there; and the set-up never creates
        // a file beside the program, it only takes one that is there and writable.
        besideProgram = !IsInsideFolder(programComparison, tempComparison) &&
                        GetPathKind(settingsFilePath) == 1 && ProbeSettingsFile(stamp);
    }

    if (!besideProgram) {
        const Text userFolder = appDataFolder + u'\\' + kApplicationName;
        // Failure is ignored: the folder normally exists already, and a folder that
        // cannot be made only makes later writes fail quietly.
        CreateDirectoryW(Wide(userFolder), nullptr);
        settingsFilePath = userFolder + u'\\' + kIniFileName;
    }

    WriteProgramString(kProbeKey, IniTimeStamp(SecondsSince1970() - kStartMarkOffset));
    return 1;
}

Text CIni2017::SettingsFilePath() {
    return settingsFilePath;
}

Text CIni2017::GetProgramFolder() {
    if (programFolderCache.empty()) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        // A path cut at the buffer's end would name a wrong folder; keep none instead.
        if (length > 0 && length < MAX_PATH) {
            programFolderCache = FolderOfPath(FromWide(path, length));
        }
    }
    return programFolderCache;
}

int CIni2017::GetPathKind(const Text& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : -1;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 2 : 1;
}

int CIni2017::WriteString(const Text& section, const Text& key, const Text& value,
                          const Text* file) {
    const Text& target = TargetFile(file);
    if (target.empty()) {
        return 0;
    }
    return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), Wide(target)) ? 1 : 0;
}

int CIni2017::DeleteKey(const Text& section, const Text& key, const Text* file) {
    const Text& target = TargetFile(file);
    if (target.empty()) {
        return 0;
    }
    return WritePrivateProfileStringW(Wide(section), Wide(key), nullptr, Wide(target)) ? 1 : 0;
}

int CIni2017::DeleteSectionIfEmpty(const Text& section, const Text* file) {
    const Text& target = TargetFile(file);
    if (target.empty()) {
        return 0;
    }
    wchar_t keys[4] = {};
    // Without a key name the services list the section's keys: none, and nothing is read.
    if (GetPrivateProfileStringW(Wide(section), nullptr, L"", keys, 4, Wide(target)) != 0) {
        return 0;
    }
    return WritePrivateProfileStringW(Wide(section), nullptr, nullptr, Wide(target)) ? 1 : 0;
}

int CIni2017::WriteInt(const Text& section, const Text& key, std::int32_t value, const Text* file) {
    return WriteString(section, key, DecimalText(value), file);
}

int CIni2017::ReadString(const Text& section, const Text& key, char16_t* buffer, int capacity,
                         const Text* file) {
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    // The default is taken from the buffer, cut to fit, into a copy of its own: the
    // service is not asked to read and write the same memory.
    const std::size_t limit = static_cast<std::size_t>(capacity) - 1;
    const Text defaultText(buffer, std::find(buffer, buffer + limit, u'\0'));
    const Text& target = TargetFile(file);
    if (target.empty()) {
        buffer[defaultText.size()] = u'\0';
        return static_cast<int>(defaultText.size());
    }
    return static_cast<int>(GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultText),
                                                     Wide(buffer), static_cast<DWORD>(capacity),
                                                     Wide(target)));
}

std::int32_t CIni2017::ReadInt(const Text& section, const Text& key, std::int32_t defaultValue,
                               std::int32_t lower, std::int32_t upper) {
    std::int32_t value = defaultValue;
    if (!settingsFilePath.empty()) {
        IniBuffer defaultText{};
        const Text decimal = DecimalText(defaultValue);
        std::copy(decimal.begin(), decimal.end(), defaultText.begin());
        IniBuffer result{};
        const DWORD placed =
            GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultText.data()),
                                     Wide(result.data()), kIniBufferChars, Wide(settingsFilePath));
        value = IniIntOrDefault(TextView(result.data(), placed), defaultValue);
    }
    return ClampIniInt(value, lower, upper);
}

int CIni2017::WriteProgramInt(const Text& key, std::int32_t value) {
    return WriteInt(kSection, key, value);
}

std::int32_t CIni2017::ReadProgramInt(const Text& key, std::int32_t defaultValue) {
    return ReadInt(kSection, key, defaultValue, -1, -1);
}

int CIni2017::WriteProgramString(const Text& key, const Text& value) {
    return WriteString(kSection, key, value);
}

int CIni2017::ReadProgramString(const Text& key, IniBuffer& buffer) {
    return ReadString(kSection, key, buffer.data(), kIniBufferChars);
}
