// Data through our encoder and back through the decoders: every method we write, data of
// several shapes, including lengths that cross block and flush boundaries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codec/decoder.h"
#include "codec/encoder.h"

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    return v;
}

// Words from a small vocabulary: long matches at every distance the windows allow.
std::vector<std::uint8_t> Text(std::size_t n, unsigned seed) {
    const char* words[] = {"archive ", "member ", "header ", "window ", "the ", "of ", "block\n", "Huffman ",
                           "position ", "length ", "literal ", "distance ", "ソース ", "表示 "};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) s += words[rng() % (sizeof words / sizeof words[0])];
    s.resize(n);
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

// Random runs copied from far back: exercises distances near the largest window.
std::vector<std::uint8_t> FarRepeats(std::size_t n, unsigned seed) {
    std::vector<std::uint8_t> v = RandomBytes(70000, seed);
    std::mt19937 rng(seed);
    while (v.size() < n) {
        std::size_t from = v.size() - 1 - rng() % 65000;
        std::size_t len = 3 + rng() % 300;
        for (std::size_t i = 0; i < len; ++i) v.push_back(v[from + i]);
    }
    v.resize(n);
    return v;
}

struct Shape {
    const char* name;
    std::vector<std::uint8_t> data;
};

TEST(DecoderRoundTrip, EncodedDataDecodesToTheOriginal) {
    const Shape shapes[] = {
        {"one byte", {0x41}},
        {"random", RandomBytes(300000, 1)},
        {"text", Text(700000, 2)},
        {"zeros", std::vector<std::uint8_t>(1 << 20, 0)},
        {"far repeats", FarRepeats(600000, 3)},
    };
    for (const char* id : {"-lh5-", "-lh6-", "-lh7-"}) {
        lzh::Method method = lzh::FindMethod(id);
        for (const Shape& shape : shapes) {
            lzh::MemorySource in(shape.data);
            lzh::MemorySink packed;
            lzh::EncodeResult e = lzh::Encode(method, in, packed, ~std::uint64_t{0});
            ASSERT_TRUE(e.ok) << id << " " << shape.name;

            lzh::MemorySource packedIn(packed.Bytes());
            lzh::MemorySink out;
            lzh::DecodeResult d = lzh::Decode(method, packedIn, shape.data.size(), out);
            ASSERT_EQ(d.status, lzh::DecodeStatus::Ok) << id << " " << shape.name << ": " << d.detail;
            EXPECT_TRUE(out.Bytes() == shape.data) << id << " " << shape.name;
        }
    }
}

}  // namespace
