// Handing one command to the archiver library: the busy check before it, and the run itself.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "engine/archiver_engine.h"
#include "engine/command_values.h"

namespace zavo {

// The busy check before a library call. While the library is busy, `firstWarning` asks over
// `owner` to try again with OK; Cancel, or a library still busy after OK, ends the process with
// exit status 1 (the second time after telling so).
void RunBusyProtocol(ArchiverEngine& engine, HWND owner, const std::string& firstWarning);

// Composes the command line from `values` and runs it. The library's text, trimmed, or nothing
// when the library reports failure.
std::optional<std::string> RunLibraryCommand(ArchiverEngine& engine, const CommandValues& values);

}  // namespace zavo
