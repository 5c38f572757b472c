// Script file operations over the Win32 file calls.
#include "script/file_operations.h"

#include <windows.h>

namespace zavo {

bool PerformFileOperation(ScriptOperation operation, const std::vector<std::string>& arguments) {
    switch (operation) {
    case ScriptOperation::Copy:
        return CopyFileA(arguments.at(0).c_str(), arguments.at(1).c_str(), FALSE) != FALSE;
    case ScriptOperation::Delete: return DeleteFileA(arguments.at(0).c_str()) != FALSE;
    case ScriptOperation::MakeDir: return CreateDirectoryA(arguments.at(0).c_str(), nullptr) != FALSE;
    case ScriptOperation::RemoveDir: return RemoveDirectoryA(arguments.at(0).c_str()) != FALSE;
    default: return false;
    }
}

}  // namespace zavo
