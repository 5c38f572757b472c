// Decodes the first file of every interoperability archive and checks its CRC-32 and length.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

#include "codec/decoder.h"
#include "tests/codec/decoder_vector_locator.h"

namespace {

std::uint32_t Crc32(const std::vector<std::uint8_t>& data) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : data) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

struct Expected {
    std::string archive;
    std::uint32_t crc32;
    std::uint64_t length;
};

std::vector<Expected> LoadExpected() {
    std::vector<Expected> rows;
    std::ifstream tsv(std::string(ZAVO_LZH_VECTORS) + "/first-file-crc32.tsv");
    std::string line;
    // Not in the table: the dump of -lz5-'s initial ring, checked with an independent decoder.
    rows.push_back({"larc333/initial.lzs", 0xfc5d56b6u, 4234});
    while (std::getline(tsv, line)) {
        std::istringstream fields(line);
        Expected e;
        std::string crc;
        if (fields >> e.archive >> crc >> e.length) {
            e.crc32 = static_cast<std::uint32_t>(std::stoul(crc, nullptr, 16));
            rows.push_back(e);
        }
    }
    return rows;
}

class VectorTest : public ::testing::TestWithParam<Expected> {};

TEST_P(VectorTest, FirstFileDecodesToKnownBytes) {
    const Expected& e = GetParam();
    std::ifstream file(std::string(ZAVO_LZH_VECTORS) + "/archives/" + e.archive, std::ios::binary);
    ASSERT_TRUE(file) << e.archive;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (e.archive == "lha_amiga_122/sfx.run") GTEST_SKIP() << "its stub holds a decoy header";
    lzh_test::LocatedMember member;
    ASSERT_TRUE(lzh_test::LocateFirstFile(bytes, member)) << e.archive;

    lzh::MemorySource whole(bytes);
    ASSERT_TRUE(whole.Seek(member.dataOffset));
    lzh::LimitedSource packed(whole, member.packedSize);
    lzh::MemorySink out;
    lzh::DecodeResult r = lzh::Decode(lzh::FindMethod(member.method), packed, member.originalSize, out);
    // PMarc is optional: an entry we cannot decode must say so, not produce wrong bytes.
    if (r.status == lzh::DecodeStatus::Unsupported && member.method.compare(0, 3, "-pm") == 0) {
        GTEST_SKIP() << member.method << " not decoded";
    }
    ASSERT_EQ(r.status, lzh::DecodeStatus::Ok) << member.method << ": " << r.detail;
    EXPECT_EQ(out.Bytes().size(), e.length);
    EXPECT_EQ(r.produced, e.length);
    EXPECT_EQ(Crc32(out.Bytes()), e.crc32) << member.method;
}

std::string VectorName(const ::testing::TestParamInfo<Expected>& info) {
    std::string name;
    for (char c : info.param.archive) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Archives, VectorTest, ::testing::ValuesIn(LoadExpected()), VectorName);

}  // namespace
