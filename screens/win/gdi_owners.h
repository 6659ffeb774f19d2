// Scoped owners for the GDI objects and device contexts the drawing code creates, so
// that "everything made in a paint or frame is gone at its end" holds by construction.
// Each kind has its own type with its own release call: a DC can never reach
// DeleteObject, nor a font DeleteDC. They are counted with the kernel handles' owners
// (text/win/unique_owner.h).
#pragma once

#include <windows.h>

#include <atomic>
#include <concepts>
#include <utility>

#include "text/win/unique_owner.h"

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

using UniqueFont = UniqueOwner<GdiObjectTraits<HFONT>>;
using UniquePen = UniqueOwner<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueOwner<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueOwner<GdiObjectTraits<HBITMAP>>;

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
