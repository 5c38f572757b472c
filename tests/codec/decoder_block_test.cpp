// Hand-built -lh5-/-lh6- block streams: tree forms, zero runs, and hostile tables that must give
// Corrupt or Truncated without a crash or a hang.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "codec/decoder.h"

namespace {

// MSB-first bit packing, as the block format stores its fields.
class Bits {
public:
    Bits& Put(int width, std::uint32_t value) {
        for (int i = width - 1; i >= 0; --i) bits_.push_back((value >> i) & 1);
        return *this;
    }
    // A canonical code given as a string of '0'/'1'.
    Bits& Code(const char* code) {
        for (; *code; ++code) bits_.push_back(*code == '1');
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

struct Decoded {
    lzh::DecodeStatus status;
    std::string text;
};

Decoded DecodeBits(const char* method, const std::vector<std::uint8_t>& packed, std::uint64_t originalSize) {
    lzh::MemorySource in(packed);
    lzh::MemorySink out;
    lzh::DecodeResult r = lzh::Decode(lzh::FindMethod(method), in, originalSize, out);
    EXPECT_EQ(r.produced, out.Bytes().size());
    return {r.status, std::string(out.Bytes().begin(), out.Bytes().end())};
}

// The temp tree used by the explicit-tree blocks: symbols 0, 1, 2 (zero runs), 5 and 6 (code
// lengths 3 and 4). Lengths 2,3,3 then the 2-bit skip of symbols 3 and 4, then 2,2.
// Canonical codes: 0=00 5=01 6=10 1=110 2=111.
void PutTempTree(Bits& b) {
    b.Put(5, 7).Put(3, 2).Put(3, 3).Put(3, 3).Put(2, 2).Put(3, 2).Put(3, 2);
}

// Literal/length tree over 262 entries: 'a'..'d', lengths 256, 257 with 3-bit codes, 258..261
// with 4-bit codes. The 252 zeros use every run form: 97 = run2(77); 155 = 1 + run1(15) + run2(116).
// Canonical codes: a=000 b=001 c=010 d=011 256=100 257=101 258=1100 .. 261=1111.
void PutLiteralTree(Bits& b) {
    b.Put(9, 262);
    b.Code("111").Put(9, 77);
    for (int i = 0; i < 4; ++i) b.Code("01");
    b.Code("00").Code("110").Put(4, 15).Code("111").Put(9, 116);
    b.Code("01").Code("01");
    for (int i = 0; i < 4; ++i) b.Code("10");
}

// Position tree: codes 0..3 with lengths 1,2,3,3 (0=0 1=10 2=110 3=111).
void PutPositionTree(Bits& b, int countBits) {
    b.Put(countBits, 4).Put(3, 1).Put(3, 2).Put(3, 3).Put(3, 3);
}

// "abcd", copy 3 from 4 back, copy 4 from 1 back, copy 7 from 2 back.
std::vector<std::uint8_t> ExplicitBlock(int positionCountBits = 4) {
    Bits b;
    b.Put(16, 7);
    PutTempTree(b);
    PutLiteralTree(b);
    PutPositionTree(b, positionCountBits);
    b.Code("000").Code("001").Code("010").Code("011");
    b.Code("100").Code("110").Put(1, 1);
    b.Code("101").Code("0");
    b.Code("1110").Code("10");
    return b.Bytes();
}
const char kExplicitText[] = "abcdabcccccccccccc";

TEST(BlockDecoder, ExplicitTreesWithEveryZeroRunForm) {
    Decoded d = DecodeBits("-lh5-", ExplicitBlock(), 18);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text, kExplicitText);
}

TEST(BlockDecoder, SingleCodeTreesUseNoBitsPerSymbol) {
    Bits b;
    // Two blocks: 3 x 'x' from a one-literal tree, then copies of length 3 at distance 1.
    b.Put(16, 3).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'x').Put(4, 0).Put(4, 0);
    b.Put(16, 2).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 256).Put(4, 0).Put(4, 0);
    Decoded d = DecodeBits("-lh5-", b.Bytes(), 9);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text, "xxxxxxxxx");
}

TEST(BlockDecoder, CopyFromBeforeTheStartReadsSpaces) {
    // Like a lenient peer, the window starts out as spaces instead of failing the copy.
    Bits b;
    b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 256).Put(4, 0).Put(4, 3).Put(2, 0);
    Decoded d = DecodeBits("-lh5-", b.Bytes(), 3);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text, "   ");
}

