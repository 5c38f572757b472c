// ZAVOSFX.EXE with archives appended, run under Wine as a child process with -d and -y: the trees
// it leaves, damaged entries, and its exit codes.
#include <gtest/gtest.h>

#include "sfx_test_support.h"
#include "text/cp932.h"

namespace {

using namespace sfx_test;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Runs the program in the scratch folder with `arguments`: its exit code (STILL_ACTIVE, 259, when
// it did not end). Given an archive, writes the program with it behind it first.
int RunSfx(const Scratch& scratch, const std::string& arguments, const std::string* archive = nullptr) {
    if (archive) WriteBytes(scratch / "selfx.exe", StubBytes() + *archive);
    return static_cast<int>(RunToEnd(Quoted(scratch / "selfx.exe") + " " + arguments));
}

TEST(SfxRun, ExtractsShiftJisNamesFoldersAndEmptyFilesAndReplacesWhenUnattended) {
    const std::vector<Item> items = {
        {"表.txt", "hyou"}, {"ソフト\\ソース.c", TextData(5000, 1)}, {"a\\b\\c\\deep.txt", TextData(70000, 2)},
        {"empty.txt", ""},  {"空\\", ""},                          {"a\\b\\c\\", ""},
    };
    Scratch scratch;
    const std::string out = scratch / "出力 先\\";   // missing, with a blank: created
    // Into a new folder, then again over what the first run left (表.txt made longer).
    const std::string archive = ArchiveOf(items);
    ASSERT_EQ(RunSfx(scratch, "-d " + Quoted(out) + " -y", &archive), 0);
    WriteBytes(out + "表.txt", "an older text that is longer");
    WriteBytes(out + "keep.txt", "not in the archive");
    ASSERT_EQ(RunSfx(scratch, "-y -d" + Quoted(out)), 0);
    EXPECT_EQ(Tree(out), (std::vector<std::string>{"a\\", "a\\b\\", "a\\b\\c\\", "a\\b\\c\\deep.txt", "empty.txt", "keep.txt",
                                                   "ソフト\\", "ソフト\\ソース.c", "空\\", "表.txt"}));
    for (const Item& item : items) {
        if (!cp932::EndsWithChar(item.path, '\\')) {
            EXPECT_EQ(ReadBytes(out + item.path), item.content) << item.path;
        } else {
            // A folder entry's stamp (all are stamped alike) is set after the files written into it.
            EXPECT_EQ(WriteTimeOf(out + item.path), WriteTimeOf(out + "表.txt")) << item.path;
        }
    }
    EXPECT_EQ(ReadBytes(out + "keep.txt"), "not in the archive");
    // Without a destination: beside the program.
    ASSERT_EQ(RunSfx(scratch, "-y"), 0);
    EXPECT_EQ(ReadBytes(scratch / "表.txt"), "hyou");
}

TEST(SfxRun, ExitCodesAndWhatIsExtracted) {
    const std::string first = Level0Member("first.txt", "first");
    const std::string last = Level0Member("last.txt", "last") + std::string(1, '\0');
    std::string badCrc = Level0Member("damaged.txt", "damaged data");
    badCrc[badCrc.size() - 3] ^= 1;
    std::string badHeader = Level0Member("damaged.txt", "damaged data");
    badHeader[1] ^= 0x55;   // header checksum
    const std::string longer = Level0Member("damaged.txt", "damaged data that the archive cuts short");
    // The destination is below the scratch folder, which also holds a file named "file"; `more`
    // switches follow -y -d; `tree` is what out\ holds afterwards. That a damaged entry never
    // replaces a file: the library's test of the same entry writer.
    const struct {
        const char* what;
        std::string archive;
        const char *destination, *more;
        int code;
        std::vector<std::string> tree;
    } cases[] = {
        {"CRC mismatch", first + badCrc + last, "out\\", "", 1, {"first.txt", "last.txt"}},
        {"unknown method", first + Level0Member("damaged.txt", "data", "-lhz-") + last, "out\\", "", 1, {"first.txt", "last.txt"}},
        {"archive cut inside the data", first + longer.substr(0, longer.size() - 10), "out\\", "", 1, {"first.txt"}},
        // The reader stops at a broken header: what came before it is still extracted.
        {"broken header", first + badHeader + last, "out\\", "", 1, {"first.txt"}},
        {"no archive", "", "out\\", "", 2, {}},
        {"no archive, bytes only", std::string(300, 'x'), "out\\", "", 2, {}},
        {"an unknown switch", first + last, "out\\", " -q", 3, {}},
        {"a destination below a file", first + last, "file\\out\\", "", 5, {}},
    };
    for (const auto& c : cases) {
        Scratch scratch;
        WriteBytes(scratch / "file", "a file where a folder of the destination should be");
        EXPECT_EQ(RunSfx(scratch, "-y -d " + Quoted(scratch / c.destination) + c.more, &c.archive), c.code) << c.what;
        EXPECT_EQ(Tree(scratch / "out\\"), c.tree) << c.what;
    }
}

}  // namespace
