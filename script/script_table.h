// The rows of a script file as the runs use them: one table of 256 rows, owned by the main window.
#pragma once

#include <array>

#include "engine/command_values.h"

namespace zavo {

// A row is an entry's command values: its command (an archiver prefix such as "a ", or an
// operation line "/..."), and for an archiver entry its option line as `otherOption`, archive
// path, base path and file names. The switches of a row stay off: its options are text.
struct ScriptTable {
    static constexpr int kMaxRows = 256;
    std::array<CommandValues, kMaxRows> rows;
    int count = 0;
};

}  // namespace zavo
