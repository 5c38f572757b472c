// Decoding one member's packed data into its original bytes.
#pragma once

#include <cstdint>
#include <string>

#include "codec/io.h"
#include "codec/method.h"

namespace lzh {

enum class DecodeStatus {
    Ok,
    Truncated,     // the packed data ended before `originalSize` bytes were produced
    Corrupt,       // the packed data is not valid for the method (bad table, bad distance, ...)
    Unsupported,   // no decoder for this method
    ReadFailed,    // the source reported an error
    WriteFailed,   // the sink refused bytes
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Ok;
    std::uint64_t produced = 0;   // bytes written to the sink
    std::string detail;           // a short English reason for a failure, for the user
};

// Decodes exactly `originalSize` bytes of `method` from `packed` into `out`. `packed` must already
// be limited to the member's packed size. Memory use is bounded by the method's window and one
// block, never by a size read from the archive. Never reads or writes outside its buffers.
DecodeResult Decode(const Method& method, ByteSource& packed, std::uint64_t originalSize, ByteSink& out);

}  // namespace lzh
