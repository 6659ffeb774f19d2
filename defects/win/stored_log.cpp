// Reading and writing the defect log through the settings store.
#include "defects/win/stored_log.h"

#include <vector>

#include "defects/stored_marks.h"
#include "settings/win/ini2017.h"

namespace {

// The marks stored under `key`; an empty log when there are none.
MarkLog ReadStoredMarks(const Text& key, int width, int height) {
    std::vector<char16_t> value(kStoredMarksChars, u'\0');
    const int placed = CIni2017::ReadString(kDefectSection, key, value.data(), kStoredMarksChars);
    // A value that fills the buffer may go on beyond it.
    const bool cutOff = placed >= kStoredMarksChars - 1;
    return ParseStoredMarks(TextView(value.data(), static_cast<std::size_t>(placed)), width, height,
                            cutOff);
}

} // namespace

void ShowStoredLog(const MonitorPlace& place, int width, int height,
                   const MonitorIdentity& identity) {
    const Text outputKey = StoredMarksKey(place.device, width, height);
    const Text identityKey = StoredMarksIdentityKey(identity, width, height);
    const Text& key = identityKey.empty() ? outputKey : identityKey;
    SharedDefectLog& shared = TheDefectLog();
    const std::shared_ptr<const PublishedLog> shown = shared.Get();
    if (shown->key == key && shown->log.Width() == width && shown->log.Height() == height) {
        if (shown->monitor.device != place.device || shown->monitor.left != place.left ||
            shown->monitor.top != place.top) {
            PublishedLog moved = *shown;
            moved.monitor = place;
            shared.Publish(std::move(moved));
        }
        return;
    }
    MarkLog log = ReadStoredMarks(key, width, height);
    Text legacyKey;
    if (log.Empty() && key != outputKey) {
        log = ReadStoredMarks(outputKey, width, height);
        if (!log.Empty()) {
            legacyKey = outputKey;
        }
    }
    PublishedLog published = MakePublishedLog(key, std::move(log), place);
    published.legacyKey = std::move(legacyKey);
    shared.Publish(std::move(published));
}

bool KeepLog(MarkLog log) {
    SharedDefectLog& shared = TheDefectLog();
    const std::shared_ptr<const PublishedLog> before = shared.Get();
    bool saved = false;
    if (log.Empty()) {
        saved = CIni2017::DeleteKey(kDefectSection, before->key) != 0;
    } else {
        saved = CIni2017::WriteString(kDefectSection, before->key, FormatStoredMarks(log)) != 0;
    }
    // The marks now live under the monitor's own name: its old output's key goes.
    if (saved && !before->legacyKey.empty()) {
        saved = CIni2017::DeleteKey(kDefectSection, before->legacyKey) != 0;
    }
    if (saved && log.Empty()) {
        // An empty "[Pixel defects]" says nothing; the last key takes it along.
        CIni2017::DeleteSectionIfEmpty(kDefectSection);
    }
    shared.Publish(WithLog(*before, std::move(log), saved));
    return saved;
}
