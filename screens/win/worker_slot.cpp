// Starting worker threads one of a kind at a time.
#include "screens/win/worker_slot.h"

#include <memory>
#include <new>
#include <utility>

struct WorkerSlot::Launch {
    WorkerSlot* slot;
    HWND window;
    AppState* state;
    unsigned generation;
};

void RepaintWindow(HWND window) noexcept {
    RECT client;
    GetClientRect(window, &client);
    RedrawWindow(window, &client, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void WorkerWait(DWORD milliseconds) noexcept {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT) == WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
}

bool WorkerTicket::Current() const noexcept {
    return slot.generation.load() == generation;
}

bool WorkerTicket::KeepRunning() const noexcept {
    return (state.*(slot.flag)).load() != 0 && Current();
}

bool WorkerSlot::WaitForPrevious(DWORD timeoutMs) noexcept {
    if (!thread) {
        return true;
    }
    HANDLE handle = thread.Get();
    // The caller is usually the window's own thread. A worker may be inside a call
    // that sends a message to the window (painting, invalidation), so messages sent
    // to this thread are handled while it waits; posted messages stay queued.
    const DWORD begin = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - begin;
        if (spent >= timeoutMs) {
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        }
        const DWORD result =
            MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - spent, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) {
            return true;
        }
        if (result == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        if (result != WAIT_TIMEOUT) {
            return false;
        }
    }
}

bool WorkerSlot::Start(HWND window, AppState& state, void (*prepare)()) noexcept {
    std::lock_guard lock(startMutex);
    // A worker that has not yet seen its flag cleared (and set again) sees this and
    // leaves at its next check.
    const unsigned mine = generation.fetch_add(1) + 1;
    if (!WaitForPrevious(kStartWaitMs)) {
        (state.*flag) = 0;
        return false;
    }
    thread.Reset();
    if (prepare != nullptr) {
        prepare();
    }
    auto launch = std::unique_ptr<Launch>(new (std::nothrow) Launch{this, window, &state, mine});
    if (launch == nullptr) {
        (state.*flag) = 0;
        return false;
    }
    UniqueHandle created(CreateThread(nullptr, 0, ThreadEntry, launch.get(), 0, nullptr));
    if (!created) {
        (state.*flag) = 0;
        return false;
    }
    launch.release(); // the thread owns it now
    thread = std::move(created);
    return true;
}

bool WorkerSlot::WaitUntilEnded(DWORD timeoutMs) noexcept {
    std::lock_guard lock(startMutex);
    return WaitForPrevious(timeoutMs);
}

DWORD WINAPI WorkerSlot::ThreadEntry(void* parameter) {
    const std::unique_ptr<Launch> launch(static_cast<Launch*>(parameter));
    WorkerSlot& slot = *launch->slot;
    const int now = slot.active.fetch_add(1) + 1;
    int peak = slot.peakActive.load();
    while (now > peak && !slot.peakActive.compare_exchange_weak(peak, now)) {
    }
    const WorkerTicket ticket(launch->window, *launch->state, slot, launch->generation);
    slot.body(ticket);
    slot.active.fetch_sub(1);
    return 0;
}
