// The command buttons and the command run, driven through the real window with a recording
// library: the exact lines the library receives and what the output log shows afterwards.
#include <gtest/gtest.h>

#include <array>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"
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

void Retype(HWND edit, const std::string& text) {
    ClearEdit(edit);
    Type(edit, text);
}

struct Bench {
    RecordingEngine engine;
    ProgramState state;
    MainDialog dialog{engine, state, "zavo.exe"};

    // Runs the window; `drive` acts on it and the window is closed with "Close" afterwards.
    void Run(const std::function<void(HWND)>& drive) {
        INT_PTR result = RunDriven(dialog, [&](HWND window) {
            drive(window);
            Click(GetDlgItem(window, IDC_CLOSE));
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    std::string Last() const {
        auto lines = engine.CommandLines();
        return lines.empty() ? std::string("(no run)") : lines.back();
    }
};

// Each button its letter, each box its switch (their order and spacing are the composer's own
// table); the library is asked whether it is busy once per run.
TEST(CommandButtons, EachButtonSendsItsLetterAndEachBoxItsSwitch) {
    const std::pair<int, char> buttons[] = {{IDC_EXTRACT, 'e'}, {IDC_ADD, 'a'},  {IDC_UPDATE, 'u'}, {IDC_FRESHEN, 'f'},
                                            {IDC_TEST, 't'},    {IDC_LIST, 'l'}, {IDC_DELETE, 'd'}, {IDC_MAKE_SELF, 's'}};
    const std::pair<int, const char*> boxes[] = {
        {IDC_RECURSIVE, "-r1"}, {IDC_FOLDER_NAME, "-x1"}, {IDC_NEWER_YES, "-jyo"}, {IDC_ALL_ATTRIB, "-a1"}};
    Bench bench;
    bench.Run([&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        for (const auto& [id, letter] : buttons) {
            Click(GetDlgItem(window, id));
            EXPECT_EQ(bench.Last(), letter + std::string("   -x1 -jyo -a1  \"A.LZH\" \"\" \"*.*\"")) << letter;
        }
        for (const auto& [only, option] : boxes) {
            for (const auto& box : boxes) SetChecked(window, box.first, box.first == only);
            Click(GetDlgItem(window, IDC_LIST));
            EXPECT_EQ(bench.Last(), "l   " + std::string(option) + "  \"A.LZH\" \"\" \"*.*\"");
        }
    });
    EXPECT_EQ(bench.engine.BusyQueries(), 12);
}

TEST(CommandButtons, FieldsGoIntoTheLineAsTyped) {
    const struct {
        std::string other, files, base;
        std::string line;
        std::string boxAfter;  // what "Base Path" shows after the run
    } cases[] = {
        {"", "*.*", "D:", "e   -x1 -jyo -a1  \"A.LZH\" \"D:\" \"*.*\"", "D:"},
        {"-m1 -c", "a.c b.c", "", "e   -x1 -jyo -a1 -m1 -c \"A.LZH\" \"\" \"a.c b.c\"", ""},
    };
    Bench bench;
    bench.Run([&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        for (const auto& c : cases) {
            Retype(GetDlgItem(window, IDC_OTHER_OPTION), c.other);
            Retype(GetDlgItem(window, IDC_FILE_NAME), c.files);
            Retype(GetDlgItem(window, IDC_BASE_PATH), c.base);
            Click(GetDlgItem(window, IDC_EXTRACT));
            EXPECT_EQ(bench.Last(), c.line);
            EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), c.boxAfter);
        }
    });
}

// "&Extract" carries the accept identity, which Enter in any of the edits sends.
TEST(CommandButtons, EnterInAnEditRunsExtractAndKeepsTheWindowOpen) {
    Bench bench;
    bench.Run([&](HWND window) {
        HWND edit = GetDlgItem(window, IDC_LZH_PATH);
        Type(edit, "A.LZH");
        Focus(edit);
        PressKey(edit, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return bench.engine.CommandLines().size() == 1; }));
        EXPECT_EQ(bench.Last(), "e   -x1 -jyo -a1  \"A.LZH\" \"\" \"*.*\"");
        EXPECT_TRUE(IsWindowVisible(window));
    });
}

