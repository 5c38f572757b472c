// The entry loop of a script run, and its operation lines.
#include "script/script_runner.h"

#include <vector>

#include "script/file_operations.h"
#include "script/pause_dialog.h"
#include "script/quoted_arguments.h"

namespace zavo {
namespace {

// Carries out an operation line; false when the run must end (exit, or a pause answered "中止").
bool RunOperationLine(const std::string& line, ScriptHost& host) {
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
    case ScriptOperation::Pause: goOn = PauseDialog().AskToContinue(host.Owner()); break;
    case ScriptOperation::Exit: goOn = false; break;
    case ScriptOperation::None: break;
    }
    // The window ends once the handler that runs the script returns.
    if (!goOn) host.Close();
    host.ShowOperation(line, succeeded);
    return goOn;
}

}  // namespace

TableRunEnd RunScriptTable(const ScriptTable& table, ScriptHost& host) {
    for (int i = 0; i < table.count; ++i) {
        // The only input a run looks at: a right-button press anywhere in the program stops it.
        MSG message;
        if (PeekMessageA(&message, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE)) {
            UpdateWindow(host.Owner());
            return TableRunEnd::Stopped;
        }
        const CommandValues& row = table.rows[i];
        if (!row.command.empty() && row.command[0] == '/') {
            if (!RunOperationLine(row.command, host)) return TableRunEnd::Exited;
            continue;
        }
        if (!host.RunEntry(row)) return TableRunEnd::Stopped;
    }
    return TableRunEnd::Completed;
}

}  // namespace zavo
