// Files, folders and registry values that the scenarios prepare and inspect.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/support/test_files.h"
#include "text/cp932.h"

namespace e2e {
namespace {

void MakeFolders(const std::string& folder) {
    if (folder.empty() || FolderExists(folder)) return;
    std::string parent = cp932::FolderPart(folder.substr(0, folder.size() - cp932::EndsWithChar(folder, '\\')));
    if (parent.size() > 3) MakeFolders(parent.substr(0, parent.size() - 1));
    CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zavo-e2e-" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void WriteFile(const std::string& path, const std::string& bytes) {
    test_files::WriteBytes(path, bytes);
    ASSERT_TRUE(FileExists(path)) << "cannot write " << path;
}

std::string ReadFile(const std::string& path) { return test_files::ReadBytes(path); }

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& path) { test_files::RemoveTree(path + "\\"); }

void ShiftWriteTime(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    FILETIME written{};
    GetFileTime(file, nullptr, nullptr, &written);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = written.dwLowDateTime;
    ticks.HighPart = written.dwHighDateTime;
    ticks.QuadPart += static_cast<long long>(seconds) * 10000000LL;
    written.dwLowDateTime = ticks.LowPart;
    written.dwHighDateTime = ticks.HighPart;
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

Tree ReadTree(const std::string& folder) {
    Tree tree;
    for (const std::string& path : test_files::Tree(folder + "\\"))
        if (!cp932::EndsWithChar(path, '\\')) tree[path] = ReadFile(folder + "\\" + path);
    return tree;
}

std::string SampleText(size_t size, int seed) {
    static const char* const words[] = {"archive ", "folder ", "LZH ", "window ", "script ", "zavo ", "\r\n"};
    std::string text;
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += words[(state >> 16) % 7];
    }
    text.resize(size);
    return text;
}

std::string BinFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return cp932::FolderPart(std::string(path, length));
}

std::string InstallProgram(const std::string& folder, const std::string& library) {
    MakeFolders(folder);
    std::string program = folder + "\\zavo.exe";
    EXPECT_TRUE(CopyFileA((BinFolder() + "zavo.exe").c_str(), program.c_str(), FALSE)) << program;
    std::string from = library.empty() ? BinFolder() + "UNLHA32.DLL" : library;
    EXPECT_TRUE(CopyFileA(from.c_str(), (folder + "\\UNLHA32.DLL").c_str(), FALSE)) << from;
    return program;
}

std::string RegistryString(HKEY root, const std::string& key, const std::string& name) {
    char value[1024];
    DWORD size = sizeof value, type = 0;
    if (RegGetValueA(root, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, &type, value,
                     &size) != ERROR_SUCCESS) {
        return "(missing)";
    }
    return value;
}

void RemoveRegistryKey(HKEY root, const std::string& key) {
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return;
    char name[256];
    // Subkeys first: RegDeleteKey removes only a key without subkeys (its values go with it).
    while (RegEnumKeyA(opened, 0, name, sizeof name) == ERROR_SUCCESS) RemoveRegistryKey(opened, name);
    RegCloseKey(opened);
    RegDeleteKeyA(root, key.c_str());
}

}  // namespace e2e
