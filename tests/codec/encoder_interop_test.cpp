// Another implementation (Debian's lhasa) extracts what we compress byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "codec/crc16.h"
#include "tests/codec/encoder_test_data.h"

namespace {

using encoder_test::Bytes;

// A minimal level-0 member around packed data: enough for any reader to find and check it.
Bytes Level0Archive(const char* method, const Bytes& packed, const Bytes& original) {
    const std::string name = "data.bin";
    Bytes h = {0, 0};
    h.insert(h.end(), method, method + 5);
    auto le = [&h](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) h.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    le(static_cast<std::uint32_t>(packed.size()), 4);
    le(static_cast<std::uint32_t>(original.size()), 4);
    le(0x5A210000, 4);   // 2025-01-01 00:00 in MS-DOS form
    h.push_back(0x20);
    h.push_back(0);
    h.push_back(static_cast<std::uint8_t>(name.size()));
    h.insert(h.end(), name.begin(), name.end());
    le(lzh::Crc16(original.data(), original.size()), 2);
    h[0] = static_cast<std::uint8_t>(h.size() - 2);
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < h.size(); ++i) sum = static_cast<std::uint8_t>(sum + h[i]);
    h[1] = sum;
    h.insert(h.end(), packed.begin(), packed.end());
    h.push_back(0);
    return h;
}

TEST(EncoderInterop, LhasaExtractsOurStreams) {
    if (std::system("lhasa >/dev/null 2>&1; command -v lhasa >/dev/null") != 0) GTEST_SKIP() << "lhasa not installed";
    Bytes data = encoder_test::Text(150000, 91);
    const Bytes noise = encoder_test::Noise(30000, 92);
    data.insert(data.end(), noise.begin(), noise.end());
    data.insert(data.end(), 3000, 'z');
    const std::string dir = ::testing::TempDir();
    for (const char* id : {"-lh5-", "-lh6-", "-lh7-"}) {
        SCOPED_TRACE(id);
        encoder_test::Packed p = encoder_test::Pack(lzh::FindMethod(id), data);
        ASSERT_TRUE(p.result.ok);
        const std::string archive = dir + "/encoder_interop" + std::string(id).substr(1, 3) + ".lzh";
        const std::string extracted = archive + ".out";
        const Bytes bytes = Level0Archive(id, p.bytes, data);
        std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        ASSERT_EQ(std::system(("lhasa pq '" + archive + "' > '" + extracted + "'").c_str()), 0);
        std::ifstream in(extracted, std::ios::binary);
        EXPECT_TRUE(Bytes(std::istreambuf_iterator<char>(in), {}) == data);
        ASSERT_EQ(std::system(("lhasa tq '" + archive + "'").c_str()), 0);
        std::remove(archive.c_str());
        std::remove(extracted.c_str());
    }
}

}  // namespace
