// Decodes the first file of every interoperability archive and checks its CRC-32 and length.
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

// The archive's bytes and its first member that is not a folder.
struct FirstFile {
    std::vector<std::uint8_t> bytes;
    lzh::Entry entry;
    std::string error;
};

FirstFile LoadFirstFile(const std::string& archive) {
    FirstFile f;
    std::ifstream file(lzh_test::kVectors / "archives" / archive, std::ios::binary);
    f.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    lzh::MemorySource whole(f.bytes);
    lzh::ArchiveReader reader(whole);
    lzh::ReadStatus status;
    while ((status = reader.Next(f.entry)) == lzh::ReadStatus::Entry && f.entry.method.kind == lzh::MethodKind::Directory) {
    }
    if (status != lzh::ReadStatus::Entry) f.error = archive + ": no file member " + reader.ErrorText();
    return f;
}

TEST_P(VectorTest, FirstFileDecodesToKnownBytes) {
    const Expected& e = GetParam();
    FirstFile f = LoadFirstFile(e.archive);
    ASSERT_TRUE(f.error.empty()) << f.error;
    const lzh::Entry& entry = f.entry;
    lzh::MemorySource whole(f.bytes);
    // Decoded directly (not through Extract) so that the decoder's own status is what is checked.
    ASSERT_TRUE(whole.Seek(entry.dataOffset));
    lzh::LimitedSource packed(whole, entry.packedSize);
    lzh::MemorySink out;
    lzh::DecodeResult r = lzh::Decode(entry.method, packed, entry.originalSize, out);
    // PMarc is optional: an entry we cannot decode must say so, not produce wrong bytes.
    if (r.status == lzh::DecodeStatus::Unsupported && entry.methodId.compare(0, 3, "-pm") == 0) {
        GTEST_SKIP() << entry.methodId << " not decoded";
    }
    ASSERT_EQ(r.status, lzh::DecodeStatus::Ok) << entry.methodId << ": " << r.detail;
    EXPECT_EQ(out.Bytes().size(), e.length);
    EXPECT_EQ(r.produced, e.length);
    EXPECT_EQ(Crc32(out.Bytes()), e.crc32) << entry.methodId;
}

std::string VectorName(const ::testing::TestParamInfo<Expected>& info) {
    std::string name;
    for (char c : info.param.archive) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Archives, VectorTest, ::testing::ValuesIn(LoadExpected()), VectorName);

// A member cut short, as in the truncated archives of the wild: every decoder must say so
// rather than hang or pass off padding as data.
TEST(VectorTruncation, EveryDecoderReportsACutMember) {
    ASSERT_VECTORS_PRESENT();
    const char* archives[] = {"lharc113/lh1.lzh",       "generated/lzs/lzs.lzs",     "larc333/lz5.lzs",
                              "lha_amiga_122/lh4.lzh",  "lha213/lh5.lzh",            "lha_unix114i/h2_lh6.lzh",
                              "lha_unix114i/h2_lh7.lzh", "lha213/lh0.lzh"};
    for (const char* archive : archives) {
        FirstFile f = LoadFirstFile(archive);
        ASSERT_TRUE(f.error.empty()) << f.error;
        for (std::uint64_t keep : {std::uint64_t{0}, f.entry.packedSize / 2, f.entry.packedSize - 1}) {
            lzh::MemorySource whole(f.bytes);
            ASSERT_TRUE(whole.Seek(f.entry.dataOffset));
            lzh::LimitedSource packed(whole, keep);
            lzh::MemorySink out;
            lzh::DecodeResult r = lzh::Decode(f.entry.method, packed, f.entry.originalSize, out);
            EXPECT_EQ(r.status, lzh::DecodeStatus::Truncated) << archive << " cut to " << keep;
            // Only a cut in the last byte may leave the output complete (but still reported).
            if (keep < f.entry.packedSize - 1) {
                EXPECT_LT(r.produced, f.entry.originalSize) << archive;
            }
            EXPECT_EQ(r.produced, out.Bytes().size()) << archive;
        }
    }
}

}  // namespace
