// CLzAriMem: memory-to-memory LZARI decoder for the embedded text catalogue.
// Block layout: 4-byte little-endian uncompressed length, then the arithmetic-coded
// bit stream, most significant bit first.
#pragma once

#include <cstdint>

#include "text/lzari_model.h"

class CLzAriMem {
public:
    CLzAriMem() noexcept;
    CLzAriMem(const CLzAriMem&) = delete;
    CLzAriMem& operator=(const CLzAriMem&) = delete;
    virtual ~CLzAriMem();

    // Expands `compressed` into `output`. Stores at most outputCapacity - 1 bytes and
    // never writes past them. Returns the header length, also kept in `textsize`;
    // callers take the decoded length from it, not from BytesWritten(). A corrupt
    // stream is not detected: the output limit keeps every write inside the buffer.
    std::uint32_t Decode(const std::uint8_t* compressed, std::uint8_t* output,
                         std::int32_t compressedLength, std::int32_t outputCapacity) noexcept;

    std::int32_t BytesWritten() const noexcept { return outWritten; }

    std::uint32_t textsize = 0;

private:
    std::int32_t outWritten = 0;
    std::uint8_t ring[lzari::N + lzari::F - 1] = {};
    lzari::Model model = {};
};
