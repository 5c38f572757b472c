// Hash-chain match search: walks candidates nearest first and keeps each new longest match.
#include "codec/match_finder.h"

#include <algorithm>

namespace lzh {

namespace {

// Length of the common prefix of `a` and `b`, at most `limit`; reads in 8-byte words.
inline std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
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

}  // namespace

MatchFinder::MatchFinder(int dictionaryBits, MatchFinderTuning tuning)
    : hashBits_(std::min(dictionaryBits + 2, 16)),
      windowMask_((1u << dictionaryBits) - 1),
      tuning_(tuning),
      head_(std::size_t{1} << hashBits_, 0),
      prev_(std::size_t{1} << dictionaryBits, 0),
      head3_(std::size_t{1} << kHash3Bits, 0) {}

int MatchFinder::FindAndInsert(const std::uint8_t* buf, std::uint32_t base, std::size_t i, std::size_t end,
                               Match* out) {
    const std::uint8_t* p = buf + i;
    const std::uint32_t first4 = Load32(p);
    const std::uint32_t h = Hash4(first4);
    const std::uint32_t h3 = Hash3(first4);
    const std::uint32_t cur = base + static_cast<std::uint32_t>(i);
    std::uint32_t cand = head_[h];
    const std::uint32_t cand3 = head3_[h3];
    head_[h] = cur;
    head3_[h3] = cur;
    prev_[cur & windowMask_] = cand;

    const std::size_t limit = std::min<std::size_t>(end - i, 256);
    if (limit < 3) return 0;
    const std::uint32_t maxDistance = windowMask_;
    const std::size_t nice = std::min<std::size_t>(limit, static_cast<std::size_t>(tuning_.niceLength));
    std::size_t best = 2;
    int found = 0;

    // The nearest 3-byte match, if any: the chains below only hold 4-byte prefixes.
    const std::uint32_t distance3 = cur - cand3;
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
    std::uint32_t lastDistance = 0;
    for (int chain = tuning_.maxChain; chain > 0; --chain) {
        const std::uint32_t distance = cur - cand;
        if (distance <= lastDistance || distance > maxDistance) break;
        lastDistance = distance;
        const std::uint8_t* q = p - distance;
        if (q[best] == p[best] && Load32(q) == first4) {
            std::size_t len = CommonLength(p, q, limit);
            if (len > best) {
                best = len;
                out[found++] = {static_cast<std::uint16_t>(len), static_cast<std::uint16_t>(distance)};
                if (len >= nice) break;
            }
        }
        cand = prev_[cand & windowMask_];
    }
    return found;
}

}  // namespace lzh
