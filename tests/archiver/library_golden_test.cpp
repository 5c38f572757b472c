// A folder of code page names gives the archive it always gave, byte for byte: the library's
// archives of a small tree with fixed times, against archives the library made before it knew
// names beyond the code page (tests/archiver/golden/).
#include <gtest/gtest.h>

#include "codec/header_bytes.h"
#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

const std::string kGolden = "Z:" ZAVO_GOLDEN_DIR;

// The tree, with 0x5C trail bytes: 表\ソ.txt, 表\能.txt, a.txt.
const std::pair<const char*, std::string> kFiles[] = {
    {"\x95\x5C\\\x83\x5C.txt", std::string(3000, 'x') + "\x95\x5C\x83\x5C\x94\x5C"},
    {"\x95\x5C\\\x94\x5C.txt", "no"},
    {"a.txt", ""},
};

// Sets every stamp of `path` to `stamp`: level 1 keeps it as a local MS-DOS time, level 2 as UTC.
void Stamp(const std::string& path, const FILETIME& stamp) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    SetFileTime(h, &stamp, &stamp, &stamp);
    CloseHandle(h);
}

// Level 2's ext 0x41 also holds the creation and last-access times, which the system may not
// let a test set (creation) or renews when the tree is read (access): those 16 bytes, and the
// header CRC over them, are zeroed on both sides.
std::string WithoutUnsettableTimes(std::string archive) {
    for (std::size_t at = 0; at + 26 <= archive.size() && archive[at] != 0;) {
        const auto* h = reinterpret_cast<std::uint8_t*>(&archive[at]);
        const std::size_t size = lzh::LoadLe16(h), packed = lzh::LoadLe32(h + 7);
        for (std::size_t pos = 26, ext = lzh::LoadLe16(h + 24); ext != 0 && pos + ext <= size; pos += ext, ext = lzh::LoadLe16(h + pos - 2)) {
            if (h[pos] == 0x00) archive.replace(at + pos + 1, 2, 2, '\0');
            if (h[pos] == 0x41) archive.replace(at + pos + 1, 8, 8, '\0'), archive.replace(at + pos + 17, 8, 8, '\0');
        }
        at += size + packed;
    }
    return archive;
}

TEST(LibraryGolden, CodePageNamesGiveTheArchiveTheyAlwaysGave) {
    Scratch s;
    for (const auto& file : kFiles) WriteBytes(s / "src\\" + file.first, file.second);
    SYSTEMTIME when = {2024, 3, 0, 15, 12, 34, 56, 0};
    FILETIME fixed, local;
    SystemTimeToFileTime(&when, &fixed);
    for (const char* level : {"1", "2"}) {
        SCOPED_TRACE(level);
        FILETIME stamp = fixed;
        if (level[0] == '1') local = fixed, LocalFileTimeToFileTime(&local, &stamp);
        for (const auto& file : kFiles) Stamp(s / "src\\" + file.first, stamp);
        Stamp(s / "src\\\x95\x5C", stamp);
        const std::string archive = s / (std::string("h") + level + ".lzh");
        Outcome add = Unlha(std::string("a -r1 -x1 -n -o5 -h") + level + " \"" + archive + "\" \"" + s / "src\\" + "\" *.*");
        ASSERT_EQ(add.code, 0) << add.text;
        const std::string golden = ReadBytes(kGolden + "codepage-h" + level + ".lzh");
        ASSERT_FALSE(golden.empty());
        const std::string made = ReadBytes(archive);
        if (level[0] == '1') EXPECT_TRUE(made == golden);
        else EXPECT_TRUE(WithoutUnsettableTimes(made) == WithoutUnsettableTimes(golden));
        EXPECT_EQ(Unlha("t -n \"" + archive + "\"").code, 0);   // and its header CRCs hold
    }
}

}  // namespace
}  // namespace unlha_test
