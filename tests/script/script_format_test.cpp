// The script file format over real files: what the reader makes of a file's bytes, and the exact
// bytes the editor's writers leave on disk.
#include "script/script_format.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zavo {
namespace {

namespace fs = std::filesystem;

// Each test in a folder of its own, made by mkdtemp: other runs on this machine share /tmp.
class ScriptFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "zavo-script-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(name.data()));
        dir_ = name;
        path_ = (dir_ / "t.zav").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The rows the reader takes from `bytes`, each as its five texts in the file's order. The
    // path comes as one taken from a line of text, with a line feed behind it.
    std::vector<std::vector<std::string>> Read(const std::string& bytes) const {
        Put(bytes);
        ScriptTable table;
        std::string last;
        const int count = ReadScript(path_ + "\n", table, last).value_or(-1);
        EXPECT_EQ(table.count, count);
        EXPECT_EQ(last, path_) << "an opened file is the last script path";
        std::vector<std::vector<std::string>> rows;
        for (auto r = table.rows.begin(); r < table.rows.begin() + count; ++r)
            rows.push_back({r->command, r->otherOption, r->lzhPath, r->basePath, r->fileName});
        return rows;
    }

    fs::path dir_;
    std::string path_;
};

const std::string kEntry = "///add\r\na \r\n -r1\r\nD:\\ARC\\A.LZH\r\nD:\\WORK\r\n*.*\r\n";
const std::vector<std::string> kEntryRow = {"a ", " -r1", "D:\\ARC\\A.LZH", "D:\\WORK", "*.*"};
const std::vector<std::string> kExitRow = {"/X", "", "", "", ""};

TEST_F(ScriptFile, ReaderTakesTheEntriesTheBytesHold) {
    const std::string longPath(2000, 'p');
    struct Case { const char* what; std::string bytes; std::vector<std::vector<std::string>> rows; } cases[] = {
        {"empty file", "", {}},
        {"archiver entry", kEntry, {kEntryRow}},
        {"bare line feeds", "///add\na \n -r1\nD:\\ARC\\A.LZH\nD:\\WORK\n*.*\n", {kEntryRow}},
        {"no final line break", "///add\r\na \r\n -r1\r\nD:\\ARC\\A.LZH\r\nD:\\WORK\r\n*.*", {kEntryRow}},
        {"CR CR LF loses every CR", "///\r\r\na \r\r\n -r1\r\r\nD:\\ARC\\A.LZH\r\nD:\\WORK\r\n*.*\r\r\n", {kEntryRow}},
        {"two slashes end the read", kEntry + "//not a marker\r\n/X\r\n", {kEntryRow}},
        {"marker after marker is an operation line", "///a\r\n///b\r\n///c\r\n/X\r\n",
         {{"///b", "", "", "", ""}, kExitRow}},
        {"blank before slash is an archiver entry", "///\r\n /C \"a\" \"b\"\r\no\r\nA\r\nB\r\nF\r\n",
         {{" /C \"a\" \"b\"", "o", "A", "B", "F"}}},
        {"empty command is an archiver entry", "///\r\n\r\n\r\nA.LZH\r\n\r\n*.*\r\n", {{"", "", "A.LZH", "", "*.*"}}},
        {"file ends inside an archiver entry", kEntry + "///cut\r\nl \r\n\r\nA.LZH\r\n", {kEntryRow}},
        {"file ends after a marker", kEntry + "///\r\n", {kEntryRow}},
        {"long lines are read whole", "///\r\ne \r\n\r\n" + longPath + "\r\nB\r\n*.*\r\n/X\r\n",
         {{"e ", "", longPath, "B", "*.*"}}},
        {"Ctrl-Z ends the text", kEntry + "\x1A///x\r\n/X\r\n", {kEntryRow}},
        {"comments are not stored", "///one comment\r\n/X\r\n///another\r\n/x\r\n", {kExitRow, {"/x", "", "", "", ""}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.bytes), c.rows) << c.what;
}

TEST_F(ScriptFile, ReaderStopsAt256Entries) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += "///" + std::to_string(i) + "\r\n/D \"" + std::to_string(i) + "\"\r\n";
    const auto rows = Read(bytes);
    ASSERT_EQ(rows.size(), 256u);
    EXPECT_EQ(rows[255][0], "/D \"255\"");
}

