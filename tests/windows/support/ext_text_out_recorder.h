// Test aid: watches every ExtTextOutW call this test program makes, by pointing the
// program's own import slot for it at a recorder that logs the call and passes it on
// to the real GDI. Optional actions run at chosen calls, which lets a test change
// shared state at an exact point inside a paint.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class ExtTextOutRecorder {
public:
    struct Call {
        HDC dc = nullptr;
        UINT options = 0;
        bool hasRect = false;
        RECT rect{};
        COLORREF background = 0; // the DC's background colour at the call
        bool hasString = false;
        UINT length = 0;
        std::wstring text; // the string drawn, if any
    };

    // Installs the recorder; only one may be installed at a time.
    ExtTextOutRecorder();
    ~ExtTextOutRecorder();
    ExtTextOutRecorder(const ExtTextOutRecorder&) = delete;
    ExtTextOutRecorder& operator=(const ExtTextOutRecorder&) = delete;

    [[nodiscard]] bool Installed() const noexcept { return slot != nullptr; }
    [[nodiscard]] const std::vector<Call>& Calls() const noexcept { return calls; }
    // Forgets the calls and the actions.
    void Clear() {
        calls.clear();
        actions.clear();
    }
    // Runs `action` right after call number `index` (0-based, counted from the last
    // Clear) has been passed on.
    void AtCall(std::size_t index, std::function<void()> action);

private:
    static BOOL WINAPI Record(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR string,
                              UINT length, const INT* dx);

    void** slot = nullptr;
    void* original = nullptr;
    std::vector<Call> calls;
    std::vector<std::pair<std::size_t, std::function<void()>>> actions;
};
