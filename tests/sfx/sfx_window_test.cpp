// ZAVOSFX.EXE's window, driven from the test as a person would: the contents it shows, the
// question before replacing a file, the summary at the end, and closing without extracting.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "sfx/sfx_ids.h"
#include "sfx_test_support.h"
#include "tests/support/ui_driver.h"

namespace {

using namespace sfx_test;
using namespace zavo::testing;

// Starts the program with `archive` behind it; its window, or null.
HWND StartWindowed(const Scratch& scratch, const std::string& archive, const std::string& out, ChildProcess& child) {
    const std::string program = scratch / "selfx.exe";
    WriteBytes(program, StubBytes() + archive);
    if (!child.Start("\"" + program + "\" -d \"" + out + "\"")) return nullptr;
    return WaitForWindow(child.ThreadId(), "selfx.exe - 自己展開書庫");
}

// The next overwrite question (after `previous` has gone).
HWND NextQuestion(const ChildProcess& child, HWND previous) {
    if (previous) WaitUntil([&] { return !IsWindow(previous); });
    return WaitForWindow(child.ThreadId(), "上書きの確認");
}

// The closing message box: its text, once answered with OK and gone.
std::string AnswerSummary(const ChildProcess& child) {
    const HWND summary = WaitForWindow(child.ThreadId(), "selfx.exe");
    if (!summary) return "(no summary)";
    const std::string text = MessageBoxText(summary);
    Answer(summary, IDOK);
    WaitUntil([&] { return !IsWindow(summary); });
    return text;
}

TEST(SfxWindow, ShowsTheContentsAndAsksBeforeReplacingEachFile) {
    Scratch scratch;
    const std::string out = scratch / "out\\";
    for (const char* name : {"表.txt", "ソ.txt", "c.txt"}) WriteBytes(out + name, "old");
    ChildProcess child;
    const HWND window = StartWindowed(
        scratch, ArchiveOf({{"表.txt", "new a"}, {"ソ.txt", "new b"}, {"c.txt", "new c"}, {"十\\", ""}}), out, child);
    ASSERT_TRUE(window);
    EXPECT_EQ(ItemTextOf(window, IDC_SFX_TOTAL), "3 個のファイル、1 個のフォルダ、合計 15 バイト");
    EXPECT_EQ(ItemTextOf(window, IDC_SFX_DESTINATION), out);
    EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_SFX_ENTRIES), LVM_GETITEMCOUNT, 0, 0), 4);

    ClickLater(GetDlgItem(window, IDOK));
    HWND question = nullptr;   // after "all", c.txt is replaced without a question
    for (const auto& [name, answer] : {std::pair<const char*, int>{"表.txt", IDNO}, {"ソ.txt", IDC_OVERWRITE_ALL}}) {
        question = NextQuestion(child, question);
        ASSERT_TRUE(question);
        EXPECT_NE(ItemTextOf(question, IDC_OVERWRITE_TEXT).find(out + name), std::string::npos);
        Answer(question, answer);
    }

    EXPECT_EQ(AnswerSummary(child), "展開しました。\n\n展開 0、上書き 2、スキップ 1、拒否 0、失敗 0");
    EXPECT_EQ(child.WaitExit(), 0u);
    EXPECT_EQ(ReadBytes(out + "表.txt") + ReadBytes(out + "ソ.txt") + ReadBytes(out + "c.txt"), "oldnew bnew c");
    EXPECT_TRUE(Exists(out + "十"));
}

TEST(SfxWindow, RefusalsAreReportedAndTheWindowStaysOpen) {
    Scratch scratch;
    const std::string out = scratch / "out\\";
    ChildProcess child;
    const HWND window = StartWindowed(
        scratch, Level0Member("..\\evil.txt", "x") + Level0Member("good.txt", "good") + std::string(1, '\0'), out, child);
    ASSERT_TRUE(window);
    ClickLater(GetDlgItem(window, IDOK));
    EXPECT_EQ(AnswerSummary(child), "展開できなかったものがあります。\n\n展開 1、上書き 0、スキップ 0、拒否 1、失敗 0\n\n"
                                    "拒否: ..\\evil.txt (\"..\" で展開先の外を指します)");
    EXPECT_TRUE(IsEnabled(window, IDOK)) << "the window stays open";
    ClickLater(GetDlgItem(window, IDCANCEL));
    EXPECT_EQ(child.WaitExit(), 1u);
}

TEST(SfxWindow, CancellingOrClosingWithoutExtractingEndsWithCode4) {
    Scratch scratch;
    const std::string out = scratch / "out\\";
    WriteBytes(out + "a.txt", "old");
    // Cancel in the question about a.txt; Cancel waiting in the queue behind Extract, which the
    // extraction sees as its first entry begins; Escape before anything.
    for (const char* way : {"question", "queued", "escape"}) {
        SCOPED_TRACE(way);
        ChildProcess child;
        const HWND window = StartWindowed(scratch, ArchiveOf({{"a.txt", "new"}, {"b.txt", "b"}}), out, child);
        ASSERT_TRUE(window);
        if (way[0] == 'e') {
            PressKey(window, VK_ESCAPE);
        } else {
            ClickLater(GetDlgItem(window, IDOK));
            if (way[0] == 'q') {
                const HWND question = NextQuestion(child, nullptr);
                ASSERT_TRUE(question);
                Answer(question, IDCANCEL);
            } else {
                ClickLater(GetDlgItem(window, IDCANCEL));
            }
            EXPECT_EQ(AnswerSummary(child).rfind("展開を中止しました。", 0), 0u);
            EXPECT_EQ(ItemTextOf(window, IDCANCEL), "閉じる");
            ClickLater(GetDlgItem(window, IDCANCEL));
        }
        EXPECT_EQ(child.WaitExit(), 4u);
        EXPECT_EQ(Tree(out), std::vector<std::string>{"a.txt"});
        EXPECT_EQ(ReadBytes(out + "a.txt"), "old");
    }
}

}  // namespace
