// Encoding data with one of the methods that we write (-lh5-, -lh6-, -lh7-).
#pragma once

#include <cstdint>

#include "codec/io.h"
#include "codec/method.h"

namespace lzh {

struct EncodeResult {
    bool ok = false;               // false: read or write failure, or the limit was reached
    bool limitReached = false;     // packed output would exceed `packedLimit`: store instead
    std::uint64_t consumed = 0;    // bytes read from `in`
    std::uint64_t produced = 0;    // packed bytes written to `out`
    std::uint16_t crc = 0;         // CRC-16 of the bytes read
    bool cancelled = false;        // the caller asked to stop while waiting
};

// Whether `method` is one that Encode writes (LhNew kind, 12..16 dictionary bits).
bool Encodable(const Method& method);

// Compresses all of `in` into `out` with `method`, segment after segment on this thread: the same
// bytes as ParallelEncoder makes. Stops early with limitReached when the packed size would exceed
// `packedLimit`, so the caller can fall back to storing the member. Memory is bounded by a segment.
EncodeResult Encode(const Method& method, ByteSource& in, ByteSink& out, std::uint64_t packedLimit);

}  // namespace lzh
