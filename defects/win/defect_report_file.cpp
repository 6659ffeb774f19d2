// Writing and opening the defect report.
#include "defects/win/defect_report_file.h"

#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>

#include "defects/defect_report.h"
#include "text/win/file_handle.h"
#include "text/win/wide.h"

namespace {

// GUID_DEVINTERFACE_MONITOR, spelt out: not every SDK's headers define it.
constexpr GUID kMonitorInterface = {
    0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};

// An EDID is 128 bytes a block, at most 256 blocks.
constexpr DWORD kLongestEdid = 128 * 256;

class DeviceList {
public:
    DeviceList()
        : devices(SetupDiGetClassDevsW(&kMonitorInterface, nullptr, nullptr,
                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {}
    ~DeviceList() {
        if (devices != INVALID_HANDLE_VALUE) {
            SetupDiDestroyDeviceInfoList(devices);
        }
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    [[nodiscard]] HDEVINFO Get() const { return devices; }

private:
    HDEVINFO devices;
};

class RegistryKey {
public:
    explicit RegistryKey(HKEY key) : key(key) {}
    ~RegistryKey() {
        if (key != nullptr && key != INVALID_HANDLE_VALUE) {
            RegCloseKey(key);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    [[nodiscard]] HKEY Get() const { return key != INVALID_HANDLE_VALUE ? key : nullptr; }

private:
    HKEY key;
};

std::vector<std::uint8_t> EdidOfInterface(const wchar_t* interfacePath) {
    const DeviceList list;
    if (list.Get() == INVALID_HANDLE_VALUE) {
        return {};
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    if (!SetupDiOpenDeviceInterfaceW(list.Get(), interfacePath, 0, &interfaceData)) {
        return {};
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    // Only the device is wanted, not the detail: the call fails for want of a buffer
    // but fills it in.
    SetupDiGetDeviceInterfaceDetailW(list.Get(), &interfaceData, nullptr, 0, nullptr, &device);
    if (device.DevInst == 0) {
        return {};
    }
    const RegistryKey key(
        SetupDiOpenDevRegKey(list.Get(), &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (key.Get() == nullptr) {
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size == 0 || size > kLongestEdid) {
        return {};
    }
    std::vector<std::uint8_t> edid(size);
    if (RegQueryValueExW(key.Get(), L"EDID", nullptr, &type, edid.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    edid.resize(size);
    return edid;
}

Text TwoDigits(int value) {
    Text digits = DecimalText(value);
    if (digits.size() < 2) {
        digits.insert(digits.begin(), u'0');
    }
    return digits;
}

// "2026-12-08", and "2026-12-08 14:03" with the time.
Text Today(const SYSTEMTIME& now, bool withTime) {
    const Text month = TwoDigits(now.wMonth);
    const Text day = TwoDigits(now.wDay);
    const Text hour = TwoDigits(now.wHour);
    const Text minute = TwoDigits(now.wMinute);
    return withTime
               ? FormatText(u"%d-%s-%s %s:%s", {std::int64_t{now.wYear}, month, day, hour, minute})
               : FormatText(u"%d-%s-%s", {std::int64_t{now.wYear}, month, day});
}

Text DocumentsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         folder) != S_OK) {
        return {};
    }
    return FromWide(folder);
}

Text TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? FromWide(folder) : Text();
}

} // namespace

std::vector<std::uint8_t> ReadMonitorEdid(TextView device) {
    try {
        const Text adapter(device);
        DISPLAY_DEVICEW monitor{};
        monitor.cb = sizeof(monitor);
        // The first monitor on the display is the one it shows.
        if (adapter.empty() ||
            !EnumDisplayDevicesW(Wide(adapter), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME) ||
            monitor.DeviceID[0] == L'\0') {
            return {};
        }
        return EdidOfInterface(monitor.DeviceID);
    } catch (...) {
        return {};
    }
}

Text WriteNewReportFile(const Text& folder, TextView date, const MonitorIdentity& monitor,
                        const std::string& page) {
    if (folder.empty()) {
        return {};
    }
    Text base = folder;
    if (base.back() != u'\\') {
        base += u'\\';
    }
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const Text path = base + ReportFileName(date, monitor, attempt);
        bool whole = false;
        {
            // CREATE_NEW: a report already there is never written over.
            const FileHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file.IsOpen()) {
                if (GetLastError() == ERROR_FILE_EXISTS) {
                    continue;
                }
                return {};
            }
            DWORD written = 0;
            whole = WriteFile(file.Get(), page.data(), static_cast<DWORD>(page.size()), &written,
                              nullptr) &&
                    written == page.size();
        }
        if (whole) {
            return path;
        }
        DeleteFileW(Wide(path)); // a half page is worse than none: the next folder gets it
        return {};
    }
    return {};
}

bool WriteAndOpenDefectReport(TextView device, const MarkLog& log, TextView program) {
    try {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        ReportFacts facts;
        facts.program = Text(program);
        facts.dateTime = Today(now, true);
        facts.monitor = ParseEdid(ReadMonitorEdid(device));
        facts.device = Text(device);
        facts.log = log;
        const std::string page = DefectReportHtml(facts);
        const Text date = Today(now, false);
        Text path = WriteNewReportFile(DocumentsFolder(), date, facts.monitor, page);
        if (path.empty()) {
            path = WriteNewReportFile(TemporaryFolder(), date, facts.monitor, page);
        }
        if (path.empty()) {
            return false;
        }
        ShellExecuteW(nullptr, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    } catch (...) {
        return false;
    }
}
