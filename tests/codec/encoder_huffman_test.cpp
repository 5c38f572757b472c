// Code lengths stay within 16 bits and form a complete prefix code, which our decoder does not
// insist on. Block trees of every shape, the canonical codes and the bit order are checked where
// they matter: by the encoder round trips and by lhasa and 7zz reading our archives (interop_test).
#include <gtest/gtest.h>

#include <vector>

#include "codec/huffman_encoder.h"

namespace {

TEST(HuffmanEncoder, LengthsAreBoundedCompleteAndFollowTheCounts) {
    std::vector<std::uint32_t> fibonacci(40, 1), dominant(510, 1), ends(510, 0), uniform(19, 7), scattered(510, 0);
    for (std::size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];   // 39 deep unbounded
    dominant[0] = 1000000;
    ends[3] = 5;
    ends[509] = 1;
    // Every byte of a count differs, so the counts' sort takes all its passes.
    for (std::uint32_t s = 0; s < 510; s += 2) scattered[s] = (s * 2654435761u) >> 3;
    for (const auto& freqs : {fibonacci, dominant, ends, uniform, scattered}) {
        SCOPED_TRACE(freqs.size());
        const int n = static_cast<int>(freqs.size());
        std::vector<std::uint8_t> lengths(n);
        ASSERT_GE(lzh::BuildCodeLengths(freqs.data(), n, lzh::kMaxCodeLength, lengths.data()), 2);
        std::uint64_t kraft = 0;
        for (int s = 0; s < n; ++s) {
            EXPECT_LE(lengths[s], lzh::kMaxCodeLength);
            EXPECT_EQ(lengths[s] != 0, freqs[s] != 0);
            if (lengths[s]) kraft += std::uint64_t{1} << (lzh::kMaxCodeLength - lengths[s]);
        }
        EXPECT_EQ(kraft, std::uint64_t{1} << lzh::kMaxCodeLength);   // an incomplete code some readers refuse
        for (int s = 0; s < n; ++s)   // a more frequent symbol never has the longer code
            for (int t = 0; t < n; ++t)
                if (freqs[t] != 0 && freqs[s] > freqs[t]) {
                    EXPECT_LE(lengths[s], lengths[t]) << s << " " << t;
                }
    }
}

}  // namespace
