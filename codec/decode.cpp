// lzh::Decode: picks the decoder for a member's method.
#include "codec/decoder.h"

#include <algorithm>
#include <vector>

#include "codec/lh1_decoder.h"
#include "codec/lh_new_decoder.h"
#include "codec/lz5_decoder.h"
#include "codec/lzs_decoder.h"

namespace lzh {
namespace {

DecodeResult CopyStored(ByteSource& packed, std::uint64_t originalSize, ByteSink& out) {
    DecodeResult result;
    std::vector<std::uint8_t> chunk(64 * 1024);
    while (result.produced < originalSize) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), originalSize - result.produced));
        std::size_t got = packed.Read(chunk.data(), want);
        if (got == 0) {
            result.status = packed.Failed() ? DecodeStatus::ReadFailed : DecodeStatus::Truncated;
            result.detail = packed.Failed() ? "read error in the packed data" : "the packed data ends early";
            return result;
        }
        if (!out.Write(chunk.data(), got)) {
            result.status = DecodeStatus::WriteFailed;
            result.detail = "the output could not be written";
            return result;
        }
        result.produced += got;
    }
    return result;
}

DecodeResult Unsupported(const Method& method) {
    DecodeResult result;
    result.status = DecodeStatus::Unsupported;
    result.detail = "unsupported method " + std::string(method.id);
    return result;
}

}  // namespace

DecodeResult Decode(const Method& method, ByteSource& packed, std::uint64_t originalSize, ByteSink& out) {
    switch (method.kind) {
    case MethodKind::Stored:
        return CopyStored(packed, originalSize, out);
    case MethodKind::Directory: {
        DecodeResult result;
        if (originalSize != 0) {
            result.status = DecodeStatus::Corrupt;
            result.detail = "a folder entry claims data";
        }
        return result;
    }
    case MethodKind::LhNew:
        return DecodeLhNew(LhNewParamsFor(method.dictionaryBits, method.positionCodes, method.positionBits), packed,
                           originalSize, out);
    case MethodKind::Lh1:
        return DecodeLh1(packed, originalSize, out);
    case MethodKind::Lzs:
        return DecodeLzs(packed, originalSize, out);
    case MethodKind::Lz5:
        return DecodeLz5(packed, originalSize, out);
    default:
        return Unsupported(method);
    }
}

}  // namespace lzh
