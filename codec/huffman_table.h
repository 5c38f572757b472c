// Canonical Huffman decoding tables built from code lengths, with the lengths validated first.
#pragma once

#include <cstdint>
#include <vector>

#include "codec/bit_reader.h"
#include "codec/block_format.h"

namespace lzh {

// A two-level lookup: the first `primaryBits` of a code index the primary table; longer codes
// continue in a subtable indexed by the remaining 16 - primaryBits bits. One lookup per level,
// no tree walks, so no input can make decoding loop.
class HuffmanTable {
public:
    // What a code that no symbol owns decodes to (using no bits): above every real symbol.
    static constexpr int kNoSymbol = 0xFFFF;

    explicit HuffmanTable(int primaryBits) : primaryBits_(primaryBits) {}

    // Builds the table for lengths[0..count). Lengths above 16 and over-subscribed sets are
    // rejected (false). An incomplete set is accepted: codes it leaves unassigned decode as kNoSymbol.
    bool Build(const std::uint8_t* lengths, int count);
    // Every code decodes to `symbol` using no bits: the block format's one-symbol tree.
    void BuildSingle(int symbol);

    // The table's lookup data by value, for hot loops that keep it in registers.
    class View {
    public:
        // Decodes one symbol from at least 16 refilled bits; kNoSymbol for a code that no symbol owns.
        template <typename Bits>
        int Decode(Bits& in) const {
            std::uint32_t peek = in.Peek(kMaxCodeLength);
            std::uint32_t e = entries_[peek >> subBits_];
            if (e & kSubtable) e = entries_[(e & 0xFFFF) + (peek & ((1u << subBits_) - 1))];
            in.Skip(static_cast<int>((e >> 16) & 0xFF));
            return static_cast<int>(e & 0xFFFF);
        }

    private:
        friend class HuffmanTable;
        View(const std::uint32_t* entries, int subBits) : entries_(entries), subBits_(subBits) {}
        const std::uint32_t* entries_;
        int subBits_;
    };

    // Valid until the next Build.
    View Lookup() const { return View(entries_.data(), subBits_); }

    template <typename Bits>
    int Decode(Bits& in) const {
        return Lookup().Decode(in);
    }

private:
    static constexpr std::uint32_t kSubtable = 1u << 25;

    int primaryBits_;
    int subBits_ = 0;
    std::vector<std::uint32_t> entries_;
};

}  // namespace lzh
