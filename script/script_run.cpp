// The script runs of the main window: "&Script" with its editor, the start-up run of a script
// named on the command line, and the entry loop both share.
#include <optional>
#include <vector>

#include "app/main_dialog.h"
#include "engine/command_composer.h"
#include "script/file_operations.h"
#include "script/pause_dialog.h"
#include "script/quoted_arguments.h"
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
        if (fields_.enablePathList) RefillPathList();
    }
    EnableCommandButtons(true);
}

TableRunEnd MainDialog::RunTable() {
    // A run blocks the window: the pause dialog's loop and the library's pump dispatch its
    // messages, but no handler may change the fields between or under the rows.
    HandlerBlock block(*this);
    const ScriptTable& table = fields_.scriptTable;
    for (int i = 0; i < table.count; ++i) {
        // The only input a run looks at: a right-button press anywhere in the program stops it.
        MSG message;
        if (PeekMessageA(&message, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE)) {
            UpdateWindow(Handle());
            return TableRunEnd::Stopped;
        }
        const CommandValues& row = table.rows[i];
        fields_.values.command = row.command;
        if (!row.command.empty() && row.command[0] == '/') {
            if (!RunOperationLine(row.command)) return TableRunEnd::Exited;
            continue;
        }
        // The row's options are text: the window's boxes stay as they are.
        fields_.values = CommandValues{row.command, row.lzhPath, row.basePath, row.fileName, fields_.values.switches,
                                       row.otherOption};
        UpdateFields(win::Direction::ToControls);
        RunBusyProtocol("[UNLHA32.DLL] is busy now. Try [OK] after a moment.");
        if (!RunArchiverCommand()) return TableRunEnd::Stopped;
    }
    return TableRunEnd::Completed;
}

bool MainDialog::RunOperationLine(const std::string& line) {
    ScriptOperation operation = OperationOf(line);
    bool succeeded = true;
    bool goOn = true;
    switch (operation) {
    case ScriptOperation::Copy:
    case ScriptOperation::Delete:
    case ScriptOperation::MakeDir:
    case ScriptOperation::RemoveDir: {
        std::vector<std::string> arguments;
        succeeded = SplitQuotedArguments(line, arguments) == ArgumentsTaken(operation) &&
                    PerformFileOperation(operation, arguments);
        break;
    }
    case ScriptOperation::Pause: goOn = PauseDialog().AskToContinue(Handle()); break;
    case ScriptOperation::Exit: goOn = false; break;
    case ScriptOperation::None: break;
    }
    // Ends the window as "Close" does; the program ends once the running handler returns.
    if (!goOn) OnCancel();

    fields_.outputText += line;
    fields_.outputText += succeeded ? " [OK]\r\n" : " [ERROR]\r\n";
    UpdateFields(win::Direction::ToControls);
    ScrollOutputToEnd();
    return goOn;
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