TEST(BlockDecoder, Lh6AcceptsTheSeventeenPositionCodesOfLh7) {
    // Some tools label -lh7- data -lh6-: a position tree of 17 codes must still decode.
    Bits b;
    b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 256);
    b.Put(5, 17);
    for (int i = 0; i < 16; ++i) b.Put(3, 0);
    b.Put(3, 1);           // only code 16 has a length: distance 2^15 + 15 raw bits + 1
    b.Code("0").Put(15, 0);
    Decoded d = DecodeBits("-lh6-", b.Bytes(), 3);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text, "   ");
}

TEST(BlockDecoder, LhxCopiesFromHalfAMegabyteWindow) {
    // 'A', then 327675 'B' in five single-literal blocks, then one copy of 3 from 327676 back:
    // position code 19 with 18 raw bits, beyond what -lh7- allows.
    Bits b;
    b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'A').Put(5, 0).Put(5, 0);
    for (int i = 0; i < 5; ++i) b.Put(16, 65535).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'B').Put(5, 0).Put(5, 0);
    b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 256).Put(5, 0).Put(5, 19).Put(18, 327676 - 1 - (1 << 18));
    std::vector<std::uint8_t> packed = b.Bytes();
    Decoded d = DecodeBits("-lhx-", packed, 327679);
    ASSERT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text.substr(327676), "ABB");
    EXPECT_EQ(DecodeBits("-lh7-", packed, 327679).status, lzh::DecodeStatus::Corrupt);
}

TEST(BlockDecoder, ZeroRunPastTheTableEndIsClamped) {
    // The open peer bug: run code 2 (up to 531 zeros) near the end of the 510 entries. Entries
    // 0 and 1 get length 1; 498 single zeros; then a 531-zero run with 10 entries left.
    Bits b;
    b.Put(16, 4);
    b.Put(5, 4).Put(3, 2).Put(3, 2).Put(3, 2).Put(2, 0).Put(3, 2);  // temp: 0,1,2,3 all length 2
    b.Put(9, 510).Code("11").Code("11");                             // 3 = length 1
    for (int i = 0; i < 498; ++i) b.Code("00");
    b.Code("10").Put(9, 511);
    b.Put(4, 0).Put(4, 0);
    b.Code("0").Code("1").Code("1").Code("0");
    Decoded d = DecodeBits("-lh5-", b.Bytes(), 4);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Ok);
    EXPECT_EQ(d.text, std::string("\0\1\1\0", 4));
}

struct HostileCase {
    const char* name;
    std::function<void(Bits&)> build;
};

class HostileTable : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileTable, IsCorrupt) {
    Bits b;
    GetParam().build(b);
    // Padding keeps these from reading past the end: the verdict must come from the table.
    for (int i = 0; i < 8; ++i) b.Put(16, 0xFFFF);
    Decoded d = DecodeBits("-lh5-", b.Bytes(), 100);
    EXPECT_EQ(d.status, lzh::DecodeStatus::Corrupt);
}

const HostileCase kHostile[] = {
    {"TempTreeOverSubscribed", [](Bits& b) { b.Put(16, 1).Put(5, 3).Put(3, 1).Put(3, 1).Put(3, 1).Put(2, 0); }},
    {"TempLengthAbove16",
     [](Bits& b) {
         b.Put(16, 1).Put(5, 1).Put(3, 7);
         for (int i = 0; i < 10; ++i) b.Put(1, 1);
         b.Put(1, 0);
     }},
    {"TempCountAbove19", [](Bits& b) { b.Put(16, 1).Put(5, 20); }},
    {"TempSingleSymbolOutOfRange", [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 19); }},
    {"LiteralCountAbove510", [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 3).Put(9, 511); }},
    {"LiteralSingleSymbolOutOfRange", [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 510); }},
    {"LiteralTreeOverSubscribed",
     [](Bits& b) {
         // A one-symbol temp tree of symbol 3 (length 1) for all 300 entries.
         b.Put(16, 1).Put(5, 0).Put(5, 3).Put(9, 300);
     }},
    {"PositionCountAbove14ForLh5",
     [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'a').Put(4, 15); }},
    {"PositionSingleSymbolOutOfRange",
     [](Bits& b) { b.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'a').Put(4, 0).Put(4, 14); }},
    {"CodeOutsideAnIncompleteTree",
     [](Bits& b) {
         // Literal tree with only 'a' = code 0; the data then sends code 1.
         b.Put(16, 2).Put(5, 4).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 1);  // 2="0" 3="1"
         b.Put(9, 98).Code("0").Put(9, 77).Code("1");
         b.Put(4, 0).Put(4, 0);
         b.Code("0").Code("1");
     }},
};

