// What the library says about each kind of failure, and where it extracted: the sentence names
// the file or folder concerned; the message box holds the whole outcome, in the chosen language.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

TEST(LibraryMessages, EachFailureSaysWhatIsWrong) {
    // One language: the message table's test holds both to the same placeholders; the box's test
    // below chooses Japanese.
    Scratch s;
    const std::string src = s / "src\\";
    WriteBytes(src + "表.txt", TextData(3000, 1));
    WriteBytes(s / "folder.lzh\\keep.txt", "a folder named like an archive");
    WriteBytes(s / "junk.lzh", std::string(3000, 'j'));
    const std::string kept = s / "kept.lzh";
    ASSERT_EQ(Unlha("a -n \"" + kept + "\" \"" + src + "\"").code, 0);
    // names: the file or folder the sentence is about; writeError: the system error a write of the archive meets
    const struct {
        const char* kind;
        std::string line;
        int code;
        std::string names;
        const char *says, *writeError = nullptr;
    } cases[] = {
        {"the archive's folder does not exist", "a \"" + s / "ソ無\\資料庫.lzh" + "\" \"" + src + "\"", 5, s / "ソ無\\",
         "does not exist; create it"},
        {"the archive path names a folder (a)", "a \"" + s / "folder.lzh\\" + "\" \"" + src + "\"", 5,
         s / "folder.lzh\\ARCHIVE.LZH", "is a folder, not an archive"},
        {"the archive path names a folder (l)", "l \"" + s / "folder.lzh\\" + "\"", 2, s / "folder.lzh\\ARCHIVE.LZH",
         "is a folder, not an archive"},
        {"the archive does not exist", "t \"" + s / "none.lzh" + "\"", 2, s / "none.lzh", "does not exist"},
        {"the archive to freshen does not exist", "f \"" + s / "none.lzh" + "\"", 2, s / "none.lzh", "does not exist"},
        {"the archive is no archive", "t \"" + s / "junk.lzh" + "\"", 3, s / "junk.lzh", "is no readable archive"},
        {"no file matched", "a \"" + s / "n.lzh" + "\" \"" + src + "\" *.xyz", 6, src + " ", "matches *.xyz"},
        {"the base folder does not exist", "a \"" + s / "n.lzh" + "\" \"" + s / "能無\\" + "\"", 6, s / "能無\\", "does not exist"},
        {"the disk is full", "u \"" + kept + "\" \"" + src + "\" *.txt -c", 5, kept, "the disk is full; make room and try again",
         "0:112"},
        {"the folder is read-only", "u \"" + kept + "\" \"" + src + "\" *.txt -c", 5, kept, "the folder or file is read-only", "0:5"},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", c.writeError);
        Outcome o = Unlha(c.line.substr(0, 1) + " -n" + c.line.substr(1));
        SetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", nullptr);
        EXPECT_EQ(Missing(o, c.code, {c.names, c.says}), "") << c.kind;
    }
    EXPECT_FALSE(Exists(s / "n.lzh")) << "an add that matched nothing makes no archive";
}

TEST(LibraryMessages, WithoutASwitchTheLibrarySpeaksTheUserLanguage) {
    Scratch s;
    WriteBytes(s / "src\\a.txt", "a");
    ASSERT_EQ(Unlha("a -n " + Quoted(s / "t.lzh") + " " + Quoted(s / "src\\")).code, 0);
    char buffer[4096];
    const std::string line = "t -n \"" + s / "t.lzh" + "\"";
    ASSERT_EQ(Unlha32RunCommand(nullptr, line.c_str(), buffer, sizeof buffer), 0);
    const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    EXPECT_NE(std::string(buffer).find(japanese ? "検査 1、正常 1、破損 0" : "1 tested, 1 OK, 0 damaged"), std::string::npos)
        << buffer;
}

TEST(LibraryMessages, TheMessageBoxListsEveryFailureUpToAScreenfulAndTheSummary) {
    Scratch s;
    std::string members;
    for (int i = 0; i < 23; ++i) members += Level0Member("..\\evil" + std::to_string(i) + ".txt", "x");
    WriteBytes(s / "many.lzh", members + Level0Member("good.txt", "good") + std::string(1, '\0'));
    // refused: in the sentence that names the entry and the destination
    const struct { const char *language, *refused, *more, *summary; } cases[] = {
        {"-le", "evil0.txt: a \"..\" part would leave the destination folder\n", "\n... and 3 more\n\n",
         "1 extracted, 0 replaced, 0 skipped, 23 refused, 0 failed; into "},
        {"-lj", "evil0.txt: \"..\" で上のフォルダに出て、展開先の外を指しています\n", "\n…ほか 3 件\n\n",
         "展開 1、置換 0、スキップ 0、拒否 23、失敗 0: 展開先 "},
    };
    for (const auto& c : cases) {
        std::string shown;
        Outcome o = UnlhaAnsweringBox(std::string("x ") + c.language + " " + Quoted(s / "many.lzh") + " " + Quoted(s / c.language + "\\"), shown);
        EXPECT_EQ(CountLines(shown, "evil"), 20u) << shown;
        EXPECT_EQ(Missing({o.code, shown}, 4, {c.refused, c.more, c.summary + s / c.language + "\\"}), "");   // the box's text
    }
}

}  // namespace
}  // namespace unlha_test
