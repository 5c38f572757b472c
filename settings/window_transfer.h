// The main window's values as the transfer area hands them to the record dialog and the script
// editor, which take the four boxes each in a form of their own.
#pragma once

#include <string>

#include "app/main_dialog.h"
#include "engine/command_composer.h"

namespace zavo {

// The command, the four texts, and the boxes written by `boxesText` (the record dialog's letter
// code or the script editor's switch text).
TransferArea TransferFromWindow(const MainFields& fields, std::string (*boxesText)(const CommandSwitches&));

}  // namespace zavo
