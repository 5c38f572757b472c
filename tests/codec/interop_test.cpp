// Archives written by ArchiveWriter on several threads, for every method we write and every header
// level, tested and extracted by independent tools (lhasa, 7zz) with byte-identical results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "tests/codec/encoder_test_data.h"
#include "tests/codec/format_test_util.h"

namespace {

namespace fs = std::filesystem;

bool ToolInstalled(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

int RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::string CompressibleData(std::size_t size) { const auto b = encoder_test::Text(size, 7); return {b.begin(), b.end()}; }
std::string RandomData(std::size_t size) { const auto b = encoder_test::Noise(size, 11); return {b.begin(), b.end()}; }

const std::vector<lzh_test::TestMember>& Members() {
    static const std::vector<lzh_test::TestMember> members = {
        {{"dir"}, "", "", true},
        {{"dir", "sub"}, "nested.txt", CompressibleData(5000)},
        {{}, "empty.txt", ""},
        {{}, "big.bin", CompressibleData(3 * 1024 * 1024 + 17)},
        {{}, "random.bin", RandomData(20000)},
        // Compressed as a whole with an incompressible stretch and a run inside.
        {{}, "mixed.bin", CompressibleData(150000) + RandomData(30000) + std::string(3000, 'z')},
        {{"\x82\xA0"}, "\x82\xA2\x82\xA4.txt", CompressibleData(3000) + "x"},  // あ\いう.txt
        {{"\x83\x5C"}, "\x95\x5C\x8F\x5C.txt", CompressibleData(2000) + "y"},  // ソ\表十.txt
    };
    return members;
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "zavo-interop-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Compressed on three threads: big.bin spans several segments.
fs::path WriteArchiveFile(const fs::path& dir, const std::string& methodId, int level) {
    const std::vector<std::uint8_t> bytes = lzh_test::WriteArchive(Members(), level, methodId.c_str(), 3);
    fs::path file = dir / ("test-" + methodId.substr(1, 3) + "-h" + std::to_string(level) + ".lzh");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return file;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every content extracted once, and at its exact path where the tool keeps the name: both tools
// split names at every 0x5C byte, and 7zz converts them from an OEM code page (`asciiOnly`).
void CheckExtracted(const fs::path& out, bool asciiOnly) {
    std::multiset<std::string> extracted;
    for (const auto& f : fs::recursive_directory_iterator(out))
        if (f.is_regular_file()) extracted.insert(ReadFile(f.path()));
    EXPECT_TRUE(fs::is_directory(out / "dir" / "sub"));
    for (const lzh_test::TestMember& m : Members()) {
        if (m.directory) continue;
        SCOPED_TRACE(m.name);
        EXPECT_EQ(extracted.count(m.content), 1u) << "content not extracted exactly once";
        fs::path expected = out;
        for (const std::string& part : m.folders) expected /= part;
        expected /= m.name;
        const std::string bytes = expected.string();
        if (std::any_of(bytes.begin(), bytes.end(), [&](char c) { return asciiOnly ? (c & 0x80) != 0 : c == '\x5C'; })) continue;
        EXPECT_TRUE(fs::exists(expected) && ReadFile(expected) == m.content) << expected;
    }
}

class Interop : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(Interop, ToolsTestAndExtractOurArchivesByteIdentically) {
    const auto [method, level] = GetParam();
    TempDir temp;
    const fs::path archive = WriteArchiveFile(temp.path(), method, level);
    if (ToolInstalled("lhasa")) {
        EXPECT_EQ(RunQuietly("lhasa t '" + archive.string() + "'"), 0) << "lhasa test";
        const fs::path out = temp.path() / "lhasa";
        fs::create_directories(out);
        EXPECT_EQ(RunQuietly("cd '" + out.string() + "' && lhasa x '" + archive.string() + "'"), 0);
        CheckExtracted(out, false);
    }
    if (ToolInstalled("7zz")) {
        EXPECT_EQ(RunQuietly("7zz t '" + archive.string() + "'"), 0) << "7zz test";
        const fs::path out = temp.path() / "7zz";
        EXPECT_EQ(RunQuietly("7zz x -y '-o" + out.string() + "' '" + archive.string() + "'"), 0);
        CheckExtracted(out, true);
    }
    if (!ToolInstalled("lhasa") && !ToolInstalled("7zz")) GTEST_SKIP() << "neither lhasa nor 7zz is installed";
}

// The encoder does not look at the header level, nor the header code at the method: each method
// once, each level with compressed members.
INSTANTIATE_TEST_SUITE_P(MethodsAndLevels, Interop,
                         ::testing::Values(std::make_tuple("-lh0-", 1), std::make_tuple("-lh5-", 0), std::make_tuple("-lh6-", 1),
                                           std::make_tuple("-lh7-", 2)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)).substr(1, 3) + "_level" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
