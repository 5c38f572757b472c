// Every command and switch of UNLHA32.DLL on real folders, through its two exports.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

const std::string kHyo = "\x95\x5C";     // 表: its second byte is 0x5C
const std::string kSo = "\x83\x5C";      // ソ

// A tree with every kind of file the library meets.
struct SampleTree {
    explicit SampleTree(const Scratch& s) : root(s / "src\\") {
        files = {
            {"a.txt", TextData(5000, 1)},
            {"README", TextData(300, 2)},
            {"empty.dat", ""},
            {"big.bin", TextData(3 * 1024 * 1024 + 5, 3)},
            {"sub\\nested.txt", TextData(2000, 4)},
            {"sub\\deeper\\deep.txt", TextData(100, 5)},
            {kSo + "\\" + kHyo + ".txt", TextData(700, 6)},
        };
        for (const auto& f : files) WriteBytes(root + f.first, f.second);
        WriteBytes(root + "hidden.txt", "secret");
        SetFileAttributesA((root + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    std::string root;
    std::vector<std::pair<std::string, std::string>> files;
};

TEST(LibraryCommands, AddListTestAndExtractATreeWithFolderNames) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "t.lzh";
    Outcome add = Unlha("a -r1 -x1 -n \"" + archive + "\" \"" + tree.root + "\" \"*.*\"");
    ASSERT_EQ(add.code, 0) << add.text;
    EXPECT_EQ(CountLines(add.text, "added    "), tree.files.size()) << add.text;
    EXPECT_EQ(CountLines(add.text, "hidden.txt"), 0u) << "hidden files only with -a1";
    EXPECT_NE(add.text.find("7 added, 0 replaced, 0 skipped, 0 deleted; 7 entries in"), std::string::npos) << add.text;

    Outcome list = Unlha("v -n \"" + archive + "\"");
    ASSERT_EQ(list.code, 0) << list.text;
    EXPECT_NE(list.text.find(" sub\\deeper\\deep.txt\n"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find(" " + kSo + "\\" + kHyo + ".txt\n"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find("-lh0-  -"), std::string::npos) << "the empty file is stored" << list.text;
    EXPECT_NE(list.text.find(" 7 entries\n"), std::string::npos) << list.text;

    Outcome test = Unlha("t -n \"" + archive + "\"");
    EXPECT_EQ(test.code, 0) << test.text;
    EXPECT_NE(test.text.find("7 tested, 7 OK, 0 damaged"), std::string::npos) << test.text;

    const std::string out = s / "out\\new\\";   // a base folder that does not exist yet
    Outcome x = Unlha("x -n \"" + archive + "\" \"" + out + "\"");
    ASSERT_EQ(x.code, 0) << x.text;
    for (const auto& f : tree.files) EXPECT_EQ(ReadBytes(out + f.first), f.second) << f.first;
    EXPECT_FALSE(Exists(out + "hidden.txt"));
}

TEST(LibraryCommands, WithoutFolderNamesAndWithSelectedNames) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "flat.lzh";
    // -r1 without -x1 stores names only.
    ASSERT_EQ(Unlha("a -r1 -n \"" + archive + "\" \"" + tree.root + "\" \"*.txt\"").code, 0);
    Outcome list = Unlha("l -n \"" + archive + "\"");
    EXPECT_NE(list.text.find(" deep.txt\n"), std::string::npos) << list.text;
    EXPECT_EQ(list.text.find("sub\\"), std::string::npos) << list.text;
    EXPECT_EQ(list.text.find("README"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find(" 4 entries\n"), std::string::npos) << list.text;

    // Unquoted names as users type them; e never makes folders.
    const std::string out = s / "e\\";
    Outcome e = Unlha("e -n " + archive + " " + out + " deep.txt a.txt");
    ASSERT_EQ(e.code, 0) << e.text;
    EXPECT_EQ(Tree(out), (std::vector<std::string>{"a.txt", "deep.txt"}));
}

TEST(LibraryCommands, NamesWithFoldersDrivesOrOfAFolder) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "names.lzh";
    // A folder's plain name adds its tree; a name with a drive ignores the base folder and is
    // stored without drive and root; a name with a folder part keeps it with -x1.
    Outcome add = Unlha("a -x1 -n \"" + archive + "\" \"" + tree.root + "\" sub \"" + tree.root + "a.txt\" sub\\deeper\\*.txt");
    ASSERT_EQ(add.code, 0) << add.text;
    Outcome list = Unlha("v -n \"" + archive + "\"");
    EXPECT_NE(list.text.find(" sub\\nested.txt\n"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find(" sub\\deeper\\deep.txt\n"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find("src\\a.txt\n"), std::string::npos) << list.text;
    EXPECT_EQ(list.text.find(" M Z:"), std::string::npos) << list.text;
    EXPECT_EQ(list.text.find(" M \\"), std::string::npos) << list.text;
    EXPECT_NE(list.text.find(" 3 entries\n"), std::string::npos) << list.text;
}

TEST(LibraryCommands, AllAttributesAddsHiddenFilesAndRestoresAttributes) {
    Scratch s;
    SampleTree tree(s);
    SetFileAttributesA((tree.root + "a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string archive = s / "attr.lzh";
    ASSERT_EQ(Unlha("a -a1 -n \"" + archive + "\" \"" + tree.root + "\" hidden.txt a.txt").code, 0);
    const std::string plain = s / "plain\\", restored = s / "restored\\";
    ASSERT_EQ(Unlha("e -n \"" + archive + "\" \"" + plain + "\"").code, 0);
    ASSERT_EQ(Unlha("e -a1 -n \"" + archive + "\" \"" + restored + "\"").code, 0);
    EXPECT_EQ(ReadBytes(restored + "hidden.txt"), "secret");
    EXPECT_TRUE(GetFileAttributesA((restored + "hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributesA((restored + "a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(GetFileAttributesA((plain + "hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(GetFileAttributesA((plain + "a.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(LibraryCommands, MethodsAndHeaderLevelsRoundTrip) {
    Scratch s;
    SampleTree tree(s);
    const struct {
        const char* switches;
        const char* method;
    } cases[] = {{"-h0", "-lh5-"}, {"-h1 -o6", "-lh6-"}, {"-h2 -o7", "-lh7-"}, {"-z", "-lh0-"}};
    for (const auto& c : cases) {
        const std::string archive = s / (std::string("m") + c.method + ".lzh");
        Outcome add = Unlha(std::string("a -r1 -x1 -n ") + c.switches + " \"" + archive + "\" \"" + tree.root + "\"");
        ASSERT_EQ(add.code, 0) << c.switches << add.text;
        Outcome list = Unlha("v -n \"" + archive + "\" \"\" a.txt");
        EXPECT_NE(list.text.find(c.method), std::string::npos) << c.switches << list.text;
        const std::string out = s / (std::string("out") + c.method + "\\");
        Outcome x = Unlha("x -n \"" + archive + "\" \"" + out + "\"");
        ASSERT_EQ(x.code, 0) << c.switches << x.text;
        for (const auto& f : tree.files) EXPECT_EQ(ReadBytes(out + f.first), f.second) << c.switches << f.first;
        // Times come back to the second at every level (level 0/1 to two seconds).
        EXPECT_LE(std::llabs(WriteTimeOf(out + "a.txt") - WriteTimeOf(tree.root + "a.txt")), 2) << c.switches;
    }
}

TEST(LibraryCommands, ExistingFilesAreSkippedUnlessReplacingIsAsked) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", "archived");
    SetWriteTime(s / "src\\a.txt", 1700000000);
    const std::string archive = s / "a.lzh";
    ASSERT_EQ(Unlha("a -n \"" + archive + "\" \"" + s / "src\\" + "\"").code, 0);
    const std::string out = s / "out\\";
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
        WriteBytes(out + "a.txt", "old");
        SetWriteTime(out + "a.txt", c.existingTime);
        Outcome e = Unlha(std::string("e -n ") + c.switches + " \"" + archive + "\" \"" + out + "\"");
        EXPECT_EQ(e.code, 0) << e.text;
        EXPECT_EQ(ReadBytes(out + "a.txt"), c.expectedContent) << c.switches;
        EXPECT_NE(e.text.find(c.expectedLine), std::string::npos) << c.switches << "\n" << e.text;
    }
}

TEST(LibraryCommands, DeleteRemovesSelectedEntries) {
    Scratch s;
    SampleTree tree(s);
    const std::string archive = s / "d.lzh";
    ASSERT_EQ(Unlha("a -r1 -x1 -n \"" + archive + "\" \"" + tree.root + "\"").code, 0);
    Outcome d = Unlha("d -n \"" + archive + "\" \"\" \"*.txt\"");
    ASSERT_EQ(d.code, 0) << d.text;
    EXPECT_EQ(CountLines(d.text, "deleted  "), 4u) << d.text;
    Outcome list = Unlha("l -n \"" + archive + "\"");
    EXPECT_NE(list.text.find(" 3 entries\n"), std::string::npos) << list.text;
    Outcome none = Unlha("d -n \"" + archive + "\" \"\" nothing.here");
    EXPECT_EQ(none.code, 6) << none.text;
    // Deleting the last entries deletes the archive.
    ASSERT_EQ(Unlha("d -n \"" + archive + "\" \"\" \"*.*\"").code, 0);
    EXPECT_FALSE(Exists(archive));
}

TEST(LibraryCommands, FailuresHaveTheirOwnCodesAndSayWhy) {
    Scratch s;
    WriteBytes(s / "junk.lzh", std::string(3000, 'j'));
    const struct {
        std::string line;
        int code;
        const char* says;
    } cases[] = {
        {"q -n a.lzh", 1, "unknown command \"q\""},
        {"l -n -w \"" + s / "x.lzh" + "\"", 1, "unknown switch -w"},
        {"l -n \"" + s / "missing.lzh" + "\"", 2, "missing.lzh does not exist"},
        {"f -n \"" + s / "missing.lzh" + "\"", 2, "does not exist"},
        {"t -n \"" + s / "junk.lzh" + "\"", 3, "no readable archive"},
        {"a -n \"" + s / "new.lzh" + "\" \"" + s.Path() + "\" nothing.*", 6, "matches nothing.*"},
    };
    for (const auto& c : cases) {
        Outcome o = Unlha(c.line);
        EXPECT_EQ(o.code, c.code) << c.line << "\n" << o.text;
        EXPECT_NE(o.text.find(c.says), std::string::npos) << c.line << "\n" << o.text;
    }
    EXPECT_FALSE(Exists(s / "new.lzh"));
}

TEST(LibraryCommands, SfxIsMadeOnlyFromAnArchiveThatTestsClean) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", TextData(5000, 1));
    WriteBytes(s / "src\\" + kHyo + ".txt", TextData(5000, 2));
    const std::string archive = s / "t.lzh", out = s / "made\\";
    ASSERT_EQ(Unlha("a -n \"" + archive + "\" \"" + s / "src\\" + "\"").code, 0);
    // 表.txt is the last member: a byte of its data, well before the end marker.
    std::string bytes = ReadBytes(archive);
    bytes[bytes.size() - 40] ^= 0x10;
    WriteBytes(archive, bytes);
    Outcome o = Unlha("s -n \"" + archive + "\" \"" + out + "\"");
    EXPECT_EQ(o.code, 3) << o.text;
    EXPECT_NE(o.text.find("damaged  " + kHyo + ".txt"), std::string::npos) << o.text;
    EXPECT_EQ(Tree(out), std::vector<std::string>{}) << o.text;
}

}  // namespace
}  // namespace unlha_test
