// The main window driven as a person would, with a recording library in place of the real one:
// its start, the lines the library receives from the command buttons and what the window shows
// afterwards. The busy protocol's process end is watched from outside, in a child program.
#include <gtest/gtest.h>

#include <array>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "resources/resource_ids.h"
#include "tests/support/recording_engine.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

constexpr std::array<int, 8> kCommandButtons = {IDC_EXTRACT, IDC_ADD,  IDC_UPDATE, IDC_FRESHEN,
                                                IDC_TEST,    IDC_LIST, IDC_DELETE, IDC_MAKE_SELF};
// Every other control a person can use: none of them may change with a run.
constexpr std::array<int, 16> kOtherControls = {
    IDC_SCRIPT,      IDC_CLEAR,    IDC_CLOSE,       IDC_RECALL_1,     IDC_RECALL_2, IDC_RECALL_3,
    IDC_RECORD,      IDC_ASSOCIATE, IDC_RECURSIVE,  IDC_FOLDER_NAME,  IDC_NEWER_YES, IDC_ALL_ATTRIB,
    IDC_LZH_PATH,    IDC_FILE_NAME, IDC_OTHER_OPTION, IDC_BASE_PATH};

struct Bench {
    explicit Bench(const char* commandLine = "zavo.exe") : dialog(engine, state, commandLine) {}
    RecordingEngine engine;
    ProgramState state;
    MainDialog dialog;

    // Runs the window; `drive` acts on it and the window is closed with "Close" afterwards.
    void Run(const std::function<void(HWND)>& drive) {
        EXPECT_EQ(RunDriven(dialog, [&](HWND window) {
            drive(window);
            Click(GetDlgItem(window, IDC_CLOSE));
        }), IDCANCEL);
    }
    std::string Last() const { return engine.CommandLines().empty() ? "(no run)" : engine.CommandLines().back(); }
};

TEST(MainDialog, StartsFromItsStartValuesWithTheProgramIconAndTheFirstPaintTicksThePathList) {
    // script: the first paint belongs to the start-up script run
    const struct { const char *commandLine, *lzhPath; bool script; } cases[] = {
        {"zavo.exe", "", false},
        {"\"C:\\ZAVO\\zavo.exe\"  \"D:\\My Files\\A.Lzh\"", "D:\\My Files\\A.Lzh", false},
        {"zavo.exe Z:\\no such folder\\none.ZAV", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        Bench bench(c.commandLine);
        bench.Run([&](HWND window) {
            for (const auto& [id, text] : {std::pair<int, std::string>{IDC_LZH_PATH, c.lzhPath}, {IDC_FILE_NAME, "*.*"},
                                           {IDC_OTHER_OPTION, ""}, {IDC_BASE_PATH, ""}, {IDC_OUTPUT_LOG, ""}})
                EXPECT_EQ(ItemTextOf(window, id), text) << id;
            EXPECT_FALSE(IsChecked(window, IDC_RECURSIVE));
            // A start-up script unticks every box before its entries run.
            for (int id : {IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB, IDC_ENABLE_PATH_LIST})
                EXPECT_EQ(IsChecked(window, id), !c.script) << id;
            EXPECT_EQ(IsShown(window, IDC_SHOW_PATH_LIST), c.script);
            EXPECT_TRUE(c.script || FocusIn(window) == GetDlgItem(window, IDC_LZH_PATH)) << "the focus in LZH Path";
            HICON program = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
            for (LPARAM size : {ICON_BIG, ICON_SMALL})
                EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, size, 0)), program);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0)), program);
        });
        // "Close" (the cancel identity, as Escape and the close box) ends the window without a run.
        EXPECT_TRUE(bench.engine.CommandLines().empty());
        EXPECT_EQ(bench.engine.BusyQueries(), 0);
    }
}

// Each box its switch (their order and spacing are the composer's own table; which letter each
// button sends, the end-to-end scenarios see in what the library does); the library is asked
// whether it is busy once per run.
TEST(CommandButtons, EachBoxSendsItsSwitch) {
    const std::pair<int, const char*> boxes[] = {
        {IDC_RECURSIVE, "-r1"}, {IDC_FOLDER_NAME, "-x1"}, {IDC_NEWER_YES, "-jyo"}, {IDC_ALL_ATTRIB, "-a1"}};
    Bench bench;
    bench.Run([&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        for (const auto& [only, option] : boxes) {
            for (const auto& box : boxes) SetChecked(window, box.first, box.first == only);
            Click(GetDlgItem(window, IDC_LIST));
            EXPECT_EQ(bench.Last(), "l   " + std::string(option) + "  \"A.LZH\" \"\" \"*.*\"");
        }
    });
    EXPECT_EQ(bench.engine.BusyQueries(), 4);
}

