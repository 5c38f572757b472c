// zavo.exe started with a script on its command line, as the desktop starts it, beside a
// recording UNLHA32.DLL: the start-up read and the run on the first paint, seen from outside.
#include <gtest/gtest.h>

#include "resources/main_dialog_ids.h"
#include "tests/script/test_folder.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// The build gives Linux paths; Wine reaches them through drive Z:.
std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + unixPath;
}

struct WindowSearch {
    DWORD processId;
    std::string caption;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM l) {
    auto* search = reinterpret_cast<WindowSearch*>(l);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == search->processId && IsWindowVisible(hwnd) && TextOf(hwnd) == search->caption) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// GetWindowText does not ask a window of another process for its text: WM_GETTEXT does.
std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

BOOL CALLBACK CountShownWindows(HWND hwnd, LPARAM l) {
    if (IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(l);
    return TRUE;
}

// One copy of the program with the recording library in a test folder of its own.
class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA(WindowsPath(ZAVO_EXE).c_str(), (folder_ / "zavo.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(LIBRARY_DOUBLE).c_str(), (folder_ / "UNLHA32.DLL").c_str(), FALSE));
        SetEnvironmentVariableA("ZAVO_LIBRARY_LOG", (folder_ / "library.log").c_str());
    }
    void TearDown() override {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    // The command line the file-type registration gives: quoted program, two blanks, quoted script.
    void Start(const std::string& script) {
        std::string commandLine = "\"" + folder_ / "zavo.exe" + "\"  \"" + script + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder_.Path().c_str(), &startup, &process_));
    }
    HWND WindowOfProgram(const std::string& caption, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const {
        WindowSearch search{process_.dwProcessId, caption, nullptr};
        WaitUntil([&] {
            EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, timeout);
        return search.found;
    }
    HWND MainWindow() const { return WindowOfProgram("ZAVO v.1.9"); }
    bool Ended(DWORD& exitCode) const {
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
    }
    std::string LibraryLog() const { return folder_.Bytes("library.log"); }
    void ExpectStartUpLook(HWND window) const {
        for (int id : {IDC_RECURSIVE, IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB, IDC_ENABLE_PATH_LIST}) {
            EXPECT_FALSE(IsChecked(window, id)) << id;
        }
        EXPECT_TRUE(IsShown(window, IDC_BT9));
        EXPECT_FALSE(IsShown(window, IDC_PATH_LIST));
        EXPECT_TRUE(IsEnabled(window, IDC_EXTRACT));
    }

    TestFolder folder_;
    PROCESS_INFORMATION process_{};
};

const std::string kTwoEntries = "///list\r\nl \r\n\r\nA.LZH\r\n\r\n*.*\r\n///test\r\nt \r\n-n\r\nB.LZH\r\nWORK\r\n*.txt\r\n";
const std::string kTwoCommandLines = "l    \"A.LZH\" \"\" \"*.*\"\nt   -n \"B.LZH\" \"WORK\\\" \"*.txt\"\n";

TEST_F(StartedProgram, RunsTheScriptWithoutSwitchesAndEndsOnItsExitLine) {
    folder_.Put("s.zav", kTwoEntries + "///done\r\n/X\r\n");
    Start(folder_ / "s.zav");
    DWORD exitCode = 99;
    ASSERT_TRUE(Ended(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(LibraryLog(), kTwoCommandLines);
}

TEST_F(StartedProgram, LeavesTheBoxesUntickedAndBt9ShownAfterTheRun) {
    folder_.Put("s.zav", kTwoEntries);
    Start(folder_ / "s.zav");
    HWND window = MainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntil([&] { return LibraryLog() == kTwoCommandLines && IsEnabled(window, IDC_EXTRACT); }));
    ExpectStartUpLook(window);
    EXPECT_EQ(ControlText(window, IDC_LZH_PATH), "B.LZH");
    EXPECT_EQ(ControlText(window, IDC_OUTPUT_LOG), "recorded\r\nrecorded\r\n");
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(Ended(exitCode));
}

TEST_F(StartedProgram, AMissingScriptRunsNothingAndSaysNothing) {
    Start(folder_ / "missing.zav");
    HWND window = MainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(window, IDC_BT9); }));
    Sleep(500);
    int shown = 0;
    EnumThreadWindows(WindowThread(window), CountShownWindows, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, 1);  // the main window, and no message box
    ExpectStartUpLook(window);
    EXPECT_FALSE(folder_.Exists("library.log"));
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(Ended(exitCode));
}

// The tour of samples/ with the real library, run from its own folder as the desktop runs it.
TEST_F(StartedProgram, TheSampleTourRunsWithTheRealLibrary) {
    ASSERT_TRUE(CopyFileA(WindowsPath(REAL_LIBRARY).c_str(), (folder_ / "UNLHA32.DLL").c_str(), FALSE));
    const std::string samples = WindowsPath(ZAVO_SOURCE_DIR "/samples/");
    const char* files[] = {"tour-files\\hello.txt", "tour-files\\notes\\readme.txt"};
    CreateDirectoryA((folder_ / "tour-files").c_str(), nullptr);
    CreateDirectoryA((folder_ / "tour-files\\notes").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((samples + "tour.zav").c_str(), (folder_ / "tour.zav").c_str(), FALSE));
    for (const char* file : files) ASSERT_TRUE(CopyFileA((samples + file).c_str(), (folder_ / file).c_str(), FALSE));

    Start("tour.zav");
    HWND pause = WindowOfProgram("一時停止", std::chrono::seconds(60));
    ASSERT_TRUE(pause) << "the tour did not reach its pause";
    HWND window = MainWindow();
    std::string log = ControlText(window, IDC_OUTPUT_LOG);
    EXPECT_NE(log.find("/M \"tour-out\" [OK]"), std::string::npos) << log;
    EXPECT_NE(log.find("/C \"tour-out\\tour.lzh\" \"tour-out\\tour-copy.lzh\" [OK]"), std::string::npos) << log;
    PostMessageA(pause, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(Ended(exitCode));
    EXPECT_EQ(exitCode, 0u);
    for (const char* file : files) {
        std::string name = file;
        EXPECT_EQ(folder_.Bytes("tour-out\\extracted\\" + name.substr(name.find('\\') + 1)), folder_.Bytes(name)) << file;
    }
    EXPECT_EQ(folder_.Bytes("tour-out\\tour-copy.lzh"), folder_.Bytes("tour-out\\tour.lzh"));
}

}  // namespace
}  // namespace zavo
