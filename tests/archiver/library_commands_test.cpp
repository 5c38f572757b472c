// Every command and switch of UNLHA32.DLL on real folders, through its two exports: a tree with
// files of every kind, empty folders and 0x5C trail bytes goes in and comes back whole.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

const std::string kHyo = "\x95\x5C";     // 表: its second byte is 0x5C
const std::string kSo = "\x83\x5C";      // ソ

// Files of every kind, an empty folder and below sub\ a nested empty folder whose
// name ends in 0x5C. Folder stamps at even seconds (MS-DOS stamps keep them), set last, as
// files change their folder's time.
struct SampleTree {
    explicit SampleTree(const Scratch& s) : root(s / "src\\") {
        for (const auto& f : files) WriteBytes(root + f.first, f.second);
        for (const auto& stamp : stamps) CreateDirectoryA((root + stamp.first).c_str(), nullptr);
        for (const auto& stamp : stamps) SetWriteTime(root + stamp.first, stamp.second);
    }
    std::string root;
    std::vector<std::pair<std::string, std::string>> files = {
        {"a.txt", TextData(5000, 1)},          {"README", TextData(300, 2)},
        {"empty.dat", ""},                     {"big.bin", TextData(3 * 1024 * 1024 + 5, 3)},
        {"sub\\nested.txt", TextData(2000, 4)}, {"sub\\deeper\\deep.txt", TextData(100, 5)},
        {kSo + "\\" + kHyo + ".txt", TextData(700, 6)},
    };
    std::vector<std::pair<std::string, std::int64_t>> stamps = {
        {"empty", 1600000000}, {"sub", 1600000100}, {"sub\\inner", 1600000200}, {"sub\\inner\\" + kHyo, 1600000300}};
};

