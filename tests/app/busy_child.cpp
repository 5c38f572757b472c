// A child program for the main window test's busy protocol cases: the protocol over a library
// that answers "busy" as many times as the first argument says; each "Warning" box is posted
// (WM_APP, its handle) to the thread the second argument names as it is activated. Exit status:
// whatever the protocol ends the process with; 0 when it lets the run go on.
#include <windows.h>

#include <string>

#include "engine/command_run.h"
#include "tests/support/recording_engine.h"
#include "win/window_text.h"

namespace {

DWORD g_testThread = 0;

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
    engine.QueueBusyAnswers(std::vector<int>(std::stoi(argv[1]), 1));
    g_testThread = std::stoul(argv[2]);
    SetWindowsHookExA(WH_CBT, TellTest, nullptr, GetCurrentThreadId());
    zavo::RunBusyProtocol(engine, nullptr, "busy");
    return 0;
}
