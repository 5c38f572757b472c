// Hand-built block streams for what no vector holds: window reach, lenient copies, and hostile
// tables that must give Corrupt or Truncated without a crash, a hang or an allocation sized by the
// claim. Ordinary trees are decoded in the vector walk and the encoder round trips.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "codec/decoder.h"
#include "tests/codec/encoder_test_data.h"

namespace {

// MSB-first bit packing, as the block format stores its fields.
class Bits {
public:
    Bits& Put(int width, std::uint32_t value) {
        for (int i = width - 1; i >= 0; --i) bits_.push_back((value >> i) & 1);
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out((bits_.size() + 7) / 8, 0);
        for (std::size_t i = 0; i < bits_.size(); ++i) {
            if (bits_[i]) out[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
        }
        return out;
    }

private:
    std::vector<bool> bits_;
};

// A block whose three trees are single codes, so that each command takes no bits: `count` times
// `symbol` (a literal, or 256 + length - 3), at position code `position`.
Bits& OneCodeBlock(Bits& b, int count, int symbol, int positionBits = 4, int position = 0) {
    return b.Put(16, count).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, symbol).Put(positionBits, 0).Put(positionBits, position);
}

struct StreamCase {
    const char* what;
    const char* method;
    std::uint64_t size;   // the original size the header would claim
    std::function<void(Bits&)> build;
    lzh::DecodeStatus status;
    std::string text;     // what is written, also before a fault
};

const lzh::DecodeStatus kOk = lzh::DecodeStatus::Ok, kCorrupt = lzh::DecodeStatus::Corrupt,
                        kTruncated = lzh::DecodeStatus::Truncated;

const std::string kLhxText = "A" + std::string(327675, 'B') + "ABB";

// 'A', then 327675 'B' in five blocks, then one copy of 3 from 327676 back: position code 19 with
// 18 raw bits, beyond what -lh7- allows.
void PutFarCopy(Bits& b) {
    OneCodeBlock(b, 1, 'A', 5);
    for (int i = 0; i < 5; ++i) OneCodeBlock(b, 65535, 'B', 5);
    OneCodeBlock(b, 1, 256, 5, 19).Put(18, 327676 - 1 - (1 << 18));
}

const StreamCase kStreams[] = {
    // Like a lenient peer, the window starts out as spaces instead of failing the copy.
    {"a copy from before the start reads spaces", "-lh5-", 3, [](Bits& b) { OneCodeBlock(b, 1, 256, 4, 3).Put(2, 0); }, kOk, "   "},
    // Some tools label -lh7- data -lh6-: only code 16 has a length, distance 2^15 + 15 raw bits + 1.
    {"-lh6- takes the 17 position codes of -lh7-", "-lh6-", 3, [](Bits& b) {
         b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 256).Put(5, 17);
         for (int i = 0; i < 16; ++i) b.Put(3, 0);
         b.Put(3, 1).Put(1, 0b0).Put(15, 0);
     }, kOk, "   "},
    {"-lhx- copies from half a megabyte back", "-lhx-", kLhxText.size(), PutFarCopy, kOk, kLhxText},
    {"-lh7- has no position code 19", "-lh7-", kLhxText.size(), PutFarCopy, kCorrupt, kLhxText.substr(0, 327676)},
    // The open peer bug: run code 2 (up to 531 zeros) near the end of the 510 entries. Entries
    // 0 and 1 get length 1; 498 single zeros; then a 531-zero run with 10 entries left.
    {"a zero run past the table end is clamped", "-lh5-", 4, [](Bits& b) {
         b.Put(16, 4).Put(5, 4).Put(3, 2).Put(3, 2).Put(3, 2).Put(2, 0).Put(3, 2);  // temp: 0,1,2,3 all length 2
         b.Put(9, 510).Put(2, 0b11).Put(2, 0b11);   // 3 = length 1
         for (int i = 0; i < 498; ++i) b.Put(2, 0b00);
         b.Put(2, 0b10).Put(9, 511).Put(4, 0).Put(4, 0).Put(4, 0b0110);
     }, kOk, std::string("\0\1\1\0", 4)},
    // Zero-command blocks make no progress; the end of the data must still stop the walk.
    {"empty blocks until the data ends", "-lh5-", 10, [](Bits& b) { for (int i = 0; i < 100; ++i) OneCodeBlock(b, 0, 'a'); },
     kTruncated, ""},
    // 2^40 bytes claimed: memory stays at the window.
    {"a huge claimed size is not allocated", "-lh7-", std::uint64_t{1} << 40, [](Bits& b) { OneCodeBlock(b, 65535, 'a', 5); },
     kTruncated, std::string(65535, 'a')},
    // Hostile tables, one row per guard: the three trees share the table checks, the temp and
    // position trees the reading of their lengths. Padding keeps the verdict from being a truncation.
    {"temp tree over-subscribed", "-lh5-", 100, [](Bits& b) { b.Put(16, 1).Put(5, 3).Put(3, 1).Put(3, 1).Put(3, 1).Put(2, 0); }, kCorrupt, ""},
    {"temp length above 16", "-lh5-", 100, [](Bits& b) { b.Put(16, 1).Put(5, 1).Put(3, 7).Put(10, 0x3FF).Put(1, 0); }, kCorrupt, ""},
    {"temp count above 19", "-lh5-", 100, [](Bits& b) { b.Put(16, 1).Put(5, 20); }, kCorrupt, ""},
    {"temp single symbol out of range", "-lh5-", 100, [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 19); }, kCorrupt, ""},
    {"literal count above 510", "-lh5-", 100, [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 3).Put(9, 511); }, kCorrupt, ""},
    {"literal single symbol out of range", "-lh5-", 100, [](Bits& b) { OneCodeBlock(b, 1, 510); }, kCorrupt, ""},
    // Literal tree with only 'a' = code 0; the data then sends code 1.
    {"a code outside an incomplete tree", "-lh5-", 100, [](Bits& b) {
         b.Put(16, 2).Put(5, 4).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 1);  // 2="0" 3="1"
         b.Put(9, 98).Put(1, 0b0).Put(9, 77).Put(1, 0b1).Put(4, 0).Put(4, 0).Put(2, 0b01);
     }, kCorrupt, "a"},
};

