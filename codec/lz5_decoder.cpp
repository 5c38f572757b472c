// Decoding -lz5-: each flag byte (least significant bit first) says whether the next eight items
// are literal bytes (1) or two-byte copies naming an absolute ring position.
#include "codec/lz5_decoder.h"

#include <cstring>

#include "codec/bit_reader.h"
#include "codec/decode_failure.h"
#include "codec/ring_output.h"

namespace lzh {
namespace {

constexpr std::size_t kRingSize = 4096;
constexpr std::size_t kMaxMatch = 18;
constexpr int kMinMatch = 3;

// The encoder starts from the same ring contents, so that runs, ramps, zeros and spaces can be
// copied before they ever occur in the data. The last kMaxMatch bytes, where writing begins,
// start as zeros (checked against an archive that dumps the initial ring).
void FillInitialRing(std::uint8_t* ring) {
    std::uint8_t* p = ring;
    for (int b = 0; b < 256; ++b, p += 13) std::memset(p, b, 13);
    for (int b = 0; b < 256; ++b) *p++ = static_cast<std::uint8_t>(b);
    for (int b = 255; b >= 0; --b) *p++ = static_cast<std::uint8_t>(b);
    std::memset(p, 0, 128);
    p += 128;
    std::memset(p, ' ', static_cast<std::size_t>(ring + kRingSize - kMaxMatch - p));
    std::memset(ring + kRingSize - kMaxMatch, 0, kMaxMatch);
}

}  // namespace

DecodeResult DecodeLz5(ByteSource& packed, std::uint64_t originalSize, ByteSink& out) {
    BitReader in(packed);
    RingOutput ring(kRingSize, kRingSize - kMaxMatch, out);
    FillInitialRing(ring.Ring());
    std::uint64_t remaining = originalSize;
    unsigned flags = 0;
    int items = 0;
    while (remaining > 0) {
        if (in.Overrun()) break;
        if (items == 0) {
            flags = in.Get(8);
            items = 8;
        }
        bool ok;
        bool literal = flags & 1;
        flags >>= 1;
        --items;
        if (literal) {
            ok = ring.Put(static_cast<std::uint8_t>(in.Get(8)));
            --remaining;
        } else {
            std::uint32_t low = in.Get(8);
            std::uint32_t high = in.Get(8);
            std::size_t from = low | ((high & 0xF0) << 4);
            std::size_t length = (high & 0x0F) + kMinMatch;
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
