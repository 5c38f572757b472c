// Builds Huffman code lengths (bounded to 16 bits) and the canonical codes for them.
#include "codec/huffman_encoder.h"

#include <algorithm>
#include <vector>

namespace lzh {

namespace {

struct Node {
    std::uint32_t freq;
    int left;   // child index, or -1 for a leaf
    int right;
    int symbol;
};

// Depth of every leaf of an ordinary Huffman tree, by the two-queue method over sorted leaves.
void UnlimitedLengths(const std::vector<int>& sortedSymbols, const std::uint32_t* freqs, std::vector<int>& depth) {
    const int leaves = static_cast<int>(sortedSymbols.size());
    std::vector<Node> nodes;
    nodes.reserve(2 * leaves);
    for (int s : sortedSymbols) nodes.push_back({freqs[s], -1, -1, s});
    std::size_t leafNext = 0, innerNext = leaves;
    auto takeSmallest = [&]() {
        if (leafNext < static_cast<std::size_t>(leaves) &&
            (innerNext >= nodes.size() || nodes[leafNext].freq <= nodes[innerNext].freq))
            return static_cast<int>(leafNext++);
        return static_cast<int>(innerNext++);
    };
    for (int i = 0; i < leaves - 1; ++i) {
        int a = takeSmallest();
        int b = takeSmallest();
        nodes.push_back({nodes[a].freq + nodes[b].freq, a, b, -1});
    }
    // Parents come after their children, so one backward pass gives every depth.
    std::vector<int> nodeDepth(nodes.size(), 0);
    for (int i = static_cast<int>(nodes.size()) - 1; i >= leaves; --i) {
        nodeDepth[nodes[i].left] = nodeDepth[i] + 1;
        nodeDepth[nodes[i].right] = nodeDepth[i] + 1;
    }
    depth.assign(leaves, 0);
    for (int i = 0; i < leaves; ++i) depth[i] = nodeDepth[i];
}

}  // namespace

int BuildCodeLengths(const std::uint32_t* freqs, int count, int maxLength, std::uint8_t* lengths) {
    std::fill(lengths, lengths + count, std::uint8_t{0});
    std::vector<int> symbols;
    for (int s = 0; s < count; ++s)
        if (freqs[s]) symbols.push_back(s);
    const int used = static_cast<int>(symbols.size());
    if (used < 2) return used;

    std::stable_sort(symbols.begin(), symbols.end(), [&](int a, int b) { return freqs[a] < freqs[b]; });
    std::vector<int> depth;
    UnlimitedLengths(symbols, freqs, depth);

    // Count leaves per length, folding over-long ones into maxLength, then repair the Kraft sum by
    // moving leaves down from the deepest shorter level: rare codes grow, the tree stays complete.
    std::vector<int> perLength(maxLength + 1, 0);
    for (int d : depth) perLength[std::min(d, maxLength)]++;
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
