// a, u, f and d: which files replace which entries, and the original archive left byte for byte
// as it was whenever an update fails.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"
#include "text/cp932.h"

namespace unlha_test {
namespace {

// Temporary files (LZHxxxx.TMP, in any case) left anywhere below `folder`.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& path : Tree(folder))
        if (cp932::AsciiUpper(path).find(".TMP") != std::string::npos) found.push_back(path);
    return found;
}

TEST(LibraryUpdate, TimeStampRulesOfUAndF) {
    // extracted: a and b, replaced (2) or not (1), and c unless f
    const struct { const char *command, *extracted; } cases[] = {{"u", "a2b1c2"}, {"f", "a2b1"}, {"u -c", "a2b2c2"}, {"f -c", "a2b2"}, {"a", "a2b2c2"}};
    for (const char* level : {"-h0", "-h1", "-h2"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.command) + " " + level);
            Scratch s;
            const std::string src = s / "src\\", archive = s / "t.lzh", out = s / "out\\";
            for (const char* name : {"a.txt", "b.txt", "d.txt"}) {
                WriteBytes(src + name, std::string(1, name[0]) + "1");
                SetWriteTime(src + name, name[0] == 'd' ? 1700000001 : 1700000000);   // odd: MS-DOS stamps keep even ones
            }
            ASSERT_EQ(Unlha(std::string("a -n ") + level + " " + Quoted(archive) + " " + Quoted(src)).code, 0);
            // a.txt newer than its entry, b.txt older, c.txt new.
            for (const auto& [name, time] : {std::pair<const char*, std::int64_t>{"a.txt", 1700000100}, {"b.txt", 1600000000}, {"c.txt", 1700000100}})
                WriteBytes(src + name, std::string(1, name[0]) + "2"), SetWriteTime(src + name, time);
            Outcome o = Unlha(std::string(c.command) + " -n " + level + " " + Quoted(archive) + " " + Quoted(src));
            ASSERT_EQ(o.code, 0) << o.text;
            ASSERT_EQ(Unlha("e -n " + Quoted(archive) + " " + Quoted(out)).code, 0);
            EXPECT_EQ(ReadBytes(out + "a.txt") + ReadBytes(out + "b.txt") + ReadBytes(out + "c.txt"), c.extracted) << o.text;
            // A file just stored is not newer than its entry, whatever the stamp's resolution.
            if (std::string(c.extracted).find("b1") != std::string::npos) EXPECT_EQ(Missing(o, 0, {"skipped  b.txt (the archive's copy is not older)", "skipped  d.txt"}), "");
            EXPECT_EQ(Leftovers(s.Path()), std::vector<std::string>{});
        }
    }
}

