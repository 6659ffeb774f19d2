// Start-up cost of the text catalogue: LZARI decoding (against a plain copy of the
// same bytes as the baseline) and the whole catalogue build.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <span>
#include <vector>

#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/lzari.h"
#include "text/lzari_encoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes DecodeAll(std::span<const std::uint8_t> block, std::size_t capacity) {
    Bytes out(capacity);
    CLzAriMem decoder;
    const std::uint32_t size =
        decoder.Decode(block.data(), out.data(), static_cast<std::int32_t>(block.size()),
                       static_cast<std::int32_t>(out.size()));
    out.resize(size);
    return out;
}

const Bytes& EmbeddedText() {
    static const Bytes text = DecodeAll(EmbeddedCatalogBlock(), kCatalogueBufferBytes);
    return text;
}

// About 1 MB of catalogue text with one byte in 50 replaced by noise, so that the
// coder sees both long matches and literals.
const Bytes& LargeBlock() {
    static const Bytes block = [] {
        const Bytes& catalogue = EmbeddedText();
        Bytes text;
        text.reserve(1 << 20);
        while (text.size() < (1u << 20)) {
            const std::size_t take = std::min(catalogue.size(), (1u << 20) - text.size());
            text.insert(text.end(), catalogue.begin(), catalogue.begin() + static_cast<long>(take));
        }
        std::mt19937 random(20161116);
        for (std::size_t i = 0; i + 50 <= text.size(); i += 50) {
            text[i + random() % 50] = static_cast<std::uint8_t>(random());
        }
        return LzAriEncode(text);
    }();
    return block;
}

// 300 KB of uniformly random bytes: nearly every symbol is a literal, and the model's
// frequencies stay flat, so every part of the symbol model is exercised.
const Bytes& RandomBlock() {
    static const Bytes block = [] {
        Bytes text(300 * 1024);
        std::mt19937 random(20161117);
        for (auto& byte : text) {
            byte = static_cast<std::uint8_t>(random());
        }
        return LzAriEncode(text);
    }();
    return block;
}

void DecodeBlock(benchmark::State& state, std::span<const std::uint8_t> block,
                 std::size_t capacity) {
    Bytes out(capacity);
    CLzAriMem decoder;
    for (auto _ : state) {
        decoder.Decode(block.data(), out.data(), static_cast<std::int32_t>(block.size()),
                       static_cast<std::int32_t>(out.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * decoder.textsize);
}

// Baseline: copying the decoded catalogue's bytes, the least any expansion costs.
void BM_CopyEmbeddedText(benchmark::State& state) {
    const Bytes& text = EmbeddedText();
    Bytes out(text.size());
    for (auto _ : state) {
        std::memcpy(out.data(), text.data(), text.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CopyEmbeddedText);

void BM_DecodeEmbeddedBlock(benchmark::State& state) {
    DecodeBlock(state, EmbeddedCatalogBlock(), kCatalogueBufferBytes);
}
BENCHMARK(BM_DecodeEmbeddedBlock)->Unit(benchmark::kMicrosecond);

void BM_DecodeOneMegabyte(benchmark::State& state) {
    DecodeBlock(state, LargeBlock(), (1u << 20) + 64);
}
BENCHMARK(BM_DecodeOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_DecodeRandomData(benchmark::State& state) {
    DecodeBlock(state, RandomBlock(), 300 * 1024 + 64);
}
BENCHMARK(BM_DecodeRandomData)->Unit(benchmark::kMillisecond);

// The start-up build: decode, cut, parse every language and section 0.
void BM_BuildCatalogueFromBlock(benchmark::State& state) {
    auto catalogue = std::make_unique<Catalogue>();
    for (auto _ : state) {
        const bool built = catalogue->BuildFromBlock(EmbeddedCatalogBlock());
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BM_BuildCatalogueFromBlock)->Unit(benchmark::kMicrosecond);

// The build without the decode, to show how the start-up time divides.
void BM_BuildCatalogueFromText(benchmark::State& state) {
    const Bytes& text = EmbeddedText();
    auto catalogue = std::make_unique<Catalogue>();
    for (auto _ : state) {
        const bool built = catalogue->BuildFromText(text);
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BM_BuildCatalogueFromText)->Unit(benchmark::kMicrosecond);

} // namespace
