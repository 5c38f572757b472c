// Operation selection and the quoted-argument splitter.
#include "script/quoted_arguments.h"

#include "text/cp932.h"

namespace zavo {

ScriptOperation OperationOf(std::string_view line) {
    if (line.size() < 2) return ScriptOperation::None;
    switch (line[1]) {
    case 'C': case 'c': return ScriptOperation::Copy;
    case 'D': case 'd': return ScriptOperation::Delete;
    case 'M': case 'm': return ScriptOperation::MakeDir;
    case 'R': case 'r': return ScriptOperation::RemoveDir;
    case 'S': case 's': return ScriptOperation::Pause;
    case 'X': case 'x': return ScriptOperation::Exit;
    default: return ScriptOperation::None;
    }
}

int ArgumentsTaken(ScriptOperation operation) {
    switch (operation) {
    case ScriptOperation::Copy: return 2;
    case ScriptOperation::Delete:
    case ScriptOperation::MakeDir:
    case ScriptOperation::RemoveDir: return 1;
    default: return -1;
    }
}

int SplitQuotedArguments(std::string_view line, std::vector<std::string>& arguments) {
    arguments.clear();
    std::string rest = cp932::Trim(line);
    std::size_t open;
    while ((open = cp932::FindChar(rest, '"')) != std::string::npos) {
        std::size_t close = cp932::FindChar(rest, '"', open + 1);
        if (close == std::string::npos) return -1;
        arguments.push_back(rest.substr(open + 1, close - open - 1));
        rest = cp932::TrimLeft(std::string_view(rest).substr(close + 1));
    }
    return static_cast<int>(arguments.size());
}

}  // namespace zavo
