// Scoped owners for the GDI objects, device contexts and kernel handles the drawing
// code creates, so that "everything made in a paint or frame is gone at its end"
// holds by construction. Each kind has its own type with its own release call: a DC
// can never reach DeleteObject, nor a font DeleteDC.
//
// Two live counters (cheap relaxed atomics) count what these owners hold right now,
// so that a test can show that any amount of painting leaves nothing behind.
#pragma once

#include <windows.h>

#include <atomic>
#include <concepts>
#include <utility>

namespace owner_count {
inline std::atomic<int> gdi{0};     // GDI objects and device contexts
inline std::atomic<int> handles{0}; // kernel handles
} // namespace owner_count

// GDI objects and device contexts (window and memory DCs) held by owners right now.
[[nodiscard]] inline int LiveGdiOwners() noexcept {
    return owner_count::gdi.load(std::memory_order_relaxed);
}
// Kernel handles (threads, files) held by owners right now.
[[nodiscard]] inline int LiveHandleOwners() noexcept {
    return owner_count::handles.load(std::memory_order_relaxed);
}

// The handle types that are freed with DeleteObject.
template <class T>
concept DeletableGdiObject = std::same_as<T, HFONT> || std::same_as<T, HPEN> ||
    std::same_as<T, HBRUSH> || std::same_as<T, HBITMAP>;

template <DeletableGdiObject T> struct GdiObjectTraits {
    using Handle = T;
    static constexpr Handle kNone = nullptr;
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Free(Handle h) noexcept { DeleteObject(h); }
    static std::atomic<int>& Counter() noexcept { return owner_count::gdi; }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static constexpr Handle kNone = nullptr;
    // CreateFileW fails with INVALID_HANDLE_VALUE, CreateThread with null.
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(Handle h) noexcept { CloseHandle(h); }
    static std::atomic<int>& Counter() noexcept { return owner_count::handles; }
};

// Sole owner of one handle; movable, not copyable. A failed creation (null or
// invalid handle) gives an empty owner that frees nothing.
template <class Traits> class UniqueOwner {
public:
    using Handle = typename Traits::Handle;

    UniqueOwner() noexcept = default;
    explicit UniqueOwner(Handle handle) noexcept {
        if (Traits::IsValid(handle)) {
            this->handle = handle;
            Traits::Counter().fetch_add(1, std::memory_order_relaxed);
        }
    }
    ~UniqueOwner() { Reset(); }

    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    UniqueOwner(UniqueOwner&& other) noexcept
        : handle(std::exchange(other.handle, Traits::kNone)) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) {
            Reset();
            handle = std::exchange(other.handle, Traits::kNone);
        }
        return *this;
    }

    [[nodiscard]] Handle Get() const noexcept { return handle; }
    explicit operator bool() const noexcept { return handle != Traits::kNone; }

    void Reset() noexcept {
        if (handle != Traits::kNone) {
            Traits::Free(std::exchange(handle, Traits::kNone));
            Traits::Counter().fetch_sub(1, std::memory_order_relaxed);
        }
    }

private:
    Handle handle = Traits::kNone;
};

using UniqueFont = UniqueOwner<GdiObjectTraits<HFONT>>;
using UniquePen = UniqueOwner<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueOwner<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueOwner<GdiObjectTraits<HBITMAP>>;
using UniqueHandle = UniqueOwner<KernelHandleTraits>; // threads, files

// A window's device context from GetDC, given back with ReleaseDC. It gets the DC
// itself, so an owner can never hold a DC that needs another release call.
class WindowDc {
public:
    // No window, no DC (the screen DC is never wanted by accident).
    explicit WindowDc(HWND window) noexcept
        : window(window), dc(window != nullptr ? GetDC(window) : nullptr) {
        if (dc != nullptr) {
            owner_count::gdi.fetch_add(1, std::memory_order_relaxed);
        }
    }
    ~WindowDc() { Release(); }

    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept
        : window(std::exchange(other.window, nullptr)), dc(std::exchange(other.dc, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            Release();
            window = std::exchange(other.window, nullptr);
            dc = std::exchange(other.dc, nullptr);
        }
        return *this;
    }

    [[nodiscard]] HDC Get() const noexcept { return dc; }
    explicit operator bool() const noexcept { return dc != nullptr; }

private:
    void Release() noexcept {
        if (dc != nullptr) {
            ReleaseDC(window, std::exchange(dc, nullptr));
            owner_count::gdi.fetch_sub(1, std::memory_order_relaxed);
        }
    }

    HWND window = nullptr;
    HDC dc = nullptr;
};

// A memory DC from CreateCompatibleDC, deleted with DeleteDC. A null reference DC
// makes it compatible with the screen.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) noexcept : dc(CreateCompatibleDC(compatibleWith)) {
        if (dc != nullptr) {
            owner_count::gdi.fetch_add(1, std::memory_order_relaxed);
        }
    }
    ~MemoryDc() { Delete(); }

    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept : dc(std::exchange(other.dc, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept {
        if (this != &other) {
            Delete();
            dc = std::exchange(other.dc, nullptr);
        }
        return *this;
    }

    [[nodiscard]] HDC Get() const noexcept { return dc; }
    explicit operator bool() const noexcept { return dc != nullptr; }

private:
    void Delete() noexcept {
        if (dc != nullptr) {
            DeleteDC(std::exchange(dc, nullptr));
            owner_count::gdi.fetch_sub(1, std::memory_order_relaxed);
        }
    }

    HDC dc = nullptr;
};

// Selects an object into a DC and selects the previous one back at scope exit, so
// that the object can be deleted afterwards. Declare it after the owner of the
// object, so that the selection ends first. A failed selection restores nothing.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc(dc) {
        if (dc != nullptr && object != nullptr) {
            HGDIOBJ previous = SelectObject(dc, object);
            if (previous != nullptr && previous != HGDI_ERROR) {
                this->previous = previous;
            }
        }
    }
    template <class Traits>
    ScopedSelectObject(HDC dc, const UniqueOwner<Traits>& object) noexcept requires
        DeletableGdiObject<typename Traits::Handle>
        : ScopedSelectObject(dc, static_cast<HGDIOBJ>(object.Get())) {}
    ~ScopedSelectObject() {
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
    }

    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

    // Whether the object is selected now.
    [[nodiscard]] bool Selected() const noexcept { return previous != nullptr; }

private:
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};
