// ZAVOSFX.EXE with archives appended, run under Wine as a child process with -d and -y: the trees
// it leaves, damaged entries, and its exit codes.
#include <gtest/gtest.h>

#include <algorithm>

#include "sfx_test_support.h"
#include "text/cp932.h"

namespace {

using namespace sfx_test;

// Writes the program with `archive` behind it into `folder` and runs it with `arguments`.
int RunSfx(const Scratch& scratch, const std::string& archive, const std::string& arguments,
           const std::string& stub = StubBytes()) {
    const std::string program = scratch / "selfx.exe";
    WriteBytes(program, stub + archive);
    return RunProgram(program, arguments);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

const std::vector<Item>& SampleItems() {
    static const std::vector<Item> items = {
        {"表.txt", "hyou"},
        {"ソフト\\ソース.c", TextData(5000, 1)},
        {"a\\b\\c\\deep.txt", TextData(70000, 2)},
        {"empty.txt", ""},
        {"空\\", ""},
        {"a\\b\\c\\", ""},
        {"十分\\表示.txt", TextData(300, 3)},
    };
    return items;
}

// The tree SampleItems leaves: every file with its folders.
std::vector<std::string> SampleTree() {
    std::vector<std::string> tree = {"a\\", "a\\b\\", "a\\b\\c\\", "a\\b\\c\\deep.txt", "empty.txt", "ソフト\\",
                                     "ソフト\\ソース.c", "十分\\", "十分\\表示.txt", "空\\", "表.txt"};
    std::sort(tree.begin(), tree.end());
    return tree;
}

void ExpectSampleContents(const std::string& out) {
    for (const Item& item : SampleItems()) {
        if (!cp932::EndsWithChar(item.path, '\\')) {
            EXPECT_EQ(ReadBytes(out + item.path), item.content) << item.path;
        } else {
            // A folder entry's stamp is set after the files written into it, as the library does.
            EXPECT_EQ(test_files::WriteTimeOf(out + item.path), 1700000000) << item.path;
        }
    }
}

TEST(SfxRun, ExtractsShiftJisNamesNestedFoldersAndEmptyFiles) {
    Scratch scratch;
    const std::string out = scratch / "出力 先\\";   // missing, with a blank: created
    ASSERT_EQ(RunSfx(scratch, ArchiveOf(SampleItems()), "-d " + Quoted(out) + " -y"), 0);
    EXPECT_EQ(Tree(out), SampleTree());
    ExpectSampleContents(out);
}

TEST(SfxRun, ReplacesExistingFilesWhenUnattended) {
    Scratch scratch;
    const std::string out = scratch / "out\\";
    WriteBytes(out + "表.txt", "an older text that is longer");
    WriteBytes(out + "keep.txt", "not in the archive");
    ASSERT_EQ(RunSfx(scratch, ArchiveOf(SampleItems()), "-y -d" + out), 0);
    ExpectSampleContents(out);
    EXPECT_EQ(ReadBytes(out + "keep.txt"), "not in the archive");
}

TEST(SfxRun, WithoutDestinationExtractsBesideTheProgram) {
    Scratch scratch;
    ASSERT_EQ(RunSfx(scratch, ArchiveOf({{"beside.txt", "here"}}), "-y"), 0);
    EXPECT_EQ(ReadBytes(scratch / "beside.txt"), "here");
}

TEST(SfxRun, DamagedEntriesFailAndTheOthersAreExtracted) {
    const std::string first = Level0Member("first.txt", "first");
    const std::string last = Level0Member("last.txt", "last") + std::string(1, '\0');
    std::string badCrc = Level0Member("damaged.txt", "damaged data");
    badCrc[badCrc.size() - 3] ^= 1;
    std::string badHeader = Level0Member("damaged.txt", "damaged data");
    badHeader[1] ^= 0x55;   // header checksum
    const std::string longer = Level0Member("damaged.txt", "damaged data that the archive cuts short");
    struct Case {
        const char* what;
        std::string archive;
        std::vector<std::string> tree;
    };
    const Case cases[] = {
        {"CRC mismatch", first + badCrc + last, {"damaged.txt", "first.txt", "last.txt"}},
        {"unknown method", first + Level0Member("damaged.txt", "data", "-lhz-") + last,
         {"damaged.txt", "first.txt", "last.txt"}},
        {"archive cut inside the data", first + longer.substr(0, longer.size() - 10), {"damaged.txt", "first.txt"}},
        // The reader stops at a broken header: what came before it is still extracted.
        {"broken header", first + badHeader + last, {"damaged.txt", "first.txt"}},
    };
    for (const Case& c : cases) {
        Scratch scratch;
        const std::string out = scratch / "out\\";
        // The file a damaged entry would replace stays as it was.
        WriteBytes(out + "damaged.txt", "kept");
        EXPECT_EQ(RunSfx(scratch, c.archive, "-d " + Quoted(out) + " -y"), 1) << c.what;
        EXPECT_EQ(Tree(out), c.tree) << c.what;
        EXPECT_EQ(ReadBytes(out + "damaged.txt"), "kept") << c.what;
        EXPECT_EQ(ReadBytes(out + "first.txt"), "first") << c.what;
    }
}

TEST(SfxRun, AMemberHeaderInsideTheProgramIsNotExtracted) {
    // A member header written over the program's DOS stub (which Windows never runs), its data
    // covering the rest of the program exactly: a scan from the file's start finds a chain of
    // members that runs cleanly to the end and would extract the program's bytes as "T".
    Scratch scratch;
    std::string stub = StubBytes();
    const std::size_t headerSize = Level0Member("T", "").size();
    const std::size_t peHeader = static_cast<unsigned char>(stub[0x3C]) | (static_cast<unsigned char>(stub[0x3D]) << 8);
    ASSERT_LE(0x40 + headerSize, peHeader);
    stub.replace(0x40, headerSize, Level0Member("T", stub.substr(0x40 + headerSize)).substr(0, headerSize));
    const std::string out = scratch / "out\\";
    ASSERT_EQ(RunSfx(scratch, ArchiveOf({{"real.txt", "real"}}), "-d " + Quoted(out) + " -y", stub), 0);
    EXPECT_EQ(Tree(out), std::vector<std::string>{"real.txt"});
}

TEST(SfxRun, ExitCodesForNoArchiveBadCommandLineAndUnwritableDestination) {
    Scratch scratch;
    WriteBytes(scratch / "file", "a file where the destination's folder should be");
    struct Case {
        std::string archive, arguments;
        int code;
    };
    const Case cases[] = {
        {"", "-y", 2},
        {std::string(300, 'x'), "-y", 2},
        {ArchiveOf({{"a.txt", "a"}}), "-y -q", 3},
        {ArchiveOf({{"a.txt", "a"}}), "-y -d " + Quoted(scratch / "file\\out"), 5},
    };
    for (const Case& c : cases) EXPECT_EQ(RunSfx(scratch, c.archive, c.arguments), c.code) << c.arguments;
    EXPECT_FALSE(Exists(scratch / "a.txt"));
}

}  // namespace
