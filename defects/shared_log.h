// The covered monitor as every thread sees it: its device, its place on the desktop and
// its log, published together as one value when the window comes to cover it or a mark
// changes. A paint takes the one published at that moment and keeps it alive for as
// long as it draws, so it never sees a half-changed list or another monitor's place.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "defects/mark_log.h"
#include "defects/ring_shape.h"
#include "text/text.h"

struct MonitorPlace {
    Text device;  // the system's name of the display, \\.\DISPLAY1
    int left = 0; // its top-left pixel on the desktop; its size is the log's
    int top = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const PixelPoint&, const PixelPoint&) noexcept = default;
};

struct PublishedLog {
    Text key;       // the settings key of the monitor and screen size
    Text legacyKey; // an older key the marks were read from, taken out on their first change
    MonitorPlace monitor;
    bool saved = true; // the settings file took the last change
    MarkLog log;
    std::vector<MarkSquare> crowded; // CrowdedSquares of the marks, found once, top down
    std::vector<PixelMark> byRow;    // the marks from the top row down, for drawing by bands

    // Where the monitor's pixel (0, 0) lies in a client area whose (0, 0) is at desktop
    // point (clientLeft, clientTop): the window reaches one border beyond the monitor.
    [[nodiscard]] PixelPoint OriginInClient(int clientLeft, int clientTop) const noexcept {
        return {monitor.left - clientLeft, monitor.top - clientTop};
    }
    // The monitor pixel at client point (x, y); OnMonitor tells whether there is one.
    [[nodiscard]] PixelPoint ClientToMonitor(int clientLeft, int clientTop, int x,
                                             int y) const noexcept {
        const PixelPoint origin = OriginInClient(clientLeft, clientTop);
        return {x - origin.x, y - origin.y};
    }
    [[nodiscard]] bool OnMonitor(PixelPoint pixel) const noexcept {
        return pixel.x >= 0 && pixel.y >= 0 && pixel.x < log.Width() && pixel.y < log.Height();
    }
};

// The log with what drawing it needs, worked out once.
[[nodiscard]] PublishedLog MakePublishedLog(Text key, MarkLog log, MonitorPlace monitor = {});

// The same monitor with a changed log, its keys kept; `saved` whether the file took it.
[[nodiscard]] PublishedLog WithLog(const PublishedLog& before, MarkLog log, bool saved);

class SharedDefectLog {
public:
    void Publish(PublishedLog published);
    void Publish(Text key, MarkLog log) {
        Publish(MakePublishedLog(std::move(key), std::move(log)));
    }
    [[nodiscard]] std::shared_ptr<const PublishedLog> Get() const;

private:
    mutable std::mutex mutex;
    std::shared_ptr<const PublishedLog> current = std::make_shared<const PublishedLog>();
};

// The program's one log.
SharedDefectLog& TheDefectLog();
