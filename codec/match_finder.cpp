// Hash-chain match finder set-up: tables sized to the window.
#include "codec/match_finder.h"

#include <algorithm>

namespace lzh {

MatchFinder::MatchFinder(int dictionaryBits, MatchFinderTuning tuning)
    : windowMask_((1u << dictionaryBits) - 1),
      tuning_(tuning),
      head_(std::size_t{1} << kHashBits, 0),
      prev_(std::size_t{1} << dictionaryBits, 0),
      head3_(std::size_t{1} << kHash3Bits, 0) {}

void MatchFinder::Reset() {
    std::fill(head_.begin(), head_.end(), 0);
    std::fill(prev_.begin(), prev_.end(), 0);
    std::fill(head3_.begin(), head3_.end(), 0);
}

}  // namespace lzh
