// Headers written by ArchiveWriter read back by ArchiveReader at levels 0, 1 and 2.
#include <gtest/gtest.h>

#include "codec/archive.h"
#include "codec/header_build.h"
#include "codec/header_parse.h"
#include "tests/codec/format_test_util.h"

namespace {

using lzh_test::ReadArchive;
using lzh_test::TestMember;
using lzh_test::WriteArchive;

// Shift_JIS names whose second byte is 0x5C: a byte-wise splitter would cut them apart.
const std::string kHyou = "\x95\x5C";        // 表
const std::string kSo = "\x83\x5C";          // ソ
const std::string kJuu = "\x8F\x5C";         // 十
const std::string kPo = "\x83\x7C";          // ポ: its trail byte is no "|"

// By header level; members under 100 bytes stay stored, the larger one is compressed. The header
// code never looks at the method, so one method that compresses is enough. Members copied unchanged
// into a new archive keep their bytes.
class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, PathsSizesAndContentSurviveAndCopiesKeepTheirBytes) {
    const int level = GetParam();
    const std::vector<TestMember> members = {
        {{}, "plain.txt", "hello, world\n"},
        {{"docs"}, "", "", true},
        {{"docs", kHyou + "a"}, kSo + "file" + kJuu, "shift_jis content"},
        {{"docs"}, "empty.bin", ""},
        {{kHyou}, kHyou + kPo, std::string(1000, 'x')},
    };
    const std::vector<std::uint8_t> archive = WriteArchive(members, level, "-lh5-");
    lzh_test::ReadBack back = ReadArchive(archive);
    ASSERT_EQ(back.final, lzh::ReadStatus::End) << back.error;
    ASSERT_EQ(back.entries.size(), members.size());
    lzh::MemorySource source(archive);
    lzh::ArchiveReader reader(source);
    lzh::MemorySink copy;
    lzh::ArchiveWriter writer(copy);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const lzh::Entry& e = back.entries[i];
        SCOPED_TRACE("member " + std::to_string(i));
        EXPECT_EQ(e.level, level);
        EXPECT_EQ(e.folders, members[i].folders);
        EXPECT_EQ(e.isDirectory, members[i].directory);
        EXPECT_EQ(e.name, members[i].directory ? "" : members[i].name);
        EXPECT_EQ(back.contents[i], members[i].content);
        EXPECT_EQ(e.methodId, members[i].directory ? "-lhd-" : members[i].content.size() < 100 ? "-lh0-" : "-lh5-");
        EXPECT_FALSE(e.absolute);
        EXPECT_TRUE(level == 2 ? e.hasHeaderCrc && e.unixTime == 1735731234 : e.dosTime == 0x5A215C3Bu);
        EXPECT_EQ(writer.CopyMember(reader, e).status, lzh::WriteStatus::Ok);
    }
    writer.Finish();
    EXPECT_TRUE(copy.Bytes() == archive);
}

INSTANTIATE_TEST_SUITE_P(Levels, RoundTrip, ::testing::Values(0, 1, 2));

// Names too long for levels 0 and 1 are refused, never cut; so are names a reader would split or
// misread. A refused member leaves no bytes behind.
TEST(HeaderLimits, NamesAreStoredWholeOrRefused) {
    struct Case {
        int level;
        std::vector<std::string> folders;
        std::string name;
        bool fits;
    };
    std::vector<Case> cases = {
        {0, {}, std::string(221, 'n'), true},
        {0, {}, std::string(222, 'n'), false},
        {0, {"abc"}, std::string(217, 'n'), true},       // "abc\" + 217 = 221
        {0, {"abc"}, std::string(218, 'n'), false},
        {1, {}, std::string(230, 'n'), true},
        {1, {}, std::string(231, 'n'), false},
        {1, {std::string(300, 'd')}, "n", true},   // folders live in an extended header
    };
    // One of each refusal: empty, separator (the set is entry_path_test's), control character, link
    // bar, a lead byte cut off, a lead byte before a separator.
    for (const char* bad : {"", "a\\b", "tab\there", "link|target", "a\x95", "lead then \x83/"}) cases.push_back({2, {}, bad, false});
    const std::vector<std::uint8_t> data = {1, 2, 3};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + ", name of " + std::to_string(c.name.size()) + " bytes");
        lzh::MemorySink sink;
        lzh::NewEntry entry;
        entry.folders = c.folders;
        entry.name = c.name;
        lzh::MemorySource source(data);
        lzh::WriteResult r = lzh::ArchiveWriter(sink, {c.level}).AddFile(entry, source, lzh::FindMethod("-lh0-"));
        EXPECT_EQ(r.status, c.fits ? lzh::WriteStatus::Ok : lzh::WriteStatus::InvalidName) << r.detail;
        EXPECT_EQ(sink.Bytes().empty(), !c.fits);
        if (c.fits) {
            EXPECT_EQ(ReadArchive(sink.Bytes()).entries.at(0).name, c.name);
        }
    }
}

// Refuses every write once `budget` bytes were taken: a full disk.
struct FullDiskSink : lzh::MemorySink {
    explicit FullDiskSink(std::size_t bytes) : budget(bytes) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        if (size > budget) return false;
        budget -= size;
        return MemorySink::Write(data, size);
    }
    std::size_t budget;
};

// Claims more bytes than it delivers: a file that shrank while being added.
struct ShrunkSource : lzh::MemorySource {
    using MemorySource::MemorySource;
    std::uint64_t Size() const override { return MemorySource::Size() + 100; }
};