// An append ends an unended last line first and adds the switches of the ticked boxes unless
// the other options hold them. DOS-era editors ended a file with Ctrl-Z, where the reader stops:
// the mark goes (as with a text-mode append), or, with text hidden behind it, the append is refused.
TEST_F(ScriptFile, AppendWritesAnEntryTheReaderSees) {
    const std::string old = "///圧縮\r\n/M \"作業フォルダ表\"\r\n";
    const auto entry = [](const std::string& options) {
        return "///追記\r\na \r\n" + options + "\r\nD:\\資料\\表.LZH\r\nD:\\作業ソ\r\n*.*\r\n";
    };
    const std::string plain = entry(" -r1 -x1");
    // `entries` are read back; a refused append leaves the file as it was.
    struct Case { const char* what; std::string before, otherOpt, after; std::size_t entries; } cases[] = {
        {"new file", "", "-m1", entry("-m1 -r1 -x1"), 1},
        {"after a whole line", old, "", old + plain, 2},
        {"last line without line break", "///\r\n/X", "", "///\r\n/X\r\n" + plain, 2},
        {"switches already in the other options", "", "-m1 -r1 -x1", entry("-m1 -r1 -x1"), 1},
        {"case matters in the switch test", "", " -R1 -X1", entry(" -R1 -X1 -r1 -x1"), 1},
        {"end mark", old + "\x1A", "", old + plain, 2},
        {"end mark after a line without its break", "///\r\n/X\x1A", "", "///\r\n/X\r\n" + plain, 2},
        // The marks are written over; those the entry does not reach stay behind it, unread.
        {"record padding", old + std::string(100, '\x1A'), "",
         old + plain + std::string(100 - plain.size(), '\x1A'), 2},
        {"text hidden behind the mark", old + "\x1A///x\r\n", "", old + "\x1A///x\r\n", 1},
    };
    for (const Case& c : cases) {
        fs::remove(path_);
        if (!c.before.empty()) Put(c.before);
        const CommandValues values{"a ", "D:\\資料\\表.LZH", "D:\\作業ソ", "*.*", {true, true, false, false},
                                   c.otherOpt};
        EXPECT_EQ(AppendScriptEntry(path_ + "\n", "追記", values), c.after != c.before) << c.what;
        EXPECT_EQ(Bytes(), c.after) << c.what;
        EXPECT_EQ(Read(Bytes()).size(), c.entries) << c.what;
    }
}

TEST_F(ScriptFile, ShowingJoinsLinesWithCrLf) {
    Put("///a\r\nl \nx\r\r\nlast");
    EXPECT_EQ(ShowScriptFile(path_), std::optional<std::string>("///a\r\nl \r\nx\r\nlast\r\n"));
}

// The reader reads nothing and keeps the last script path; the writers report it and make nothing.
TEST_F(ScriptFile, AFileThatCannotBeOpenedIsReportedAndIsNoLastScriptPath) {
    const std::string inMissingFolder = (dir_ / "no-such-folder" / "t.zav").string();
    ScriptTable table;
    std::string last = "before";
    EXPECT_FALSE(ReadScript(inMissingFolder, table, last).has_value());
    EXPECT_EQ(last, "before");
    EXPECT_FALSE(AppendScriptEntry(inMissingFolder, "c", CommandValues{}));
    EXPECT_FALSE(WritePaneLines(inMissingFolder, {"x", ""}));
    EXPECT_FALSE(fs::exists(inMissingFolder));
}

}  // namespace
}  // namespace zavo
