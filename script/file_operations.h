// The file operations of script lines, carried out by the file system.
#pragma once

#include <string>
#include <vector>

#include "script/quoted_arguments.h"

namespace zavo {

// Copies (replacing an existing target), deletes a file, makes one directory level or removes an
// empty directory, with the paths as written. `arguments` holds as many paths as the operation
// takes. False when the file system reports failure.
bool PerformFileOperation(ScriptOperation operation, const std::vector<std::string>& arguments);

}  // namespace zavo