TEST(WriterFailures, AreReportedWithTheirCause) {
    const std::vector<std::uint8_t> data(50000, 'd');
    lzh::NewEntry entry;
    entry.name = "f";
    for (const char* method : {"-lh0-", "-lh5-"}) {
        SCOPED_TRACE(method);
        for (std::size_t budget : {std::size_t{10}, std::size_t{100}}) {
            FullDiskSink sink(budget);
            lzh::MemorySource source(data);
            EXPECT_EQ(lzh::ArchiveWriter(sink).AddFile(entry, source, lzh::FindMethod(method)).status, lzh::WriteStatus::WriteFailed) << budget;
        }
        lzh::MemorySink sink;
        ShrunkSource shrunk(data);
        EXPECT_EQ(lzh::ArchiveWriter(sink).AddFile(entry, shrunk, lzh::FindMethod(method)).status, lzh::WriteStatus::ReadFailed);
    }
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    EXPECT_EQ(writer.Finish().status, lzh::WriteStatus::Ok);
    EXPECT_EQ(writer.Finish().status, lzh::WriteStatus::Finished);
    entry.folders = {"d"};
    EXPECT_EQ(writer.AddDirectory(entry).status, lzh::WriteStatus::Finished);
}

// Builds `h` and parses it back.
lzh::Entry BuiltAndParsed(const lzh::HeaderToBuild& h) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(lzh::BuildHeader(h, bytes).status, lzh::HeaderBuildStatus::Ok);
    lzh::Entry e;
    EXPECT_EQ(lzh::ParseHeader(bytes.data(), bytes.size(), e).status, lzh::HeaderParseStatus::Ok);
    return e;
}

// Sizes of 4 GiB and more go to ext 0x42, which levels 0 and 1 do not have; the three Windows
// times differ, so that their order in ext 0x41 counts.
TEST(HeaderFields, SizesOf4GiBAndMoreAndWindowsTimesSurviveLevel2) {
    lzh::HeaderToBuild h;
    h.methodId = "-lh7-";
    h.entry.name = "huge.img";
    h.entry.hasWindowsTimes = true;
    h.entry.windowsTimes = {133340296371842879u, 133340296371842880u, 133340309375721525u};
    h.originalSize = 5ull << 30;
    h.packedSize = (4ull << 30) + 12345;
    h.crc = 0xBEEF;
    const lzh::Entry e = BuiltAndParsed(h);
    EXPECT_EQ(std::make_tuple(e.originalSize, e.packedSize, e.crc, e.hasWindowsTimes, e.windowsTimes.creation, e.windowsTimes.lastWrite,
                              e.windowsTimes.lastAccess),
              std::make_tuple(h.originalSize, h.packedSize, 0xBEEF, true, 133340296371842879u, 133340296371842880u, 133340309375721525u));
    for (int level : {0, 1}) {
        h.level = level;
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(lzh::BuildHeader(h, bytes).status, lzh::HeaderBuildStatus::TooLarge) << level;
    }
}

// Exact names beside their code page fallbacks, in two folders so that the separator between them
// counts. Refused where a level-0 header has no room for them, for a name the writer must never
// store and for folders that do not pair with the fallback's: never stored under the fallback alone.
TEST(HeaderFields, ExactNamesSurviveLevels1And2OrAreRefused) {
    lzh::HeaderToBuild h;
    h.methodId = "-lh0-";
    h.entry.folders = {"\x93\xFA\x96\x7B", "caf_"};   // 日本, caf_
    h.entry.name = "_.txt";
    h.entry.hasUnicodeName = h.entry.hasUnicodeFolders = true;
    h.entry.unicodeName = u"😀.txt";
    h.entry.unicodeFolders = {u"日本", u"café"};
    for (int level : {1, 2}) {
        h.level = level;
        const lzh::Entry e = BuiltAndParsed(h);
        EXPECT_TRUE(e.folders == h.entry.folders && e.name == h.entry.name && e.unicodeName == h.entry.unicodeName &&
                    e.unicodeFolders == h.entry.unicodeFolders) << level;
    }
    const struct {
        int level;
        std::u16string name;
        std::vector<std::u16string> folders;
    } refused[] = {{0, u"😀.txt", {u"日本", u"café"}}, {2, u"a\\b", {u"日本", u"café"}}, {2, u"x", {u"日本"}}};
    for (const auto& c : refused) {
        h.level = c.level;
        h.entry.unicodeName = c.name;
        h.entry.unicodeFolders = c.folders;
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(lzh::BuildHeader(h, bytes).status, lzh::HeaderBuildStatus::InvalidName);
        EXPECT_TRUE(bytes.empty());
    }
}

// Long runs are folded 64 and 16 bytes at a time before the tables take the rest: lengths at each
// of those steps, from a fresh and from a running value, against the CRC worked out bit by bit.
TEST(Crc16, LongRunsAgreeWithTheBitRule) {
    std::vector<std::uint8_t> data(5003);
    std::uint32_t seed = 1;
    for (std::uint8_t& b : data) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(seed >> 24);
    }
    auto bitByBit = [](std::uint16_t crc, const std::uint8_t* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            crc ^= p[i];
            for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
        }
        return crc;
    };
    for (std::size_t size : {255, 256, 257, 319, 320, 335, 336, 5000})
        for (std::uint16_t start : {0x0000, 0xBEEF})
            for (std::size_t offset : {0, 3})
                EXPECT_EQ(lzh::UpdateCrc16(start, data.data() + offset, size), bitByBit(start, data.data() + offset, size))
                    << size << " bytes from " << start << " at offset " << offset;
}

}  // namespace
