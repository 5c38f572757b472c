// The rows of a script file as the runs use them: one table of 256 rows, owned by the main window.
#pragma once

#include <array>
#include <string>

namespace zavo {

struct ScriptRow {
    std::string command;      // an archiver prefix such as "a ", or an operation line "/..."
    std::string options;
    std::string archivePath;
    std::string basePath;
    std::string fileNames;
};

struct ScriptTable {
    static constexpr int kMaxRows = 256;
    std::array<ScriptRow, kMaxRows> rows;
    int count = 0;
};

}  // namespace zavo
