// The test pictures by index, in one table for everything that names or lists them:
// the painter's rings, the defect log and its report, the timings. What each picture
// shows is the picture layer's (screens/picture.h); this is what it is called and how
// a mark made on it is taken.
#pragma once

#include <span>

#include "defects/pixel_mark.h"

struct PictureEntry {
    int index;
    const char* name;         // as reports and timings print it
    const char16_t* menuText; // its entry under "More tests"; null for those the keys show
    bool markable;            // a click marks a pixel and rings show (index 10 has no picture)
    int newMarkType;          // the type a new mark made on it takes
    int motionSpeed = 0;      // pixels per second of the moving bar; 0 for a still picture
};

// A fault seen on the white field is dark. A dot on the black field is most often one
// stuck sub-pixel, coloured, not a whole pixel always lit (a click steps it there when
// it is white); what shows on a colour, a gradient or the lines is a sub-pixel too.
inline constexpr PictureEntry kPictureTable[] = {
    {0, "white", nullptr, true, kDarkPixel},
    {1, "black", nullptr, true, kSubPixel},
    {2, "red", nullptr, true, kSubPixel},
    {3, "green", nullptr, true, kSubPixel},
    {4, "blue", nullptr, true, kSubPixel},
    {5, "cyan", nullptr, true, kSubPixel},
    {6, "purple", nullptr, true, kSubPixel},
    {7, "yellow", nullptr, true, kSubPixel},
    {8, "horizontal gradient", nullptr, true, kSubPixel},
    {9, "vertical gradient", nullptr, true, kSubPixel},
    {10, "(no picture)", nullptr, false, kSubPixel},
    {11, "horizontal lines", nullptr, true, kSubPixel},
    {12, "vertical lines", nullptr, true, kSubPixel},
    {13, "plain gradient", nullptr, true, kSubPixel},
    // The acceptance tests beyond the keys' pictures, reached by the menu and the wheel.
    {14, "grey 5 %", u"Grey 5 % - clouding, backlight bleed", true, kSubPixel},
    {15, "grey 10 %", u"Grey 10 % - clouding, backlight bleed", true, kSubPixel},
    {16, "grey 25 %", u"Grey 25 % - uniformity", true, kSubPixel},
    {17, "grey 50 %", u"Grey 50 % - uniformity, clouding, dirty screen", true, kSubPixel},
    {18, "grey 75 %", u"Grey 75 % - uniformity", true, kSubPixel},
    {19, "black level", u"Black level - steps 1 to 20 on black", true, kSubPixel},
    {20, "white saturation", u"White saturation - steps 235 to 254 on white", true, kSubPixel},
    {21, "banding", u"Banding - ramps of grey, red, green and blue", true, kSubPixel},
    {22, "gamma", u"Gamma - 1.6 to 2.8", true, kSubPixel},
    {23, "checkerboard", u"Inversion - black and white checkerboard", true, kSubPixel},
    {24, "purple and green checkerboard", u"Inversion - purple and green checkerboard", true,
     kSubPixel},
    {25, "checkerboard of pixel pairs", u"Inversion - black and white, two-pixel columns", true,
     kSubPixel},
    {26, "purple and green pixel pairs", u"Inversion - purple and green, two-pixel columns", true,
     kSubPixel},
    {27, "motion 240 px/s", u"Motion 240 px/s - ghosting, skipped frames", false, kSubPixel, 240},
    {28, "motion 480 px/s", u"Motion 480 px/s - ghosting, skipped frames", false, kSubPixel, 480},
    {29, "motion 960 px/s", u"Motion 960 px/s - ghosting, skipped frames", false, kSubPixel, 960},
};

// The first picture of the menu's "More tests" and the last; in table order between.
inline constexpr int kFirstMoreTest = 14;
inline constexpr int kLastMoreTest = 29;

// Whether test index `index` is one of "More tests".
[[nodiscard]] constexpr bool IsMoreTest(int index) noexcept {
    return index >= kFirstMoreTest && index <= kLastMoreTest;
}

// The entry of test index `index`; null for an index without a picture.
[[nodiscard]] constexpr const PictureEntry* FindPicture(int index) noexcept {
    for (const PictureEntry& entry : kPictureTable) {
        if (entry.index == index) {
            return &entry;
        }
    }
    return nullptr;
}

// Test indexes a stored mark may name: every picture of the table.
[[nodiscard]] constexpr bool IsMarkedPicture(int testIndex) noexcept {
    return FindPicture(testIndex) != nullptr;
}

// Pictures a new mark can be made on and rings are drawn over.
[[nodiscard]] constexpr bool IsMarkablePicture(int testIndex) noexcept {
    const PictureEntry* entry = FindPicture(testIndex);
    return entry != nullptr && entry->markable;
}

// The name of test picture `testIndex`; "?" for an index without a picture.
[[nodiscard]] constexpr const char* PictureName(int testIndex) noexcept {
    const PictureEntry* entry = FindPicture(testIndex);
    return entry != nullptr ? entry->name : "?";
}

[[nodiscard]] constexpr int TypeForPicture(int testIndex) noexcept {
    const PictureEntry* entry = FindPicture(testIndex);
    return entry != nullptr ? entry->newMarkType : kSubPixel;
}