TEST(BlockDecoder, StreamsDecodeOrFailAsTheyShould) {
    for (const StreamCase& c : kStreams) {
        SCOPED_TRACE(c.what);
        Bits b;
        c.build(b);
        for (int i = 0; c.status != kTruncated && i < 8; ++i) b.Put(16, 0xFFFF);
        const std::vector<std::uint8_t> packed = b.Bytes();
        lzh::MemorySource in(packed);
        lzh::MemorySink out;
        lzh::DecodeResult r = lzh::Decode(lzh::FindMethod(c.method), in, c.size, out);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.produced, out.Bytes().size());
        EXPECT_TRUE(std::string(out.Bytes().begin(), out.Bytes().end()) == c.text) << out.Bytes().size() << " bytes";
    }
}

TEST(BlockDecoder, ReadAndWriteFailuresAreReportedAsSuch) {
    const std::vector<std::uint8_t> packed = encoder_test::Pack(lzh::FindMethod("-lh5-"), encoder_test::Text(2000, 1)).bytes;
    for (const char* id : {"-lh5-", "-lh0-", "-lh1-", "-lzs-", "-lz5-"}) {
        encoder_test::TrickleSource in(packed, 8);
        lzh::MemorySink out;
        EXPECT_EQ(lzh::Decode(lzh::FindMethod(id), in, 2000, out).status, lzh::DecodeStatus::ReadFailed) << id;
    }
    encoder_test::RefusingSink refusing;
    lzh::MemorySource in(packed);
    EXPECT_EQ(lzh::Decode(lzh::FindMethod("-lh5-"), in, 2000, refusing).status, lzh::DecodeStatus::WriteFailed);
}

}  // namespace
