// The main window's script runs: "&Script" with its editor, and the start-up run of a script
// named on the command line; the rows themselves run in script/script_runner.
#include "app/main_dialog.h"
#include "engine/command_run.h"
#include "script/script_dialog.h"
#include "script/script_format.h"

namespace zavo {

void MainDialog::OnScript() {
    UpdateFields(win::Direction::ToFields);
    ScriptDialog editor(fields_.values, state_.lastScriptPath);
    if (editor.RunModal(Handle()) != IDOK) return;

    EnableCommandButtons(false);
    if (!ReadScript(editor.Path(), fields_.scriptTable, state_.lastScriptPath)) {
        EnableCommandButtons(true);
        return;
    }
    ApplyPathListSwitch();
    if (RunTable() == TableRunEnd::Completed) {
        fields_.values.switches.recursive = false;
        fields_.values.switches.folderName = true;
        fields_.values.otherOption.clear();
        UpdateFields(win::Direction::ToControls);
        if (fields_.enablePathList) pathList_.Refill();
    }
    EnableCommandButtons(true);
}

TableRunEnd MainDialog::RunTable() {
    // A run blocks the window: the pause dialog's loop and the library's pump dispatch its
    // messages, but no handler may change the fields between or under the rows.
    HandlerBlock block(*this);
    return RunScriptTable(fields_.scriptTable, *this);
}

bool MainDialog::RunEntry(const CommandValues& row) {
    // The row's options are text: the window's boxes stay as they are.
    fields_.values = CommandValues{row.command, row.lzhPath, row.basePath, row.fileName, fields_.values.switches,
                                   row.otherOption};
    UpdateFields(win::Direction::ToControls);
    RunBusyProtocol(engine_, Handle(), "[UNLHA32.DLL] is busy now. Try [OK] after a moment.");
    return RunArchiverCommand();
}

void MainDialog::ShowOperation(const std::string& line, bool succeeded) {
    fields_.values.command = line;
    fields_.outputText += line;
    fields_.outputText += succeeded ? " [OK]\r\n" : " [ERROR]\r\n";
    UpdateFields(win::Direction::ToControls);
    ScrollOutputToEnd();
}

void MainDialog::ReadStartupScript() {
    ReadScript(fields_.scriptArgument, fields_.scriptTable, state_.lastScriptPath);
}

void MainDialog::RunStartupScript() {
    if (!fields_.firstPaint) return;
    fields_.firstPaint = false;
    // The window is complete on screen before the first entry blocks it.
    UpdateWindow(Handle());

    fields_.values.switches = CommandSwitches{};
    fields_.enablePathList = false;
    UpdateFields(win::Direction::ToControls);
    ApplyPathListSwitch();
    EnableCommandButtons(false);
    RunTable();
    EnableCommandButtons(true);
    fields_.startupScript = false;
}

}  // namespace zavo
