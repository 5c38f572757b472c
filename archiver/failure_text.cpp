// The sentences of failures that ask the system: its own words, why a file cannot be written,
// an archive path that names a folder.
#include <windows.h>

#include "archiver/make_folders.h"
#include "archiver/run.h"
#include "text/cp932.h"

namespace unlha {
namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The system's text in the run's language; Windows without that language's messages gives its own.
std::string SystemText(unsigned long error) {
    const WORD language = CurrentLanguage() == Language::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                                  : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    char text[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, language, text,
                             sizeof text, nullptr);
    return n ? std::string(text, n) : SystemErrorText(error);
}

}  // namespace

std::string SystemMessage(unsigned long error) {
    std::string message = SystemText(error);
    // The system's sentence ends the line: its full stop and line end go.
    for (;;) {
        if (!message.empty() && (message.back() == '.' || message.back() == ' ' || message.back() == '\r' ||
                                 message.back() == '\n')) {
            message.pop_back();
        } else if (message.size() >= 2 && cp932::LastCharOffset(message) == message.size() - 2 &&
                   message.compare(message.size() - 2, 2, "。") == 0) {
            message.resize(message.size() - 2);
        } else {
            break;
        }
    }
    if (message.empty()) message = Say(M::SystemError, error);
    return message;
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
