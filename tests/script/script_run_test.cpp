// The script runs driven as a person would: "&Script", the editor's "実行(&E)", the entries put
// through a recording library, operation lines on real files, the pause and the stops; and the
// run of a script named on the command line.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "resources/script_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// A script entry: its marker line, then an operation line or an archiver entry's five lines.
template <typename... Lines>
std::string Entry(const Lines&... lines) { return (std::string("///\r\n") + ... + (std::string(lines) + "\r\n")); }

// A run holds the window's thread until it ends; its last step enables the command buttons.
bool RunEnded(HWND window, const std::function<bool()>& outcome) {
    return WaitUntil([&] { return outcome() && IsEnabled(window, IDC_EXTRACT); });
}

std::string Log(HWND window) { return ItemTextOf(window, IDC_OUTPUT_LOG); }

// One main window over a recording library, with a folder for its scripts.
class ScriptRun : public ::testing::Test {
protected:
    // `steps` on the driven window, then "&Close".
    void Drive(const std::function<void(HWND)>& steps) {
        RunDriven(dialog, [&](HWND window) { steps(window); Click(GetDlgItem(window, IDC_CLOSE)); });
    }
    // `bytes` written as the script, run with "&Script", its path typed into the editor, "実行(&E)".
    void StartScript(HWND window, const std::string& bytes) {
        WriteBytes(script, bytes);
        ClickLater(GetDlgItem(window, IDC_SCRIPT));
        HWND editor = WaitForWindow(WindowThread(window), "Script File");
        ASSERT_TRUE(editor);
        ClearEdit(GetDlgItem(editor, IDC_SCRIPT_PATH));
        Type(GetDlgItem(editor, IDC_SCRIPT_PATH), script);
        Click(GetDlgItem(editor, IDC_SCRIPT_RUN));
    }

    Scratch folder;
    const std::string script = folder / "表 ソ.zav";
    RecordingEngine engine;
    ProgramState state;
    MainDialog dialog{engine, state, "zavo.exe"};
};

TEST_F(ScriptRun, EntriesRunWithTheTickedBoxesAndTheFieldsAreResetAfterTheLastRow) {
    engine.SetAnswer(0, "done\n");
    Drive([&](HWND window) {
        Click(GetDlgItem(window, IDC_RECURSIVE));
        Type(GetDlgItem(window, IDC_OTHER_OPTION), "-typed");
        StartScript(window, Entry("a ", " -r1", "A.LZH", "D:\\WORK", "*.*") + Entry("l ", "-n", "B.LZH", "", "*.txt"));
        ASSERT_TRUE(RunEnded(window, [&] { return Log(window) == "done\r\ndone\r\n"; }));
        EXPECT_FALSE(IsChecked(window, IDC_RECURSIVE));
        EXPECT_TRUE(IsChecked(window, IDC_FOLDER_NAME));
        EXPECT_TRUE(IsChecked(window, IDC_NEWER_YES));
        EXPECT_EQ(ItemTextOf(window, IDC_OTHER_OPTION), "");
        EXPECT_EQ(ItemTextOf(window, IDC_LZH_PATH), "B.LZH");
        EXPECT_EQ(ItemTextOf(window, IDC_FILE_NAME), "*.txt");
    });
    EXPECT_EQ(engine.CommandLines(), (std::vector<std::string>{"a   -r1 -x1 -jyo -a1  -r1 \"A.LZH\" \"D:\\WORK\\\" \"*.*\"",
                                                               "l   -r1 -x1 -jyo -a1 -n \"B.LZH\" \"\" \"*.txt\""}));
    EXPECT_EQ(dialog.Fields().values.command, "l ");
}

// The editor appends the window's values as they are shown, typed or not, and shows the file.
TEST_F(ScriptRun, EditorAppendsTheWindowsValuesAndShowsTheFile) {
    const std::string bytes = "///二回目\r\nt \r\n-n -x1 -jyo -a1\r\nA.LZH\r\n\r\n*.*\r\n";
    Drive([&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        Click(GetDlgItem(window, IDC_TEST));
        Type(GetDlgItem(window, IDC_OTHER_OPTION), "-n");
        ClickLater(GetDlgItem(window, IDC_SCRIPT));
        HWND editor = WaitForWindow(WindowThread(window), "Script File");
        ASSERT_TRUE(editor);
        Type(GetDlgItem(editor, IDC_SCRIPT_PATH), folder / "new.zav");
        Type(GetDlgItem(editor, IDC_SCRIPT_COMMENT), "二回目");
        Click(GetDlgItem(editor, IDC_SCRIPT_APPEND));
        EXPECT_EQ(ItemTextOf(editor, IDC_SCRIPT_CONTENTS), bytes);
        EXPECT_EQ(ItemTextOf(editor, IDC_SCRIPT_COMMENT), "二回目");
        Click(GetDlgItem(editor, IDC_SCRIPT_CLOSE));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    });
    EXPECT_EQ(ReadBytes(folder / "new.zav"), bytes);
    EXPECT_EQ(state.lastScriptPath, folder / "new.zav");
}

TEST_F(ScriptRun, ABusyLibraryBeforeAnEntryGetsTheScriptsOwnWarning) {
    Drive([&](HWND window) {
        engine.QueueBusyAnswers({1});
        StartScript(window, Entry("t ", "", "A.LZH", "", "*.*"));
        HWND box = WaitForWindow(WindowThread(window), "Warning");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), "[UNLHA32.DLL] is busy now. Try [OK] after a moment.");
        Answer(box, IDOK);
        ASSERT_TRUE(RunEnded(window, [&] { return engine.CommandLines().size() == 1; }));
    });
    // The script's check, its repeat after OK, then the command run's own check.
    EXPECT_EQ(engine.BusyQueries(), 3);
}