INSTANTIATE_TEST_SUITE_P(Tables, HostileTable, ::testing::ValuesIn(kHostile),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(BlockDecoder, EveryTruncationIsReportedAsSuch) {
    std::vector<std::uint8_t> whole = ExplicitBlock();
    for (std::size_t keep = 0; keep < whole.size(); ++keep) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + keep);
        Decoded d = DecodeBits("-lh5-", cut, 18);
        EXPECT_EQ(d.status, lzh::DecodeStatus::Truncated) << "kept " << keep << " bytes";
        EXPECT_LE(d.text.size(), 18u);
    }
}

TEST(BlockDecoder, EmptyBlocksForeverEndAsTruncated) {
    // Zero-command blocks make no progress; the end of the data must still stop the walk.
    Bits b;
    for (int i = 0; i < 100; ++i) b.Put(16, 0).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'a').Put(4, 0).Put(4, 0);
    EXPECT_EQ(DecodeBits("-lh5-", b.Bytes(), 10).status, lzh::DecodeStatus::Truncated);
}

TEST(BlockDecoder, HugeClaimedSizeDoesNotAllocateIt) {
    // 2^40 bytes claimed, one block of 65535 'a' given: memory stays at the window.
    Bits b;
    b.Put(16, 65535).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'a').Put(5, 0).Put(5, 0);
    std::vector<std::uint8_t> packed = b.Bytes();
    lzh::MemorySource in(packed);
    lzh::MemorySink out;
    lzh::DecodeResult r = lzh::Decode(lzh::FindMethod("-lh7-"), in, std::uint64_t{1} << 40, out);
    EXPECT_EQ(r.status, lzh::DecodeStatus::Truncated);
    EXPECT_EQ(r.produced, 65535u);

    std::vector<std::uint8_t> few(10, 'z');
    lzh::MemorySource stored(few);
    lzh::MemorySink storedOut;
    r = lzh::Decode(lzh::FindMethod("-lh0-"), stored, std::uint64_t{1} << 40, storedOut);
    EXPECT_EQ(r.status, lzh::DecodeStatus::Truncated);
    EXPECT_EQ(r.produced, 10u);
}

TEST(BlockDecoder, RefusingSinkIsAWriteFailure) {
    struct RefusingSink : lzh::ByteSink {
        bool Write(const std::uint8_t*, std::size_t) override { return false; }
    } sink;
    std::vector<std::uint8_t> packed = ExplicitBlock();
    lzh::MemorySource in(packed);
    EXPECT_EQ(lzh::Decode(lzh::FindMethod("-lh5-"), in, 18, sink).status, lzh::DecodeStatus::WriteFailed);
}

TEST(BlockDecoder, SourceErrorIsAReadFailure) {
    // Hands out its bytes one at a time, then fails partway.
    struct FailingSource : lzh::ByteSource {
        explicit FailingSource(std::vector<std::uint8_t> d) : data(std::move(d)) {}
        std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
            if (size == 0 || pos >= data.size() / 2) return 0;
            *buffer = data[pos++];
            return 1;
        }
        bool Failed() const override { return pos >= data.size() / 2; }
        std::vector<std::uint8_t> data;
        std::size_t pos = 0;
    };
    for (const char* id : {"-lh5-", "-lh0-", "-lh1-", "-lzs-", "-lz5-"}) {
        FailingSource in(ExplicitBlock());
        lzh::MemorySink out;
        EXPECT_EQ(lzh::Decode(lzh::FindMethod(id), in, 18, out).status, lzh::DecodeStatus::ReadFailed) << id;
    }
}

TEST(BlockDecoder, MethodsWithoutADecoderSaySo) {
    std::vector<std::uint8_t> packed(16, 0);
    for (const char* id : {"-pm1-", "-pm2-", "-lh9-"}) {
        EXPECT_EQ(DecodeBits(id, packed, 4).status, lzh::DecodeStatus::Unsupported) << id;
    }
}

}  // namespace
