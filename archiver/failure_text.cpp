// The sentences of failures that ask the system: its own words, why a file cannot be written,
// an archive path that names a folder.
#include <windows.h>

#include "archiver/run.h"
#include "archiver/system_text.h"
#include "text/cp932.h"

namespace unlha {
namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string SystemMessage(unsigned long error) {
    const std::string message = SystemErrorText(error, CurrentLanguage());
    return message.empty() ? Say(M::SystemError, error) : message;
}

std::string WriteProblem(const std::string& path, unsigned long error) {
    const std::string folder = cp932::FolderPart(path);
    if (!folder.empty() && !IsFolder(folder)) return Say(M::FolderMissing, path, folder);
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return Say(M::FolderReadOnly, path, SystemMessage(error));
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Say(M::DiskFull, path, SystemMessage(error));
    default: return Say(M::CannotWrite, path, SystemMessage(error));
    }
}

std::string ArchiveIsFolderProblem(const std::string& path) {
    const std::string asFolder = cp932::EndsWithChar(path, '\\') ? path : path + "\\";
    return Say(M::ArchiveIsFolder, path, asFolder);
}

std::string FullFolder(const std::string& folder) {
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(folder.empty() ? "." : folder.c_str(), sizeof full, full, nullptr);
    std::string result = n == 0 || n >= sizeof full ? folder : std::string(full, n);
    if (!result.empty() && !cp932::EndsWithChar(result, '\\')) result += '\\';
    return result;
}

}  // namespace unlha
