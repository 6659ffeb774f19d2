// Publishing the covered monitor's log.
#include "defects/shared_log.h"

#include <algorithm>

PublishedLog MakePublishedLog(Text key, MarkLog log, MonitorPlace monitor) {
    PublishedLog published;
    published.crowded = CrowdedSquares(log.Marks());
    std::stable_sort(published.crowded.begin(), published.crowded.end(),
                     [](const MarkSquare& a, const MarkSquare& b) { return a.top < b.top; });
    published.byRow = log.Marks();
    std::stable_sort(published.byRow.begin(), published.byRow.end(),
                     [](const PixelMark& a, const PixelMark& b) { return a.y < b.y; });
    published.key = std::move(key);
    published.monitor = std::move(monitor);
    published.log = std::move(log);
    return published;
}

PublishedLog WithLog(const PublishedLog& before, MarkLog log, bool saved) {
    PublishedLog after = MakePublishedLog(before.key, std::move(log), before.monitor);
    // Once the marks are written under the key of today, the old one is gone.
    after.legacyKey = saved ? Text() : before.legacyKey;
    after.saved = saved;
    return after;
}

void SharedDefectLog::Publish(PublishedLog published) {
    auto shared = std::make_shared<const PublishedLog>(std::move(published));
    std::lock_guard lock(mutex);
    current = std::move(shared);
}

std::shared_ptr<const PublishedLog> SharedDefectLog::Get() const {
    std::lock_guard lock(mutex);
    return current;
}

SharedDefectLog& TheDefectLog() {
    static SharedDefectLog log;
    return log;
}
