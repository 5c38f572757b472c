// The operation lines of a script: which operation a line asks for, and its arguments, the texts
// in double quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zavo {

enum class ScriptOperation { Copy, Delete, MakeDir, RemoveDir, Pause, Exit, None };

// The operation that the line's second character selects, in either case; None for any other
// character and for a line of "/" alone.
ScriptOperation OperationOf(std::string_view line);

// The number of arguments the operation takes; -1 when it does not look at them.
int ArgumentsTaken(ScriptOperation operation);

// Splits the texts in double quotes out of `line`, each exactly as written (an empty pair of
// quotes is an argument). Returns their number, or -1 when a quote is left open. Text outside
// the quotes plays no part.
int SplitQuotedArguments(std::string_view line, std::vector<std::string>& arguments);

}  // namespace zavo