// Whatever makes an update fail, the archive stays byte for byte as it was, no temporary file is
// left, and the output says that nothing was changed.
TEST(LibraryUpdate, AFailedUpdateLeavesTheArchiveAsItWas) {
    Scratch s;
    const std::string src = s / "src\\", archive = s / "t.lzh";
    WriteBytes(src + "a.txt", TextData(20000, 1));
    WriteBytes(src + "b.txt", TextData(20000, 2));
    ASSERT_EQ(Unlha("a -n " + Quoted(archive) + " " + Quoted(src)).code, 0);
    const std::string original = ReadBytes(archive);
    WriteBytes(src + "a.txt", TextData(30000, 3));
    WriteBytes(src + "c.txt", TextData(30000, 4));
    const struct {
        const char* failAfter;   // members written before the injected failure; null: c.txt is locked
        const char* command;
        const char* says;
    } cases[] = {
        {"0", "a", ""},    {"1", "a", ""}, {"2", "a", ""}, {"0", "u -c", ""}, {"1", "u -c", ""}, {"2", "u -c", ""},
        {"0", "d", ""},    {"1", "d", ""},   // d writes one member and the end
        {nullptr, "a", "failed   c.txt: cannot read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " failing after " + (c.failAfter ? c.failAfter : "a locked file"));
        SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", c.failAfter);
        HANDLE locked = c.failAfter ? INVALID_HANDLE_VALUE
                                    : CreateFileA((src + "c.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(c.failAfter || locked != INVALID_HANDLE_VALUE);
        Outcome o = Unlha(std::string(c.command) + " -n " + Quoted(archive) + " " + Quoted(src) + (c.command[0] == 'd' ? " b.txt" : ""));
        if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
        SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", nullptr);
        EXPECT_EQ(Missing(o, 5, {"nothing was changed", c.says}), "");
        EXPECT_TRUE(ReadBytes(archive) == original);
        EXPECT_EQ(Leftovers(s.Path()), std::vector<std::string>{});
    }
    // A new archive that fails is not made at all.
    SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", "1");
    EXPECT_EQ(Unlha("a -n " + Quoted(s / "new.lzh") + " " + Quoted(src)).code, 5);
    SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", nullptr);
    EXPECT_FALSE(Exists(s / "new.lzh"));
    // A damaged archive is not rewritten: that would drop everything behind the broken header.
    std::string broken = Level0Member("z.txt", "zzz");
    broken[1] ^= 0x01;   // its header checksum
    const std::string damaged = Level0Member("a.txt", "x") + broken + Level0Member("y.txt", "y") + '\0';
    WriteBytes(archive, damaged);
    EXPECT_EQ(Unlha("a -n " + Quoted(archive) + " " + Quoted(src)).code, 3);
    EXPECT_TRUE(ReadBytes(archive) == damaged);
    EXPECT_EQ(Leftovers(s.Path()), std::vector<std::string>{});
}

// A folder below `root` of about `chars` characters as Windows counts them (the limit of the "A"
// calls), its parts of 30 Japanese characters: twice as many bytes.
std::string DeepFolder(const std::string& root, std::size_t chars) {
    std::string folder = root;   // the root is ASCII
    for (std::size_t count = root.size(); count + 1 < chars;) {
        const std::size_t part = std::min<std::size_t>(30, chars - 1 - count);
        folder += JapaneseName(part) + "\\";
        count += part + 1;
    }
    return folder;
}

TEST(LibraryUpdate, DeepFoldersWorkOrFailCleanly) {
    // The "A" calls take paths of up to about 260 characters (not bytes). 160 characters are
    // some 290 bytes; at 252 the archive fits, but its temporary file beside it does not, unless
    // the system takes longer paths.
    const struct { std::size_t chars; bool mustWork; } cases[] = {{160, true}, {252, false}};   // chars of the archive's folder
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chars);
        Scratch s;
        const std::string folder = DeepFolder(s.Path(), c.chars), archive = folder + "t.lzh";
        WriteBytes(s / "src\\a.txt", TextData(3000, 1));
        WriteBytes(s / "src\\b.txt", TextData(3000, 2));
        ASSERT_EQ(Unlha("a -n " + Quoted(s / "t.lzh") + " " + Quoted(s / "src\\") + " a.txt").code, 0);
        const std::string original = ReadBytes(s / "t.lzh");
        WriteBytes(archive, original);
        Outcome o = Unlha("a -n \"" + archive + "\" \"" + s / "src\\" + "\" b.txt");
        EXPECT_EQ(Leftovers(s.Path()), std::vector<std::string>{}) << o.text;
        if (c.mustWork || o.code == 0) {
            EXPECT_GT(folder.size(), 280u);
            EXPECT_EQ(Missing(o, 0, {}), "");
            EXPECT_EQ(Missing(Unlha("t -n \"" + archive + "\""), 0, {"2 tested, 2 OK"}), "");
        } else {
            EXPECT_EQ(Missing(o, 5, {"nothing was changed"}), "");
            EXPECT_TRUE(ReadBytes(archive) == original);
        }
    }
}

}  // namespace
}  // namespace unlha_test