TEST(LibraryCommands, ATreeComesBackWholeWithEveryMethodAndHeaderLevel) {
    // -t: members queued ahead for one and for five compressing threads; e -x1 makes folders as x does.
    const struct { const char *switches, *method, *extract; } cases[] = {{"-h0", "-lh5-", "x"}, {"-h1 -o6 -t1", "-lh6-", "e -x1"}, {"-h2 -o7 -t5", "-lh7-", "x"}, {"-z", "-lh0-", "x"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        Scratch s;
        SampleTree tree(s);
        const std::string archive = s / "t.lzh";
        Outcome add = Unlha(std::string("a -r1 -x1 -n ") + c.switches + " " + Quoted(archive) + " " + Quoted(tree.root) + " \"*.*\"");
        EXPECT_EQ(Missing(add, 0, {"folder   sub\\inner\\" + kHyo + "\\\n", "7 added, 0 replaced, 0 skipped, 0 deleted; 7 entries in"}), "");

        // Folders listed with a final '\' and -lhd-, counted apart from the files.
        Outcome list = Unlha("v -n " + Quoted(archive));
        EXPECT_EQ(CountLines(list.text, "-lhd-"), 6u) << list.text;
        EXPECT_EQ(Missing(list, 0, {" empty\\\n", " sub\\inner\\" + kHyo + "\\\n", " sub\\deeper\\deep.txt\n",
                                    " " + kSo + "\\" + kHyo + ".txt\n", c.method, "-lh0-  ", " 7 entries\n"}), "");

        const std::string out = s / "out\\new\\";   // a base folder that does not exist yet
        Outcome x = Unlha(std::string(c.extract) + " -n " + Quoted(archive) + " " + Quoted(out));
        EXPECT_EQ(Missing(x, 0, {"7 extracted, 0 replaced, 0 skipped, 0 refused, 0 failed"}), "");
        EXPECT_EQ(Tree(out), Tree(tree.root));
        for (const auto& f : tree.files) EXPECT_EQ(ReadBytes(out + f.first), f.second) << f.first;
        // Times come back to two seconds at every level; folders are stamped after their files.
        EXPECT_LE(std::llabs(WriteTimeOf(out + "a.txt") - WriteTimeOf(tree.root + "a.txt")), 2);
        for (const auto& stamp : tree.stamps)
            EXPECT_LE(std::llabs(WriteTimeOf(out + stamp.first) - stamp.second), 2) << stamp.first;
        // e alone drops every folder, the empty ones too.
        EXPECT_EQ(Unlha("e -n " + Quoted(archive) + " " + Quoted(s / "flat\\")).code, 0);
        EXPECT_EQ(Tree(s / "flat\\"),
                  (std::vector<std::string>{"README", "a.txt", "big.bin", "deep.txt", "empty.dat", "nested.txt", kHyo + ".txt"}));
    }
}

TEST(LibraryCommands, WhatIsStoredFollowsTheNamesAndSwitches) {
    Scratch s;
    SampleTree tree(s);
    const struct {
        std::string switchesAndNames;
        std::vector<std::string> listed, absent;   // in the v listing, or not
        std::size_t folders;
    } cases[] = {
        // -r1 without -x1 stores names only, and no folder entries.
        {"-r1 " + Quoted(tree.root) + " \"*.txt\"", {" deep.txt\n", " 4 entries\n"}, {"sub\\", "README"}, 0},
        // A folder's plain name adds its tree; a name with a drive ignores the base folder and is
        // stored without drive and root; a name with a folder part keeps it with -x1.
        {"-x1 " + Quoted(tree.root) + " sub " + Quoted(tree.root + "a.txt") + " sub\\deeper\\*.txt",
         {" sub\\nested.txt\n", " sub\\deeper\\deep.txt\n", "src\\a.txt\n", " 3 entries\n"}, {" M Z:", " M \\"}, 4},
        // Only that tree, also when -r1 first searched the whole base folder for a file of that name.
        {"-r1 -x1 " + Quoted(tree.root) + " sub", {" sub\\\n", " sub\\inner\\\n", " 2 entries\n"}, {"empty\\", "a.txt"}, 4},
        // A tree of empty folders alone is something to archive.
        {"-x1 " + Quoted(tree.root) + " sub\\inner", {" sub\\inner\\" + kHyo + "\\\n"}, {".txt"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switchesAndNames);
        const std::string archive = s / "t.lzh";
        DeleteFileA(archive.c_str());
        ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + c.switchesAndNames).code, 0);
        Outcome list = Unlha("v -n " + Quoted(archive));
        EXPECT_EQ(Missing(list, 0, c.listed, c.absent), "");
        EXPECT_EQ(CountLines(list.text, "-lhd-"), c.folders) << list.text;
    }
}

