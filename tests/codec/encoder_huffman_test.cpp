// Code lengths stay within 16 bits and form a complete prefix code, which our decoder does not
// insist on. Block trees of every shape, the canonical codes and the bit order are checked where
// they matter: by the encoder round trips and by lhasa and 7zz reading our archives (interop_test).
#include <gtest/gtest.h>

#include <vector>

#include "codec/huffman_encoder.h"

namespace {

struct FrequencyCase {
    const char* name;
    std::vector<std::uint32_t> freqs;
};

std::vector<FrequencyCase> Cases() {
    std::vector<std::uint32_t> fibonacci(40);
    fibonacci[0] = fibonacci[1] = 1;
    for (std::size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    std::vector<std::uint32_t> wide(510, 1);
    wide[0] = 1000000;
    std::vector<std::uint32_t> sparse(510, 0);
    sparse[3] = 5;
    sparse[509] = 1;
    return {
        {"fibonacci (unbounded depth 39)", fibonacci},
        {"one dominant among 510", wide},
        {"two used at the ends", sparse},
        {"uniform 19", std::vector<std::uint32_t>(19, 7)},
    };
}

TEST(HuffmanEncoder, LengthsAreBoundedAndComplete) {
    for (const FrequencyCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const int n = static_cast<int>(c.freqs.size());
        std::vector<std::uint8_t> lengths(n);
        int used = lzh::BuildCodeLengths(c.freqs.data(), n, lzh::kMaxCodeLength, lengths.data());
        ASSERT_GE(used, 2);
        std::uint64_t kraft = 0;
        for (int s = 0; s < n; ++s) {
            EXPECT_LE(lengths[s], lzh::kMaxCodeLength);
            EXPECT_EQ(lengths[s] != 0, c.freqs[s] != 0);
            if (lengths[s]) kraft += std::uint64_t{1} << (lzh::kMaxCodeLength - lengths[s]);
        }
        EXPECT_EQ(kraft, std::uint64_t{1} << lzh::kMaxCodeLength);   // an incomplete code some readers refuse
    }
}

}  // namespace
