// Code lengths stay within 16 bits and form a complete prefix code; block trees in every shape
// decode. The canonical codes and the bit order are checked where they matter: by lhasa and 7zz
// reading our archives (interop_test).
#include <gtest/gtest.h>

#include <vector>

#include "codec/bit_writer.h"
#include "codec/huffman_encoder.h"
#include "codec/lh_encoder.h"
#include "tests/codec/encoder_test_data.h"

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
    std::vector<std::uint32_t> scattered(510, 0);   // every byte of a count differs: all sort passes
    for (std::uint32_t s = 0; s < 510; s += 2) scattered[s] = (s * 2654435761u) >> 3;
    return {
        {"fibonacci (unbounded depth 39)", fibonacci},
        {"one dominant among 510", wide},
        {"two used at the ends", sparse},
        {"uniform 19", std::vector<std::uint32_t>(19, 7)},
        {"255 counts of up to 29 bits", scattered},
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
        // A symbol more frequent than another never has the longer code.
        for (int s = 0; s < n; ++s)
            for (int t = 0; t < n; ++t)
                if (c.freqs[t] != 0 && c.freqs[s] > c.freqs[t]) {
                    EXPECT_LE(lengths[s], lengths[t]) << s << " " << t;
                }
    }
}

// Blocks whose trees take the rarer shapes: a single-code temp tree, deep codes, every zero-run
// form. Each is written and read back. Single-code literal/length and position trees are the
// encoder round trips' "one byte" and "run".
TEST(LhBlockWriter, EveryTreeShapeDecodes) {
    using encoder_test::Bytes;
    struct Shape {
        const char* name;
        std::vector<lzh::Command> commands;
    };
    std::vector<Shape> shapes;
    std::vector<lzh::Command> spread;   // zero runs of 1, 2, 3..18, 19 and 20+ between used codes
    for (int gap : {0, 1, 2, 5, 18, 19, 20, 100}) spread.push_back(lzh::LiteralCommand(static_cast<std::uint8_t>(gap)));
    for (int i = 0; i < 4; ++i) spread.push_back(lzh::LiteralCommand(0));
    spread.push_back(lzh::MatchCommand(3, 1));
    spread.push_back(lzh::MatchCommand(200, 4000));
    shapes.push_back({"zero runs of every length", spread});
    std::vector<lzh::Command> equal;   // 256 literals of equal count: one temp symbol for all lengths
    for (int i = 0; i < 256; ++i) equal.push_back(lzh::LiteralCommand(static_cast<std::uint8_t>(i)));
    shapes.push_back({"all lengths equal", equal});
    std::vector<lzh::Command> deep;   // counts doubling every other symbol: 23 bits deep unbounded
    for (int s = 0; s < 24; ++s)
        for (int k = 0; k < (1 << (s / 2)); ++k) deep.push_back(lzh::LiteralCommand(static_cast<std::uint8_t>(s)));
    shapes.push_back({"deep codes", deep});

    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        // Rebuild the bytes the commands stand for: matches copy what came before (distance 1 of a
        // run, or 4000 back which needs that much history first).
        Bytes original = encoder_test::Noise(4000, 81);
        std::vector<lzh::Command> commands;
        for (std::size_t i = 0; i < original.size(); ++i) commands.push_back(lzh::LiteralCommand(original[i]));
        lzh::BlockStats historyStats;
        for (const lzh::Command& c : commands) historyStats.Add(c);
        lzh::BlockStats stats;
        for (const lzh::Command& c : shape.commands) {
            stats.Add(c);
            if (c.code < 256) {
                original.push_back(static_cast<std::uint8_t>(c.code));
            } else {
                for (int k = 0; k < c.code - 253; ++k) original.push_back(original[original.size() - c.distanceMinus1 - 1]);
            }
        }
        lzh::BitWriter w;
        lzh::WriteBlock(commands.data(), commands.size(), historyStats, 14, 4, w);
        lzh::WriteBlock(shape.commands.data(), shape.commands.size(), stats, 14, 4, w);
        w.PadToByte();
        EXPECT_TRUE(encoder_test::Unpacks(lzh::FindMethod("-lh5-"), w.Bytes(), original));
    }
}

}  // namespace
