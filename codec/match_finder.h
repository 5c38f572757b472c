// Hash-chain match finder over a sliding window: chains of 4-byte prefixes plus the latest 3-byte one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <algorithm>
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

// Positions are offsets into the caller's buffer, kept modulo 2^32; the tables keep them modulo 2^16 (a chain
// link holds the position before it in its chain), so an entry older than 64 KiB reads as a nearer
// one. A walk only moves farther back, by the 16-bit step between a link's position and the one it
// holds, and ends at the first candidate outside the window or when its budget is spent. Every
// candidate is verified byte by byte, so stale, aliased or colliding entries can only cost time,
// never correctness. Every position before the one searched must have been linked in, in order.
class MatchFinder {
public:
    MatchFinder(int dictionaryBits, MatchFinderTuning tuning);
    // Forgets every position, as a new finder would.
    void Reset();

    // Links `buf[i]` into its chain and appends to `out` the matches there of increasing length,
    // each with the nearest distance found for it, none reaching past `end`. Needs 4 readable bytes
    // at `i`. Returns the number appended.
    int FindAndInsert(const std::uint8_t* buf, std::size_t i, std::size_t end, Match* out);

    // Links `buf[i]` into its chain without searching (inside a long match).
    // Needs 4 readable bytes at `i`.
    void Insert(const std::uint8_t* buf, std::size_t i) {
        std::uint32_t v = Load32(buf + i);
        std::uint32_t cur = static_cast<std::uint32_t>(i);
        std::uint32_t h = Hash4(v);
        prev_[cur & windowMask_] = head_[h];
        head_[h] = static_cast<std::uint16_t>(cur);
        head3_[Hash3(v)] = static_cast<std::uint16_t>(cur);
    }

private:
    static std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit);
    static std::uint16_t Load16(const std::uint8_t* p) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    static std::uint32_t Load32(const std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static std::uint32_t Hash4(std::uint32_t v) { return (v * 2654435761u) >> (32 - kHashBits); }
    static std::uint32_t Hash3(std::uint32_t v) { return ((v & 0xFFFFFFu) * 2654435761u) >> (32 - kHash3Bits); }

    // A full 16-bit table even for the smallest window: fewer prefixes share a chain, which saves
    // more steps than the larger table costs in cache misses.
    static constexpr int kHashBits = 16;
    static constexpr int kHash3Bits = 14;

    std::uint32_t windowMask_;
    MatchFinderTuning tuning_;
    // Heads hold the low 16 bits of positions, which is all that a window of at most 64 KiB needs:
    // half the cache that full positions would take.
    std::vector<std::uint16_t> head_;
    std::vector<std::uint16_t> prev_;
    std::vector<std::uint16_t> head3_;   // latest position of each 3-byte prefix: short matches
};

// Length of the common prefix of `a` and `b`, at most `limit`; reads in 8-byte words.
inline std::size_t MatchFinder::CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t n = 0;
    while (n + 8 <= limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        std::uint64_t diff = x ^ y;
        if (diff) return n + static_cast<std::size_t>(__builtin_ctzll(diff) >> 3);
        n += 8;
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

// Inline: it runs once per input byte.
inline int MatchFinder::FindAndInsert(const std::uint8_t* buf, std::size_t i, std::size_t end,
                                      Match* out) {
    const std::uint8_t* p = buf + i;
    const std::uint32_t first4 = Load32(p);
    const std::uint32_t h = Hash4(first4);
    const std::uint32_t h3 = Hash3(first4);
    const std::uint32_t cur = static_cast<std::uint32_t>(i);
    const std::uint32_t head = head_[h];
    const std::uint32_t distance3 = static_cast<std::uint16_t>(cur - head3_[h3]);
    head_[h] = static_cast<std::uint16_t>(cur);
    head3_[h3] = static_cast<std::uint16_t>(cur);
    prev_[cur & windowMask_] = static_cast<std::uint16_t>(head);

    const std::size_t limit = std::min<std::size_t>(end - i, 256);
    if (limit < 3) return 0;
    const std::uint32_t maxDistance = windowMask_;
    const std::size_t nice = std::min<std::size_t>(limit, static_cast<std::size_t>(tuning_.niceLength));
    std::size_t best = 2;
    int found = 0;

    // The nearest 3-byte match, if any: the chains below only hold 4-byte prefixes.
    if (distance3 - 1 < maxDistance) {
        const std::uint8_t* q = p - distance3;
        if ((Load32(q) & 0xFFFFFFu) == (first4 & 0xFFFFFFu)) {
            std::size_t len = CommonLength(p, q, limit);
            best = len;
            out[found++] = {static_cast<std::uint16_t>(len), static_cast<std::uint16_t>(distance3)};
            if (len >= nice) return found;
        }
    }
    if (limit < 4) return found;
    // Walks by distance: each link adds its step. A step of 0 (a position 64 KiB back, or the
    // first one twice) only repeats a candidate until the budget runs out, so no further test is
    // needed for it. The next link is loaded straight from the position the last one held: the
    // distance, which the loop ends on, is summed beside that chain of loads, not inside it.
    std::uint32_t at = head;   // the candidate's position modulo 2^16
    std::uint32_t distance = static_cast<std::uint16_t>(cur - head);
    for (int chain = tuning_.maxChain; chain > 0 && distance - 1 < maxDistance; --chain) {
        const std::uint8_t* q = p - distance;
        // A longer match must agree at the last byte of the best one and the byte after it.
        // Most candidates fail here: the loop is laid out for that.
        if (__builtin_expect(Load16(q + best - 1) == Load16(p + best - 1) && Load32(q) == first4, 0)) {
            std::size_t len = CommonLength(p, q, limit);
            if (len > best) {
                best = len;
                out[found++] = {static_cast<std::uint16_t>(len), static_cast<std::uint16_t>(distance)};
                if (len >= nice) break;
            }
        }
        const std::uint32_t next = prev_[at & windowMask_];
        distance += static_cast<std::uint16_t>(at - next);
        at = next;
    }
    return found;
}

}  // namespace lzh
