// How the decoders turn a failed step into a DecodeResult: a failure after the packed data ran
// out is a truncation, whatever the bits looked like.
#pragma once

#include "codec/bit_reader.h"
#include "codec/decoder.h"

namespace lzh {

inline DecodeResult DecodeFailure(const BitReader& in, std::uint64_t produced, const char* corruptReason) {
    DecodeResult result;
    result.produced = produced;
    if (in.ReadFailed()) {
        result.status = DecodeStatus::ReadFailed;
        result.detail = "read error in the packed data";
    } else if (in.Overrun()) {
        result.status = DecodeStatus::Truncated;
        result.detail = "the packed data ends early";
    } else {
        result.status = DecodeStatus::Corrupt;
        result.detail = corruptReason;
    }
    return result;
}

inline DecodeResult WriteFailure(std::uint64_t produced) {
    DecodeResult result;
    result.produced = produced;
    result.status = DecodeStatus::WriteFailed;
    result.detail = "the output could not be written";
    return result;
}

// The end of a decode that produced every byte: still a failure if it needed bits past the end.
inline DecodeResult DecodeFinished(const BitReader& in, std::uint64_t produced) {
    if (in.Overrun() || in.ReadFailed()) return DecodeFailure(in, produced, "");
    DecodeResult result;
    result.produced = produced;
    return result;
}

}  // namespace lzh
