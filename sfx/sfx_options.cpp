// Splitting and reading the self-extracting program's command line.
#include "sfx/sfx_options.h"

#include <vector>

#include "text/cp932.h"

namespace sfx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Arguments separated by blanks; a quote pair groups blanks into one argument and is removed.
// Quotes and blanks are single-byte characters below any trail byte, so only lead bytes need care.
std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            const std::size_t length = cp932::CharLength(line, i);
            if (length == 1 && line[i] == '"') {
                quoted = !quoted;
            } else {
                argument.append(line, i, length);
            }
            i += length;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace

Options ParseOptions(const std::string& arguments) {
    Options options;
    const std::vector<std::string> parts = SplitArguments(arguments);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        const std::string upper = cp932::AsciiUpper(part);
        if (upper == "-Y" || upper == "/Y") {
            options.unattended = true;
        } else if (upper.size() >= 2 && (upper[0] == '-' || upper[0] == '/') && upper[1] == 'D') {
            std::string value = part.substr(2);
            if (value.empty()) {
                if (i + 1 < parts.size()) value = parts[++i];
            }
            if (value.empty() && options.error.empty()) options.error = "-d needs a destination folder";
            options.destination = value;
        } else if (options.error.empty()) {
            options.error = "not understood: " + part;
        }
    }
    return options;
}

std::string ArgumentsAfterProgram(const std::string& commandLine) {
    std::size_t i = 0;
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i < commandLine.size() && commandLine[i] == '"') {
        ++i;
        while (i < commandLine.size() && commandLine[i] != '"') i += cp932::CharLength(commandLine, i);
        if (i < commandLine.size()) ++i;
    }
    while (i < commandLine.size() && !IsBlank(commandLine[i])) i += cp932::CharLength(commandLine, i);
    return commandLine.substr(i);
}

}  // namespace sfx
