// lzh::Encode: a member's segments compressed one after the other and joined.
#include "codec/encoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "codec/crc16.h"
#include "codec/lh_encoder.h"
#include "codec/segment_encoder.h"

namespace lzh {

bool Encodable(const Method& method) {
    return method.kind == MethodKind::LhNew && method.dictionaryBits >= 12 && method.dictionaryBits <= 16 &&
           method.positionCodes >= 1 && method.positionCodes <= kMaxEncoderPositionCodes;
}

EncodeResult Encode(const Method& method, ByteSource& in, ByteSink& out, std::uint64_t packedLimit) {
    EncodeResult result;
    if (!Encodable(method)) return result;

    std::vector<std::uint8_t> buf(kMaxHistory + kSegmentSize + kSegmentSlack);
    std::size_t history = 0;
    UninitializedVector<std::uint8_t> joinScratch;
    SegmentJoiner joiner(out, packedLimit, joinScratch);
    const std::atomic<bool> never{false};
    SegmentWorkspace workspace;
    for (bool ended = false; !ended;) {
        std::size_t filled = history;
        while (filled < history + kSegmentSize) {
            const std::size_t n = in.Read(buf.data() + filled, history + kSegmentSize - filled);
            if (n == 0) {
                if (in.Failed()) return result;
                ended = true;
                break;
            }
            filled += n;
        }
        const std::size_t plain = filled - history;
        if (plain == 0) break;
        result.crc = UpdateCrc16(result.crc, buf.data() + history, plain);
        result.consumed += plain;
        std::memset(buf.data() + filled, 0, kSegmentSlack);
        PackedSegment packed = EncodeSegment(method, buf.data(), history, filled, packedLimit, never, workspace);
        const bool more = joiner.Add(packed, plain);
        workspace.KeepOutputBuffer(std::move(packed.bytes));
        if (!more) break;
        const std::size_t keep = std::min(kMaxHistory, filled);
        std::memmove(buf.data(), buf.data() + filled - keep, keep);
        history = keep;
    }
    result.ok = joiner.Finish();
    result.limitReached = joiner.LimitReached();
    result.produced = joiner.Produced();
    return result;
}

}  // namespace lzh
