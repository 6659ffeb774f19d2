// The capture helpers every picture verdict rests on: clipping, differences,
// mismatches against an expected picture, and the PPM copy of a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// A 4 x 3 capture at screen position (10, 20): pixel value = 0x0100 * x + y.
Screenshot Sample() {
    Screenshot shot;
    shot.area = {10, 20, 4, 3};
    for (int y = 20; y < 23; ++y) {
        for (int x = 10; x < 14; ++x) {
            shot.pixels.push_back(static_cast<Rgb>(0x0100 * x + y));
        }
    }
    return shot;
}

TEST(Screenshot, ClipsAreasToTheCapture) {
    const Screenshot shot = Sample();
    const struct {
        const char* name;
        Rect wanted;
        Rect clipped;
    } cases[] = {
        {"inside", {11, 21, 2, 1}, {11, 21, 2, 1}},
        {"whole", {10, 20, 4, 3}, {10, 20, 4, 3}},
        {"larger", {0, 0, 100, 100}, {10, 20, 4, 3}},
        {"over the right edge", {12, 20, 10, 1}, {12, 20, 2, 1}},
        {"over the top edge", {10, 15, 1, 7}, {10, 20, 1, 2}},
        {"left of it", {0, 20, 10, 3}, {}},
        {"below it", {10, 23, 4, 3}, {}},
        {"empty", {11, 21, 0, 0}, {}},
        {"negative size", {12, 22, -2, -2}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Clip(shot, c.wanted), c.clipped) << c.name;
    }
    EXPECT_EQ(Clip(Screenshot{}, {0, 0, 5, 5}), Rect{}) << "an empty capture";
}

TEST(Screenshot, CountsDifferencesAndMismatchesInsideTheArea) {
    const Screenshot a = Sample();
    Screenshot b = a;
    b.pixels[0] = kWhite;  // (10, 20)
    b.pixels[11] = kBlack; // (13, 22)
    EXPECT_EQ(CountDifferent(a, a, a.area), 0u);
    EXPECT_EQ(CountDifferent(a, b, a.area), 2u);
    EXPECT_EQ(CountDifferent(a, b, {11, 20, 3, 2}), 0u);
    EXPECT_EQ(CountDifferent(a, b, {13, 22, 50, 50}), 1u) << "clipped to the captures";
    EXPECT_EQ(CountDifferent(a, Screenshot{}, a.area), 0u) << "nothing in common";

    const auto expected = [](int x, int y) { return static_cast<Rgb>(0x0100 * x + y); };
    EXPECT_EQ(CountMismatches(a, a.area, expected), 0u);
    EXPECT_TRUE(Mismatches(a, a.area, expected).empty());
    EXPECT_EQ(CountMismatches(b, b.area, expected), 2u);
    const auto found = Mismatches(b, b.area, expected);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NE(found[0].find("(10, 20)"), std::string::npos) << found[0];
    EXPECT_NE(found[0].find("(255, 255, 255)"), std::string::npos) << found[0];
    EXPECT_EQ(Mismatches(b, b.area, expected, 1).size(), 1u);
    // An area the capture does not hold never passes for the picture.
    EXPECT_EQ(CountMismatches(a, {8, 20, 4, 1}, expected), 4u);
    EXPECT_EQ(Mismatches(a, {8, 20, 4, 1}, expected).size(), 1u);
    EXPECT_EQ(CountWhere(a, {0, 0, 100, 100}, [](int x, int, Rgb) { return x == 12; }), 3u);
}

// A capture at screen position (100, 200) drawn from text rows: '#' is white ink on black.
Screenshot Drawn(const std::vector<std::string>& rows) {
    Screenshot shot;
    shot.area = {100, 200, static_cast<int>(rows[0].size()), static_cast<int>(rows.size())};
    for (const std::string& row : rows) {
        for (const char c : row) {
            shot.pixels.push_back(c == '#' ? kWhite : kBlack);
        }
    }
    return shot;
}

TEST(Screenshot, FindsMissingGlyphBoxesAndNoLetters) {
    const auto isInk = [](Rgb colour) { return colour == kWhite; };
    const struct {
        const char* name;
        std::vector<std::string> rows;
        std::vector<Rect> boxes;
    } cases[] = {
        {"two boxes beside a letter",
         {"........#..", "###.###.#..", "#.#.#.#.###", "#.#.#.#.#.#", "#.#.#.#.#.#", "#.#.#.#.#.#",
          "###.###.###"},
         {{100, 201, 3, 6}, {104, 201, 3, 6}}},
        {"a square outline (mieum)", {"#####", "#...#", "#...#", "#...#", "#####"}, {}},
        {"a stroke inside (sun)", {"###", "#.#", "#.#", "###", "#.#", "#.#", "###"}, {}},
        {"a gap in the outline", {"##.", "#.#", "#.#", "#.#", "#.#", "###"}, {}},
        {"a filled bar", {"###", "###", "###", "###", "###", "###"}, {}},
    };
    for (const auto& c : cases) {
        const Screenshot shot = Drawn(c.rows);
        EXPECT_EQ(MissingGlyphBoxes(shot, shot.area, isInk), c.boxes) << c.name;
    }
    const Screenshot two = Drawn(cases[0].rows);
    EXPECT_EQ(MissingGlyphBoxes(two, {104, 200, 20, 20}, isInk).size(), 1u) << "only in the area";
}

TEST(Screenshot, WritesABinaryPpm) {
    const fs::path file =
        fs::temp_directory_path() / ("e2e-shot-" + std::to_string(getpid()) + ".ppm");
    Screenshot shot;
    shot.area = {5, 5, 2, 1};
    shot.pixels = {MakeRgb(1, 2, 3), MakeRgb(250, 251, 252)};
    ASSERT_TRUE(WritePpm(shot, file));
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(file);
    EXPECT_EQ(bytes, std::string("P6\n2 1\n255\n\x01\x02\x03\xFA\xFB\xFC", 17));
    EXPECT_FALSE(WritePpm(shot, "/nonexistent-folder/shot.ppm"));
}

} // namespace
} // namespace e2e
