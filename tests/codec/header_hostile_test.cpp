// Hostile member headers, each built here: a clear error (or a truncated extract), never a crash
// or an allocation sized by the archive. Row ids refer to our hostile-input catalogue.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "codec/crc16.h"
#include "codec/header_bytes.h"
#include "codec/header_layout.h"
#include "tests/codec/format_test_util.h"

namespace {

using Archive = std::vector<std::uint8_t>;
using lzh::StoreLe16;
using lzh::StoreLe32;
using lzh_test::Bytes;
namespace hdr = lzh::hdr;
namespace ext = lzh::ext;

// Our level-2 writer's layout: the CRC extension right after the fixed part, the name's next.
constexpr std::size_t kCrcPayloadAt = hdr::kLevel2FixedSize + 1;
constexpr std::size_t kNameExtAt = hdr::kLevel2FixedSize + ext::kFramingSize + ext::kHeaderCrcSize;

Archive OneMember(int level, const std::string& name = "a.txt") {
    return lzh_test::WriteArchive({{{}, name, "hello hello hello hello"}}, level, "-lh0-");
}

// Recomputes the header CRC over the header's first `size` bytes (our writer puts ext 0x00 first)
// and the level-0/1 checksum, so that a mutation reaches the guard behind them.
void Reseal(Archive& a, int level, std::size_t size) {
    const std::size_t base = level == 2 ? 0 : a[0] + std::size_t{2}, crcAt = level == 2 ? kCrcPayloadAt : base + 1;
    if (level >= 1) {
        lzh::StoreLe16(&a[crcAt], 0);
        lzh::StoreLe16(&a[crcAt], lzh::Crc16(a.data(), std::min(size, a.size())));
    }
    unsigned sum = 0;
    for (std::size_t i = 2; i < base && i < a.size(); ++i) sum += a[i];
    if (level <= 1) a[1] = static_cast<std::uint8_t>(sum);
}

// A level-3 header: the fixed part, an ext 0x01 name with the next size 0, the end marker; no data.
Archive Level3(std::uint32_t declaredSize, std::uint32_t firstExtSize) {
    Archive a(hdr::kLevel3FixedSize + 7, 0);
    lzh::StoreLe16(&a[hdr::kSizeAt], 4);
    std::memcpy(&a[hdr::kMethodAt], "-lh0-", hdr::kMethodSize);
    a[hdr::kAttributeAt] = 0x20;
    a[hdr::kLevelAt] = 3;
    a[hdr::kOsIdAt] = '2';
    lzh::StoreLe32(&a[hdr::kLevel3HeaderSizeAt], declaredSize);
    lzh::StoreLe32(&a[hdr::kLevel3FirstExtSizeAt], firstExtSize);
    a[hdr::kLevel3FixedSize] = ext::kName;
    a[hdr::kLevel3FixedSize + 1] = 'x';
    return a;
}

// Where the verdict comes: the header walk, the extraction of the member, or neither.
enum class Expect { HeaderError, ExtractFails, Reads };
constexpr Expect kHeader = Expect::HeaderError, kData = Expect::ExtractFails, kReads = Expect::Reads;

struct HostileCase {
    const char* row;
    std::function<Archive()> build;
    Expect expect;
    const char* why;   // in the error text: the guard that caught it
};

std::vector<HostileCase> Cases() {
    auto mutated = [](int level, std::function<void(Archive&)> change, bool reseal = true) {
        return [=]() {
            Archive a = OneMember(level);
            const std::size_t size = lzh_test::ReadArchive(a).entries[0].headerSize;
            change(a);
            if (reseal) Reseal(a, level, size);
            return a;
        };
    };
    return {
        {"H4 header size below the fixed part", mutated(1, [](Archive& a) { a[hdr::kSizeAt] = 20; }), kHeader, "below the fixed part"},
        {"H8 level-0 name length past the header", mutated(0, [](Archive& a) { a[hdr::kNameLengthAt] = 200; }), kHeader, "exceeds the header"},
        {"H8 level-1 name length past the header", mutated(1, [](Archive& a) { a[hdr::kNameLengthAt] = 250; }), kHeader, "exceeds the header"},
        {"H5 extended header below its own fields", mutated(2, [](Archive& a) { StoreLe16(&a[hdr::kLevel2FirstExtSizeAt], 2); }), kHeader, "its own fields"},
        {"H2 level-1 skip size below its extended headers", mutated(1, [](Archive& a) { StoreLe32(&a[hdr::kPackedSizeAt], 1); }), kHeader, "size field"},
        {"H12 level-2 header size past the file", mutated(2, [](Archive& a) { StoreLe16(&a[hdr::kSizeAt], 0xFFF0); }, false), kHeader, "inside the member header"},
        {"H1 level-3 header size below the fixed part", [] { return Level3(20, 6); }, kHeader, "below the fixed part"},
        {"H1 level-3 header size of 4 GiB", [] { return Level3(0xFFFFFFF0u, 6); }, kHeader, "1 MiB limit"},
        {"H1 level-3 extended header past the header", [] { return Level3(38, 0x10000); }, kHeader, "end of the header"},
        // The stored CRC itself; the base checksum stays right.
        {"E2 level-1 header CRC tampered in an extended header", mutated(1, [](Archive& a) { a[a[0] + 3] ^= 1; }, false), kHeader, "header CRC mismatch"},
        // The 5-byte name extension retyped.
        {"extended header 0x41 too short for its times", mutated(2, [](Archive& a) { a[kNameExtAt] = ext::kWindowsTimes; }), kHeader, "0x41 is too short"},
        {"extended header 0x44 of odd length", mutated(2, [](Archive& a) { a[kNameExtAt] = ext::kUnicodeName; }), kHeader, "0x44 has an odd length"},
        {"extended header 0x45 longer than the header allows", mutated(2, [](Archive& a) {
             a[kNameExtAt] = ext::kUnicodeFolders;
             StoreLe16(&a[kNameExtAt - 2], 0x7000);  // its own size, announced by the header before it
         }), kHeader, "end of the header"},
        {"unknown header level", mutated(0, [](Archive& a) { a[hdr::kLevelAt] = 7; }), kHeader, "no member header found"},
        {"H2 H10 sizes near UINT32_MAX, far past the end of file", mutated(2, [](Archive& a) {
             StoreLe32(&a[hdr::kPackedSizeAt], 0xFFFFFFFFu);
             StoreLe32(&a[hdr::kOriginalSizeAt], 0xFFFFFFFFu);
         }), kData, "ends early"},
        {"stored data altered after the header", mutated(2, [](Archive& a) { a[a.size() - 3] ^= 0x40; }, false), kData, "CRC-16 of the data"},
        {"E3 -lh5- member cut short", [] {
             Archive a = lzh_test::WriteArchive({{{}, "t", std::string(5000, 'a') + std::string(5000, 'b')}}, 2, "-lh5-");
             a.resize(a.size() - 8);
             return a;
         }, kData, "ends early"},
        {"H3 a 60000-byte name in extended header 0x01", [] { return OneMember(2, std::string(60000, 'n')); }, kReads, ""},
        {"H9 separators and a lone lead byte in a level-0 name", mutated(0, [](Archive& a) {
             a[hdr::kNameAt] = 0xFF;
             a[hdr::kNameAt + 4] = 0x95;  // "\xFF.t\x95t"
         }), kReads, ""},
        {"level-1 chain of 100000 empty extended headers", [] {
             lzh_test::RawHeader h;
             h.level = 1;
             h.exts.assign(100000, {0x7E, ""});
             return lzh_test::RawArchive({h});
         }, kReads, ""},
        {"E4 level-2 header of 256 bytes without its padding byte", [] {
             Archive a = OneMember(2, std::string(217, 'p'));
             a.erase(a.begin() + 256);
             StoreLe16(&a[hdr::kSizeAt], 256);
             Reseal(a, 2, 256);
             return a;
         }, kReads, ""},
    };
}

TEST(HostileHeaders, EachGetsAClearErrorAndNoCrash) {
    for (const HostileCase& c : Cases()) {
        SCOPED_TRACE(c.row);
        const Archive archive = c.build();
        lzh::MemorySource source(archive);
        lzh::ArchiveReader reader(source);
        lzh::Entry entry;
        lzh::ReadStatus first = reader.Next(entry);
        if (c.expect == Expect::HeaderError) {
            EXPECT_EQ(first, lzh::ReadStatus::Error);
            EXPECT_NE(reader.ErrorText().find(c.why), std::string::npos) << reader.ErrorText();
            EXPECT_EQ(reader.Next(entry), lzh::ReadStatus::Error) << "the walk must stay stopped";
            continue;
        }
        ASSERT_EQ(first, lzh::ReadStatus::Entry) << reader.ErrorText();
        lzh::MemorySink out;
        lzh::ExtractResult r = reader.Extract(entry, out);
        if (c.expect == Expect::ExtractFails) {
            EXPECT_NE(r.status, lzh::ExtractStatus::Ok);
            EXPECT_NE(r.detail.find(c.why), std::string::npos) << r.detail;
        } else {
            EXPECT_EQ(r.status, lzh::ExtractStatus::Ok) << r.detail;
        }
        EXPECT_LE(out.Bytes().size(), 100000u);
    }
}

// Whole walks: the members before a broken header stay listed and extractable after the walk
// stopped, a broken header is never skipped as a stub, and stubs and trailing bytes are no members.
TEST(ArchiveWalk, ListsWhatIsSoundAndNamesWhatIsNot) {
    using lzh_test::WriteArchive;
    struct Case {
        const char* what;
        Archive archive;
        std::vector<std::string> names;
        std::string error;   // in the error text; empty: the walk ends cleanly
    };
    std::vector<Case> cases;
    Archive a = WriteArchive({{{}, "good.txt", "fine"}, {{}, "bad.txt", "broken"}}, 0, "-lh0-");
    a[a[0] + 2 + 4 + hdr::kNameAt] ^= 0x20;   // the second member's name
    cases.push_back({"a checksum that no longer matches", a, {"good.txt"}, "checksum"});
    a = WriteArchive({{{}, "first.txt", "one"}, {{}, "second.txt", "two"}}, 2, "-lh0-");
    a[hdr::kTimeAt] ^= 1;
    cases.push_back({"a broken first header, not a stub to skip", a, {}, "header CRC"});
    a = WriteArchive({{{}, "1.txt", "one"}, {{}, "2.txt", "two"}, {{}, "3.txt", "three"}}, 1, "-lh0-");
    const lzh_test::ReadBack intact = lzh_test::ReadArchive(a);
    a[intact.entries[1].headerOffset + hdr::kMethodAt] = 'X';
    cases.push_back({"a damaged middle header with members after it", a, {"1.txt"},
                     "another member follows at offset " + std::to_string(intact.entries[2].headerOffset)});
    a = WriteArchive({{{}, "odd.bin", "data"}, {{}, "next.txt", "more"}}, 2, "-lh0-");
    std::memcpy(&a[hdr::kMethodAt], "-zz9-", hdr::kMethodSize);
    Reseal(a, 2, lzh::LoadLe16(a.data()));
    cases.push_back({"an unknown method, reported per entry", a, {"odd.bin", "next.txt"}, ""});
    const Archive plain = WriteArchive({{{}, "x.txt", "payload"}}, 1, "-lh0-");
    // A stub with a fake header string and a bogus level byte, as some self-extractors carry.
    a = Bytes("MZ stub -lh5- text" + std::string(40, '\x01'));
    a.insert(a.end(), plain.begin(), plain.end());
    cases.push_back({"a self-extractor stub in front", a, {"x.txt"}, ""});
    a = plain;
    a.insert(a.end(), {'a', 'b', 'c'});
    cases.push_back({"bytes after the end marker", a, {"x.txt"}, ""});
    cases.push_back({"no archive at all", Archive(5000, 'j'), {}, "not an LZH archive"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lzh::MemorySource source(c.archive);
        lzh::ArchiveReader reader(source);
        std::vector<lzh::Entry> entries;
        lzh::Entry entry;
        lzh::ReadStatus last;
        while ((last = reader.Next(entry)) == lzh::ReadStatus::Entry) entries.push_back(entry);
        EXPECT_EQ(last, c.error.empty() ? lzh::ReadStatus::End : lzh::ReadStatus::Error);
        EXPECT_NE(reader.ErrorText().find(c.error), std::string::npos) << reader.ErrorText();
        ASSERT_EQ(entries.size(), c.names.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].name, c.names[i]);
            lzh::MemorySink out;
            lzh::ExtractResult r = reader.Extract(entries[i], out);
            const bool unknown = entries[i].methodId == "-zz9-";
            EXPECT_EQ(r.status, unknown ? lzh::ExtractStatus::UnsupportedMethod : lzh::ExtractStatus::Ok) << r.detail;
            if (unknown) {
                EXPECT_NE(r.detail.find("-zz9-"), std::string::npos) << r.detail;
            }
        }
    }
}

}  // namespace
