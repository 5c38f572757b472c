// Scratch folders, files, hand-built members and child processes for the Wine tests.
#include "tests/support/test_files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <random>

#include "codec/crc16.h"
#include "text/cp932.h"

namespace zavo::testing {
namespace {

// Every file and folder below `folder` (ending with '\'), contents before their folder, through
// the wide calls, which also reach deeper than the "A" calls' 260 characters. Folder links are
// entered only when asked.
void Walk(const std::wstring& folder, const std::wstring& relative, bool intoLinks,
          const std::function<void(const std::wstring& relative, bool isFolder)>& visit) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring leaf = data.cFileName, name = relative + leaf;
        if (leaf == L"." || leaf == L"..") continue;
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && (intoLinks || !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)))
            Walk(folder, name + L"\\", intoLinks, visit);
        visit(name, isFolder);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::string Narrow(const std::wstring& wide) {
    std::string text(2 * wide.size() + 1, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr) - 1));
    return text;
}

// Sharing writes too: a test reads files that a program it started is still appending to, and a
// reader that denied writing would make that program's open fail.
std::string ReadWide(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void Put16(std::string& s, std::size_t v) { s += {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
void Put32(std::string& s, std::size_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
void Set16(std::string& s, std::size_t at, std::size_t v) { s[at] = static_cast<char>(v & 0xFF), s[at + 1] = static_cast<char>(v >> 8); }
std::uint16_t Crc(const std::string& s) { return lzh::Crc16(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

// File times count 100 ns steps from 1601.
constexpr std::uint64_t kUnixEpoch = 116444736000000000ULL, kTicksPerSecond = 10000000ULL;

}  // namespace

// The name is taken only once this process has created the folder: CreateDirectoryA fails on one
// that exists, whoever made it, and Wine runs in other prefixes reuse process ids on the same /tmp.
Scratch::Scratch() {
    static std::atomic<unsigned> counter{0};
    CreateDirectoryA("Z:\\tmp", nullptr);
    do {
        path_ = "Z:\\tmp\\zavo-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
                "-" + std::to_string(++counter) + "\\";
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

// Everything in it goes, also deeper than the "A" calls reach; links are removed, not followed.
Scratch::~Scratch() {
    const std::wstring wide = WideOf(path_);
    Walk(wide, L"", false, [&](const std::wstring& relative, bool isFolder) {
        SetFileAttributesW((wide + relative).c_str(), FILE_ATTRIBUTE_NORMAL);
        isFolder ? RemoveDirectoryW((wide + relative).c_str()) : DeleteFileW((wide + relative).c_str());
    });
    RemoveDirectoryW(wide.c_str());
}

void WriteBytes(const std::string& path, const std::string& bytes) { WriteWide(WideOf(path), bytes); }
std::string ReadBytes(const std::string& path) { return ReadWide(WideOf(path)); }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void SetWriteTime(const std::string& path, std::int64_t unixSeconds) {
    // Backup semantics open folders too.
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const std::uint64_t ticks = kUnixEpoch + static_cast<std::uint64_t>(unixSeconds) * kTicksPerSecond;
    FILETIME t{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(file, nullptr, nullptr, &t);
    CloseHandle(file);
}

std::int64_t WriteTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    const FILETIME& t = data.ftLastWriteTime;
    return static_cast<std::int64_t>((((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) - kUnixEpoch) / kTicksPerSecond);
}

std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> out;
    Walk(WideOf(folder), L"", true, [&](const std::wstring& relative, bool isFolder) {
        out.push_back(Narrow(relative) + (isFolder ? "\\" : ""));
    });
    std::sort(out.begin(), out.end());
    return out;
}

std::wstring WideOf(const std::string& cp932) {
    std::wstring w(cp932.size() + 1, L'\0');
    w.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, cp932.c_str(), -1, &w[0], static_cast<int>(w.size())) - 1));
    return w;
}

// In UTF-16 a '\' is always a separator: the missing folders are found character by character.
void WriteWide(const std::wstring& path, const std::string& bytes) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::map<std::wstring, std::string> WideFiles(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    Walk(folder, L"", true, [&](const std::wstring& relative, bool isFolder) {
        if (!isFolder) files[relative] = ReadWide(folder + relative);
    });
    return files;
}

std::string TextData(std::size_t size, unsigned seed) {
    static const char* words[] = {"archive ", "member ", "\x95\x5C ", "header ", "window ", "0123 ", "\n"};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < size) s += words[rng() % 7];
    s.resize(size);
    return s;
}

std::string Level0Member(const std::string& path, const std::string& content, const char* method) {
    std::string body = method;   // from the method id on: sizes, time, attribute, level, name, CRC
    Put32(body, content.size());
    Put32(body, content.size());
    Put32(body, 0x5A215C3B);
    body += std::string("\x20\0", 2) + static_cast<char>(path.size()) + path;
    Put16(body, Crc(content));
    unsigned sum = 0;
    for (unsigned char c : body) sum += c;
    return std::string{static_cast<char>(body.size()), static_cast<char>(sum & 0xFF)} + body + content;
}

std::string Level2Member(const std::string& folderField, const std::string& name, const std::string& content,
                         std::uint16_t unixMode, const char* method, const std::vector<std::string>& more) {
    std::vector<std::string> exts = {std::string(3, '\0'), '\x01' + name};
    if (!folderField.empty()) exts.push_back('\x02' + folderField);
    if (unixMode) Put16(exts.emplace_back("\x50"), unixMode);
    exts.insert(exts.end(), more.begin(), more.end());
    std::string header(2, '\0');   // the total size, set below
    header += method;
    Put32(header, content.size());
    Put32(header, content.size());
    Put32(header, 1735731234);
    header += "\x20\x02";
    Put16(header, Crc(content));
    header += 'U';
    // Each extended header is announced by the size before it, the last by a zero size.
    std::size_t crcAt = 0;
    for (const std::string& e : exts) {
        Put16(header, e.size() + 2);
        if (e[0] == '\x00') crcAt = header.size() + 1;
        header += e;
    }
    Put16(header, 0);
    if ((header.size() & 0xFF) == 0) header += '\0';
    Set16(header, 0, header.size());
    Set16(header, crcAt, Crc(header));
    return header + content;
}

std::string BinFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return cp932::FolderPart(std::string(path, length));
}

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ChildProcess::Start(std::string commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    threadId_ = info.dwThreadId;
    return true;
}

unsigned long ChildProcess::WaitExit(unsigned long milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
}

unsigned long RunToEnd(const std::string& commandLine, unsigned long milliseconds) {
    ChildProcess child;
    return child.Start(commandLine) ? child.WaitExit(milliseconds) : STILL_ACTIVE;
}

}  // namespace zavo::testing
