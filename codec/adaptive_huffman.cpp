// Maintaining and reading the adaptive Huffman tree of -lh1-.
#include "codec/adaptive_huffman.h"

#include <cstring>

namespace lzh {
namespace {
// When the root's count reaches this, all counts are halved so that they fit 16 bits.
constexpr std::uint16_t kMaxFrequency = 0x8000;
}  // namespace

AdaptiveHuffman::AdaptiveHuffman() {
    for (int i = 0; i < kSymbols; ++i) {
        freq_[i] = 1;
        child_[i] = static_cast<std::uint16_t>(i + kNodes);
        parent_[i + kNodes] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, n = kSymbols; n <= kRoot; i += 2, ++n) {
        freq_[n] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        child_[n] = static_cast<std::uint16_t>(i);
        parent_[i] = parent_[i + 1] = static_cast<std::uint16_t>(n);
    }
    freq_[kNodes] = 0xFFFF;  // sentinel that stops the search for a node to swap with
    parent_[kRoot] = 0;
}

int AdaptiveHuffman::Decode(BitReader& in) {
    int node = child_[kRoot];
    while (node < kNodes) node = child_[node + static_cast<int>(in.Get(1))];
    int symbol = node - kNodes;
    Count(symbol);
    return symbol;
}

// Halves every leaf count (rounding up) and builds the inner nodes again in frequency order.
void AdaptiveHuffman::Rebuild() {
    int leaves = 0;
    for (int n = 0; n < kNodes; ++n) {
        if (child_[n] >= kNodes) {
            freq_[leaves] = static_cast<std::uint16_t>((freq_[n] + 1) / 2);
            child_[leaves] = child_[n];
            ++leaves;
        }
    }
    for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
        std::uint16_t f = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        // Insert after every node with a count not above f, keeping equal counts in age order.
        int at = n - 1;
        while (f < freq_[at]) --at;
        ++at;
        std::memmove(&freq_[at + 1], &freq_[at], (n - at) * sizeof freq_[0]);
        std::memmove(&child_[at + 1], &child_[at], (n - at) * sizeof child_[0]);
        freq_[at] = f;
        child_[at] = static_cast<std::uint16_t>(i);
    }
    for (int n = 0; n < kNodes; ++n) {
        int c = child_[n];
        parent_[c] = static_cast<std::uint16_t>(n);
        if (c < kNodes) parent_[c + 1] = static_cast<std::uint16_t>(n);
    }
}

// Counts one occurrence of `symbol` on its path to the root; a node whose count overtakes its
// right neighbours trades places with the last of them so the order stays nondecreasing.
void AdaptiveHuffman::Count(int symbol) {
    if (freq_[kRoot] == kMaxFrequency) Rebuild();
    int n = parent_[symbol + kNodes];
    do {
        std::uint16_t f = ++freq_[n];
        int other = n + 1;
        if (f > freq_[other]) {
            while (f > freq_[++other]) {
            }
            --other;
            freq_[n] = freq_[other];
            freq_[other] = f;

            int mine = child_[n];
            parent_[mine] = static_cast<std::uint16_t>(other);
            if (mine < kNodes) parent_[mine + 1] = static_cast<std::uint16_t>(other);
            int theirs = child_[other];
            child_[other] = static_cast<std::uint16_t>(mine);
            parent_[theirs] = static_cast<std::uint16_t>(n);
            if (theirs < kNodes) parent_[theirs + 1] = static_cast<std::uint16_t>(n);
            child_[n] = static_cast<std::uint16_t>(theirs);
            n = other;
        }
        n = parent_[n];
    } while (n != 0);
}

}  // namespace lzh
