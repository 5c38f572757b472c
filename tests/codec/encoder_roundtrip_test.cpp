// Round trips of the encoder through our decoder, its size limit, and its stream handling.
#include <gtest/gtest.h>

#include "tests/codec/encoder_test_data.h"

namespace {

using encoder_test::Bytes;
using encoder_test::Concat;
using encoder_test::Noise;
using encoder_test::Pack;
using encoder_test::RefusingSink;
using encoder_test::Text;
using encoder_test::TrickleSource;
using encoder_test::Unpacks;

struct Input {
    const char* name;
    Bytes data;
};

std::vector<Input> Inputs() {
    Bytes allValues(256);
    for (int i = 0; i < 256; ++i) allValues[i] = static_cast<std::uint8_t>(i);
    const Bytes chunk = Noise(300, 11);
    const Bytes chunk256(chunk.begin(), chunk.begin() + 256);
    const Bytes chunk257(chunk.begin(), chunk.begin() + 257);
    Bytes nineteenApart = Noise(20000, 12, 2);   // only bytes 0 and 20: a run of 19 unused literals
    for (auto& b : nineteenApart) b *= 20;
    return {
        {"empty", {}},
        {"one byte", {0x41}},
        {"run", Bytes(100000, 'a')},
        {"all byte values", Concat({allValues, allValues, allValues})},
        {"text over 64 KiB", Text(300000, 2)},
        // Literal-heavy input: more than one block's 65535 commands.
        {"many commands", Noise(200000, 3, 4)},
        {"literals 19 codes apart", nineteenApart},
        {"match of exactly 256", Concat({chunk256, chunk256, Noise(50, 4)})},
        {"match of 257", Concat({chunk, chunk257, Noise(50, 5)})},
        {"repeat just inside the 64 KiB window", Concat({chunk, Noise(65535 - 300, 6), chunk})},
        // Longer inputs, across segments, in parallel_encoder_test.
    };
}

const char* const kMethods[] = {"-lh5-", "-lh6-", "-lh7-"};

TEST(EncoderRoundTrip, EveryInputThroughEveryMethod) {
    for (const Input& input : Inputs()) {
        for (const char* id : kMethods) {
            SCOPED_TRACE(std::string(input.name) + " " + id);
            const lzh::Method method = lzh::FindMethod(id);
            encoder_test::Packed p = Pack(method, input.data);
            EXPECT_TRUE(p.result.ok && Unpacks(method, p.bytes, input.data));
            // Read a few bytes at a time, the output stays the same.
            TrickleSource trickle(input.data);
            lzh::MemorySink sink;
            EXPECT_TRUE(lzh::Encode(method, trickle, sink, ~std::uint64_t{0}).ok);
            EXPECT_TRUE(sink.Bytes() == p.bytes);
        }
    }
}

TEST(EncoderRoundTrip, CompressesWhatRepeatsWithinItsWindow) {
    const lzh::Method lh5 = lzh::FindMethod("-lh5-");
    EXPECT_LT(Pack(lh5, Bytes(100000, 'a')).bytes.size(), 200u);
    EXPECT_LT(Pack(lh5, Text(100000, 1)).bytes.size(), 100000u / 3);
    // A 20 KiB block seen twice: only the 32 and 64 KiB windows reach back to it.
    const Bytes block = Noise(20000, 21), twice = Concat({block, block});
    EXPECT_GT(Pack(lh5, twice).bytes.size(), 30000u);
    EXPECT_LT(Pack(lzh::FindMethod("-lh6-"), twice).bytes.size(), 22000u);
    EXPECT_LT(Pack(lzh::FindMethod("-lh7-"), twice).bytes.size(), 22000u);
}

// Random data is recognised long before its end; data that shrinks from the start is not given up,
// even when noise follows, and output exactly at the limit is accepted.
TEST(EncoderLimit, IncompressibleDataIsGivenUpEarlyAndAnExactFitIsNot) {
    const Bytes noise = Noise(3 << 20, 32);   // several segments: only the first is read
    const Bytes mixed = Concat({Noise(60000, 33), Text(200000, 34), Noise(500000, 35)});
    for (const char* id : kMethods) {
        SCOPED_TRACE(id);
        const lzh::Method method = lzh::FindMethod(id);
        encoder_test::Packed p = Pack(method, noise, noise.size());
        EXPECT_FALSE(p.result.ok);
        EXPECT_TRUE(p.result.limitReached);
        EXPECT_LT(p.result.consumed, noise.size() / 2);
        EXPECT_LE(p.bytes.size(), noise.size() / 4);
        const Bytes packed = Pack(method, mixed, mixed.size()).bytes;
        EXPECT_TRUE(Unpacks(method, packed, mixed));
        EXPECT_TRUE(Pack(method, mixed, packed.size()).result.ok);
        p = Pack(method, mixed, packed.size() - 1);
        EXPECT_TRUE(!p.result.ok && p.result.limitReached);
    }
}

TEST(EncoderStreams, FailuresAndMethodsWeDoNotWriteAreReported) {
    const Bytes text = Text(150000, 61);
    const lzh::Method method = lzh::FindMethod("-lh5-");
    TrickleSource failing(text, text.size() / 2);
    lzh::MemorySink sink;
    lzh::EncodeResult r = lzh::Encode(method, failing, sink, ~std::uint64_t{0});
    EXPECT_TRUE(!r.ok && !r.limitReached) << "read failure";
    lzh::MemorySource source(text);
    RefusingSink refusing;
    r = lzh::Encode(method, source, refusing, ~std::uint64_t{0});
    EXPECT_TRUE(!r.ok && !r.limitReached) << "write failure";
    for (const char* id : {"-lh0-", "-lh1-", "-lzs-", "-lhd-"}) {
        encoder_test::Packed p = Pack(lzh::FindMethod(id), text);
        EXPECT_TRUE(!p.result.ok && p.bytes.empty()) << id;
    }
}

}  // namespace
