// catpack: the build-time packer of the text catalogue.
//   catpack encode IN OUT   any file's bytes -> LZARI block
//   catpack decode IN OUT   LZARI block -> exactly the header's length of bytes
//   catpack build SOURCE OUT  catalogue source (UTF-8) -> UTF-16LE text -> LZARI block
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "text/catalog_source.h"
#include "text/lzari.h"
#include "text/lzari_encoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kMaxText = 256u << 20; // far above any catalogue

std::optional<Bytes> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "catpack: cannot open '%s': %s\n", path, std::strerror(errno));
        return std::nullopt;
    }
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::fprintf(stderr, "catpack: cannot read '%s'\n", path);
        return std::nullopt;
    }
    return bytes;
}

bool WriteFile(const char* path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::fprintf(stderr, "catpack: cannot create '%s': %s\n", path, std::strerror(errno));
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "catpack: cannot write '%s'\n", path);
        return false;
    }
    return true;
}

// The decoder may run up to one match past the header length, and stores at most
// capacity - 1 bytes: leave room for both.
std::optional<Bytes> DecodeBlock(const Bytes& block, const char* path) {
    if (block.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        std::fprintf(stderr, "catpack: '%s' is too large for a block\n", path);
        return std::nullopt;
    }
    if (block.size() < 4) {
        std::fprintf(stderr, "catpack: '%s' is too short to be a block (%zu bytes)\n", path,
                     block.size());
        return std::nullopt;
    }
    const std::uint32_t stated =
        static_cast<std::uint32_t>(block[0]) | static_cast<std::uint32_t>(block[1]) << 8 |
        static_cast<std::uint32_t>(block[2]) << 16 | static_cast<std::uint32_t>(block[3]) << 24;
    if (stated > kMaxText) {
        std::fprintf(stderr, "catpack: '%s' states %u bytes; catpack expands at most %u\n", path,
                     stated, kMaxText);
        return std::nullopt;
    }
    Bytes text(static_cast<std::size_t>(stated) + lzari::F + 1);
    CLzAriMem decoder;
    const std::uint32_t size =
        decoder.Decode(block.data(), text.data(), static_cast<std::int32_t>(block.size()),
                       static_cast<std::int32_t>(text.size()));
    text.resize(size);
    return text;
}

int Usage() {
    std::fprintf(stderr, "usage: catpack encode IN OUT\n"
                         "       catpack decode IN OUT\n"
                         "       catpack build SOURCE OUT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return Usage();
    }
    const std::string command = argv[1];
    const char* inPath = argv[2];
    const char* outPath = argv[3];
    const auto input = ReadFile(inPath);
    if (!input) {
        return 1;
    }
    Bytes output;
    if (command == "encode") {
        if (input->size() > kMaxText) {
            std::fprintf(stderr, "catpack: '%s' is larger than %u bytes\n", inPath, kMaxText);
            return 1;
        }
        output = LzAriEncode(*input);
    } else if (command == "decode") {
        auto text = DecodeBlock(*input, inPath);
        if (!text) {
            return 1;
        }
        output = std::move(*text);
    } else if (command == "build") {
        const std::string_view source(reinterpret_cast<const char*>(input->data()), input->size());
        const auto text = CatalogueTextFromSource(source);
        if (!text) {
            std::fprintf(stderr, "catpack: '%s' is not valid UTF-8 text\n", inPath);
            return 1;
        }
        output = LzAriEncode(*text);
    } else {
        return Usage();
    }
    return WriteFile(outPath, output) ? 0 : 1;
}
