// Running the rows of a script table, one after the other, in the window that started the run.
#pragma once

#include <windows.h>

#include <string>

#include "engine/command_values.h"
#include "script/script_table.h"

namespace zavo {

// How a run of the script table ended.
enum class TableRunEnd { Completed, Stopped, Exited };

// What a run needs from its window.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The window: owner of the pause dialog, repainted when a right press stops the run.
    virtual HWND Owner() const = 0;
    // An archiver entry: runs the row's command, with the window's own boxes; false when the
    // library failed, which stops the run.
    virtual bool RunEntry(const CommandValues& row) = 0;
    // An operation line has been carried out: it becomes the window's command, and the log
    // shows it with "[OK]" or "[ERROR]".
    virtual void ShowOperation(const std::string& line, bool succeeded) = 0;
    // "/X", or "中止" at a pause: the window ends as "Close" ends it.
    virtual void Close() = 0;
};

// Runs the table's rows in order. A right-button press anywhere in the program, seen before a
// row, stops the run; an operation that ends the window ends it too (after its log line).
TableRunEnd RunScriptTable(const ScriptTable& table, ScriptHost& host);

}  // namespace zavo
