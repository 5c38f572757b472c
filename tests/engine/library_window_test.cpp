// The window over the real UNLHA32.DLL on runs long enough for its progress window, whose pump
// works inside the library call: a right click still stops a script, and nothing the pump
// dispatches to the main window changes its fields under the run.
#include <gtest/gtest.h>

#include <cstring>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "resources/script_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// Names whose second bytes look like a backslash: 表 0x95 0x5C, ソ 0x83 0x5C, 能 0x94 0x5C.
const std::string kSource = "素材表\\";
const std::string kFiles[] = {"能力表.txt", "ソフト.txt"};

// Watches this thread's windows while every file of a library run waits long enough for the
// progress window (after about 0.3 s) to show, and right-clicks at the moment the plan says: on
// the progress window as it is shown, or on the main window just before the progress window is made.
enum class ClickAt { None, ProgressShown, BeforeProgress };
struct Watch {
    explicit Watch(ClickAt at = ClickAt::None);
    ~Watch();
    ClickAt at;
    HWND main = nullptr;
    bool sawProgress = false, clicked = false, clickedVisibleProgress = false;
    // The two path fields as the run left them, read when "&Extract" is enabled again: later,
    // the window system's own activation messages may move the focus out of the list, and
    // leaving the list rightly commits it.
    std::string lzhPathAtEnd, basePathAtEnd;
    HHOOK creation, showing;
};
Watch* g_watch = nullptr;

bool IsProgressCaption(const char* caption) { return caption && std::strncmp(caption, "UNLHA32: ", 9) == 0; }
void ClickOnce(HWND window) { if (!g_watch->clicked) RightClick(window), g_watch->clicked = true; }

