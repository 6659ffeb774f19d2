// Import-slot redirection for ExtTextOutW (see ext_text_out_recorder.h).
#include "tests/windows/support/ext_text_out_recorder.h"

#include <cstdint>
#include <cstring>

namespace {

ExtTextOutRecorder* installed = nullptr;

using ExtTextOutFunction = BOOL(WINAPI*)(HDC, int, int, UINT, const RECT*, LPCWSTR, UINT,
                                         const INT*);

// The import address slot through which this program calls `function` of `dll`.
void** FindImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return nullptr;
    }
    for (auto* descriptor =
             reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0 ||
            descriptor->OriginalFirstThunk == 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

bool WriteSlot(void** slot, void* value) {
    DWORD oldProtection = 0;
    if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &oldProtection)) {
        return false;
    }
    *slot = value;
    VirtualProtect(slot, sizeof(void*), oldProtection, &oldProtection);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof(void*));
    return true;
}

void* AsPointer(ExtTextOutFunction function) {
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(function));
}

} // namespace

ExtTextOutRecorder::ExtTextOutRecorder() {
    if (installed != nullptr) {
        return;
    }
    void** found = FindImportSlot("gdi32.dll", "ExtTextOutW");
    if (found == nullptr) {
        return;
    }
    void* previous = *found;
    if (WriteSlot(found, AsPointer(&ExtTextOutRecorder::Record))) {
        slot = found;
        original = previous;
        installed = this;
    }
}

ExtTextOutRecorder::~ExtTextOutRecorder() {
    if (slot != nullptr) {
        WriteSlot(slot, original);
        installed = nullptr;
    }
}

void ExtTextOutRecorder::AtCall(std::size_t index, std::function<void()> action) {
    actions.emplace_back(index, std::move(action));
}

BOOL WINAPI ExtTextOutRecorder::Record(HDC dc, int x, int y, UINT options, const RECT* rect,
                                       LPCWSTR string, UINT length, const INT* dx) {
    ExtTextOutRecorder& self = *installed;
    Call call;
    call.dc = dc;
    call.options = options;
    call.hasRect = rect != nullptr;
    if (rect != nullptr) {
        call.rect = *rect;
    }
    call.background = GetBkColor(dc);
    call.hasString = string != nullptr;
    call.length = length;
    if (string != nullptr) {
        call.text.assign(string, length);
    }
    const std::size_t index = self.calls.size();
    self.calls.push_back(call);
    const auto real =
        reinterpret_cast<ExtTextOutFunction>(reinterpret_cast<std::uintptr_t>(self.original));
    const BOOL result = real(dc, x, y, options, rect, string, length, dx);
    for (const auto& [at, action] : self.actions) {
        if (at == index) {
            action();
        }
    }
    return result;
}