TEST(LibraryCommands, AllAttributesAddsHiddenFilesAndFoldersAndRestoresAttributes) {
    Scratch s;
    const std::string src = s / "src\\";
    const struct { const char* name; DWORD attribute; } cases[] = {{"hidden.txt", FILE_ATTRIBUTE_HIDDEN}, {"a.txt", FILE_ATTRIBUTE_READONLY}, {"secret", FILE_ATTRIBUTE_HIDDEN}};
    WriteBytes(src + "hidden.txt", "secret");
    WriteBytes(src + "a.txt", "read-only");
    CreateDirectoryA((src + "secret").c_str(), nullptr);
    for (const auto& c : cases) SetFileAttributesA((src + c.name).c_str(), c.attribute);
    if (!(GetFileAttributesA((src + "secret").c_str()) & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "no hidden folders here";
    EXPECT_EQ(Missing(Unlha("a -r1 -x1 -n " + Quoted(s / "plain.lzh") + " " + Quoted(src)), 0, {"1 added"}, {"hidden", "secret"}), "");
    ASSERT_EQ(Unlha("a -r1 -x1 -a1 -n " + Quoted(s / "all.lzh") + " " + Quoted(src)).code, 0);
    ASSERT_EQ(Unlha("x -n " + Quoted(s / "all.lzh") + " " + Quoted(s / "plain\\")).code, 0);
    ASSERT_EQ(Unlha("x -a1 -n " + Quoted(s / "all.lzh") + " " + Quoted(s / "restored\\")).code, 0);
    for (const auto& c : cases) {
        const DWORD restored = GetFileAttributesA((s / "restored\\" + c.name).c_str());
        const DWORD plain = GetFileAttributesA((s / "plain\\" + c.name).c_str());
        EXPECT_TRUE(restored != INVALID_FILE_ATTRIBUTES && (restored & c.attribute)) << c.name;
        EXPECT_TRUE(plain != INVALID_FILE_ATTRIBUTES && !(plain & c.attribute)) << c.name;
    }
}

TEST(LibraryCommands, ExistingFilesAreSkippedUnlessReplacingIsAsked) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", "archived");
    SetWriteTime(s / "src\\a.txt", 1700000000);
    const std::string archive = s / "a.lzh", out = s / "out\\";
    ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + Quoted(s / "src\\")).code, 0);
    const struct { const char* switches; std::int64_t existingTime; const char *expectedContent, *expectedLine; } cases[] = {
        {"", 1600000000, "old", "skipped  a.txt (the file exists; -jyo replaces it)"},
        {"-jyo", 1800000000, "old", "skipped  a.txt (the file is not older; -c replaces it)"},
        {"-jyo", 1600000000, "archived", "replaced a.txt"},
        {"-jyo -c", 1800000000, "archived", "replaced a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        WriteBytes(out + "a.txt", "old");
        SetWriteTime(out + "a.txt", c.existingTime);
        EXPECT_EQ(Missing(Unlha(std::string("e -n ") + c.switches + " " + Quoted(archive) + " " + Quoted(out)), 0, {c.expectedLine}), "");
        EXPECT_EQ(ReadBytes(out + "a.txt"), c.expectedContent);
    }
}

TEST(LibraryCommands, DeleteRemovesSelectedEntriesAndTheArchiveWithTheLast) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "d.lzh";
    ASSERT_EQ(Unlha("a -r1 -x1 -n " + Quoted(archive) + " " + Quoted(tree.root)).code, 0);
    EXPECT_EQ(Missing(Unlha("d -n " + Quoted(archive) + " \"\" \"*.txt\""), 0, {"4 deleted; 3 entries in"}), "");
    EXPECT_EQ(Missing(Unlha("l -n " + Quoted(archive)), 0, {" 3 entries\n"}), "");
    EXPECT_EQ(Unlha("d -n " + Quoted(archive) + " \"\" nothing.here").code, 6);
    ASSERT_EQ(Unlha("d -n " + Quoted(archive) + " \"\" README big.bin empty.dat").code, 0);
    EXPECT_TRUE(Exists(archive)) << "its folder entries are still in it";
    ASSERT_EQ(Unlha("d -n " + Quoted(archive) + " \"\" \"*.*\"").code, 0);
    EXPECT_FALSE(Exists(archive));
}

TEST(LibraryCommands, SfxIsMadeOnlyFromAnArchiveThatTestsClean) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", TextData(5000, 1));
    WriteBytes(s / "src\\" + kHyo + ".txt", TextData(5000, 2));
    const std::string archive = s / "t.lzh", out = s / "made\\";
    ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + Quoted(s / "src\\")).code, 0);
    // 表.txt is the last member: a byte of its data, well before the end marker.
    std::string bytes = ReadBytes(archive);
    bytes[bytes.size() - 40] ^= 0x10;
    WriteBytes(archive, bytes);
    EXPECT_EQ(Missing(Unlha("s -n " + Quoted(archive) + " " + Quoted(out)), 3, {"damaged  " + kHyo + ".txt"}), "");
    EXPECT_EQ(Tree(out), std::vector<std::string>{});
}

}  // namespace
}  // namespace unlha_test
