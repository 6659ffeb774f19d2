// The defect log's marks and the clicks that make and change them.
#include "defects/mark_log.h"

#include "defects/picture_table.h"

#include <cstdlib>
#include <limits>

ClickResult MarkLog::Click(int x, int y, int picture) {
    const int at = MarkAt(x, y);
    if (at >= 0) {
        PixelMark& mark = marks[static_cast<std::size_t>(at)];
        mark.type = NextType(mark.type);
        return ClickResult::Stepped;
    }
    return Add({x, y, TypeForPicture(picture), picture}) ? ClickResult::Added
                                                         : ClickResult::Ignored;
}

bool MarkLog::Add(const PixelMark& mark) {
    const bool onScreen = mark.x >= 0 && mark.y >= 0 && mark.x < width && mark.y < height;
    const bool known =
        mark.type >= kLitPixel && mark.type <= kSubPixel && IsMarkedPicture(mark.picture);
    if (!onScreen || !known || static_cast<int>(marks.size()) >= kMostMarks ||
        MarkAt(mark.x, mark.y) >= 0) {
        return false;
    }
    marks.push_back(mark);
    return true;
}

int MarkLog::NearestOnRing(int x, int y) const noexcept {
    int nearest = -1;
    long long best = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const long long dx = std::llabs(static_cast<long long>(marks[i].x) - x);
        const long long dy = std::llabs(static_cast<long long>(marks[i].y) - y);
        if (dx > kRingReach || dy > kRingReach) {
            continue;
        }
        const long long distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

int MarkLog::MarkAt(int x, int y) const noexcept {
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].x == x && marks[i].y == y) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MarkLog::Remove(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < marks.size()) {
        marks.erase(marks.begin() + index);
    }
}

void MarkLog::SetType(int index, int type) noexcept {
    if (index >= 0 && static_cast<std::size_t>(index) < marks.size() && type >= kLitPixel &&
        type <= kSubPixel) {
        marks[static_cast<std::size_t>(index)].type = type;
    }
}
