// The defect log's commands on Windows.
#include "app/win/defect_actions.h"

#include "app/win/main_window.h"
#include "defects/report_table.h"
#include "defects/win/defect_report_file.h"
#include "defects/win/stored_log.h"
#include "screens/win/cycle_worker.h"
#include "screens/win/repair_worker.h"
#include "screens/win/spot_repair_worker.h"
#include "screens/win/throughput_worker.h"
#include "state/app_state.h"
#include "text/text_lookup.h"
#include "text/win/wide.h"

namespace {

constexpr wchar_t kTitle[] = L"Pixel defect log";
// Long enough for a worker in the middle of a full-screen frame at 3840 x 2160.
constexpr DWORD kWorkerStopMs = 2000;

// What the user must hear of a report: where it is when the table or the browser did
// not take it, or that it could not be written at all; empty when all went well.
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

bool WindowsDefectActions::KeepLog(MarkLog log) {
    if (TheDefectLog().Get() != spokenOf) {
        return true; // another monitor's log is shown now: nothing of this one to keep
    }
    return ::KeepLog(std::move(log));
}

bool WindowsDefectActions::Confirm(TextView question) {
    return MessageBoxW(window, Wide(Text(question)), kTitle,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void WindowsDefectActions::Tell(TextView message) {
    MessageBoxW(window, Wide(Text(message)), kTitle, MB_OK | MB_ICONWARNING);
}

void WindowsDefectActions::WriteReport(const MarkLog& log) {
    const char16_t* program = TheCatalogue().SectionZeroValue(0);
    const WrittenReport report = WriteAndOpenDefectReport(
        spokenOf->monitor.device, log, program != nullptr ? program : u"Glimmerix");
    const Text problem = ReportProblem(report);
    if (!problem.empty()) {
        MessageBoxW(window, Wide(problem), L"Pixel defect report", MB_OK | MB_ICONWARNING);
    }
}

void WindowsDefectActions::WaitForDrawingWorkers() {
    WaitForCycleWorker(kWorkerStopMs);
    WaitForRepairWorker(kWorkerStopMs);
    WaitForThroughputWorker(kWorkerStopMs);
}

void WindowsDefectActions::CreateSpotRepairWorker() {
    StartSpotRepairWorkerThread(window);
}

void WindowsDefectActions::Repaint() {
    RepaintMainWindow();
}
