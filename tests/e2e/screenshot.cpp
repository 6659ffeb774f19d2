// Screen captures as pixel arrays: comparisons, counts and PPM files.
#include "tests/e2e/screenshot.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <utility>

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

std::vector<Rect> MissingGlyphBoxes(const Screenshot& shot, const Rect& area,
                                    const std::function<bool(Rgb)>& isInk) {
    const Rect inside = Clip(shot, area);
    const auto width = static_cast<std::size_t>(inside.width);
    std::vector<char> ink(width * static_cast<std::size_t>(inside.height), 0);
    for (int y = 0; y < inside.height; ++y) {
        for (int x = 0; x < inside.width; ++x) {
            ink[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] =
                isInk(shot.At(inside.x + x, inside.y + y)) ? 1 : 0;
        }
    }
    const auto inkAt = [&](int x, int y) {
        return ink[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] != 0;
    };
    std::vector<char> seen(ink.size(), 0);
    std::vector<Rect> boxes;
    std::vector<std::pair<int, int>> stack;
    for (int startY = 0; startY < inside.height; ++startY) {
        for (int startX = 0; startX < inside.width; ++startX) {
            const std::size_t start =
                static_cast<std::size_t>(startY) * width + static_cast<std::size_t>(startX);
            if (ink[start] == 0 || seen[start] != 0) {
                continue;
            }
            // The group's bounding box.
            int left = startX;
            int right = startX;
            int top = startY;
            int bottom = startY;
            seen[start] = 1;
            stack.assign(1, {startX, startY});
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                for (int ny = std::max(0, y - 1); ny <= std::min(inside.height - 1, y + 1); ++ny) {
                    for (int nx = std::max(0, x - 1); nx <= std::min(inside.width - 1, x + 1);
                         ++nx) {
                        const std::size_t at =
                            static_cast<std::size_t>(ny) * width + static_cast<std::size_t>(nx);
                        if (ink[at] != 0 && seen[at] == 0) {
                            seen[at] = 1;
                            stack.emplace_back(nx, ny);
                        }
                    }
                }
            }
            const int w = right - left + 1;
            const int h = bottom - top + 1;
            if (w < 3 || h < 2 * w) {
                continue;
            }
            // Outline all ink and interior all free: then the group is that outline.
            bool box = true;
            for (int y = top; y <= bottom && box; ++y) {
                for (int x = left; x <= right && box; ++x) {
                    const bool edge = x == left || x == right || y == top || y == bottom;
                    box = inkAt(x, y) == edge;
                }
            }
            if (box) {
                boxes.push_back({inside.x + left, inside.y + top, w, h});
            }
        }
    }
    return boxes;
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
