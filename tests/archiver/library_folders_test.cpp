// Folder entries (-lhd-) beyond the round trip of library_commands_test (hostile ones:
// library_safety_test): which commands make them, and how u, f and d treat them.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

const std::string kHyo = "\x95\x5C";   // 表: its second byte is 0x5C

TEST(LibraryFolders, UpdateFreshenAndDeleteRulesForFolderEntries) {
    const struct {
        const char *command, *names;
        std::vector<std::string> lines, absent, listed;   // in the output, never in it, folder entries afterwards
    } cases[] = {
        // a refreshes the folder entries it finds and adds the new one.
        {"a -r1 -x1", "", {"folder   keep\\ (replaced)", "folder   new\\\n"}, {}, {"keep\\", "sub\\", "new\\"}},
        // u keeps an existing folder entry as it is and adds a missing one.
        {"u -r1 -x1", "", {"folder   new\\\n"}, {"keep\\"}, {"keep\\", "sub\\", "new\\"}},
        // f adds nothing new, folders neither; existing folder entries stay.
        {"f -r1 -x1", "", {"nothing to change"}, {"new\\"}, {"keep\\", "sub\\"}},
        // d with a folder's name removes that entry only; the files below it stay.
        {"d", "keep", {"deleted  keep\\\n", "2 entries in"}, {"sub\\b.txt"}, {"sub\\"}},
        {"d", "sub\\", {"deleted  sub\\\n", "0 added, 0 replaced, 0 skipped, 0 deleted; 2 entries in"}, {"b.txt"}, {"keep\\"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.names);
        Scratch s;
        const std::string src = s / "src\\", archive = s / "t.lzh";
        WriteBytes(src + "a.txt", "a");
        WriteBytes(src + "sub\\b.txt", "b");
        CreateDirectoryA((src + "keep").c_str(), nullptr);
        ASSERT_EQ(Unlha("a -r1 -x1 -n " + Quoted(archive) + " " + Quoted(src)).code, 0);
        CreateDirectoryA((src + "new").c_str(), nullptr);
        SetWriteTime(src + "keep", 1900000000);   // a folder's stamp makes it no newer entry
        Outcome o = Unlha(std::string(c.command) + " -n " + Quoted(archive) + " " + Quoted(src) + " " + c.names);
        EXPECT_EQ(Missing(o, 0, c.lines, c.absent), "");
        Outcome list = Unlha("l -n " + Quoted(archive));
        EXPECT_EQ(CountLines(list.text, "-lhd-"), c.listed.size()) << list.text;
        for (const std::string& folder : c.listed)
            EXPECT_NE(list.text.find(" " + folder + "\n"), std::string::npos) << folder << "\n" << list.text;
        EXPECT_NE(list.text.find(" 2 entries\n"), std::string::npos) << "the files are all kept\n" << list.text;
    }
}

TEST(LibraryFolders, ALongFormDestinationIsMadeBelowItsRoot) {
    // "\\?\" is no folder to make, nor is "\\?\Z:\"; what follows is.
    Scratch s;
    const std::string archive = s / "t.lzh";
    WriteBytes(archive, Level0Member("a.txt", "a") + '\0');
    EXPECT_EQ(Unlha("x -n " + Quoted(archive) + " " + Quoted("\\\\?\\" + s / "new\\" + kHyo + "\\")).code, 0);
    EXPECT_EQ(ReadBytes(s / "new\\" + kHyo + "\\a.txt"), "a");
}

// A folder moved to another name for the life of the object.
struct Renamed {
    std::wstring from, to;
    bool done = MoveFileW(from.c_str(), to.c_str()) != 0;
    ~Renamed() { if (done) MoveFileW(to.c_str(), from.c_str()); }
};

TEST(LibraryFolders, AFolderThatCannotBeOpenedFailsTheAddAndChangesNothing) {
    // Linux refuses paths of 4096 bytes and more, while Wine's wide calls pass them on. A chain of
    // folders made as deep as Linux allows, then moved under a longer name, ends in a folder that
    // its parent lists but that cannot be opened.
    Scratch s;
    WriteBytes(s / "a\\top.txt", "top");
    const std::wstring part = L"\\" + WideOf(JapaneseName(80));
    std::wstring bottom = WideOf(s / "a");
    for (int depth = 0; CreateDirectoryW((bottom + part).c_str(), nullptr); ++depth) {
        if (depth == 40) GTEST_SKIP() << "folders of any depth open here";
        bottom += part;
    }
    HANDLE deep = CreateFileW((bottom + L"\\deep.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(deep, INVALID_HANDLE_VALUE);
    CloseHandle(deep);
    // 254 bytes longer on Linux, more than one more folder would have added (241).
    const std::string longer = s / JapaneseName(85);
    Renamed moved{WideOf(s / "a"), WideOf(longer)};   // moved back before the scratch folder goes
    ASSERT_TRUE(moved.done);

    const std::string archive = s / "t.lzh", original = Level0Member("old.txt", "old") + '\0';
    for (const char* command : {"a -r1 -x1", "u -r1", "f -r1"}) {
        WriteBytes(archive, original);
        Outcome o = Unlha(std::string(command) + " -n " + Quoted(archive) + " " + Quoted(longer + "\\"));
        SCOPED_TRACE(std::string(command) + "\n" + o.text);
        EXPECT_EQ(Missing(o, 5, {"failed   " + JapaneseName(80) + "\\", "nothing was changed"}), "");
        EXPECT_EQ(CountLines(o.text, ": the folder cannot be opened"), 1u);
        EXPECT_TRUE(ReadBytes(archive) == original);
    }
}

}  // namespace
}  // namespace unlha_test