TEST(CommandRun, OutputIsAppendedLineByLineAndScrolledToTheEnd) {
    Bench bench;
    bench.Run([&](HWND window) {
        HWND log = GetDlgItem(window, IDC_OUTPUT_LOG);
        bench.engine.SetAnswer(0, " \r\n\tone\r\ntwo \n\n");
        Click(GetDlgItem(window, IDC_LIST));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "one\r\r\ntwo\r\n");
        std::string many;
        for (int i = 0; i < 200; ++i) many += "line " + std::to_string(i) + "\n";
        bench.engine.SetAnswer(0, many);
        Click(GetDlgItem(window, IDC_LIST));
        int lines = static_cast<int>(SendMessageA(log, EM_GETLINECOUNT, 0, 0));
        int first = static_cast<int>(SendMessageA(log, EM_GETFIRSTVISIBLELINE, 0, 0));
        EXPECT_GT(lines, 200);
        // The end is in view: far down, not at the top where an unscrolled pane stays.
        EXPECT_GT(first, lines - 40);
    });
}

TEST(CommandRun, AFailedRunChangesNothingThatShows) {
    Bench bench;
    bench.Run([&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "A.LZH");
        bench.engine.SetAnswer(0, "first");
        Click(GetDlgItem(window, IDC_EXTRACT));
        ASSERT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "first\r\n");

        Retype(GetDlgItem(window, IDC_BASE_PATH), "D:\\NEW");
        bench.engine.SetAnswer(3, "error text");
        Click(GetDlgItem(window, IDC_EXTRACT));
        EXPECT_EQ(bench.Last(), "e   -x1 -jyo -a1  \"A.LZH\" \"D:\\NEW\\\" \"*.*\"");
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "first\r\n");
        EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "D:\\NEW");
        for (int id : kCommandButtons) EXPECT_TRUE(IsEnabled(window, id)) << id;

        bench.engine.SetAnswer(0, "second");
        Click(GetDlgItem(window, IDC_EXTRACT));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "first\r\nsecond\r\n");
        EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "D:\\NEW\\");
    });
}

struct DuringRun {
    HWND window = nullptr;
    std::vector<int> enabledCommandButtons;
    std::vector<int> disabledOthers;
};

void LookDuringRun(void* context) {
    auto* look = static_cast<DuringRun*>(context);
    for (int id : kCommandButtons) if (IsEnabled(look->window, id)) look->enabledCommandButtons.push_back(id);
    for (int id : kOtherControls) if (!IsEnabled(look->window, id)) look->disabledOthers.push_back(id);
}

TEST(CommandRun, OnlyTheCommandButtonsAreDisabledWhileTheLibraryRuns) {
    Bench bench;
    DuringRun look;
    bench.engine.SetDuringRun(&LookDuringRun, &look);
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

TEST(BusyProtocol, OkOnTheWarningRunsTheCommandOnceTheLibraryIsFree) {
    Bench bench;
    bench.engine.QueueBusyAnswers({1, 0});
    bench.engine.SetAnswer(0, "done");
    bench.Run([&](HWND window) {
        ClickLater(GetDlgItem(window, IDC_EXTRACT));
        HWND box = WaitForWindow(WindowThread(window), "Warning");
        ASSERT_TRUE(box);
        // Its text and its OK and Cancel are the busy exit test's.
        EXPECT_EQ(MessageBoxIcon(box), LoadIconA(nullptr, IDI_EXCLAMATION));
        EXPECT_FALSE(GetDlgItem(box, IDYES));
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        EXPECT_TRUE(bench.engine.CommandLines().empty());
        Answer(box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return ItemTextOf(window, IDC_OUTPUT_LOG) == "done\r\n"; }));
    });
    EXPECT_EQ(bench.engine.BusyQueries(), 2);
    EXPECT_EQ(bench.engine.CommandLines().size(), 1u);
}

}  // namespace
}  // namespace zavo
