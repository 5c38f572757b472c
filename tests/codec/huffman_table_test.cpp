// Canonical decoding tables: codes longer than the primary table. Length sets that must be refused
// and codes outside an incomplete set are rows of the hostile streams in decoder_block_test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/bit_reader.h"
#include "codec/huffman_table.h"

namespace {

std::vector<std::uint8_t> Pack(const std::string& bits) {
    std::vector<std::uint8_t> out(bits.size() / 8 + 9, 0);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (bits[i] == '1') out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    }
    return out;
}

// Lengths 1, 2, ..., 15, 16, 16: a complete set whose canonical codes are runs of 1s ended by a
// 0 (the last code is sixteen 1s), so the expected code of every symbol is easy to write down.
TEST(HuffmanTable, DecodesCodesOfEveryLengthThroughBothLevels) {
    std::vector<std::uint8_t> lengths;
    for (int len = 1; len <= 16; ++len) lengths.push_back(static_cast<std::uint8_t>(len));
    lengths.push_back(16);
    std::string stream;
    std::vector<int> expected;
    for (int symbol = 16; symbol >= 0; --symbol) {  // longest codes first, then every other
        stream += symbol == 16 ? std::string(16, '1') : std::string(symbol, '1') + "0";
        expected.push_back(symbol);
    }
    for (int primaryBits : {8, 12}) {
        lzh::HuffmanTable table(primaryBits);
        ASSERT_TRUE(table.Build(lengths.data(), static_cast<int>(lengths.size())));
        std::vector<std::uint8_t> packed = Pack(stream);
        lzh::MemorySource source(packed);
        lzh::BitReader in(source);
        for (int want : expected) {
            in.Refill();
            EXPECT_EQ(table.Decode(in), want) << "primary bits " << primaryBits;
        }
        EXPECT_EQ(in.Get(8), 0u);  // exactly the stream's bits were consumed
    }
}

}  // namespace
