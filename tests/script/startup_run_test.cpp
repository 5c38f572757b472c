// zavo.exe started with a script on its command line, as the desktop starts it, beside a
// recording UNLHA32.DLL: the start-up read and the run on the first paint, seen from outside.
#include <gtest/gtest.h>

#include "resources/main_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// Counts the thread's dialogs, shown or not yet: the main window and any message box.
BOOL CALLBACK CountDialogs(HWND hwnd, LPARAM l) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) == "#32770") ++*reinterpret_cast<int*>(l);
    return TRUE;
}

// One copy of the program with the recording library in a test folder of its own.
class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(ZAVO_EXE, (folder_ / "zavo.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(LIBRARY_DOUBLE, (folder_ / "UNLHA32.DLL").c_str(), FALSE));
        SetEnvironmentVariableA("ZAVO_LIBRARY_LOG", (folder_ / "library.log").c_str());
    }
    // The command line the file-type registration gives: quoted program, two blanks, quoted script.
    void Start(const std::string& script) {
        ASSERT_TRUE(program_.Start("\"" + folder_ / "zavo.exe" + "\"  \"" + script + "\"", folder_.Path()));
    }

    Scratch folder_;
    ChildProcess program_;
};

// No row after the exit line runs.
TEST_F(StartedProgram, RunsTheScriptWithoutSwitchesAndEndsOnItsExitLine) {
    WriteBytes(folder_ / "表 ソ.zav",
               "///list\r\nl \r\n\r\nA.LZH\r\n\r\n*.*\r\n///test\r\nt \r\n-n\r\nB.LZH\r\nWORK\r\n*.txt\r\n"
               "///done\r\n/x\r\n///never\r\nl \r\n\r\nC.LZH\r\n\r\n*.*\r\n");
    Start(folder_ / "表 ソ.zav");
    EXPECT_EQ(program_.WaitExit(), 0u);
    EXPECT_EQ(ReadBytes(folder_ / "library.log"),
              "l    \"A.LZH\" \"\" \"*.*\"\nt   -n \"B.LZH\" \"WORK\\\" \"*.txt\"\n");
}

TEST_F(StartedProgram, AMissingScriptRunsNothingAndSaysNothing) {
    Start(folder_ / "missing.zav");
    HWND window = WaitForWindow(program_.ThreadId(), "ZAVO v.1.9");
    ASSERT_TRUE(window);
    // The start-up run shows the picture button and ends within the same paint. A message sent
    // after it is taken once that paint is done, or inside the loop of a box the run shows.
    ASSERT_TRUE(WaitUntil([&] { return IsShown(window, IDC_SHOW_PATH_LIST); }));
    DWORD_PTR ignored;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored));
    int dialogs = 0;
    EnumThreadWindows(WindowThread(window), CountDialogs, reinterpret_cast<LPARAM>(&dialogs));
    EXPECT_EQ(dialogs, 1);  // the main window, and no message box
    EXPECT_FALSE(Exists(folder_ / "library.log"));
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(program_.WaitExit(), 0u);
}

}  // namespace
}  // namespace zavo
