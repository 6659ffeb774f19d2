// Writing and opening the defect report.
#include "defects/win/defect_report_file.h"

#include <windows.h>

#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "defects/defect_report.h"
#include "defects/report_table.h"
#include "text/win/unique_owner.h"
#include "text/win/wide.h"

namespace {

// GUID_DEVINTERFACE_MONITOR, spelt out: not every SDK's headers define it.
constexpr GUID kMonitorInterface = {
    0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};

// An EDID is 128 bytes a block, at most 256 blocks.
constexpr DWORD kLongestEdid = 128 * 256;

// The monitors' device list and a device's registry key, counted like every handle.
struct DeviceListTraits {
    using Handle = HDEVINFO;
    static constexpr Handle kNone = nullptr;
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(Handle h) noexcept { SetupDiDestroyDeviceInfoList(h); }
    static std::atomic<int>& Counter() noexcept { return owner_count::handles; }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static constexpr Handle kNone = nullptr;
    // SetupDiOpenDevRegKey fails with INVALID_HANDLE_VALUE.
    static bool IsValid(Handle h) noexcept {
        return h != nullptr && h != reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    static void Free(Handle h) noexcept { RegCloseKey(h); }
    static std::atomic<int>& Counter() noexcept { return owner_count::handles; }
};
using DeviceList = UniqueOwner<DeviceListTraits>;
using RegistryKey = UniqueOwner<RegistryKeyTraits>;

// The device behind the monitor interface whose path is `interfacePath`. The list is
// walked rather than opened by path: opening an interface by its path is not there on
// every runtime, and paths are compared as Windows compares them, without regard to case.
bool FindInterfaceDevice(HDEVINFO list, const wchar_t* interfacePath, SP_DEVINFO_DATA& device) {
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(list, nullptr, &kMonitorInterface, index,
                                         &interfaceData)) {
            return false; // ERROR_NO_MORE_ITEMS, or a list that cannot be read further
        }
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || needed > 64 * 1024) {
            continue;
        }
        // DWORD-aligned storage for the variable-length detail record.
        std::vector<DWORD> storage((needed + sizeof(DWORD) - 1) / sizeof(DWORD));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA found{};
        found.cbSize = sizeof(found);
        if (!SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, detail, needed, nullptr,
                                              &found)) {
            continue;
        }
        if (CompareStringOrdinal(detail->DevicePath, -1, interfacePath, -1, TRUE) == CSTR_EQUAL) {
            device = found; // a device instance of 0 is a device like any other
            return true;
        }
    }
}

std::vector<std::uint8_t> EdidOfInterface(const wchar_t* interfacePath) {
    const DeviceList list(SetupDiGetClassDevsW(&kMonitorInterface, nullptr, nullptr,
                                               DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) {
        return {};
    }
    SP_DEVINFO_DATA device{};
    if (!FindInterfaceDevice(list.Get(), interfacePath, device)) {
        return {};
    }
    const RegistryKey key(
        SetupDiOpenDevRegKey(list.Get(), &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ));
    if (!key) {
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
            const UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file) {
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

bool AppendReportTableRow(const Text& folder, const std::string& row) {
    if (folder.empty()) {
        return false;
    }
    const Text path = (folder.back() == u'\\' ? folder : folder + u'\\') + kReportTableName;
    // Windows refuses to write a read-only file; a runtime running as an administrator
    // may not, and the user's mark on it is meant all the same.
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // Appending only: what is there already is never rewritten. Readers may share it.
    const UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ | FILE_APPEND_DATA,
                                        FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return false;
    }
    std::string text;
    if (size.QuadPart == 0) {
        text = ReportTableHeader();
    } else {
        // A last line without its end (cut off by a full disk, edited by hand) gets one,
        // so the new row starts a line of its own.
        LARGE_INTEGER last{};
        last.QuadPart = size.QuadPart - 1;
        char end = '\n';
        DWORD read = 0;
        if (SetFilePointerEx(file.Get(), last, nullptr, FILE_BEGIN) &&
            ReadFile(file.Get(), &end, 1, &read, nullptr) && read == 1 && end != '\n') {
            text = "\r\n";
        }
    }
    text += row;
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

WrittenReport WriteAndOpenDefectReport(TextView device, const MarkLog& log, TextView program) {
    WrittenReport written;
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
        Text folder = DocumentsFolder();
        written.path = WriteNewReportFile(folder, date, facts.monitor, page);
        if (written.path.empty()) {
            folder = TemporaryFolder();
            written.path = WriteNewReportFile(folder, date, facts.monitor, page);
        }
        if (written.path.empty()) {
            return written;
        }
        const Text fileName = written.path.substr(written.path.rfind(u'\\') + 1);
        written.tableAppended = AppendReportTableRow(folder, ReportTableRow(facts, fileName));
        // Success is a value above 32; anything else is an error code.
        written.opened =
            reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", Wide(written.path), nullptr,
                                                    nullptr, SW_SHOWNORMAL)) > 32;
    } catch (...) {
        // What was written stays; the caller says what is missing.
    }
    return written;
}
