// Turning the main window's values into one archiver command line, and the library's answer
// into lines of the output log. Pure functions: no window, no library.
#pragma once

#include <string>
#include <string_view>

#include "engine/command_values.h"

namespace zavo {

// The switches of the ticked boxes, each with its leading blank, in their fixed order: the
// command line's form of the boxes, and a script entry's.
std::string SwitchText(const CommandSwitches& switches);

// command, " ", switches, " ", other option, " ", then the archive path, the base path (after
// cp932::WithFolderSeparator) and the file names, each in double quotes and separated by one blank.
std::string ComposeCommandLine(const CommandValues& values);

// Appends the library's text (already trimmed) to the log text: every line, the last one
// included, followed by CR LF; an empty text appends one CR LF.
std::string AppendEngineOutput(std::string_view outputText, std::string_view engineText);

}  // namespace zavo
