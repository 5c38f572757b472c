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
    const struct {
        const char* switches;
        const char* method;
        const char* extract;   // e -x1 makes folders as x does
    } cases[] = {{"-h0", "-lh5-", "x"}, {"-h1 -o6", "-lh6-", "e -x1"}, {"-h2 -o7", "-lh7-", "x"}, {"-z", "-lh0-", "x"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        Scratch s;
        SampleTree tree(s);
        const std::string archive = s / "t.lzh";
        Outcome add = Unlha(std::string("a -r1 -x1 -n ") + c.switches + " " + Quoted(archive) + " " + Quoted(tree.root) + " \"*.*\"");
        ASSERT_EQ(add.code, 0) << add.text;
        EXPECT_EQ(CountLines(add.text, "added    "), 7u) << add.text;
        EXPECT_EQ(CountLines(add.text, "folder   "), 6u) << add.text;
        EXPECT_EQ(Missing(add, {"folder   sub\\inner\\" + kHyo + "\\\n", "7 added, 0 replaced, 0 skipped, 0 deleted; 7 entries in"}), "");

        // Folders listed with a final '\' and -lhd-, counted apart from the files.
        Outcome list = Unlha("v -n " + Quoted(archive));
        ASSERT_EQ(list.code, 0) << list.text;
        EXPECT_EQ(CountLines(list.text, "-lhd-"), 6u) << list.text;
        EXPECT_EQ(Missing(list, {" empty\\\n", " sub\\inner\\" + kHyo + "\\\n", " sub\\deeper\\deep.txt\n",
                                 " " + kSo + "\\" + kHyo + ".txt\n", c.method, "-lh0-  ", " 7 entries\n"}), "");

        const std::string out = s / "out\\new\\";   // a base folder that does not exist yet
        Outcome x = Unlha(std::string(c.extract) + " -n " + Quoted(archive) + " " + Quoted(out));
        ASSERT_EQ(x.code, 0) << x.text;
        EXPECT_EQ(CountLines(x.text, "folder   "), 6u) << x.text;
        EXPECT_EQ(Missing(x, {"7 extracted, 0 replaced, 0 skipped, 0 refused, 0 failed"}), "");
        EXPECT_EQ(Tree(out), Tree(tree.root));
        for (const auto& f : tree.files) EXPECT_EQ(ReadBytes(out + f.first), f.second) << f.first;
        // Times come back to two seconds at every level; folders are stamped after their files.
        EXPECT_LE(std::llabs(WriteTimeOf(out + "a.txt") - WriteTimeOf(tree.root + "a.txt")), 2);
        for (const auto& stamp : tree.stamps)
            EXPECT_LE(std::llabs(WriteTimeOf(out + stamp.first) - stamp.second), 2) << stamp.first;
    }
}

TEST(LibraryCommands, WhatIsStoredFollowsTheNamesAndSwitches) {
    Scratch s;
    SampleTree tree(s);
    const struct {
        std::string switchesAndNames;
        std::vector<std::string> listed;   // in the v listing
        std::vector<std::string> absent;
        std::size_t files, folders;
    } cases[] = {
        // -r1 without -x1 stores names only, and no folder entries.
        {"-r1 " + Quoted(tree.root) + " \"*.txt\"", {" deep.txt\n"}, {"sub\\", "README"}, 4, 0},
        // A folder's plain name adds its tree; a name with a drive ignores the base folder and is
        // stored without drive and root; a name with a folder part keeps it with -x1.
        {"-x1 " + Quoted(tree.root) + " sub " + Quoted(tree.root + "a.txt") + " sub\\deeper\\*.txt",
         {" sub\\nested.txt\n", " sub\\deeper\\deep.txt\n", "src\\a.txt\n"}, {" M Z:", " M \\"}, 3, 4},
        // Only that tree, also when -r1 first searched the whole base folder for a file of that name.
        {"-r1 -x1 " + Quoted(tree.root) + " sub", {" sub\\\n", " sub\\inner\\\n"}, {"empty\\", "a.txt"}, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switchesAndNames);
        const std::string archive = s / "t.lzh";
        DeleteFileA(archive.c_str());
        ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + c.switchesAndNames).code, 0);
        Outcome list = Unlha("v -n " + Quoted(archive));
        EXPECT_EQ(Missing(list, c.listed), "");
        for (const std::string& part : c.absent) EXPECT_EQ(list.text.find(part), std::string::npos) << part << "\n" << list.text;
        EXPECT_NE(list.text.find(" " + std::to_string(c.files) + " entries\n"), std::string::npos) << list.text;
        EXPECT_EQ(CountLines(list.text, "-lhd-"), c.folders) << list.text;
    }
}

