// Publishing the covered monitor's log.
#include "defects/shared_log.h"

#include <algorithm>

PublishedLog MakePublishedLog(Text key, MarkLog log) {
    PublishedLog published;
    published.crowded = CrowdedSquares(log.Marks());
    std::stable_sort(published.crowded.begin(), published.crowded.end(),
                     [](const MarkSquare& a, const MarkSquare& b) { return a.top < b.top; });
    published.byRow = log.Marks();
    std::stable_sort(published.byRow.begin(), published.byRow.end(),
                     [](const PixelMark& a, const PixelMark& b) { return a.y < b.y; });
    published.key = std::move(key);
    published.log = std::move(log);
    return published;
}

void SharedDefectLog::Publish(Text key, MarkLog log) {
    auto published =
        std::make_shared<const PublishedLog>(MakePublishedLog(std::move(key), std::move(log)));
    std::lock_guard lock(mutex);
    current = std::move(published);
}

std::shared_ptr<const PublishedLog> SharedDefectLog::Get() const {
    std::lock_guard lock(mutex);
    return current;
}

SharedDefectLog& TheDefectLog() {
    static SharedDefectLog log;
    return log;
}
