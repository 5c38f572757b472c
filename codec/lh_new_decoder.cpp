// Decoding -lh4- .. -lh7- and -lhx- blocks: three code-length tables per block, then commands.
#include "codec/lh_new_decoder.h"

#include <algorithm>

#include "codec/bit_reader.h"
#include "codec/block_format.h"
#include "codec/decode_failure.h"
#include "codec/history_buffer.h"
#include "codec/huffman_table.h"

namespace lzh {
namespace {

// What the window holds before the first byte. A copy reaching back there is rare; strict
// decoders reject it, the lenient independent one reads spaces, as -lh1- does: so do we.
constexpr std::uint8_t kInitialFill = 0x20;

class LhNewDecoder {
public:
    LhNewDecoder(const LhNewParams& params, ByteSource& packed)
        : params_(params), in_(packed), literals_(12), positions_(8), lengthCode_(8) {}

    DecodeResult Run(std::uint64_t originalSize, ByteSink& out);

private:
    bool ReadBlockHeader(std::uint32_t& commands);
    bool ReadLengthCode(HuffmanTable& table, int maxCount, int countBits, int skipAfter);
    bool ReadLiteralLengths();
    const char* DecodeCommands(std::uint8_t* out, std::size_t& pos, std::size_t stop, std::uint64_t limit,
                               std::uint32_t& blockLeft);

