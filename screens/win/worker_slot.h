// One kind of worker thread (repair, cycle, throughput) and its start rule: a start
// first makes the previous worker of the kind leave its loop and waits for its thread
// to end, so two workers of a kind never draw at once, even when the shell clears a
// running flag and sets it again before the old worker has looked.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>

#include "screens/win/gdi_owners.h"
#include "state/app_state.h"

class WorkerSlot;

// What a worker's thread body gets: the window, the state, and whether it should go on.
// Invalidates the whole client area of the window; its own thread paints it.
void RepaintWindow(HWND window) noexcept;

// Waits without using the processor. Wine puts a thread's drawing on the screen only
// when that thread waits for messages, so this is a message wait (the worker owns no
// window; anything queued to it is dropped). On Windows it is a plain sleep.
void WorkerWait(DWORD milliseconds) noexcept;

class WorkerTicket {
public:
    WorkerTicket(HWND window, AppState& state, const WorkerSlot& slot, unsigned generation)
        : window(window), state(state), slot(slot), generation(generation) {}

    // True while the worker's running flag is set and no newer worker of its kind has
    // been started.
    [[nodiscard]] bool KeepRunning() const noexcept;
    // True while no newer worker of its kind has been started.
    [[nodiscard]] bool Current() const noexcept;

    HWND window;
    AppState& state;

private:
    const WorkerSlot& slot;
    unsigned generation;
};

class WorkerSlot {
public:
    using Body = void (*)(const WorkerTicket& ticket);
    using Flag = std::atomic<int> AppState::*;

    // How long a start waits for the previous worker to leave.
    static constexpr DWORD kStartWaitMs = 3000;

    WorkerSlot(Body body, Flag flag) noexcept : body(body), flag(flag) {}
    WorkerSlot(const WorkerSlot&) = delete;
    WorkerSlot& operator=(const WorkerSlot&) = delete;

    // Called after the shell has set the running flag. Ends the previous worker of
    // this kind, then starts a new thread with the window. When the previous worker
    // does not leave in time or no thread can be created, clears the running flag
    // (nothing runs, so nothing may claim to) and returns false. `prepare`, if given,
    // runs once the previous worker has ended and before the new one starts.
    bool Start(HWND window, AppState& state, void (*prepare)() = nullptr) noexcept;

    // Waits until the last started worker has ended; false on time-out.
    bool WaitUntilEnded(DWORD timeoutMs) noexcept;

    // Workers of this kind inside their thread body now, and the most there ever were.
    [[nodiscard]] int Active() const noexcept { return active.load(); }
    [[nodiscard]] int PeakActive() const noexcept { return peakActive.load(); }

private:
    friend class WorkerTicket;
    struct Launch;
    static DWORD WINAPI ThreadEntry(void* parameter);
    bool WaitForPrevious(DWORD timeoutMs) noexcept;

    Body body;
    Flag flag;
    std::mutex startMutex;
    // The last worker's thread, kept until the next start has waited for it.
    UniqueHandle thread;
    std::atomic<unsigned> generation{0};
    std::atomic<int> active{0};
    std::atomic<int> peakActive{0};
};
