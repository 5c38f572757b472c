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

std::string ModulePath() {
    char buffer[1024] = {};
    GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
    return buffer;
}

std::string DefaultValue(const std::string& keyPath) { return ProbeValue(HKEY_CLASSES_ROOT, keyPath, "").bytes; }

// The four default values exactly, stored without a terminating NUL.
void ExpectRegisteredFor(const std::string& program) {
    const std::pair<const char*, std::string> entries[] = {
        {".ZAV", "ZAVOfile"},
        {"ZAVOfile", "ZAVO Script file"},
        {"ZAVOfile\\DefaultIcon", program + " ,1"},
        {"ZAVOfile\\Shell\\open\\command", "\"" + program + "\"  \"%1\""},
    };
    for (const auto& [key, value] : entries) {
        Probe probe = ProbeValue(HKEY_CLASSES_ROOT, key, "");
        EXPECT_TRUE(probe.exists && probe.type == REG_SZ && probe.size == value.size()) << key;
        EXPECT_EQ(probe.bytes, value) << key;
    }
}

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

class Associate : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        DeleteKeyTree(HKEY_CLASSES_ROOT, ".ZAV");
        DeleteKeyTree(HKEY_CLASSES_ROOT, "ZAVOfile");
    }

    RecordingEngine engine;
    ProgramState state;
};

TEST_F(Associate, AKeyThatCannotBeWrittenIsReportedNotConfirmed) {
    // Under a volatile "Shell" only volatile keys can be made, so "open\command" fails.
    PutString(HKEY_CLASSES_ROOT, "ZAVOfile", "", "old");
    CreateVolatileKey(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell");
    MainDialog dialog(engine, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        HICON icon = nullptr;
        std::string text = PressAssociate(window, &icon);
        EXPECT_EQ(text.find(kDone), std::string::npos) << text;
        EXPECT_NE(text.find("HKEY_CLASSES_ROOT\\ZAVOfile\\Shell\\open\\command"), std::string::npos) << text;
        EXPECT_EQ(text.find("DefaultIcon"), std::string::npos) << text;
        EXPECT_EQ(icon, LoadIcon(nullptr, IDI_EXCLAMATION));
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    // The entries that could be written are there.
    EXPECT_EQ(DefaultValue(".ZAV"), "ZAVOfile");
    EXPECT_EQ(DefaultValue("ZAVOfile\\DefaultIcon"), ModulePath() + " ,1");
}

TEST_F(Associate, ACopyInAFolderWithBlanksRegistersItselfTwiceAndRunsAScriptOpenedThroughTheEntries) {
    Scratch folder;  // the two folders below hold blanks and 0x5C trail bytes
    CreateDirectoryA((folder / "Program Files 表ソ").c_str(), nullptr);
    CreateDirectoryA((folder / "my 能 scripts").c_str(), nullptr);
    std::string built = BinFolder();
    std::string program = folder / "Program Files 表ソ\\zavo.exe";
    ASSERT_TRUE(CopyFileA((built + "zavo.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "UNLHA32.DLL").c_str(), (folder / "Program Files 表ソ\\UNLHA32.DLL").c_str(), FALSE));
    {
        ChildProcess zavo;
        ASSERT_TRUE(zavo.Start("\"" + program + "\""));
        HWND window = WaitForWindow(zavo.ThreadId(), "ZAVO v.1.9");
        ASSERT_TRUE(window);
        HICON icon = reinterpret_cast<HICON>(1);
        EXPECT_EQ(PressAssociate(window, &icon), kDone);
        EXPECT_EQ(icon, nullptr);
        ExpectRegisteredFor(program);
        // Another program takes the type; the second press takes it back and leaves the
        // entries that are not ours alone.
        PutString(HKEY_CLASSES_ROOT, ".ZAV", "", "OtherApp.Script");
        PutString(HKEY_CLASSES_ROOT, ".ZAV", "Content Type", "text/plain");
        PutString(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell\\open\\command", "", "\"C:\\Other\\other.exe\" \"%1\"");
        PutString(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell\\edit\\command", "", "notepad.exe \"%1\"");
        EXPECT_EQ(PressAssociate(window), kDone);
        ClickLater(GetDlgItem(window, IDC_CLOSE));
        EXPECT_EQ(zavo.WaitExit(), 0u);
    }
    ExpectRegisteredFor(program);
    EXPECT_EQ(ProbeValue(HKEY_CLASSES_ROOT, ".ZAV", "Content Type").bytes, "text/plain");
    EXPECT_EQ(DefaultValue("ZAVOfile\\Shell\\edit\\command"), "notepad.exe \"%1\"");

    // A script with a blank in its path: copy a file, then exit, which ends the program before
    // the row behind it.
    std::string source = folder / "my 能 scripts\\source file.txt";
    std::string target = folder / "my 能 scripts\\copied file.txt";
    WriteBytes(source, "trace");
    WriteBytes(folder / "my 能 scripts\\copy test.ZAV", "///copy\r\n/C \"" + source + "\" \"" + target +
                                                       "\"\r\n///end\r\n/X\r\n///never\r\n/M \"" + folder / "never" + "\"\r\n");

    // What the shell starts for that script: the registered command with "%1" replaced.
    std::string command = DefaultValue("ZAVOfile\\Shell\\open\\command");
    size_t placeholder = command.find("%1");
    ASSERT_NE(placeholder, std::string::npos) << command;
    command.replace(placeholder, 2, folder / "my 能 scripts\\copy test.ZAV");
    ChildProcess launched;
    ASSERT_TRUE(launched.Start(command)) << command;
    EXPECT_EQ(launched.WaitExit(30000), 0u) << "the script's exit line did not end the program: " << command;
    EXPECT_EQ(ReadBytes(target), "trace") << "the script's copy left no file";
    EXPECT_FALSE(Exists(folder / "never")) << "a row behind the exit line ran";
}

}  // namespace
}  // namespace zavo
