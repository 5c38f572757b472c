// Building canonical Huffman lookup tables.
#include "codec/huffman_table.h"

#include <algorithm>

namespace lzh {

bool HuffmanTable::Build(const std::uint8_t* lengths, int count) {
    int perLength[kMaxCodeLength + 1] = {};
    for (int i = 0; i < count; ++i) {
        if (lengths[i] > kMaxCodeLength) return false;
        ++perLength[lengths[i]];
    }
    // Kraft check in units of the code space: over-subscription would make codes overlap.
    std::int64_t room = 1;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        room = room * 2 - perLength[len];
        if (room < 0) return false;
    }
    // Canonical order: shorter codes first, equal lengths in symbol order.
    std::uint32_t nextCode[kMaxCodeLength + 1] = {};
    std::uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        nextCode[len] = code;
        code = (code + perLength[len]) << 1;
    }

    subBits_ = kMaxCodeLength - primaryBits_;
    entries_.assign(std::size_t{1} << primaryBits_, kNoSymbol);
    const std::uint32_t subSize = 1u << subBits_;
    for (int symbol = 0; symbol < count; ++symbol) {
        int len = lengths[symbol];
        if (len == 0) continue;
        std::uint32_t c = nextCode[len]++;
        std::uint32_t entry = (static_cast<std::uint32_t>(len) << 16) | static_cast<std::uint32_t>(symbol);
        if (len <= primaryBits_) {
            std::uint32_t first = c << (primaryBits_ - len);
            std::fill_n(entries_.begin() + first, std::size_t{1} << (primaryBits_ - len), entry);
            continue;
        }
        std::uint32_t prefix = c >> (len - primaryBits_);
        if (!(entries_[prefix] & kSubtable)) {
            if (entries_.size() + subSize > 0x10000) return false;  // offsets are 16-bit
            entries_[prefix] = kSubtable | static_cast<std::uint32_t>(entries_.size());
            entries_.resize(entries_.size() + subSize, kNoSymbol);
        }
        std::uint32_t base = entries_[prefix] & 0xFFFF;
        std::uint32_t low = c & ((1u << (len - primaryBits_)) - 1);
        std::uint32_t first = base + (low << (kMaxCodeLength - len));
        std::fill_n(entries_.begin() + first, std::size_t{1} << (kMaxCodeLength - len), entry);
    }
    return true;
}

void HuffmanTable::BuildSingle(int symbol) {
    subBits_ = kMaxCodeLength - primaryBits_;
    entries_.assign(std::size_t{1} << primaryBits_, static_cast<std::uint32_t>(symbol));
}

}  // namespace lzh
