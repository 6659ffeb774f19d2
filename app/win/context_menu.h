// The context menu on Windows: built from the catalogue at every opening, tracked at
// the mouse position, and the chosen command carried out.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/context_menu_entries.h"

// Owns a pop-up menu; destroyed on every path out.
class PopupMenu {
public:
    explicit PopupMenu(HMENU menu) noexcept : menu(menu) {}
    PopupMenu(PopupMenu&& other) noexcept : menu(std::exchange(other.menu, nullptr)) {}
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    PopupMenu& operator=(PopupMenu&&) = delete;
    ~PopupMenu() {
        if (menu != nullptr) {
            DestroyMenu(menu);
        }
    }
    [[nodiscard]] HMENU Get() const noexcept { return menu; }
    // Gives the menu up to a parent menu that destroys it.
    void Release() noexcept { menu = nullptr; }

private:
    HMENU menu;
};

// A pop-up menu holding `entries` in order; Get() is null when it could not be made.
[[nodiscard]] PopupMenu CreatePopupMenuFrom(const std::vector<MenuEntry>& entries);

// What the menu needs from the main window beyond the window itself.
struct ContextMenuHooks {
    std::function<void()> repaint;
    std::function<void()> refreshInfoText;
};

// Builds the menu, tracks it at the cursor with `mainWindow` as owner, and carries out
// the choice: a language, the export or the import (see CarryOutContextMenuChoice).
void ShowContextMenu(HWND mainWindow, const ContextMenuHooks& hooks);
