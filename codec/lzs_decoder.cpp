// Decoding -lzs-: a 1 bit is followed by a literal byte, a 0 bit by an 11-bit ring position and a
// 4-bit length.
#include "codec/lzs_decoder.h"

#include <algorithm>

#include "codec/bit_reader.h"
#include "codec/decode_failure.h"
#include "codec/ring_output.h"

namespace lzh {
namespace {
constexpr std::size_t kRingSize = 2048;
constexpr std::size_t kMaxMatch = 17;
constexpr int kMinMatch = 2;
}  // namespace

DecodeResult DecodeLzs(ByteSource& packed, std::uint64_t originalSize, ByteSink& out) {
    BitReader in(packed);
    RingOutput ring(kRingSize, kRingSize - kMaxMatch, out);
    std::fill_n(ring.Ring(), kRingSize, ' ');
    std::uint64_t remaining = originalSize;
    while (remaining > 0) {
        if (in.Overrun()) break;
        in.Refill();
        bool ok;
        if (in.Get(1)) {
            ok = ring.Put(static_cast<std::uint8_t>(in.Get(8)));
            --remaining;
        } else {
            std::size_t from = in.Get(11);
            std::size_t length = in.Get(4) + kMinMatch;
            if (length > remaining) length = static_cast<std::size_t>(remaining);
            ok = ring.CopyFrom(from, length);
            remaining -= length;
        }
        if (!ok) return WriteFailure(ring.Written());
    }
    if (!ring.Flush()) return WriteFailure(ring.Written());
    return DecodeFinished(in, ring.Written());
}

}  // namespace lzh
