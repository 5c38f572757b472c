// The strings that outlive every handler: what the main window hands to its dialogs, and the
// script path the editor opens with. Created before the main window, empty at start.
#pragma once

#include <string>

namespace zavo {

struct TransferArea {
    std::string command;
    std::string lzhPath;
    std::string otherOpt;
    std::string chkOpt;     // letter code for the record dialog, switch text for the script editor
    std::string basePath;
    std::string file;
};

struct ProgramState {
    TransferArea transfer;
    std::string lastScriptPath;
};

}  // namespace zavo
