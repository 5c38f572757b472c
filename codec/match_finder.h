// Hash-chain match finder over a sliding window: chains of 4-byte prefixes plus the latest 3-byte one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lzh {

struct Match {
    std::uint16_t length;
    std::uint16_t distance;   // 1..window-1
};

struct MatchFinderTuning {
    int maxChain;     // candidates examined per position
    int niceLength;   // a match this long ends the search
};

// Positions are absolute stream offsets kept modulo 2^32; a chain ends at the first candidate that
// is not strictly farther than the one before or lies outside the window. Every candidate is
// verified byte by byte, so stale or colliding entries can only cost time, never correctness.
class MatchFinder {
public:
    MatchFinder(int dictionaryBits, MatchFinderTuning tuning);

    // Links `buf[i]` (absolute offset base + i) into its chain and appends to `out` the matches there
    // of increasing length, each with the nearest distance found for it, none reaching past `end`.
    // Needs 4 readable bytes at `i`. Returns the number appended.
    int FindAndInsert(const std::uint8_t* buf, std::uint32_t base, std::size_t i, std::size_t end, Match* out);

    // Links `buf[i]` into its chain without searching (inside a long match).
    // Needs 4 readable bytes at `i`.
    void Insert(const std::uint8_t* buf, std::uint32_t base, std::size_t i) {
        std::uint32_t v = Load32(buf + i);
        std::uint32_t cur = base + static_cast<std::uint32_t>(i);
        std::uint32_t h = Hash4(v);
        prev_[cur & windowMask_] = head_[h];
        head_[h] = cur;
        head3_[Hash3(v)] = cur;
    }

    int MaxMatchesPerPosition() const { return 256; }
    int MaxDistance() const { return static_cast<int>(windowMask_); }

private:
    static std::uint32_t Load32(const std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    std::uint32_t Hash4(std::uint32_t v) const { return (v * 2654435761u) >> (32 - hashBits_); }
    static std::uint32_t Hash3(std::uint32_t v) { return ((v & 0xFFFFFFu) * 2654435761u) >> (32 - kHash3Bits); }

    static constexpr int kHash3Bits = 12;

    int hashBits_;
    std::uint32_t windowMask_;
    MatchFinderTuning tuning_;
    std::vector<std::uint32_t> head_;
    std::vector<std::uint32_t> prev_;
    std::vector<std::uint32_t> head3_;   // latest position of each 3-byte prefix: short matches
};

}  // namespace lzh
