// Hostile archives from the shared table, through the entry writer that the self-extracting
// program shares: extraction refuses every path that could leave the base folder or act on a
// device, creates nothing for it, and still extracts the good entries; damaged entries.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"
#include "tests/support/hostile_archives.h"

namespace unlha_test {
namespace {

const std::string kGood = Level0Member("good.txt", "good");

// The table's rows, and folder entries (-lhd-), which pass the same checks as files.
std::vector<test_files::Hostile> Rows() {
    std::vector<test_files::Hostile> rows = test_files::HostileArchives();
    for (const std::string& folder : {"..\\", "\\evil\\", "\\\\host\\share\\", "NUL\\", "\x95\x5C\\..\\..\\up\\"})
        rows.push_back({"folder entry", Level0Member(folder, "", "-lhd-")});
    rows.push_back({"folder entry, ext 0x02 ..", Level2Member("..\xFF..\xFF" "evil\xFF", "", "", 0, "-lhd-")});
    // Exact names (ext 0x44, UTF-16LE) behind harmless code page names: é:s, é., and a file name
    // on a folder entry, which disagrees with it about folders.
    for (const std::string& exact : {std::string("\xE9\0:\0s\0", 6), std::string("\xE9\0.\0", 4)})
        rows.push_back({"exact name", Level2Member("", "e_s", "x", 0, "-lh0-", {'\x44' + exact})});
    rows.push_back({"exact name on a folder entry", Level2Member("e\xFF", "", "", 0, "-lhd-", {std::string("\x44x\0", 3)})});
    return rows;
}

TEST(LibrarySafety, HostilePathsAreRefusedAndNothingIsCreatedForThem) {
    for (const test_files::Hostile& h : Rows()) {
        for (const char* command : {"x", "e"}) {
            Scratch s;
            const std::string archive = s / "hostile.lzh";
            WriteBytes(archive, h.members + kGood + std::string(1, '\0'));
            const std::string out = s / "a\\b\\out\\";
            Outcome o = Unlha(std::string(command) + " -n -jyo \"" + archive + "\" \"" + out + "\"");
            SCOPED_TRACE(std::string(h.row) + " with " + command + "\n" + o.text);
            EXPECT_EQ(ReadBytes(out + "good.txt"), "good");
            // Outside the base folder nothing appeared; inside it only what was safe.
            EXPECT_EQ(Tree(s.Path()).size(), Tree(out).size() + 4) << "a\\, a\\b\\, a\\b\\out\\ and the archive only";
            // A refused link leaves its name free: what follows it is written inside, as a plain folder.
            for (const std::string& path : Tree(out)) EXPECT_TRUE(test_files::AllowedAfterHostile(path)) << path;
            // e drops the folders, but a hostile stored path is refused all the same; control bytes
            // never reach the output.
            EXPECT_EQ(Missing(o, 4, {"refused  "}, {"\x1B"}), "");
        }
    }
}

TEST(LibrarySafety, ADamagedEntryIsReportedAndTheOthersStillWork) {
    Scratch s;
    std::string bad = Level0Member("bad.txt", "damaged data");
    bad[bad.size() - 3] ^= 0x55;   // the data no longer matches its CRC
    const std::string archive = s / "damaged.lzh";
    WriteBytes(archive, Level0Member("first.txt", "one") + bad + Level0Member("last.txt", "three") + '\0');

    EXPECT_EQ(Missing(Unlha("t -n " + Quoted(archive)), 3, {"damaged  bad.txt: its data does not match its CRC: the archive is damaged (CRC-16",
                                                            "3 tested, 2 OK, 1 damaged"}), "");
    EXPECT_EQ(Missing(Unlha("l -n " + Quoted(archive)), 0, {" 3 entries"}), "");

    // A damaged entry never replaces a file, and no temporary file is left (as a new file: the
    // end-to-end DamagedArchive).
    const std::string out = s / "over\\";
    WriteBytes(out + "bad.txt", "kept");
    EXPECT_EQ(Unlha("e -n -jyo -c " + Quoted(archive) + " " + Quoted(out)).code, 3);
    EXPECT_EQ(ReadBytes(out + "first.txt") + ReadBytes(out + "last.txt") + ReadBytes(out + "bad.txt"), "onethreekept");
    EXPECT_EQ(Tree(out).size(), 3u);

    // A header broken after two good entries: those are still listed, the run fails.
    const std::string cut = s / "cut.lzh";
    std::string broken = Level0Member("broken.txt", "zzz");
    broken[1] ^= 0x01;   // header checksum
    WriteBytes(cut, Level0Member("one.txt", "1") + Level0Member("two.txt", "2") + broken + '\0');
    EXPECT_EQ(Missing(Unlha("l -n " + Quoted(cut)), 3, {" 2 entries", "damaged after entry 2"}), "");
}

}  // namespace
}  // namespace unlha_test
