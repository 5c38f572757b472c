// Scratch folders, files and hand-built members for the Wine tests.
#include "tests/support/test_files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <random>

#include "codec/crc16.h"
#include "text/cp932.h"

namespace test_files {
namespace {

void CollectTree(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((root + relative + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(relative + name + "\\");
            CollectTree(root, relative + name + "\\", out);
        } else {
            out.push_back(relative + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void Put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
std::uint16_t Crc(const std::string& s) {
    return lzh::Crc16(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

}  // namespace

Scratch::Scratch() {
    static std::atomic<int> counter{0};
    CreateDirectoryA("Z:\\tmp", nullptr);
    // Wine numbers processes per prefix, so test runs of other build trees reuse our process ids:
    // a folder counts as ours only when we created it, and one that exists is never touched.
    do {
        path_ = "Z:\\tmp\\zavo-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    path_ += "\\";
}

Scratch::~Scratch() { RemoveTree(path_); }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) RemoveTree(path + "\\");
            if (isFolder)
                RemoveDirectoryA(path.c_str());
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    for (std::size_t i = 3; i < path.size(); i += cp932::CharLength(path, i))
        if (path[i] == '\\' && cp932::CharLength(path, i) == 1) CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void SetWriteTime(const std::string& path, std::int64_t unixSeconds) {
    // Backup semantics open folders too.
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const std::uint64_t ticks = 116444736000000000ULL + static_cast<std::uint64_t>(unixSeconds) * 10000000ULL;
    FILETIME t{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(file, nullptr, nullptr, &t);
    CloseHandle(file);
}

std::int64_t WriteTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    return static_cast<std::int64_t>((ticks - 116444736000000000ULL) / 10000000ULL);
}

std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> out;
    CollectTree(folder, "", out);
    std::sort(out.begin(), out.end());
    return out;
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
    std::string body;   // from the method id on
    body += method;
    Put32(body, static_cast<std::uint32_t>(content.size()));
    Put32(body, static_cast<std::uint32_t>(content.size()));
    Put32(body, 0x5A215C3B);
    body += '\x20';
    body += '\0';
    body += static_cast<char>(path.size());
    body += path;
    Put16(body, Crc(content));
    unsigned sum = 0;
    for (unsigned char c : body) sum += c;
    std::string header;
    header += static_cast<char>(body.size());
    header += static_cast<char>(sum & 0xFF);
    return header + body + content;
}

std::string Level2Member(const std::string& folderField, const std::string& name, const std::string& content,
                         std::uint16_t unixMode, const char* method) {
    std::string ext;
    auto extension = [&](char type, const std::string& payload) {
        std::string e;
        e += type;
        e += payload;
        return e;
    };
    std::vector<std::string> exts = {extension('\x00', std::string(2, '\0')), extension('\x01', name)};
    if (!folderField.empty()) exts.push_back(extension('\x02', folderField));
    if (unixMode) {
        std::string mode;
        Put16(mode, unixMode);
        exts.push_back(extension('\x50', mode));
    }
    std::string header;
    Put16(header, 0);   // total size, set below
    header += method;
    Put32(header, static_cast<std::uint32_t>(content.size()));
    Put32(header, static_cast<std::uint32_t>(content.size()));
    Put32(header, 1735731234);
    header += '\x20';
    header += '\x02';
    Put16(header, Crc(content));
    header += 'U';
    // Each extended header is announced by the size before it, the last by a zero size.
    std::size_t crcAt = 0;
    for (const std::string& e : exts) {
        Put16(header, static_cast<unsigned>(e.size() + 2));
        if (e[0] == '\x00') crcAt = header.size() + 1;
        header += e;
    }
    Put16(header, 0);
    if ((header.size() & 0xFF) == 0) header += '\0';
    header[0] = static_cast<char>(header.size() & 0xFF);
    header[1] = static_cast<char>(header.size() >> 8);
    const std::uint16_t crc = Crc(header);
    header[crcAt] = static_cast<char>(crc & 0xFF);
    header[crcAt + 1] = static_cast<char>(crc >> 8);
    return header + content;
}

}  // namespace test_files
