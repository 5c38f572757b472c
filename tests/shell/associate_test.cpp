// "関連付け" against the real HKEY_CLASSES_ROOT of the test prefix, in this test program and in
// a copy of zavo.exe in a folder with blanks, which is then started the way the shell would.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/settings/registry_probe.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"
#include "text/cp932.h"

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
        EXPECT_TRUE(probe.exists) << key;
        EXPECT_EQ(probe.type, static_cast<DWORD>(REG_SZ)) << key;
        EXPECT_EQ(probe.size, value.size()) << key;
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

TEST_F(Associate, EachPressWritesTheFourEntriesTakingOverAnotherProgramsType) {
    MainDialog dialog(engine, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        HICON icon = reinterpret_cast<HICON>(1);
        EXPECT_EQ(PressAssociate(window, &icon), kDone);
        EXPECT_EQ(icon, nullptr);
        ExpectRegisteredFor(ModulePath());
        // Another program takes the type; the second press takes it back and leaves the
        // entries that are not ours alone.
        PutString(HKEY_CLASSES_ROOT, ".ZAV", "", "OtherApp.Script");
        PutString(HKEY_CLASSES_ROOT, ".ZAV", "Content Type", "text/plain");
        PutString(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell\\open\\command", "", "\"C:\\Other\\other.exe\" \"%1\"");
        PutString(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell\\edit\\command", "", "notepad.exe \"%1\"");
        EXPECT_EQ(PressAssociate(window), kDone);
        ExpectRegisteredFor(ModulePath());
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    EXPECT_EQ(ProbeValue(HKEY_CLASSES_ROOT, ".ZAV", "Content Type").bytes, "text/plain");
    EXPECT_EQ(DefaultValue("ZAVOfile\\Shell\\edit\\command"), "notepad.exe \"%1\"");
}

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

// A folder tree under Z:\tmp whose names hold blanks; everything in it is removed at the end.
class BlankFolders {
public:
    BlankFolders() : root_("Z:\\tmp\\zavo shell " + std::to_string(GetCurrentProcessId()) + "\\") {
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA(Program().c_str(), nullptr);
        CreateDirectoryA(Scripts().c_str(), nullptr);
    }
    ~BlankFolders() {
        for (const std::string& file : files_) DeleteFileA(file.c_str());
        RemoveDirectoryA(Scripts().c_str());
        RemoveDirectoryA(Program().c_str());
        RemoveDirectoryA(root_.c_str());
    }
    std::string Program() const { return root_ + "Program Files\\"; }
    std::string Scripts() const { return root_ + "my scripts\\"; }
    // Files to remove at the end.
    const std::string& Track(const std::string& path) { return files_.emplace_back(path); }

private:
    std::string root_;
    std::vector<std::string> files_;
};

bool WriteFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return written == text.size();
}

struct Started {
    PROCESS_INFORMATION info{};
    bool ok = false;
    ~Started() {
        if (!ok) return;
        // A program that hangs must not outlive the test.
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    DWORD WaitExit(DWORD milliseconds) {
        if (WaitForSingleObject(info.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

void Start(std::string commandLine, Started& started) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    started.ok = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &started.info) != FALSE;
}

TEST_F(Associate, ACopyInAFolderWithBlanksRegistersItselfAndRunsAScriptOpenedThroughTheEntries) {
    BlankFolders folders;
    std::string built = cp932::FolderPart(ModulePath());
    std::string program = folders.Track(folders.Program() + "zavo.exe");
    ASSERT_TRUE(CopyFileA((built + "zavo.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "UNLHA32.DLL").c_str(), folders.Track(folders.Program() + "UNLHA32.DLL").c_str(),
                          FALSE));

    {
        Started zavo;
        Start("\"" + program + "\"", zavo);
        ASSERT_TRUE(zavo.ok);
        HWND window = WaitForWindow(zavo.info.dwThreadId, "ZAVO v.1.9");
        ASSERT_TRUE(window);
        EXPECT_EQ(PressAssociate(window), kDone);
        ClickLater(GetDlgItem(window, IDC_CLOSE));
        EXPECT_EQ(zavo.WaitExit(20000), 0u);
    }
    ExpectRegisteredFor(program);

    // A script with a blank in its path: copy a file, then exit, which ends the program.
    std::string source = folders.Track(folders.Scripts() + "source file.txt");
    std::string target = folders.Track(folders.Scripts() + "copied file.txt");
    std::string script = folders.Track(folders.Scripts() + "copy test.ZAV");
    ASSERT_TRUE(WriteFile(source, "trace"));
    ASSERT_TRUE(WriteFile(script, "///copy\r\n/C \"" + source + "\" \"" + target + "\"\r\n///end\r\n/X\r\n"));

    // What the shell starts for that script: the registered command with "%1" replaced.
    std::string command = DefaultValue("ZAVOfile\\Shell\\open\\command");
    size_t placeholder = command.find("%1");
    ASSERT_NE(placeholder, std::string::npos) << command;
    command.replace(placeholder, 2, script);
    Started launched;
    Start(command, launched);
    ASSERT_TRUE(launched.ok) << command;
    EXPECT_EQ(launched.WaitExit(30000), 0u) << "the script's exit line did not end the program: " << command;
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES) << "the script's copy left no file";
}

}  // namespace
}  // namespace zavo
