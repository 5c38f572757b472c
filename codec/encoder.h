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
};

// Compresses all of `in` into `out` with `method` (LhNew kind, 13..16 dictionary bits). Stops early
// with limitReached when the packed size would exceed `packedLimit`, so the caller can fall back to
// storing the member. Memory is bounded by the window and one block.
EncodeResult Encode(const Method& method, ByteSource& in, ByteSink& out, std::uint64_t packedLimit);

}  // namespace lzh
