// Screen captures as pixel arrays: comparisons, counts and PPM files.
#include "tests/e2e/screenshot.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace e2e {

std::string RgbText(Rgb colour) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", Red(colour), Green(colour), Blue(colour));
    return text;
}

Rect Clip(const Screenshot& shot, const Rect& wanted) {
    const int left = std::max(shot.area.x, wanted.x);
    const int top = std::max(shot.area.y, wanted.y);
    const int right = std::min(shot.area.x + shot.area.width, wanted.x + wanted.width);
    const int bottom = std::min(shot.area.y + shot.area.height, wanted.y + wanted.height);
    if (shot.Empty() || right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

std::size_t CountDifferent(const Screenshot& a, const Screenshot& b, const Rect& area) {
    const Rect both = Clip(b, Clip(a, area));
    std::size_t count = 0;
    for (int y = both.y; y < both.y + both.height; ++y) {
        for (int x = both.x; x < both.x + both.width; ++x) {
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
        }
    }
    return count;
}

std::size_t CountWhere(const Screenshot& shot, const Rect& area,
                       const std::function<bool(int, int, Rgb)>& test) {
    const Rect inside = Clip(shot, area);
    std::size_t count = 0;
    for (int y = inside.y; y < inside.y + inside.height; ++y) {
        for (int x = inside.x; x < inside.x + inside.width; ++x) {
            count += test(x, y, shot.At(x, y)) ? 1 : 0;
        }
    }
    return count;
}

std::vector<std::string> Mismatches(const Screenshot& shot, const Rect& area,
                                    const std::function<Rgb(int, int)>& expected,
                                    std::size_t limit) {
    std::vector<std::string> found;
    const Rect inside = Clip(shot, area);
    if (inside != area) {
        found.push_back("the capture does not hold the whole area");
        return found;
    }
    for (int y = inside.y; y < inside.y + inside.height && found.size() < limit; ++y) {
        for (int x = inside.x; x < inside.x + inside.width && found.size() < limit; ++x) {
            const Rgb want = expected(x, y);
            if (shot.At(x, y) != want) {
                found.push_back("screen pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is " + RgbText(shot.At(x, y)) + ", expected " + RgbText(want));
            }
        }
    }
    return found;
}

std::size_t CountMismatches(const Screenshot& shot, const Rect& area,
                            const std::function<Rgb(int, int)>& expected) {
    if (Clip(shot, area) != area) {
        return static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height);
    }
    return CountWhere(shot, area,
                      [&](int x, int y, Rgb colour) { return colour != expected(x, y); });
}

bool WritePpm(const Screenshot& shot, const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "P6\n" << shot.area.width << " " << shot.area.height << "\n255\n";
    std::string row;
    row.reserve(static_cast<std::size_t>(shot.area.width) * 3);
    for (int y = 0; y < shot.area.height; ++y) {
        row.clear();
        for (int x = 0; x < shot.area.width; ++x) {
            const Rgb colour = shot.At(shot.area.x + x, shot.area.y + y);
            row.push_back(static_cast<char>(Red(colour)));
            row.push_back(static_cast<char>(Green(colour)));
            row.push_back(static_cast<char>(Blue(colour)));
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

} // namespace e2e
