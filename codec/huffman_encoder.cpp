// Builds Huffman code lengths (bounded to 16 bits) and the canonical codes for them.
#include "codec/huffman_encoder.h"

#include <algorithm>

namespace lzh {

namespace {

// Large enough for every alphabet of the format (510 literal/length codes at most).
constexpr int kMaxSymbols = 512;

struct Node {
    std::uint32_t freq;
    int left;   // child index, or -1 for a leaf
    int right;
};

// Depth of every leaf of an ordinary Huffman tree, by the two-queue method over sorted leaves.
// Runs a few times per block, so it works in fixed arrays rather than on the heap.
void UnlimitedLengths(const int* sortedSymbols, int leaves, const std::uint32_t* freqs, int* depth) {
    Node nodes[2 * kMaxSymbols];
    int size = 0;
    for (int i = 0; i < leaves; ++i) nodes[size++] = {freqs[sortedSymbols[i]], -1, -1};
    int leafNext = 0, innerNext = leaves;
    auto takeSmallest = [&]() {
        if (leafNext < leaves && (innerNext >= size || nodes[leafNext].freq <= nodes[innerNext].freq))
            return leafNext++;
        return innerNext++;
    };
    for (int i = 0; i < leaves - 1; ++i) {
        int a = takeSmallest();
        int b = takeSmallest();
        nodes[size++] = {nodes[a].freq + nodes[b].freq, a, b};
    }
    // Parents come after their children, so one backward pass gives every depth.
    int nodeDepth[2 * kMaxSymbols];
    nodeDepth[size - 1] = 0;
    for (int i = size - 1; i >= leaves; --i) {
        nodeDepth[nodes[i].left] = nodeDepth[i] + 1;
        nodeDepth[nodes[i].right] = nodeDepth[i] + 1;
    }
    for (int i = 0; i < leaves; ++i) depth[i] = nodeDepth[i];
}

}  // namespace

int BuildCodeLengths(const std::uint32_t* freqs, int count, int maxLength, std::uint8_t* lengths) {
    std::fill(lengths, lengths + count, std::uint8_t{0});
    // Sorted by frequency, equal ones in symbol order: keys of frequency and symbol sort as one integer.
    std::uint64_t keys[kMaxSymbols];
    int used = 0;
    for (int s = 0; s < count; ++s)
        if (freqs[s]) keys[used++] = std::uint64_t{freqs[s]} << 32 | static_cast<std::uint32_t>(s);
    if (used < 2) return used;
    std::sort(keys, keys + used);
    int symbols[kMaxSymbols];
    for (int i = 0; i < used; ++i) symbols[i] = static_cast<int>(keys[i] & 0xFFFFFFFFu);
    int depth[kMaxSymbols];
    UnlimitedLengths(symbols, used, freqs, depth);

    // Count leaves per length, folding over-long ones into maxLength, then repair the Kraft sum by
    // moving leaves down from the deepest shorter level: rare codes grow, the tree stays complete.
    int perLength[kMaxCodeLength + 1] = {};
    for (int i = 0; i < used; ++i) perLength[std::min(depth[i], maxLength)]++;
    std::uint64_t kraft = 0;
    for (int len = 1; len <= maxLength; ++len) kraft += std::uint64_t(perLength[len]) << (maxLength - len);
    const std::uint64_t full = std::uint64_t{1} << maxLength;
    while (kraft > full) {
        perLength[maxLength]--;
        for (int len = maxLength - 1; len >= 1; --len) {
            if (perLength[len]) {
                perLength[len]--;
                perLength[len + 1] += 2;
                break;
            }
        }
        kraft--;
    }
    // The least frequent symbols (first in `symbols`) take the longest codes.
    int next = 0;
    for (int len = maxLength; len >= 1; --len)
        for (int k = 0; k < perLength[len]; ++k) lengths[symbols[next++]] = static_cast<std::uint8_t>(len);
    return used;
}

void AssignCanonicalCodes(const std::uint8_t* lengths, int count, std::uint16_t* codes) {
    int perLength[kMaxCodeLength + 2] = {};
    for (int s = 0; s < count; ++s) perLength[lengths[s]]++;
    perLength[0] = 0;
    std::uint32_t nextCode[kMaxCodeLength + 2] = {};
    std::uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + perLength[len - 1]) << 1;
        nextCode[len] = code;
    }
    for (int s = 0; s < count; ++s)
        codes[s] = lengths[s] ? static_cast<std::uint16_t>(nextCode[lengths[s]]++) : 0;
}

}  // namespace lzh