TEST_F(ScriptRun, OperationLinesTouchRealFilesAndLogTheirOutcome) {
    WriteBytes(folder / "a.txt", "A");
    const std::string f = folder.Path();
    const std::pair<std::string, const char*> lines[] = {
        {"/M \"" + f + "sub\"", "OK"},
        {"/C \"" + f + "a.txt\" \"" + f + "sub\\b.txt\"", "OK"},
        {"/c \"" + f + "a.txt\" \"" + f + "with blank.txt\"", "OK"},
        {"/C \"" + f + "a.txt\"", "ERROR"},
        {"/C \"" + f + "a.txt\" \"" + f + "sub\\c.txt\" \"" + f + "x\"", "ERROR"},
        {"/R \"" + f + "sub\"", "ERROR"},
        {"/d \"" + f + "sub\\b.txt\"", "OK"},
        {"/R \"" + f + "sub\"", "OK"},
        {"/M \"" + f + "no\\such\\levels\"", "ERROR"},
        {"/Q \"" + f + "a.txt\"", "OK"},
        {"/", "OK"},
    };
    std::string operations, log;
    for (const auto& [line, outcome] : lines) {
        operations += Entry(line);
        log += line + " [" + outcome + "]\r\n";
    }
    Drive([&](HWND window) {
        StartScript(window, operations);
        ASSERT_TRUE(RunEnded(window, [&] { return Log(window).size() >= log.size(); }));
        EXPECT_EQ(Log(window), log);
    });
    EXPECT_EQ(ReadBytes(folder / "with blank.txt"), "A");
    EXPECT_FALSE(Exists(folder / "sub"));
    EXPECT_FALSE(Exists(folder / "x"));
    EXPECT_TRUE(engine.CommandLines().empty());
}

TEST_F(ScriptRun, PauseGoesOnWithContinueAndEndsTheProgramOtherwise) {
    const std::string x = folder / "x.txt", y = folder / "y.txt";
    for (const std::string& file : {x, y}) WriteBytes(file, "");
    const INT_PTR result = RunDriven(dialog, [&](HWND window) {
        StartScript(window, Entry("/S") + Entry("/D \"" + x + "\"") + Entry("/S") + Entry("/D \"" + y + "\""));
        HWND pause = WaitForWindow(WindowThread(window), "一時停止");
        ASSERT_TRUE(pause);
        Answer(pause, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(pause); }));
        pause = WaitForWindow(WindowThread(window), "一時停止");
        ASSERT_TRUE(pause);
        EXPECT_EQ(Log(window), "/S [OK]\r\n/D \"" + x + "\" [OK]\r\n");
        Answer(pause, IDCANCEL);   // the window ends with the run
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(Exists(x));
    EXPECT_TRUE(Exists(y));
}

// A failed entry stops the run there and leaves the window as that entry set it: no reset.
TEST_F(ScriptRun, AFailedEntryStopsTheRunWithoutResets) {
    // The second library call fails (the hook runs before the call is recorded).
    engine.SetDuringRun([](void* e) {
        auto* engine = static_cast<RecordingEngine*>(e);
        if (engine->CommandLines().size() == 1) engine->SetAnswer(1, "");
    }, &engine);
    Drive([&](HWND window) {
        Click(GetDlgItem(window, IDC_RECURSIVE));
        StartScript(window, Entry("t ", "-one", "1.LZH", "", "*.*") + Entry("t ", "-two", "2.LZH", "", "*.*") +
                                Entry("t ", "-three", "3.LZH", "", "*.*"));
        ASSERT_TRUE(RunEnded(window, [&] { return engine.CommandLines().size() == 2; }));
        EXPECT_EQ(ItemTextOf(window, IDC_LZH_PATH), "2.LZH");
        EXPECT_EQ(ItemTextOf(window, IDC_OTHER_OPTION), "-two");
        EXPECT_TRUE(IsChecked(window, IDC_RECURSIVE));
    });
    // Every handler has returned once the window has ended: a run that went on shows here.
    EXPECT_EQ(engine.CommandLines().size(), 2u);
}

// The window as a desktop shows a program started minimised: the dialog's own showing is
// followed by minimising before anything is painted (a posted message comes before WM_PAINT).
struct MinimisedMainDialog : MainDialog {
    using MainDialog::MainDialog;
    bool minimised = false;
    INT_PTR OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override {
        if (message == WM_SHOWWINDOW && w && !minimised) PostMessageA(Handle(), WM_APP + 1, 0, 0);
        if (message != WM_APP + 1 || minimised) return MainDialog::OnMessage(message, w, l, handled);
        minimised = handled = true;
        ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
        return TRUE;
    }
};

// A program started minimised with a script runs it only once its window is first restored.
TEST_F(ScriptRun, AMinimisedStartWaitsForTheRestoredWindow) {
    WriteBytes(script, Entry("t ", "", "1.LZH", "", "*.*") + Entry("t ", "", "2.LZH", "", "*.*"));
    MinimisedMainDialog minimised(engine, state, "zavo.exe \"" + script + "\"");
    EXPECT_EQ(state.lastScriptPath, script);
    RunDriven(minimised, [&](HWND window) {
        // The first step comes once the loop has nothing else to do: every paint was handled.
        ASSERT_TRUE(IsIconic(window));
        EXPECT_TRUE(engine.CommandLines().empty());
        ShowWindow(window, SW_RESTORE);
        ASSERT_TRUE(RunEnded(window, [&] { return engine.CommandLines().size() == 2; }));
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    EXPECT_EQ(engine.CommandLines()[0], "t    \"1.LZH\" \"\" \"*.*\"");
}

}  // namespace
}  // namespace zavo
