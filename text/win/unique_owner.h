// The one owner of the program's handles: kernel handles and files here, GDI objects,
// registry keys and device lists where they are used, each kind with its own release
// call. Every owner is counted, so a test can show that any amount of work leaves
// nothing behind.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace owner_count {
inline std::atomic<int> gdi{0};     // GDI objects and device contexts
inline std::atomic<int> handles{0}; // kernel handles, registry keys, device lists
} // namespace owner_count

// GDI objects and device contexts (window and memory DCs) held by owners right now.
[[nodiscard]] inline int LiveGdiOwners() noexcept {
    return owner_count::gdi.load(std::memory_order_relaxed);
}
// Kernel handles (threads, files), registry keys and device lists held by owners right now.
[[nodiscard]] inline int LiveHandleOwners() noexcept {
    return owner_count::handles.load(std::memory_order_relaxed);
}

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

struct KernelHandleTraits {
    using Handle = HANDLE;
    static constexpr Handle kNone = nullptr;
    // CreateFileW fails with INVALID_HANDLE_VALUE, CreateThread with null.
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(Handle h) noexcept { CloseHandle(h); }
    static std::atomic<int>& Counter() noexcept { return owner_count::handles; }
};

using UniqueHandle = UniqueOwner<KernelHandleTraits>; // threads, files
