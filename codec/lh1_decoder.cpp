// Decoding -lh1-: adaptive Huffman symbols, positions split into a fixed-code upper part and six
// raw bits, copies from a 4 KiB window that starts out full of spaces.
#include "codec/lh1_decoder.h"

#include "codec/adaptive_huffman.h"
#include "codec/bit_reader.h"
#include "codec/decode_failure.h"
#include "codec/history_buffer.h"
#include "codec/huffman_table.h"

namespace lzh {
namespace {

constexpr std::size_t kWindow = 4096;
constexpr int kLh1MinMatch = 3;
constexpr int kLowPositionBits = 6;

// The fixed code for the upper six position bits: code lengths 3..8, shorter for nearer copies.
HuffmanTable UpperPositionTable() {
    std::uint8_t lengths[64];
    const int perLength[][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
    int i = 0;
    for (const auto& run : perLength) {
        for (int k = 0; k < run[1]; ++k) lengths[i++] = static_cast<std::uint8_t>(run[0]);
    }
    HuffmanTable table(8);
    table.Build(lengths, 64);
    return table;
}

}  // namespace

DecodeResult DecodeLh1(ByteSource& packed, std::uint64_t originalSize, ByteSink& out) {
    static const HuffmanTable upperPositions = UpperPositionTable();
    BitReader in(packed);
    AdaptiveHuffman symbols;
    HistoryBuffer history(kWindow, ' ', originalSize);
    std::uint64_t remaining = originalSize;
    while (remaining > 0) {
        if (in.Overrun()) break;
        int c = symbols.Decode(in);
        if (c < 256) {
            history.Put(static_cast<std::uint8_t>(c));
            --remaining;
        } else {
            in.Refill();
            int upper = upperPositions.Decode(in);  // a complete code: every bit pattern is a symbol
            std::size_t distance = ((static_cast<std::size_t>(upper) << kLowPositionBits) | in.Get(kLowPositionBits)) + 1;
            std::size_t length = static_cast<std::size_t>(c - 256 + kLh1MinMatch);
            if (length > remaining) length = static_cast<std::size_t>(remaining);
            history.Copy(distance, length);
            remaining -= length;
        }
        if (history.Pos() >= history.FlushMark() && !history.Flush(out)) return WriteFailure(history.Written());
    }
    if (!history.Flush(out)) return WriteFailure(history.Written());
    return DecodeFinished(in, history.Written());
}

}  // namespace lzh
