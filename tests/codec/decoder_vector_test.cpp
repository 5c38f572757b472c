// Decodes the first file of every interoperability archive and checks its CRC-32 and length, whole
// and cut short.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "codec/archive.h"
#include "codec/decoder.h"
#include "tests/codec/vectors.h"

namespace {

std::uint32_t Crc32(const std::vector<std::uint8_t>& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

struct Expected {
    std::string archive;
    std::uint32_t crc32;
    std::uint64_t length;
};

// Empty without the vectors: VectorsArePresent then says so.
std::vector<Expected> LoadExpected() {
    std::vector<Expected> rows;
    if (!lzh_test::VectorsMissing().empty()) return rows;
    std::ifstream tsv(lzh_test::kVectors / "first-file-crc32.tsv");
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

TEST(Vectors, ArePresent) { ASSERT_VECTORS_PRESENT(); }

class VectorTest : public ::testing::TestWithParam<Expected> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(VectorTest);

// Decoded directly (not through Extract) so that the decoder's own status is what is checked; then
// cut short, as in the truncated archives of the wild: the decoder must say so rather than hang or
// pass off padding as data.
TEST_P(VectorTest, FirstFileDecodesToKnownBytesAndACutOneIsReported) {
    const Expected& e = GetParam();
    std::ifstream file(lzh_test::kVectors / "archives" / e.archive, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    lzh::MemorySource archive(bytes);
    lzh::ArchiveReader reader(archive);
    lzh::Entry entry;   // the first member that is not a folder
    lzh::ReadStatus status;
    while ((status = reader.Next(entry)) == lzh::ReadStatus::Entry && entry.method.kind == lzh::MethodKind::Directory) {
    }
    ASSERT_EQ(status, lzh::ReadStatus::Entry) << "no file member: " << reader.ErrorText();
    auto decode = [&](std::uint64_t keep, lzh::MemorySink& out) {
        lzh::MemorySource whole(bytes);
        EXPECT_TRUE(whole.Seek(entry.dataOffset));
        lzh::LimitedSource packed(whole, keep);
        lzh::DecodeResult r = lzh::Decode(entry.method, packed, entry.originalSize, out);
        EXPECT_EQ(r.produced, out.Bytes().size());
        return r;
    };
    lzh::MemorySink out;
    lzh::DecodeResult r = decode(entry.packedSize, out);
    // PMarc is optional: an entry we cannot decode must say so, not produce wrong bytes.
    if (r.status == lzh::DecodeStatus::Unsupported && entry.methodId.compare(0, 3, "-pm") == 0) {
        GTEST_SKIP() << entry.methodId << " not decoded";
    }
    ASSERT_EQ(r.status, lzh::DecodeStatus::Ok) << entry.methodId << ": " << r.detail;
    EXPECT_EQ(out.Bytes().size(), e.length);
    EXPECT_EQ(Crc32(out.Bytes()), e.crc32) << entry.methodId;
    if (entry.originalSize == 0) return;
    for (std::uint64_t keep : {std::uint64_t{0}, entry.packedSize / 2, entry.packedSize - 1}) {
        lzh::MemorySink cut;
        r = decode(keep, cut);
        EXPECT_EQ(r.status, lzh::DecodeStatus::Truncated) << "cut to " << keep;
        // Only a cut in the last byte may leave the output complete (but still reported).
        if (keep < entry.packedSize - 1) {
            EXPECT_LT(r.produced, entry.originalSize) << "cut to " << keep;
        }
    }
}

std::string VectorName(const ::testing::TestParamInfo<Expected>& info) {
    std::string name;
    for (char c : info.param.archive) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Archives, VectorTest, ::testing::ValuesIn(LoadExpected()), VectorName);

}  // namespace