LRESULT CALLBACK WatchCreation(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND && IsProgressCaption(reinterpret_cast<CBT_CREATEWNDA*>(l)->lpcs->lpszName)) {
        g_watch->sawProgress = true;
        if (g_watch->at == ClickAt::BeforeProgress) ClickOnce(g_watch->main);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

// A window is on screen once its WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW comes (activation,
// HCBT_ACTIVATE, comes before it is visible).
LRESULT CALLBACK WatchShowing(int code, WPARAM w, LPARAM l) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(l);
    if (call.message == WM_ENABLE && call.wParam && g_watch->main &&
        call.hwnd == GetDlgItem(g_watch->main, IDC_EXTRACT)) {
        g_watch->lzhPathAtEnd = ItemTextOf(g_watch->main, IDC_LZH_PATH);
        g_watch->basePathAtEnd = ItemTextOf(g_watch->main, IDC_BASE_PATH);
    }
    if (call.message == WM_WINDOWPOSCHANGED && g_watch->at == ClickAt::ProgressShown && !g_watch->clicked &&
        (reinterpret_cast<const WINDOWPOS*>(call.lParam)->flags & SWP_SHOWWINDOW)) {
        char caption[64] = {};
        GetWindowTextA(call.hwnd, caption, sizeof caption);
        if (IsProgressCaption(caption)) g_watch->clickedVisibleProgress = IsWindowVisible(call.hwnd) != FALSE, ClickOnce(call.hwnd);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

Watch::Watch(ClickAt at) : at(at) {
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", "700");
    g_watch = this;
    creation = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    showing = SetWindowsHookExA(WH_CALLWNDPROC, WatchShowing, nullptr, GetCurrentThreadId());
}

Watch::~Watch() {
    UnhookWindowsHookEx(showing);
    UnhookWindowsHookEx(creation);
    g_watch = nullptr;
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", nullptr);
}

// The thread's visible top-level windows other than `main`: message boxes, a leftover progress window.
int OtherVisibleWindows(HWND main) {
    struct Count { HWND main; int n; } count{main, 0};
    EnumThreadWindows(WindowThread(main), [](HWND window, LPARAM l) {
        auto* c = reinterpret_cast<Count*>(l);
        if (window != c->main && IsWindowVisible(window)) ++c->n;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

std::string Log(HWND window) { return ItemTextOf(window, IDC_OUTPUT_LOG); }

// A run holds the window's thread until it ends; its last step enables the command buttons. The
// library speaks the interface language, Japanese on the machines the tests run on.
bool RunEnded(HWND window, const std::string& logged) {
    return WaitUntil([&] { return Log(window).find(logged) != std::string::npos && IsEnabled(window, IDC_EXTRACT); },
                     std::chrono::seconds(20));
}

TEST(LibraryWindow, ARightClickStopsTheScriptWhileTheProgressWindowIsUp) {
    for (ClickAt at : {ClickAt::ProgressShown, ClickAt::BeforeProgress}) {
        SCOPED_TRACE(at == ClickAt::ProgressShown ? "on the progress window" : "queued before it");
        Scratch s;
        for (const std::string& name : kFiles) WriteBytes(s / kSource + name, TextData(5000, 1));
        const std::string after = s / "後ソ";
        WriteBytes(s / "止める表.zav", "///slow add\r\na \r\n\r\n" + s / "表ソ.lzh" + "\r\n" + s / kSource +
                                        "\r\n*.*\r\n///must not run\r\n/M \"" + after + "\"\r\n");
        Watch watch(at);
        ProgramState state;
        MainDialog dialog(LibraryEngine(), state, "zavo.exe");
        RunDriven(dialog, [&](HWND window) {
            watch.main = window;
            ClickLater(GetDlgItem(window, IDC_SCRIPT));
            HWND editor = WaitForWindow(WindowThread(window), "Script File");
            ASSERT_TRUE(editor);
            Paste(GetDlgItem(editor, IDC_SCRIPT_PATH), s / "止める表.zav");
            Click(GetDlgItem(editor, IDC_SCRIPT_RUN));
            ASSERT_TRUE(RunEnded(window, "追加 2、")) << Log(window);
            EXPECT_EQ(Log(window).find("/M"), std::string::npos) << Log(window);
            EXPECT_EQ(OtherVisibleWindows(window), 0) << "no message box";
            Click(GetDlgItem(window, IDC_CLOSE));
        });
        EXPECT_TRUE(watch.sawProgress);
        EXPECT_TRUE(watch.clicked);
        EXPECT_TRUE(at != ClickAt::ProgressShown || watch.clickedVisibleProgress);
        EXPECT_TRUE(Exists(s / "表ソ.lzh")) << "the entry under way finishes";
        EXPECT_FALSE(Exists(after)) << "the next row must not run";
    }
}

TEST(LibraryWindow, EnterInThePathListExtractsAndTheFieldsStayAsTheRunLeftThem) {
    Scratch s;
    const std::string folder = s / "w表\\";
    for (const std::string& name : kFiles) WriteBytes(s / kSource + name, TextData(5000, 2));
    char output[4096];
    const std::string add = "a -n \"" + folder + "many.lzh\" \"" + s / kSource + "\" \"*.*\"";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_EQ(LibraryEngine().RunCommand(nullptr, add.c_str(), output, sizeof output - 1), 0) << output;
    CreateDirectoryA((folder + "ソ表出力").c_str(), nullptr);

    Watch watch;
    ProgramState state;
    MainDialog dialog(LibraryEngine(), state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        watch.main = window;
        HWND list = GetDlgItem(window, IDC_PATH_LIST);
        Paste(GetDlgItem(window, IDC_LZH_PATH), folder + "many.lzh");
        ASSERT_EQ(ListItems(list), std::vector<std::string>{"many.lzh"});
        SendMessageA(GetDlgItem(window, IDC_BASE_PATH), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>((folder + "ソ表出力").c_str()));
        // The focus in the list with nothing selected: leaving it would cut the path to its folder.
        Focus(list);
        PressKey(list, VK_RETURN);
        ASSERT_TRUE(RunEnded(window, "展開 2、")) << Log(window);
        EXPECT_EQ(watch.lzhPathAtEnd, folder + "many.lzh");
        EXPECT_EQ(watch.basePathAtEnd, folder + "ソ表出力\\") << "with the separator of the run";
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    EXPECT_TRUE(watch.sawProgress);
    for (const std::string& name : kFiles) EXPECT_TRUE(Exists(folder + "ソ表出力\\" + name)) << name;
}

}  // namespace
}  // namespace zavo
