// The main window's command run: its eight command buttons, and the run they share with the
// script entries.
#include "app/main_dialog.h"
#include "engine/command_composer.h"
#include "engine/command_run.h"
#include "text/cp932.h"
#include "win/controls.h"

namespace zavo {
namespace {

constexpr int kCommandButtons[] = {IDC_EXTRACT, IDC_ADD, IDC_UPDATE, IDC_FRESHEN,
                                   IDC_TEST,    IDC_LIST, IDC_DELETE, IDC_MAKE_SELF};

}  // namespace

void MainDialog::EnableCommandButtons(bool on) {
    for (int id : kCommandButtons) win::Control(Handle(), id).Enable(on);
}

bool MainDialog::RunArchiverCommand() {
    // The library may pump this thread's messages while it works (its progress window does):
    // none of them may run a handler that changes the fields under the run.
    HandlerBlock block(*this);
    UpdateFields(win::Direction::ToFields);
    RunBusyProtocol(engine_, Handle(), "UNLHA32 is busy now. Try [OK] after a moment.");
    fields_.values.basePath = cp932::WithFolderSeparator(fields_.values.basePath);
    std::optional<std::string> text = RunLibraryCommand(engine_, fields_.values);
    if (!text) return false;
    fields_.outputText = AppendEngineOutput(fields_.outputText, *text);
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
