// The covered monitor's log as every thread sees it: the main thread publishes a new
// log whole, a paint takes the one published at that moment and keeps it alive for as
// long as it draws, so it never sees a half-changed list.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "defects/mark_log.h"
#include "defects/ring_shape.h"
#include "text/text.h"

struct PublishedLog {
    Text key; // the settings key of the monitor and screen size
    MarkLog log;
    std::vector<MarkSquare> crowded; // CrowdedSquares of the marks, found once, top down
    std::vector<PixelMark> byRow;    // the marks from the top row down, for drawing by bands
};

// The log with what drawing it needs, worked out once.
[[nodiscard]] PublishedLog MakePublishedLog(Text key, MarkLog log);

class SharedDefectLog {
public:
    void Publish(Text key, MarkLog log);
    [[nodiscard]] std::shared_ptr<const PublishedLog> Get() const;

private:
    mutable std::mutex mutex;
    std::shared_ptr<const PublishedLog> current = std::make_shared<const PublishedLog>();
};

// The program's one log.
SharedDefectLog& TheDefectLog();
