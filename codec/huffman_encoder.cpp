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

// The symbols of nonzero frequency into `symbols`, least frequent first and equal ones in symbol
// order; returns their number. Large alphabets (the literal/length one) are sorted by a stable
// radix sort of the symbols, taken in order, on their frequency a byte at a time, for as many bytes
// as the largest frequency has: a comparison sort's jumps could not be predicted, and it ran for
// every block several times. Small ones are few enough for the comparison sort.
int SortByFrequency(const std::uint32_t* freqs, int count, int* symbols) {
    int used = 0;
    std::uint32_t all = 0;
    for (int s = 0; s < count; ++s) {
        symbols[used] = s;
        used += freqs[s] != 0;
        all |= freqs[s];
    }
    if (used <= 32) {
        // Frequency and symbol as one key: equal frequencies keep symbol order.
        std::uint64_t keys[kMaxSymbols];
        for (int i = 0; i < used; ++i) keys[i] = std::uint64_t{freqs[symbols[i]]} << 32 | static_cast<std::uint32_t>(symbols[i]);
        std::sort(keys, keys + used);
        for (int i = 0; i < used; ++i) symbols[i] = static_cast<int>(keys[i] & 0xFFFFFFFFu);
        return used;
    }
    int other[kMaxSymbols];
    int* from = symbols;
    int* to = other;
    for (int shift = 0; shift < 32 && (all >> shift) != 0; shift += 8) {
        int start[257] = {};
        for (int i = 0; i < used; ++i) start[((freqs[from[i]] >> shift) & 0xFF) + 1]++;
        for (int d = 1; d < 256; ++d) start[d] += start[d - 1];
        for (int i = 0; i < used; ++i) to[start[(freqs[from[i]] >> shift) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != symbols) std::copy(from, from + used, symbols);
    return used;
}

}  // namespace

int BuildCodeLengths(const std::uint32_t* freqs, int count, int maxLength, std::uint8_t* lengths) {
    std::fill(lengths, lengths + count, std::uint8_t{0});
    int symbols[kMaxSymbols];
    const int used = SortByFrequency(freqs, count, symbols);
    if (used < 2) return used;
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
