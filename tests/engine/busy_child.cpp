// A child program for the busy-protocol tests: the main window over a library that answers
// "busy" as the first argument says ("1,1" = busy twice), with "&Extract" clicked at once.
// Exit status: whatever the protocol ends with; 3 when the library was asked to run; 0 when the
// window closed normally.
#include <windows.h>

#include <sstream>
#include <thread>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"

int main(int argc, char** argv) {
    zavo::testing::RecordingEngine engine;
    std::vector<int> answers;
    std::stringstream list(argc > 1 ? argv[1] : "");
    for (std::string answer; std::getline(list, answer, ',');) answers.push_back(std::stoi(answer));
    engine.QueueBusyAnswers(answers);
    engine.SetDuringRun([](void*) { ExitProcess(3); }, nullptr);

    zavo::ProgramState state;
    zavo::MainDialog dialog(engine, state, "zavo.exe");
    std::thread clicker([&] {
        for (int i = 0; i < 1000 && !(dialog.Handle() && IsWindowVisible(dialog.Handle())); ++i) Sleep(10);
        PostMessageA(GetDlgItem(dialog.Handle(), IDC_EXTRACT), BM_CLICK, 0, 0);
    });
    dialog.RunModal(nullptr);
    clicker.join();
    return 0;
}
