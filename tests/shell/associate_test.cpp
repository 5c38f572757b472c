// "関連付け" against the real HKEY_CLASSES_ROOT of the test prefix, in this test program and in
// a copy of zavo.exe in a folder with blanks, which is then started the way the shell would.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/settings/registry_probe.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

const char* const kDone = "関連付けを行ないました。";

// How the values are stored (a REG_SZ without a terminating NUL) is the record test's.
std::string DefaultValue(const std::string& keyPath) { return ProbeValue(HKEY_CLASSES_ROOT, keyPath, "").bytes; }

// Presses "関連付け" and answers the box; returns its text, or "(no box)".
std::string PressAssociate(HWND window, HICON* icon = nullptr) {
    ClickLater(GetDlgItem(window, IDC_ASSOCIATE));
    HWND box = WaitForWindow(WindowThread(window), "ZAVO");
    if (!box) return "(no box)";
    std::string text = MessageBoxText(box);
    if (icon) *icon = MessageBoxIcon(box);
    Answer(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

struct Associate : ::testing::Test {
    void SetUp() override { TearDown(); }
    void TearDown() override { DeleteKeyTree(HKEY_CLASSES_ROOT, ".ZAV"), DeleteKeyTree(HKEY_CLASSES_ROOT, "ZAVOfile"); }
};

// Another program holds the type. Under a volatile "Shell" only volatile keys can be made, so
// "open\command" fails.
TEST_F(Associate, AKeyThatCannotBeWrittenIsReportedNotConfirmed) {
    PutString(HKEY_CLASSES_ROOT, ".ZAV", "", "OtherApp.Script");
    PutString(HKEY_CLASSES_ROOT, ".ZAV", "Content Type", "text/plain");
    PutString(HKEY_CLASSES_ROOT, "ZAVOfile", "", "old");
    CreateVolatileKey(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell");
    RecordingEngine engine;
    ProgramState state;
    MainDialog dialog(engine, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        HICON icon = nullptr;
        std::string text = PressAssociate(window, &icon);
        EXPECT_TRUE(text.find(kDone) == std::string::npos && text.find("DefaultIcon") == std::string::npos &&
                    text.find("HKEY_CLASSES_ROOT\\ZAVOfile\\Shell\\open\\command") != std::string::npos) << text;
        EXPECT_EQ(icon, LoadIcon(nullptr, IDI_EXCLAMATION));
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    // The entries that could be written are there, taken back from the other program, whose
    // other values stay.
    EXPECT_EQ(DefaultValue(".ZAV") + "|" + DefaultValue("ZAVOfile"), "ZAVOfile|ZAVO Script file");
    EXPECT_EQ(ProbeValue(HKEY_CLASSES_ROOT, ".ZAV", "Content Type").bytes, "text/plain");
}

TEST_F(Associate, ACopyInAFolderWithBlanksRegistersItselfAndRunsAScriptOpenedThroughTheEntries) {
    Scratch folder;  // the two folders below hold blanks and 0x5C trail bytes
    const std::string program = folder / "Program Files 表ソ\\zavo.exe", scripts = folder / "my 能 scripts\\";
    CreateDirectoryA((folder / "Program Files 表ソ").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((BinFolder() + "zavo.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((BinFolder() + "UNLHA32.DLL").c_str(), (folder / "Program Files 表ソ\\UNLHA32.DLL").c_str(), FALSE));
    {
        ChildProcess zavo;
        ASSERT_TRUE(zavo.Start("\"" + program + "\""));
        HWND window = WaitForWindow(zavo.ThreadId(), "ZAVO v.1.9");
        ASSERT_TRUE(window);
        HICON icon = reinterpret_cast<HICON>(1);
        EXPECT_EQ(PressAssociate(window, &icon), kDone);
        EXPECT_EQ(icon, nullptr);
        ClickLater(GetDlgItem(window, IDC_CLOSE));
        EXPECT_EQ(zavo.WaitExit(), 0u);
    }
    EXPECT_EQ(DefaultValue(".ZAV") + "|" + DefaultValue("ZAVOfile") + "|" + DefaultValue("ZAVOfile\\DefaultIcon"),
              "ZAVOfile|ZAVO Script file|" + program + " ,1");

    // A script with a blank in its path: copy a file, then exit, which ends the program before
    // the row behind it.
    WriteBytes(scripts + "source file.txt", "trace");
    WriteBytes(scripts + "copy test.ZAV", "///copy\r\n/C \"" + scripts + "source file.txt\" \"" + scripts +
                                              "copied file.txt\"\r\n///end\r\n/X\r\n///never\r\n/M \"" + folder / "never" + "\"\r\n");

    // What the shell starts for that script: the registered command with "%1" replaced.
    std::string command = DefaultValue("ZAVOfile\\Shell\\open\\command");
    ASSERT_EQ(command, "\"" + program + "\"  \"%1\"");
    ChildProcess launched;
    ASSERT_TRUE(launched.Start(command.replace(command.find("%1"), 2, scripts + "copy test.ZAV"))) << command;
    EXPECT_EQ(launched.WaitExit(30000), 0u) << "the script's exit line did not end the program: " << command;
    EXPECT_EQ(ReadBytes(scripts + "copied file.txt"), "trace") << "the script's copy left no file";
    EXPECT_FALSE(Exists(folder / "never")) << "a row behind the exit line ran";
}

}  // namespace
}  // namespace zavo
