// The command-line rule: skip the program path, unquote one argument, classify it.
#include "app/command_line.h"

#include "text/cp932.h"

namespace zavo {

StartArgument ParseCommandLine(std::string_view commandLine) {
    std::string line = cp932::Trim(commandLine);
    std::string argument;
    if (!line.empty() && line[0] == '"') {
        // A quoted program path: the argument starts after its closing quote. Quotes and
        // blanks are never trail bytes, so byte searches are safe here.
        std::size_t close = line.find('"', 1);
        argument = close == std::string::npos ? line.substr(1) : line.substr(close + 1);
    } else {
        std::size_t blank = line.find(' ');
        if (blank != std::string::npos) argument = line.substr(blank + 1);
    }
    argument = cp932::TrimLeft(argument);
    if (!argument.empty() && argument[0] == '"') {
        // Drop the opening quote and the last character, which is the closing quote when there
        // is one; a last double-byte character goes whole, never half of it.
        std::size_t last = cp932::LastCharOffset(argument);
        argument = last > 0 ? argument.substr(1, last - 1) : std::string();
        argument = cp932::TrimLeft(argument);
    }
    if (argument.empty()) return {};
    ArgumentKind kind = IsLzhPath(argument) ? ArgumentKind::Archive : ArgumentKind::Script;
    return {kind, argument};
}

bool IsLzhPath(std::string_view path) {
    // The last component begins after the last "\" or "/" or a drive's ":".
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) start = i + 1;
    }
    std::string_view name = path.substr(start);
    std::size_t dot = cp932::FindLastChar(name, '.');
    if (dot == std::string_view::npos) return false;
    return cp932::AsciiUpper(name.substr(dot)) == ".LZH";
}

}  // namespace zavo
