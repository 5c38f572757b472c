// One archiver command's values: what the main window shows, what the command line is composed
// of, what a recall slot keeps and what a script entry holds. Named after the window's fields.
#pragma once

#include <string>

namespace zavo {

// The four option boxes.
struct CommandSwitches {
    bool recursive = false;   // " -r1"
    bool folderName = false;  // " -x1"
    bool newerYes = false;    // " -jyo"
    bool allAttrib = false;   // " -a1"
};

struct CommandValues {
    std::string command;      // "e ", "a ", ... or a script entry's command line
    std::string lzhPath;
    std::string basePath;
    std::string fileName;
    CommandSwitches switches; // a script entry keeps its switches as text in `otherOption`
    std::string otherOption;
};

}  // namespace zavo
