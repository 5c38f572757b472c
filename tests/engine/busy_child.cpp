// A child program for the busy-protocol tests: the main window over a library that answers
// "busy" as the first argument says ("1,1" = busy twice), with "&Extract" clicked at once.
// Exit status: whatever the protocol ends with; 3 when the library was asked to run; 0 when the
// window closed normally.
#include <windows.h>

#include <sstream>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"

namespace {

zavo::MainDialog* g_dialog = nullptr;
UINT_PTR g_timer = 0;

// A tick of the window's own loop: the first one after the window is shown clicks "&Extract".
void CALLBACK ClickExtractOnceShown(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = g_dialog->Handle();
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, g_timer);
    PostMessageA(GetDlgItem(window, IDC_EXTRACT), BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    zavo::testing::RecordingEngine engine;
    std::vector<int> answers;
    std::stringstream list(argc > 1 ? argv[1] : "");
    for (std::string answer; std::getline(list, answer, ',');) answers.push_back(std::stoi(answer));
    engine.QueueBusyAnswers(answers);
    engine.SetDuringRun([](void*) { ExitProcess(3); }, nullptr);

    zavo::ProgramState state;
    zavo::MainDialog dialog(engine, state, "zavo.exe");
    g_dialog = &dialog;
    g_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ClickExtractOnceShown);
    dialog.RunModal(nullptr);
    return 0;
}
