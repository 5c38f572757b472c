// Hash-chain match finder set-up: tables sized to the window.
#include "codec/match_finder.h"

#include <algorithm>

namespace lzh {

MatchFinder::MatchFinder(int dictionaryBits, MatchFinderTuning tuning)
    : hashBits_(std::min(dictionaryBits + 1, 16)),
      hashShift_(32 - hashBits_),
      windowMask_((1u << dictionaryBits) - 1),
      tuning_(tuning),
      head_(std::size_t{1} << hashBits_, 0),
      prev_(std::size_t{1} << dictionaryBits, 0),
      head3_(std::size_t{1} << kHash3Bits, 0) {}

}  // namespace lzh
