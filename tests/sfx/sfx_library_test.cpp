// The self-extracting program as UNLHA32.DLL makes it (s through ordinal 1, as zavo.exe calls
// it), run under Wine with its destination given.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "sfx_test_support.h"

extern "C" int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);

namespace {

using namespace sfx_test;

TEST(SfxFromLibrary, TheMadeProgramGivesBackEveryNameAndByte) {
    Scratch scratch;
    const std::wstring source = WideOf(scratch / "src\\");
    const std::wstring tree[] = {L"表ソ能\\ソース.txt", L"한국어\\보고서.txt", L"😀 𠀋.jpg", L"café.txt",
                                 L"cafe.txt",         L"Ærø\\naïve résumé.doc", L"x\\y\\z.bin"};
    unsigned seed = 1;
    for (const std::wstring& path : tree) WriteWide(source + path, TextData(900 + seed * 41, seed)), ++seed;
    WriteWide(source + L"empty.txt", "");
    const std::string archive = scratch / "書庫.lzh", program = scratch / "書庫.EXE";
    std::string output(65536, '\0');
    // English words (-le), whatever the machine speaks.
    for (const std::string& line : {"a -r1 -x1 -n \"" + archive + "\" \"" + scratch / "src\\" + "\" *.*",
                                    "s -n \"" + archive + "\" \"" + scratch.Path() + "\"", "l -n -le \"" + program + "\""})
        ASSERT_EQ(Unlha32RunCommand(nullptr, line.c_str(), &output[0], 65535), 0) << line << "\n" << output.c_str();
    // The library itself reads the archive behind the program it made.
    EXPECT_NE(std::string(output.c_str()).find(" 8 entries"), std::string::npos) << output.c_str();

    const std::string out = scratch / "out\\";
    ASSERT_EQ(RunProgram(program, "-d \"" + out + "\" -y"), 0);
    const std::map<std::wstring, std::string> before = WideFiles(source), after = WideFiles(WideOf(out));
    EXPECT_EQ(before.size(), 8u);
    EXPECT_TRUE(before == after);
}

}  // namespace
