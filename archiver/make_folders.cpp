// Creating folders level by level, walking the path's characters (a 0x5C trail byte is no level).
#include "archiver/make_folders.h"

#include <windows.h>

#include "archiver/path_root.h"
#include "archiver/wide_names.h"
#include "text/cp932.h"

namespace unlha {

bool MakeDestinationFolders(const std::string& base, FolderStop& stop) {
    // Every '\' after the root ends a folder that must exist; the root ("C:\", "\\server\share\",
    // "\\?\C:\") is no folder anyone can create.
    for (std::size_t i = RootLength(base); i < base.size(); i += cp932::CharLength(base, i)) {
        if (cp932::CharLength(base, i) != 1 || base[i] != '\\') continue;
        const std::string prefix = base.substr(0, i);
        const DWORD attributes = GetFileAttributesA(prefix.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryA(prefix.c_str(), nullptr)) {
                stop = {prefix, GetLastError()};
                return false;
            }
        } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            stop = {prefix, 0};
            return false;
        }
    }
    return true;
}

bool MakeEntryFolders(const std::string& base, const std::vector<std::string>& folders, FolderStop& stop) {
    std::vector<std::wstring> wide;
    for (const std::string& part : folders) wide.push_back(Widen(part));
    return MakeEntryFolders(base, wide, stop);
}

bool MakeEntryFolders(const std::string& base, const std::vector<std::wstring>& folders, FolderStop& stop) {
    std::wstring path = Widen(base);
    std::string shown = base;   // the same path in code page names, for the caller's message
    for (const std::wstring& part : folders) {
        path += part;
        shown += FallbackOf(part).name;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryW(path.c_str(), nullptr)) {
                stop = {shown, GetLastError()};
                return false;
            }
        } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            stop = {shown, 0};
            return false;
        }
        path += L'\\';
        shown += '\\';
    }
    return true;
}

bool ConvertsAsWalked(const std::string& relative, std::size_t parts) {
    const int size = static_cast<int>(relative.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, relative.data(), size, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, relative.data(), size, &wide[0], length);
    std::size_t separators = 0;
    for (wchar_t c : wide) {
        if (c == L'\\') ++separators;
        if (c == L'/' || c == L':' || c < 0x20) return false;
    }
    return separators + 1 == parts;
}

}  // namespace unlha
