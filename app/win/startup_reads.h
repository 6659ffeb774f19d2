// The start-up work that needs no window: the catalogue, the user's default language
// and the stored settings. It runs on a thread of its own while the main thread
// registers the window class: that first call into the window manager starts the
// system's display connection, tens of milliseconds under Wine, and the two need
// nothing of each other.
#pragma once

#include "screens/win/gdi_owners.h"

class StartupReads {
public:
    // Starts the reads; when no thread can be made they are done here instead.
    StartupReads() noexcept;
    ~StartupReads();
    StartupReads(const StartupReads&) = delete;
    StartupReads& operator=(const StartupReads&) = delete;

    // Waits for the reads. False when the catalogue could not be built; TheAppState()
    // holds the settings either way.
    [[nodiscard]] bool Finish() noexcept;

private:
    UniqueHandle thread;
    bool catalogueBuilt = false;
};