// The fields go into the line as typed; the library's text, trimmed, is added to the log, which
// shows its end. A failed run changes nothing that shows; a run that succeeds writes the base
// path back with the separator the line had.
TEST(CommandRun, TheLogAndTheFieldsShowOnlyWhatASuccessfulRunLeft) {
    Bench bench;
    bench.Run([&](HWND window) {
        HWND log = GetDlgItem(window, IDC_OUTPUT_LOG);
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        Type(GetDlgItem(window, IDC_OTHER_OPTION), "-m1 -c");
        ClearEdit(GetDlgItem(window, IDC_FILE_NAME));
        Type(GetDlgItem(window, IDC_FILE_NAME), "a.c b.c");
        bench.engine.SetAnswer(0, " \r\n\tfirst \n\n");
        Click(GetDlgItem(window, IDC_EXTRACT));
        ASSERT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "first\r\n");

        Type(GetDlgItem(window, IDC_BASE_PATH), "D:\\NEW");
        bench.engine.SetAnswer(3, "error text");
        Click(GetDlgItem(window, IDC_EXTRACT));
        EXPECT_EQ(bench.Last(), "e   -x1 -jyo -a1 -m1 -c \"A.LZH\" \"D:\\NEW\\\" \"a.c b.c\"");
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "first\r\n");
        EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "D:\\NEW");
        for (int id : kCommandButtons) EXPECT_TRUE(IsEnabled(window, id)) << id;

        std::string many;
        for (int i = 0; i < 200; ++i) many += "line " + std::to_string(i) + "\n";
        bench.engine.SetAnswer(0, many);
        Click(GetDlgItem(window, IDC_EXTRACT));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG).substr(0, 23), "first\r\nline 0\r\nline 1\r\n");
        EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "D:\\NEW\\");
        const int lines = static_cast<int>(SendMessageA(log, EM_GETLINECOUNT, 0, 0));
        EXPECT_GT(lines, 200);
        // The end is in view: far down, not at the top where an unscrolled pane stays.
        EXPECT_GT(SendMessageA(log, EM_GETFIRSTVISIBLELINE, 0, 0), lines - 40);

        // "Clear" empties the log and puts back the values of the last exchange, the run's.
        Type(GetDlgItem(window, IDC_FILE_NAME), "x.c");
        Click(GetDlgItem(window, IDC_CLEAR));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "");
        EXPECT_EQ(ItemTextOf(window, IDC_FILE_NAME), "a.c b.c");
    });
    EXPECT_EQ(bench.engine.CommandLines().size(), 3u);
}

struct DuringRun {
    HWND window = nullptr;
    std::vector<int> enabledCommandButtons, disabledOthers;
};

TEST(CommandRun, OnlyTheCommandButtonsAreDisabledWhileTheLibraryRuns) {
    Bench bench;
    DuringRun look;
    bench.engine.SetDuringRun([](void* context) {
        auto* look = static_cast<DuringRun*>(context);
        for (int id : kCommandButtons) if (IsEnabled(look->window, id)) look->enabledCommandButtons.push_back(id);
        for (int id : kOtherControls) if (!IsEnabled(look->window, id)) look->disabledOthers.push_back(id);
    }, &look);
    bench.Run([&](HWND window) {
        look.window = window;
        Focus(GetDlgItem(window, IDC_TEST));
        Click(GetDlgItem(window, IDC_TEST));
        ASSERT_EQ(bench.engine.CommandLines().size(), 1u);
        EXPECT_TRUE(look.enabledCommandButtons.empty());
        EXPECT_TRUE(look.disabledOthers.empty());
        for (int id : kCommandButtons) EXPECT_TRUE(IsEnabled(window, id)) << id;
        // The clicked button lost the focus while disabled; the keyboard works on after it.
        EXPECT_EQ(FocusIn(window), GetDlgItem(window, IDC_TEST));
    });
}

// The box's text and its OK and Cancel are the next test's.
TEST(BusyProtocol, OkOnTheWarningRunsTheCommandOnceTheLibraryIsFree) {
    Bench bench;
    bench.engine.QueueBusyAnswers({1, 0});
    bench.engine.SetAnswer(0, "done");
    bench.Run([&](HWND window) {
        ClickLater(GetDlgItem(window, IDC_EXTRACT));
        HWND box = WaitForWindow(WindowThread(window), "Warning");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxIcon(box), LoadIconA(nullptr, IDI_EXCLAMATION));
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        EXPECT_TRUE(bench.engine.CommandLines().empty());
        Answer(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return ItemTextOf(window, IDC_OUTPUT_LOG) == "done\r\n"; }));
    });
    EXPECT_EQ(bench.engine.BusyQueries(), 2);
    EXPECT_EQ(bench.engine.CommandLines().size(), 1u);
}

// The next box busy_child posts here, or null when the child ends or none comes.
HWND NextWarning(HANDLE child) {
    MSG message;
    while (!PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE)) {
        if (MsgWaitForMultipleObjects(1, &child, FALSE, 20000, QS_POSTMESSAGE) != WAIT_OBJECT_0 + 1) return nullptr;
    }
    return reinterpret_cast<HWND>(message.wParam);
}

// Cancel on the first box, or any answer on the second, ends the process with status 1 (OK on
// both, the busy warning scenario takes through the real program).
TEST(BusyProtocol, CancelOnEitherWarningEndsTheProcessWithStatusOne) {
    // boxes: the text expected and the answer given
    const struct { const char* busyAnswers; std::vector<std::pair<std::string, int>> boxes; } cases[] = {
        {"1", {{"busy", IDCANCEL}}},
        {"2", {{"busy", IDOK}, {"UNLHA32 is also busy. Quit Process.", IDCANCEL}}},
    };
    MSG queue;
    PeekMessageA(&queue, nullptr, 0, 0, PM_NOREMOVE);   // the queue the child posts to
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("busy answers ") + c.busyAnswers);
        ChildProcess child;
        ASSERT_TRUE(child.Start("\"" + BinFolder() + "busy_child.exe\" " + c.busyAnswers + " " +
                                std::to_string(GetCurrentThreadId())));
        for (const auto& [text, answer] : c.boxes) {
            HWND box = NextWarning(child.Handle());
            ASSERT_TRUE(box) << "no box saying " << text;
            EXPECT_EQ(MessageBoxText(box), text);
            EXPECT_TRUE(GetDlgItem(box, IDOK) && GetDlgItem(box, IDCANCEL));
            Answer(box, answer);
        }
        EXPECT_EQ(child.WaitExit(20000), 1u);
    }
}

}  // namespace
}  // namespace zavo
