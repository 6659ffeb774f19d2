// The seam between the keyboard command logic and the window it runs in. The
// command logic asks it which keys are down and tells it what to do; the Windows
// layer carries that out with the real API, and the unit tests record it.
#pragma once

#include "text/text.h"

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Is the key down right now (the asynchronous state, not the message's key)?
    [[nodiscard]] virtual bool IsKeyHeld(int virtualKey) const = 0;
    // Was the left Alt key down as of the message being handled (the thread's state)?
    [[nodiscard]] virtual bool IsLeftAltDown() const = 0;
    // Value of a key of the catalogue's first section (the web addresses live there).
    [[nodiscard]] virtual Text SectionValue(int key) const = 0;

    // Invalidate the whole client area; the next paint draws the new state.
    virtual void Repaint() = 0;
    // Post the quit message with exit code 0.
    virtual void PostQuit() = 0;
    // Block the calling thread for a while (used to give workers time to stop).
    virtual void Pause(int milliseconds) = 0;
    // Open an address in the user's browser.
    virtual void OpenWebPage(TextView address) = 0;
    // Create a worker thread for the main window. The command logic has already set
    // the worker's running flag when it asks.
    virtual void CreateThroughputWorker() = 0;
    virtual void CreateCycleWorker() = 0;
    virtual void CreateRepairWorker() = 0;
    // Write the English texts to the translation file and open it.
    virtual void ExportTranslation() = 0;
    // Ask the main window to open its context menu at the mouse position.
    virtual void PostContextMenu() = 0;
    // Store one integer setting of the program section of the settings file.
    virtual void WriteProgramInt(TextView key, int value) = 0;
    // Rebuild the information text for the current language.
    virtual void RefreshInfoText() = 0;
};