    LhNewParams params_;
    BitReader in_;
    HuffmanTable literals_;
    HuffmanTable positions_;
    HuffmanTable lengthCode_;
};

// Code lengths of the code-length alphabet and of positions: 3 bits each, 7 extended by a run
// of 1 bits. `skipAfter` is the index after which a 2-bit count of zero lengths follows.
bool LhNewDecoder::ReadLengthCode(HuffmanTable& table, int maxCount, int countBits, int skipAfter) {
    int n = static_cast<int>(in_.Get(countBits));
    if (n == 0) {
        int symbol = static_cast<int>(in_.Get(countBits));
        if (symbol >= maxCount) return false;
        table.BuildSingle(symbol);
        return true;
    }
    if (n > maxCount) return false;
    std::uint8_t lengths[kMaxPositionCodes] = {};
    int i = 0;
    while (i < n) {
        int len = static_cast<int>(in_.Get(3));
        if (len == 7) {
            while (in_.Get(1)) {
                if (++len > kMaxCodeLength) return false;
            }
        }
        lengths[i++] = static_cast<std::uint8_t>(len);
        if (i == skipAfter) {
            int zeros = static_cast<int>(in_.Get(2));
            while (zeros-- > 0 && i < n) lengths[i++] = 0;
        }
    }
    return table.Build(lengths, maxCount);
}

bool LhNewDecoder::ReadLiteralLengths() {
    int n = static_cast<int>(in_.Get(kLiteralLengthCountBits));
    if (n == 0) {
        int symbol = static_cast<int>(in_.Get(kLiteralLengthCountBits));
        if (symbol >= kLiteralLengthCodes) return false;
        literals_.BuildSingle(symbol);
        return true;
    }
    if (n > kLiteralLengthCodes) return false;
    std::uint8_t lengths[kLiteralLengthCodes] = {};
    int i = 0;
    while (i < n) {
        in_.Refill();
        int c = lengthCode_.Decode(in_);
        if (c >= kCodeLengthCodes) return false;
        if (c > 2) {
            lengths[i++] = static_cast<std::uint8_t>(c - 2);
            continue;
        }
        int run = c == 0 ? 1 : c == 1 ? static_cast<int>(in_.Get(4)) + 3 : static_cast<int>(in_.Get(9)) + 20;
        // A run may claim more zeros than entries remain; the rest of the table is zero anyway.
        i += std::min(run, n - i);
    }
    return literals_.Build(lengths, kLiteralLengthCodes);
}

bool LhNewDecoder::ReadBlockHeader(std::uint32_t& commands) {
    commands = in_.Get(kBlockCountBits);
    return ReadLengthCode(lengthCode_, kCodeLengthCodes, kCodeLengthCountBits, kCodeLengthSkipIndex) &&
           ReadLiteralLengths() && ReadLengthCode(positions_, params_.positionCodes, params_.positionBits, -1) &&
           !in_.Overrun();
}

// The hot loop: decodes commands of the current block into `out` from `pos` until the block
// ends, `pos` reaches `stop`, the data runs out or a code is invalid (the reason is returned).
// Copies are clamped to `limit`, the position of the last byte wanted.
const char* LhNewDecoder::DecodeCommands(std::uint8_t* out, std::size_t& pos, std::size_t stop, std::uint64_t limit,
                                         std::uint32_t& blockLeft) {
    BitCursor bits(in_);
    const HuffmanTable::View literals = literals_.Lookup();
    const HuffmanTable::View positions = positions_.Lookup();
    const std::size_t window = std::size_t{1} << params_.windowBits;
    std::size_t p = pos;
    std::uint32_t left = blockLeft;
    const char* error = nullptr;
    while (p < stop && left > 0) {
        bits.Refill();
        if (bits.Overrun()) break;
        --left;
        int c = literals.Decode(bits);
        if (c < 256) {
            out[p++] = static_cast<std::uint8_t>(c);
            continue;
        }
        if (c >= kLiteralLengthCodes) {
            error = "invalid code in the packed data";
            break;
        }
        int code = positions.Decode(bits);
        if (code >= params_.positionCodes) {
            error = "invalid position code in the packed data";
            break;
        }
        std::size_t distance = static_cast<std::size_t>(code) + 1;
        if (code > 1) {
            distance = (std::size_t{1} << (code - 1)) + bits.Peek(code - 1) + 1;
            bits.Skip(code - 1);
        }
        if (distance > window) {
            error = "copy distance beyond the window";
            break;
        }
        std::size_t length = static_cast<std::size_t>(c - 256 + kMinMatch);
        if (length > limit - p) length = static_cast<std::size_t>(limit - p);
        HistoryBuffer::CopyMatch(out + p, distance, length);
        p += length;
    }
    pos = p;
    blockLeft = left;
    return error;
}

DecodeResult LhNewDecoder::Run(std::uint64_t originalSize, ByteSink& out) {
    HistoryBuffer history(std::size_t{1} << params_.windowBits, kInitialFill, originalSize);
    std::uint64_t remaining = originalSize;
    std::uint32_t blockLeft = 0;
    while (remaining > 0) {
        // On failure the bytes decoded so far are still written: they are good up to the fault.
        if (blockLeft == 0) {
            if (!ReadBlockHeader(blockLeft)) {
                if (!history.Flush(out)) return WriteFailure(history.Written());
                return DecodeFailure(in_, history.Written(), "invalid Huffman table in the packed data");
            }
            continue;
        }
        std::size_t start = history.Pos();
        std::uint64_t limit = start + remaining;
        std::size_t stop = limit < history.FlushMark() ? static_cast<std::size_t>(limit) : history.FlushMark();
        const char* error = DecodeCommands(history.Data(), history.Pos(), stop, limit, blockLeft);
        remaining -= history.Pos() - start;
        if (error) {
            if (!history.Flush(out)) return WriteFailure(history.Written());
            return DecodeFailure(in_, history.Written(), error);
        }
        if (in_.Overrun()) break;
        if (history.Pos() >= history.FlushMark() && !history.Flush(out)) return WriteFailure(history.Written());
    }
    if (!history.Flush(out)) return WriteFailure(history.Written());
    return DecodeFinished(in_, history.Written());
}

}  // namespace

LhNewParams LhNewParamsFor(int dictionaryBits, int positionCodes, int positionBits) {
    LhNewParams p{dictionaryBits, positionCodes, positionBits};
    if (dictionaryBits == 15) {
        p.windowBits = 16;
        p.positionCodes = 17;
    }
    // -lh4- codes positions like -lh5-, so its copies can reach 8 KiB back.
    p.windowBits = std::max(p.windowBits, p.positionCodes - 1);
    return p;
}

DecodeResult DecodeLhNew(const LhNewParams& params, ByteSource& packed, std::uint64_t originalSize,
                         ByteSink& out) {
    DecodeResult result;
    // One refill per command covers 16 + 16 + 23 bits: positions may use at most 23 extra bits.
    if (params.positionCodes < 2 || params.positionCodes > params.windowBits + 1 || params.windowBits > kMaxWindowBits ||
        params.positionBits < 1 || params.positionBits > 8) {
        result.status = DecodeStatus::Unsupported;
        result.detail = "unsupported block method parameters";
        return result;
    }
    LhNewDecoder decoder(params, packed);
    return decoder.Run(originalSize, out);
}

}  // namespace lzh
