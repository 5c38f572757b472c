// The adaptive Huffman tree of -lh1-: symbol frequencies start equal and the tree is reordered
// after every symbol so that it stays a Huffman tree for the counts seen so far.
#pragma once

#include <cstdint>

#include "codec/bit_reader.h"

namespace lzh {

class AdaptiveHuffman {
public:
    static constexpr int kSymbols = 314;               // 256 literals + lengths 3..60
    static constexpr int kNodes = 2 * kSymbols - 1;    // leaves and inner nodes
    static constexpr int kRoot = kNodes - 1;

    AdaptiveHuffman();

    // Reads one symbol (one bit per tree level) and counts it. The tree is always well formed,
    // whatever the input, so the walk ends after at most kNodes steps.
    int Decode(BitReader& in);

private:
    void Count(int symbol);
    void Rebuild();

    // Nodes are kept in order of nondecreasing frequency; child_[n] >= kNodes marks a leaf whose
    // symbol is child_[n] - kNodes; an inner node's children are child_[n] and child_[n] + 1.
    std::uint16_t freq_[kNodes + 1];
    std::uint16_t child_[kNodes];
    std::uint16_t parent_[kNodes + kSymbols];
};

}  // namespace lzh
