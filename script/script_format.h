// The script file format: reading a file into the ScriptTable, and the editor's three ways of
// touching a file (append one entry, write the pane's lines, show the file's text).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_values.h"
#include "script/script_table.h"

namespace zavo {

// Removes every CR and LF at the end of `line`, in any mix and number.
void StripLineEnds(std::string& line);

// Reads the entries of the script file into the table's first rows and returns their number,
// also stored as table.count. A file that cannot be opened gives nothing (and a count of 0) and
// leaves `lastScriptPath` alone; a file that was opened becomes `lastScriptPath`.
std::optional<int> ReadScript(std::string_view path, ScriptTable& table, std::string& lastScriptPath);

// The option line of an appended entry: the other options, then the switch text unless the
// other options already hold it.
std::string EntryOptions(std::string_view otherOptions, std::string_view checkOptions);

// Appends one six-line entry made of the comment and the window's values to the file (the
// boxes as switch text on the option line, see EntryOptions), creating
// the file when it is missing. A last line without a line break is ended first, so the new
// marker starts a line of its own. False when the file cannot be opened or written.
bool AppendScriptEntry(std::string_view path, std::string_view comment, const CommandValues& values);

// Replaces the file's text by the pane's lines, each followed by a line break; a last line that
// is empty (the one after the pane's final line break) is not written. False when the file
// cannot be opened or written.
bool WritePaneLines(std::string_view path, const std::vector<std::string>& lines);

// The file's text for the editor's pane: every line, whole and without its line end, followed
// by CR LF. Nothing when the file cannot be opened.
std::optional<std::string> ShowScriptFile(std::string_view path);

}  // namespace zavo
