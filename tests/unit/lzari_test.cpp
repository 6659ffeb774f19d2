// Round trips of the LZARI encoder and CLzAriMem, the output-capacity rule and
// broken blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "text/lzari.h"
#include "text/lzari_encoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Decode(const Bytes& block, std::size_t capacity, std::uint32_t* textsize = nullptr,
             std::int32_t* written = nullptr) {
    Bytes out(capacity, 0xCD);
    CLzAriMem decoder;
    const std::uint32_t size =
        decoder.Decode(block.data(), out.data(), static_cast<std::int32_t>(block.size()),
                       static_cast<std::int32_t>(capacity));
    EXPECT_EQ(size, decoder.textsize);
    if (textsize != nullptr) {
        *textsize = size;
    }
    if (written != nullptr) {
        *written = decoder.BytesWritten();
    }
    return out;
}

Bytes RoundTrip(const Bytes& text) {
    const Bytes block = LzAriEncode(text);
    std::uint32_t size = 0;
    Bytes out = Decode(block, text.size() + lzari::F + 1, &size);
    EXPECT_EQ(size, text.size());
    out.resize(size);
    return out;
}

Bytes FromString(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes RandomBytes(std::size_t n, std::uint32_t seed, int alphabet) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) {
        x = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(alphabet));
    }
    return b;
}

Bytes ReadDataFile(const char* name) {
    std::ifstream file(std::string(GLIMMERIX_UNIT_TEST_DATA "/") + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

// Made by data/lzari_reference.py, an encoder apart from the project's: a change to the
// model both sides share (fill byte, position table, halving) fails here.
TEST(LzAri, DecodesABlockFromAnotherEncoder) {
    const Bytes text = ReadDataFile("lzari_reference.txt");
    const Bytes block = ReadDataFile("lzari_reference.lzari");
    ASSERT_GT(text.size(), 32767u); // enough symbols for the model to halve
    std::uint32_t size = 0;
    Bytes out = Decode(block, text.size() + lzari::F + 1, &size);
    ASSERT_EQ(size, text.size());
    out.resize(size);
    EXPECT_EQ(out, text);
}

TEST(LzAri, RoundTripsEveryKindOfInput) {
    std::string repetitive;
    for (int i = 0; i < 3000; ++i) {
        repetitive += "[1] = White Test\t\t\t// [2] = Black Test\r\n";
    }
    Bytes utf16;
    for (char c : repetitive) {
        utf16.push_back(static_cast<std::uint8_t>(c));
        utf16.push_back(0); // the catalogue's zero high bytes must not confuse the match finder
    }
    const std::vector<Bytes> inputs = {
        FromString("a"),
        FromString("ab"),
        FromString("abc"),
        FromString(std::string(1, ' ')),
        FromString(std::string(5000, ' ')),        // matches against the initial blank fill
        FromString(std::string(100000, 'x')),      // longest matches, model halving
        FromString("abcabcabcabcabcabcabcabcabc"), // overlapping matches
        RandomBytes(70000, 1, 256),                // incompressible
        RandomBytes(200000, 2, 4),                 // skewed alphabet, long run
        Bytes(10000, 0),                           // zeros next to blank-filled ring
        FromString(repetitive),
        utf16,
    };
    for (const Bytes& text : inputs) {
        SCOPED_TRACE(text.size());
        EXPECT_EQ(RoundTrip(text), text);
    }
}

// The empty text, and a block too short to state a length, decode to nothing.
TEST(LzAri, EmptyInputGivesZeroHeaderAndNothingWritten) {
    ASSERT_EQ(LzAriEncode({}), Bytes({0, 0, 0, 0}));
    for (const Bytes& block : {LzAriEncode({}), Bytes{7, 0}}) {
        std::uint32_t size = 1;
        std::int32_t written = -1;
        const Bytes out = Decode(block, 16, &size, &written);
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(written, 0);
        EXPECT_EQ(out, Bytes(16, 0xCD));
    }
}

TEST(LzAri, RepetitiveTextCompresses) {
    // Every 60-byte match still costs a position of about nine bits.
    const Bytes text = FromString(std::string(100000, ' '));
    EXPECT_LT(LzAriEncode(text).size(), text.size() / 40);
}

TEST(LzAri, CapacityStoresAtMostCapacityMinusOne) {
    const Bytes text = RandomBytes(5000, 3, 16);
    const Bytes block = LzAriEncode(text);
    for (std::size_t capacity : {0u, 1u, 2u, 100u, 4999u, 5000u, 5001u}) {
        SCOPED_TRACE(capacity);
        // Exactly `capacity`, with guard bytes behind it.
        Bytes guarded(capacity + 8, 0xCD);
        CLzAriMem decoder;
        decoder.Decode(block.data(), guarded.data(), static_cast<std::int32_t>(block.size()),
                       static_cast<std::int32_t>(capacity));
        const std::size_t stored = std::min<std::size_t>(capacity == 0 ? 0 : capacity - 1, 5000);
        EXPECT_EQ(decoder.textsize, 5000u);
        EXPECT_EQ(decoder.BytesWritten(), static_cast<std::int32_t>(stored));
        EXPECT_TRUE(
            std::equal(guarded.begin(), guarded.begin() + static_cast<long>(stored), text.begin()));
        for (std::size_t i = stored; i < guarded.size(); ++i) {
            ASSERT_EQ(guarded[i], 0xCD) << "write past the stored bytes at " << i;
        }
    }
}

TEST(LzAri, BrokenBlocksStayInsideTheirBuffers) {
    const Bytes good = LzAriEncode(RandomBytes(3000, 4, 64));
    struct Case {
        const char* name;
        Bytes block;
    };
    Bytes truncated(good.begin(), good.begin() + 40);
    Bytes flipped = good;
    for (std::size_t i = 4; i < flipped.size(); i += 7) {
        flipped[i] ^= 0x5A;
    }
    Bytes hugeHeader = good;
    hugeHeader[3] = 0xFF; // states almost 4 GB
    const std::vector<Case> cases = {
        {"short header", Bytes{1, 2}},   {"header only", Bytes{0x10, 0, 0, 0}},
        {"truncated stream", truncated}, {"flipped bits", flipped},
        {"huge header", hugeHeader},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes out(4096 + 8, 0xCD);
        CLzAriMem decoder;
        decoder.Decode(c.block.data(), out.data(), static_cast<std::int32_t>(c.block.size()), 4096);
        EXPECT_LE(decoder.BytesWritten(), 4095);
        for (std::size_t i = 4096; i < out.size(); ++i) {
            ASSERT_EQ(out[i], 0xCD);
        }
    }
}

TEST(LzAri, DecoderIsReusable) {
    const Bytes a = FromString(std::string(3000, 'a') + "tail");
    const Bytes b = RandomBytes(3000, 5, 200);
    const Bytes blockA = LzAriEncode(a);
    const Bytes blockB = LzAriEncode(b);
    CLzAriMem decoder;
    Bytes out(4000);
    decoder.Decode(blockA.data(), out.data(), static_cast<std::int32_t>(blockA.size()), 4000);
    decoder.Decode(blockB.data(), out.data(), static_cast<std::int32_t>(blockB.size()), 4000);
    out.resize(decoder.textsize);
    EXPECT_EQ(out, b);
}

} // namespace
