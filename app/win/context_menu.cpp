// The context menu: the portable entries become a Win32 pop-up menu; the choice goes
// back to the portable command logic with the Windows actions behind it.
#include "app/win/context_menu.h"

#include "app/context_menu_choice.h"
#include "app/defect_menu.h"
#include "app/win/monitors.h"
#include "defects/marks_shown.h"
#include "defects/report_table.h"
#include "defects/shared_log.h"
#include "defects/win/defect_report_file.h"
#include "defects/win/stored_log.h"
#include "screens/win/spot_repair_worker.h"
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

// What the user must hear of a report: where it is when the table or the browser
// did not take it, or that it could not be written at all; empty when all went well.
Text ReportProblem(const WrittenReport& report) {
    if (report.path.empty()) {
        return u"The pixel defect report could not be written to the Documents folder or the "
               u"temporary folder.";
    }
    Text problem;
    if (!report.tableAppended) {
        problem += Text(u"Its row could not be added to ") + kReportTableName +
                   u" in the same folder: the table may be open in another program or "
                   u"read-only.\n";
    }
    if (!report.opened) {
        problem += u"No program opened it: open the file with a web browser.\n";
    }
    return problem.empty()
               ? problem
               : u"The pixel defect report was written to\n" + report.path + u"\n\n" + problem;
}

} // namespace

PopupMenu CreatePopupMenuFrom(const std::vector<MenuEntry>& entries) {
    PopupMenu menu(CreatePopupMenu());
    if (menu.Get() == nullptr) {
        return menu;
    }
    for (const MenuEntry& entry : entries) {
        const wchar_t* text = (entry.flags & kMenuSeparator) != 0 ? nullptr : Wide(entry.text);
        AppendMenuW(menu.Get(), entry.flags, static_cast<UINT_PTR>(entry.id), text);
    }
    return menu;
}

void ShowContextMenu(HWND mainWindow, const ContextMenuHooks& hooks) {
    AppState& state = TheAppState();
    const Catalogue& catalogue = TheCatalogue();
    int command = 0;
    // Listed once: a chosen entry names a monitor of this list.
    const std::vector<MonitorArea> monitors = AttachedMonitors();
    // The log the menu speaks of; a remove applies to it only.
    const std::shared_ptr<const PublishedLog> published = TheDefectLog().Get();
    int markOnRing = -1;
    {
        // The menu opens where the mouse is, also when the key L opened it.
        POINT cursor = {};
        GetCursorPos(&cursor);
        const bool marksLive = MarksShown(state);
        if (marksLive) {
            markOnRing = published->log.NearestOnRing(cursor.x - state.screenLeft,
                                                      cursor.y - state.screenTop);
        }
        const std::vector<LanguageChoice> languages = ContextMenuLanguages(catalogue);
        std::vector<MenuEntry> entries = BuildContextMenuEntries(languages, state.languageIndex);
        AppendMonitorEntries(entries, monitors, state.screenDevice.Get());
        AppendDefectEntries(entries, published->log, markOnRing, marksLive);
        const PopupMenu menu = CreatePopupMenuFrom(entries);
        if (menu.Get() == nullptr) {
            return;
        }
        SetActiveWindow(mainWindow);
        SetFocus(mainWindow);
        command = static_cast<int>(
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD, cursor.x, cursor.y, 0, mainWindow, nullptr));
    } // the menu is gone before a dialog or message box of the command opens
    if (command == kMenuDefectReport) {
        const char16_t* program = catalogue.SectionZeroValue(0);
        const WrittenReport report = WriteAndOpenDefectReport(
            state.screenDevice.Get(), published->log, program != nullptr ? program : u"Glimmerix");
        const Text problem = ReportProblem(report);
        if (!problem.empty()) {
            MessageBoxW(mainWindow, Wide(problem), L"Pixel defect report", MB_OK | MB_ICONWARNING);
        }
        return;
    }
    if (command == kMenuRepairMarked) {
        state.spotRepairRunning = 1;
        StartSpotRepairWorkerThread(mainWindow, state);
        return;
    }
    MarkLog log = published->log;
    if (ApplyDefectCommand(command, log, markOnRing)) {
        // A mode change while the menu was open brings another monitor's log.
        if (TheDefectLog().Get() == published) {
            KeepLog(std::move(log));
            hooks.repaint();
        }
        return;
    }
    WindowsMenuActions actions(mainWindow, hooks);
    CarryOutContextMenuChoice(command, catalogue.LanguageCount(), state, actions, monitors);
}
