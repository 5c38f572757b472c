// The registration entries of the script file type.
#include "shell/file_type_entries.h"

namespace zavo {

std::vector<FileTypeEntry> ScriptFileTypeEntries(const std::string& programPath) {
    return {
        {".ZAV", "ZAVOfile"},
        {"ZAVOfile", "ZAVO Script file"},
        {"ZAVOfile\\DefaultIcon", programPath + " ,1"},
        {"ZAVOfile\\Shell\\open\\command", "\"" + programPath + "\"  \"%1\""},
    };
}

}  // namespace zavo
