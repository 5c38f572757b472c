// Names beyond code page 932: a tree named in Japanese, Hangul, emoji and accented Latin goes
// into an archive and comes back elsewhere, by x and by the self-extracting program made of it,
// with every name and every byte exact (at level 0, which cannot hold them, nothing is made);
// names that best fit would merge stay two files. The files are made and compared with the wide
// functions.
#include <gtest/gtest.h>

#include <map>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

const std::wstring kTree[] = {
    L"日本\\表ソ能.txt",      // code page names, 0x5C trail bytes
    L"한국어\\보고서.txt",     // Hangul folder and name
    L"😀\\𠀋 写真.jpg",        // characters outside the basic plane
    L"café.txt",              // best fit would make these two one file
    L"cafe.txt",
    L"caf_.txt",              // and the fallback of café.txt is taken by a real file
    L"Ærø\\naïve résumé.doc",
};

TEST(LibraryUnicode, ATreeOfNamesBeyondTheCodePageComesBackExactly) {
    for (const char* level : {"-h0", "-h1", "-h2"}) {
        SCOPED_TRACE(level);
        Scratch s;
        const std::wstring root = WideOf(s / "src\\");
        unsigned seed = 1;
        for (const std::wstring& path : kTree) WriteWide(root + path, TextData(700 + seed * 37, seed)), ++seed;
        const std::string archive = s / "u.lzh";
        Outcome add = Unlha(std::string("a -r1 -x1 -n ") + level + " " + Quoted(archive) + " " + Quoted(s / "src\\") + " *.*");
        if (level[2] == '0') {   // level 0 cannot hold them, and nothing is made
            EXPECT_EQ(Missing(add, 5, {"needs header level 1 or 2"}), "");
            EXPECT_FALSE(Exists(archive));
            continue;
        }
        ASSERT_EQ(Missing(add, 0, {"7 added"}), "");
        Outcome list = Unlha("l -n " + Quoted(archive));
        EXPECT_EQ(CountLines(list.text, " [U]"), 7u) << list.text;
        EXPECT_EQ(Missing(list, 0, {"caf_~2.txt [U]"}), "");
        EXPECT_EQ(Missing(Unlha("v -n " + Quoted(archive)), 0, {"\x93\xFA\x96\x7B\\\x95\x5C\x83\x5C\x94\x5C.txt"}), "");
        EXPECT_EQ(Unlha("t -n " + Quoted(archive)).code, 0);
        const std::string out = s / "out\\";
        ASSERT_EQ(Unlha("x -n " + Quoted(archive) + " " + Quoted(out)).code, 0);
        const std::map<std::wstring, std::string> before = WideFiles(root);
        EXPECT_EQ(before.size(), 7u);
        EXPECT_TRUE(WideFiles(WideOf(out)) == before);
        // The self-extracting program made of it gives the same tree, and the library reads the
        // archive behind the program it made.
        ASSERT_EQ(Unlha("s -n " + Quoted(archive) + " " + Quoted(s.Path())).code, 0);
        EXPECT_EQ(Missing(Unlha("l -n " + Quoted(s / "u.EXE")), 0, {" 7 entries"}), "");
        EXPECT_EQ(RunToEnd(Quoted(s / "u.EXE") + " -d " + Quoted(s / "sfx\\") + " -y"), 0u);
        EXPECT_TRUE(WideFiles(WideOf(s / "sfx\\")) == before);
        // Updating again finds every file under its own entry: nothing is added twice.
        Outcome again = Unlha(std::string("u -r1 -x1 -n ") + level + " " + Quoted(archive) + " " + Quoted(s / "src\\") + " *.*");
        EXPECT_EQ(Missing(again, 0, {"0 added, 0 replaced, 7 skipped"}), "");
    }
}

TEST(LibraryUnicode, Utf8NamesUnderCodePage65001AreExtractedExactlyAndChecked) {
    Scratch s;
    const std::vector<std::string> utf8 = {std::string("\x46\xE9\xFD\0\0", 5)};
    const auto member = [&](const char* name, const char* content) { return Level2Member("", name, content, 0, "-lh0-", utf8); };
    const std::string archive = s / "utf8.lzh";
    WriteBytes(archive, Level0Member("_.txt", "plain") + member("\xC3\xA9.txt", "e") +                 // é.txt
                            member("\xE6\x97\xA5\xE6\x9C\xAC.txt", "nihon") +                          // 日本.txt
                            Level2Member("\xED\x95\x9C\xFF", "\xE8\xA1\xA8 caf\xC3\xA9.txt", "exact", 0, "-lh0-", utf8) +   // 한\表 café.txt
                            member("\xC3\x81\\..\\evil.txt", "climbs") +                                  // Á\..\evil.txt
                            member("\xC3(.txt", "broken") + std::string(1, '\0'));
    // Code page names made for them, unique beside one already taken; none marked that needs none.
    EXPECT_EQ(Missing(Unlha("l -n " + Quoted(archive)), 0, {"\x95\x5C caf_.txt [U]\n", " _~2.txt [U]\n", " \x93\xFA\x96\x7B.txt\n"}), "");
    const std::string out = s / "out\\";
    Outcome x = Unlha("x -n " + Quoted(archive) + " " + Quoted(out));
    EXPECT_NE(x.code, 0);
    EXPECT_EQ(CountLines(x.text, "refused  "), 2u) << x.text;
    // Only the good entries were written, under their exact names, and nothing beside the destination.
    const std::map<std::wstring, std::string> expected = {{L"out\\_.txt", "plain"}, {L"out\\é.txt", "e"}, {L"out\\日本.txt", "nihon"},
                                                          {L"out\\한\\表 café.txt", "exact"}, {L"utf8.lzh", ReadBytes(archive)}};
    EXPECT_TRUE(WideFiles(WideOf(s.Path())) == expected) << x.text;
}

}  // namespace
}  // namespace unlha_test
