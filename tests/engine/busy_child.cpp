// A child program for the busy-protocol tests: the main window over a library that answers
// "busy" as the first argument says ("1,1" = busy twice), with "&Extract" clicked at once; each
// "Warning" box is posted (WM_APP, its handle) to the thread the second argument names as it is
// activated. Exit status: whatever the protocol ends with; 3 when the library was asked to run.
#include <windows.h>

#include <sstream>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"
#include "win/window_text.h"

namespace {

zavo::MainDialog* g_dialog = nullptr;
UINT_PTR g_timer = 0;
DWORD g_testThread = 0;

// A tick of the window's own loop: the first one after the window is shown clicks "&Extract".
void CALLBACK ClickExtractOnceShown(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = g_dialog->Handle();
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, g_timer);
    PostMessageA(GetDlgItem(window, IDC_EXTRACT), BM_CLICK, 0, 0);
}

// A box is activated once its text is set; a property marks it told, should it be activated again.
LRESULT CALLBACK TellTest(int code, WPARAM w, LPARAM l) {
    HWND box = reinterpret_cast<HWND>(w);
    if (code == HCBT_ACTIVATE && win::GetText(box) == "Warning" && !GetPropA(box, "told")) {
        SetPropA(box, "told", box);
        PostThreadMessageA(g_testThread, WM_APP, w, 0);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    zavo::testing::RecordingEngine engine;
    std::vector<int> answers;
    std::stringstream list(argv[1]);
    for (std::string answer; std::getline(list, answer, ',');) answers.push_back(std::stoi(answer));
    engine.QueueBusyAnswers(answers);
    engine.SetDuringRun([](void*) { ExitProcess(3); }, nullptr);
    g_testThread = std::stoul(argv[2]);
    SetWindowsHookExA(WH_CBT, TellTest, nullptr, GetCurrentThreadId());

    zavo::ProgramState state;
    zavo::MainDialog dialog(engine, state, "zavo.exe");
    g_dialog = &dialog;
    g_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ClickExtractOnceShown);
    dialog.RunModal(nullptr);
    return 0;
}
