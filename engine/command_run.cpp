// The command run: compose a command line from the window, check that the library is free,
// hand the line to it, and show its text. Also the eight command buttons.
#include <vector>

#include "app/main_dialog.h"
#include "engine/command_composer.h"
#include "resources/main_dialog_ids.h"
#include "text/cp932.h"
#include "win/controls.h"
#include "win/message_box.h"

namespace zavo {
namespace {

constexpr int kCommandButtons[] = {IDC_EXTRACT, IDC_ADD, IDC_UPDATE, IDC_FRESHEN,
                                   IDC_TEST,    IDC_LIST, IDC_DELETE, IDC_MAKE_SELF};
constexpr DWORD kOutputBufferSize = 65536;

}  // namespace

void MainDialog::EnableCommandButtons(bool on) {
    for (int id : kCommandButtons) win::Control(Handle(), id).Enable(on);
}

bool MainDialog::ConfirmWarning(const std::string& text) {
    return win::ShowMessage(Handle(), text, "Warning", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void MainDialog::RunBusyProtocol(const std::string& firstWarning) {
    if (!engine_.IsBusy()) return;
    if (!ConfirmWarning(firstWarning)) ExitProcess(1);
    if (!engine_.IsBusy()) return;
    ConfirmWarning("UNLHA32 is also busy. Quit Process.");
    ExitProcess(1);
}

bool MainDialog::RunArchiverCommand() {
    // The library may pump this thread's messages while it works (its progress window does):
    // none of them may run a handler that changes the fields under the run.
    HandlerBlock block(*this);
    UpdateFields(win::Direction::ToFields);
    RunBusyProtocol("UNLHA32 is busy now. Try [OK] after a moment.");
    fields_.values.basePath = WithBaseSeparator(fields_.values.basePath);
    std::string commandLine = ComposeCommandLine(fields_.values);

    // The library may write anything up to the size we give; the extra byte keeps a terminator
    // even from a library that fills the whole size without one.
    std::vector<char> output(kOutputBufferSize, '\0');
    if (engine_.RunCommand(nullptr, commandLine.c_str(), output.data(), kOutputBufferSize - 1) != 0) return false;
    output.back() = '\0';

    fields_.outputText = AppendEngineOutput(fields_.outputText, cp932::Trim(output.data()));
    UpdateFields(win::Direction::ToControls);
    ScrollOutputToEnd();
    return true;
}

void MainDialog::OnCommandButton(const char* prefix) {
    // A clicked button holds the focus, and disabling it leaves the window without one: the
    // keyboard would do nothing after the run until the next mouse click.
    HWND focus = GetFocus();
    EnableCommandButtons(false);
    fields_.values.command = prefix;
    RunArchiverCommand();
    EnableCommandButtons(true);
    if (!GetFocus() && focus && IsChild(Handle(), focus)) SetFocus(focus);
}

}  // namespace zavo