TEST(LibraryCommands, AllAttributesAddsHiddenFilesAndFoldersAndRestoresAttributes) {
    Scratch s;
    const std::string src = s / "src\\";
    WriteBytes(src + "hidden.txt", "secret");
    WriteBytes(src + "a.txt", "read-only");
    CreateDirectoryA((src + "secret").c_str(), nullptr);
    SetFileAttributesA((src + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((src + "a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((src + "secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (!(GetFileAttributesA((src + "secret").c_str()) & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "no hidden folders here";
    ASSERT_EQ(Unlha("a -r1 -x1 -n " + Quoted(s / "plain.lzh") + " " + Quoted(src)).code, 0);
    Outcome plainList = Unlha("l -n " + Quoted(s / "plain.lzh"));
    EXPECT_EQ(plainList.text.find("secret"), std::string::npos) << plainList.text;
    EXPECT_EQ(Missing(plainList, {" 1 entry\n"}), "");
    ASSERT_EQ(Unlha("a -r1 -x1 -a1 -n " + Quoted(s / "all.lzh") + " " + Quoted(src)).code, 0);
    ASSERT_EQ(Unlha("x -n " + Quoted(s / "all.lzh") + " " + Quoted(s / "plain\\")).code, 0);
    ASSERT_EQ(Unlha("x -a1 -n " + Quoted(s / "all.lzh") + " " + Quoted(s / "restored\\")).code, 0);
    const struct {
        const char* name;
        DWORD attribute;
    } cases[] = {{"hidden.txt", FILE_ATTRIBUTE_HIDDEN}, {"a.txt", FILE_ATTRIBUTE_READONLY}, {"secret", FILE_ATTRIBUTE_HIDDEN}};
    for (const auto& c : cases) {
        const DWORD restored = GetFileAttributesA((s / "restored\\" + c.name).c_str());
        const DWORD plain = GetFileAttributesA((s / "plain\\" + c.name).c_str());
        EXPECT_TRUE(restored != INVALID_FILE_ATTRIBUTES && (restored & c.attribute)) << c.name;
        EXPECT_TRUE(plain != INVALID_FILE_ATTRIBUTES && !(plain & c.attribute)) << c.name;
    }
    EXPECT_EQ(ReadBytes(s / "restored\\hidden.txt"), "secret");
    EXPECT_TRUE(GetFileAttributesA((s / "restored\\secret").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(LibraryCommands, ExistingFilesAreSkippedUnlessReplacingIsAsked) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", "archived");
    SetWriteTime(s / "src\\a.txt", 1700000000);
    const std::string archive = s / "a.lzh", out = s / "out\\";
    ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + Quoted(s / "src\\")).code, 0);
    const struct {
        const char* switches;
        std::int64_t existingTime;
        const char* expectedContent;
        const char* expectedLine;
    } cases[] = {
        {"", 1600000000, "old", "skipped  a.txt (the file exists; -jyo replaces it)"},
        {"-jyo", 1800000000, "old", "skipped  a.txt (the file is not older; -c replaces it)"},
        {"-jyo", 1600000000, "archived", "replaced a.txt"},
        {"-jyo -c", 1800000000, "archived", "replaced a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switches);
        WriteBytes(out + "a.txt", "old");
        SetWriteTime(out + "a.txt", c.existingTime);
        Outcome e = Unlha(std::string("e -n ") + c.switches + " " + Quoted(archive) + " " + Quoted(out));
        EXPECT_EQ(e.code, 0) << e.text;
        EXPECT_EQ(ReadBytes(out + "a.txt"), c.expectedContent);
        EXPECT_EQ(Missing(e, {c.expectedLine}), "");
    }
}

TEST(LibraryCommands, DeleteRemovesSelectedEntriesAndTheArchiveWithTheLast) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "d.lzh";
    ASSERT_EQ(Unlha("a -r1 -x1 -n " + Quoted(archive) + " " + Quoted(tree.root)).code, 0);
    Outcome d = Unlha("d -n " + Quoted(archive) + " \"\" \"*.txt\"");
    ASSERT_EQ(d.code, 0) << d.text;
    EXPECT_EQ(CountLines(d.text, "deleted  "), 4u) << d.text;
    EXPECT_EQ(Missing(Unlha("l -n " + Quoted(archive)), {" 3 entries\n"}), "");
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
    Outcome o = Unlha("s -n " + Quoted(archive) + " " + Quoted(out));
    EXPECT_EQ(o.code, 3) << o.text;
    EXPECT_EQ(Missing(o, {"damaged  " + kHyo + ".txt"}), "");
    EXPECT_EQ(Tree(out), std::vector<std::string>{}) << o.text;
}

}  // namespace
}  // namespace unlha_test
