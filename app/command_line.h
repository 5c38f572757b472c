// The program's one command-line argument: an archive to show or a script to run.
#pragma once

#include <string>
#include <string_view>

namespace zavo {

enum class ArgumentKind { None, Archive, Script };

struct StartArgument {
    ArgumentKind kind = ArgumentKind::None;
    std::string path;
};

// Takes the whole process command line (program path included) apart.
StartArgument ParseCommandLine(std::string_view commandLine);

// True when the extension of the path's last component is ".LZH" in any letter case.
bool IsLzhPath(std::string_view path);

}  // namespace zavo
