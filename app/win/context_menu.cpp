// The context menu: the portable entries become a Win32 pop-up menu; the choice goes
// back to the portable command logic with the Windows actions behind it.
#include "app/win/context_menu.h"

#include "app/context_menu_choice.h"
#include "app/defect_menu.h"
#include "app/more_tests.h"
#include "app/win/defect_actions.h"
#include "app/win/monitors.h"
#include "app/win/more_test_actions.h"
#include "defects/marks_shown.h"
#include "defects/shared_log.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/text_lookup.h"
#include "text/win/translation_files.h"
#include "text/win/wide.h"

static_assert(kMenuString == MF_STRING && kMenuGrayed == MF_GRAYED &&
                  kMenuDisabled == MF_DISABLED && kMenuSeparator == MF_SEPARATOR,
              "menu entry flags carry the Windows values");

namespace {

class WindowsMenuActions final : public ContextMenuActions {
public:
    WindowsMenuActions(HWND window, const ContextMenuHooks& hooks) : window(window), hooks(hooks) {}
    void ExportTranslation() override { ::ExportTranslation(); }
    void ImportTranslation() override { ::ImportTranslation(); }
    void WriteLanguageSetting(int languageIndex) override {
        CIni2017::WriteProgramInt(u"lng", languageIndex);
    }
    void RefreshInfoText() override {
        if (hooks.refreshInfoText) {
            hooks.refreshInfoText();
        }
    }
    void Repaint() override {
        if (hooks.repaint) {
            hooks.repaint();
        }
    }
    void CoverMonitor(const MonitorArea& monitor) override { PlaceOverMonitor(window, monitor); }
    void WriteScreenSetting(TextView device) override { ::WriteScreenSetting(device); }

private:
    HWND window;
    const ContextMenuHooks& hooks;
};

} // namespace

PopupMenu CreatePopupMenuFrom(const std::vector<MenuEntry>& entries) {
    PopupMenu menu(CreatePopupMenu());
    if (menu.Get() == nullptr) {
        return menu;
    }
    // The menus being filled, the outermost first; a submenu is appended to its parent
    // when its end comes, and from then on the parent destroys it.
    std::vector<std::pair<PopupMenu, const MenuEntry*>> open;
    const auto current = [&] { return open.empty() ? menu.Get() : open.back().first.Get(); };
    for (const MenuEntry& entry : entries) {
        if ((entry.flags & kMenuPopupEnd) != 0) {
            if (!open.empty()) {
                PopupMenu sub = std::move(open.back().first);
                const MenuEntry* head = open.back().second;
                open.pop_back();
                if (AppendMenuW(current(), head->flags, reinterpret_cast<UINT_PTR>(sub.Get()),
                                Wide(head->text))) {
                    sub.Release();
                }
            }
            continue;
        }
        if ((entry.flags & kMenuPopup) != 0) {
            open.emplace_back(PopupMenu(CreatePopupMenu()), &entry);
            continue;
        }
        const wchar_t* text = (entry.flags & kMenuSeparator) != 0 ? nullptr : Wide(entry.text);
        AppendMenuW(current(), entry.flags, static_cast<UINT_PTR>(entry.id), text);
    }
    return menu;
}

void ShowContextMenu(HWND mainWindow, const ContextMenuHooks& hooks) {
    AppState& state = TheAppState();
    const Catalogue& catalogue = TheCatalogue();
    int command = 0;
    // Listed once: a chosen entry names a monitor of this list.
    std::vector<MonitorArea> monitors = AttachedMonitors();
    if (monitors.size() > 1) {
        NameMonitors(monitors);
    }
    // The covered monitor the menu speaks of; a command on its log applies to it only.
    const std::shared_ptr<const PublishedLog> published = TheDefectLog().Get();
    int markOnRing = -1;
    {
        // The menu opens where the mouse is, also when the key L opened it.
        POINT cursor = {};
        GetCursorPos(&cursor);
        const bool marksLive = MarksShown(state);
        if (marksLive) {
            // The desktop's origin as the client area's: monitor pixels from desktop ones.
            const PixelPoint pixel = published->ClientToMonitor(0, 0, cursor.x, cursor.y);
            markOnRing = published->log.NearestOnRing(pixel.x, pixel.y);
        }
        const std::vector<LanguageChoice> languages = ContextMenuLanguages(catalogue);
        std::vector<MenuEntry> entries = BuildContextMenuEntries(languages, state.languageIndex);
        AddMoreTestEntries(entries, state);
        AppendMonitorEntries(entries, monitors, state.screenDevice.Get());
        AppendDefectEntries(entries, published->log, markOnRing, marksLive, published->saved);
        const PopupMenu menu = CreatePopupMenuFrom(entries);
        if (menu.Get() == nullptr) {
            return;
        }
        SetActiveWindow(mainWindow);
        SetFocus(mainWindow);
        command = static_cast<int>(
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD, cursor.x, cursor.y, 0, mainWindow, nullptr));
        // A click that closed the menu may still reach the window: it marks nothing.
        state.menuClosedAt = GetTickCount();
        state.menuJustClosed = 1;
    } // the menu is gone before a dialog or message box of the command opens
    WindowsMoreTestActions moreTestActions(mainWindow);
    if (CarryOutMoreTestCommand(command, state, moreTestActions)) {
        return;
    }
    WindowsDefectActions defectActions(mainWindow, published);
    if (CarryOutDefectCommand(command, published->log, markOnRing, state, defectActions)) {
        return;
    }
    WindowsMenuActions actions(mainWindow, hooks);
    CarryOutContextMenuChoice(command, catalogue.LanguageCount(), state, actions, monitors);
}
