// The self-extracting program as UNLHA32.DLL makes it (s through ordinal 1, as zavo.exe calls
// it), run under Wine with its destination given.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sfx_test_support.h"

extern "C" int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);

namespace {

using namespace sfx_test;

TEST(SfxFromLibrary, TheMadeProgramExtractsTheArchive) {
    Scratch scratch;
    const std::vector<Item> items = {
        {"表\\ソ.txt", TextData(20000, 7)}, {"empty.txt", ""}, {"x\\y\\z.bin", std::string(3000, '\x5C')}};
    WriteBytes(scratch / "書庫.lzh", ArchiveOf(items));
    std::string output(65536, '\0');
    const std::string command = "s -n \"" + scratch / "書庫.lzh" + "\" \"" + scratch / "made\\" + "\"";
    CreateDirectoryA((scratch / "made").c_str(), nullptr);
    ASSERT_EQ(Unlha32RunCommand(nullptr, command.c_str(), &output[0], 65535), 0) << output.c_str();

    const std::string program = scratch / "made\\書庫.EXE";
    ASSERT_TRUE(Exists(program)) << output.c_str();
    // The library itself reads the archive behind the program it made.
    const std::string list = "l -n -le \"" + program + "\"";   // English words, whatever the machine speaks
    ASSERT_EQ(Unlha32RunCommand(nullptr, list.c_str(), &output[0], 65535), 0) << output.c_str();
    EXPECT_NE(std::string(output.c_str()).find(" 3 entries"), std::string::npos) << output.c_str();
    const std::string out = scratch / "out\\";
    ASSERT_EQ(RunProgram(program, "-d \"" + out + "\" -y"), 0);
    std::vector<std::string> expected = {"empty.txt", "x\\", "x\\y\\", "x\\y\\z.bin", "表\\", "表\\ソ.txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Tree(out), expected);
    for (const Item& item : items) EXPECT_EQ(ReadBytes(out + item.path), item.content) << item.path;
}

TEST(SfxFromLibrary, NamesBeyondTheCodePageComeBackExactly) {
    Scratch scratch;
    const std::wstring source = WideOf(scratch / "src\\");
    const std::wstring tree[] = {L"表ソ能\\ソース.txt", L"한국어\\보고서.txt", L"😀 𠀋.jpg", L"café.txt", L"cafe.txt",
                                 L"Ærø\\naïve résumé.doc"};
    unsigned seed = 1;
    for (const std::wstring& path : tree) WriteWide(source + path, TextData(900 + seed * 41, seed)), ++seed;
    std::string output(65536, '\0');
    const std::string archive = scratch / "u.lzh";
    const std::string add = "a -r1 -x1 -n \"" + archive + "\" \"" + scratch / "src\\" + "\" *.*";
    ASSERT_EQ(Unlha32RunCommand(nullptr, add.c_str(), &output[0], 65535), 0) << output.c_str();
    const std::string make = "s -n \"" + archive + "\" \"" + scratch.Path() + "\"";
    ASSERT_EQ(Unlha32RunCommand(nullptr, make.c_str(), &output[0], 65535), 0) << output.c_str();

    const std::string out = scratch / "out\\";
    ASSERT_EQ(RunProgram(scratch / "u.EXE", "-d \"" + out + "\" -y"), 0);
    const std::map<std::wstring, std::string> before = WideFiles(source), after = WideFiles(WideOf(out));
    EXPECT_EQ(before.size(), 6u);
    EXPECT_TRUE(before == after);
}

}  // namespace
