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

// Gives a non-empty base path a final "\" unless its last character is "\" or ":". The test is
// on the last character, so a folder ending in a double-byte character whose second byte is
// 0x5C (such as 表) still gets its separator.
std::string WithBaseSeparator(std::string_view basePath);

// command, " ", switches, " ", other option, " ", then the archive path, the base path (after
// WithBaseSeparator) and the file names, each in double quotes and separated by one blank.
std::string ComposeCommandLine(const CommandValues& values);

// Appends the library's text (already trimmed) to the log text: every line, the last one
// included, followed by CR LF; an empty text appends one CR LF.
std::string AppendEngineOutput(std::string_view outputText, std::string_view engineText);

}  // namespace zavo
