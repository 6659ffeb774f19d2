// Fuzzes the stored marks' reader on arbitrary values for arbitrary screens: every mark
// it keeps is sound and on the screen, no pixel twice, no more than a monitor keeps;
// the value written back fits the settings read and reads back the same; a cut-off
// value loses at most its last mark.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "defects/picture_table.h"
#include "defects/stored_marks.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    // Two bytes each choose the screen's width and height (0 included).
    const int width = data[0] | data[1] << 8;
    const int height = data[2] | data[3] << 8;
    // ASCII as it comes; every other byte one of the value's own characters, so that
    // entries form often, or a digit that is not ASCII.
    constexpr char16_t kOwn[] = u"0123456789,, \u0661";
    Text value;
    for (std::size_t i = 4; i < size; ++i) {
        value.push_back(data[i] < 0x80 ? char16_t{data[i]} : kOwn[data[i] % (std::size(kOwn) - 1)]);
    }

    const MarkLog log = ParseStoredMarks(value, width, height);
    const std::vector<PixelMark>& marks = log.Marks();
    std::set<std::pair<int, int>> pixels;
    for (const PixelMark& mark : marks) {
        const bool sound = mark.x >= 0 && mark.y >= 0 && mark.x < width && mark.y < height &&
                           mark.type >= kLitPixel && mark.type <= kSubPixel &&
                           IsMarkedPicture(mark.picture);
        if (!sound || !pixels.insert({mark.x, mark.y}).second) {
            std::abort();
        }
    }
    if (marks.size() > std::size_t{kMostMarks} || log.Width() != width || log.Height() != height) {
        std::abort();
    }

    const Text written = FormatStoredMarks(log);
    if (written.size() >= std::size_t{kStoredMarksChars} ||
        ParseStoredMarks(written, width, height).Marks() != marks) {
        std::abort();
    }

    const std::vector<PixelMark> cut = ParseStoredMarks(value, width, height, true).Marks();
    if (cut.size() + 1 < marks.size() || cut.size() > marks.size() ||
        !std::equal(cut.begin(), cut.end(), marks.begin())) {
        std::abort();
    }
    return 0;
}
