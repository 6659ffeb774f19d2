// The program-wide generator's sequence and the repair flasher's colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "screens/random.h"
#include "screens/repair_colours.h"

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kYellow{255, 255, 0};

TEST(RandomGenerator, FirstValuesAfterProgramStart) {
    RandomGenerator generator;
    const std::vector<std::uint32_t> expected = {300419601u, 694414494u, 614891655u, 1315096348u};
    for (const std::uint32_t value : expected) {
        EXPECT_EQ(generator.Next(), value);
    }
}

TEST(RandomGenerator, WrapsModulo2To32AndReturnsTheNewState) {
    struct Case {
        std::uint32_t state;
        std::uint32_t next;
    };
    const Case cases[] = {
        {0u, 1u},
        {1u, 69070u},
        {0xFFFFFFFFu, 4294898228u},
    };
    for (const Case& c : cases) {
        RandomGenerator generator(c.state);
        EXPECT_EQ(generator.Next(), c.next) << c.state;
        EXPECT_EQ(generator.State(), c.next) << c.state;
    }
}

TEST(RepairColours, FirstFlashesAfterProgramStart) {
    RandomGenerator generator;
    const std::vector<Rgb> expected = {kYellow, kCyan, kWhite, kYellow, kCyan, kBlue};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(NextRepairColour(generator), expected[i]) << "flash " << i;
    }
}

TEST(RepairColours, ValueModSevenPicksTheColour) {
    struct Case {
        std::uint32_t value;
        Rgb colour;
    };
    const Case cases[] = {
        {0u, kWhite},          {1u, kRed},   {2u, kGreen},
        {3u, kBlue},           {4u, kCyan},  {5u, kMagenta},
        {6u, kYellow},         {7u, kWhite}, {700u, kWhite},
        {0x80000000u, kGreen}, // 2^31 mod 7 = 2
        {0xFFFFFFFFu, kBlue},  // 2^32 - 1 mod 7 = 3, unsigned
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RepairColour(c.value), c.colour) << c.value;
    }
}

TEST(RepairColours, BlackNeverFlashes) {
    RandomGenerator generator;
    for (int i = 0; i < 10000; ++i) {
        const Rgb colour = NextRepairColour(generator);
        ASSERT_NE(colour, kBlack) << "flash " << i;
        // Full intensity: every channel is 0 or 255.
        for (const std::uint8_t channel : {colour.red, colour.green, colour.blue}) {
            ASSERT_TRUE(channel == 0 || channel == 255) << "flash " << i;
        }
    }
}

} // namespace
