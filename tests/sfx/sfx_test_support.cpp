// Files, archives and child processes for the self-extracting program's tests.
#include "sfx_test_support.h"

#include <windows.h>

#include <algorithm>

#include "codec/archive.h"
#include "codec/crc16.h"
#include "codec/io.h"
#include "text/cp932.h"

namespace sfx_test {
namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

void AddTree(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((root + relative + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(relative + name + "\\");
            AddTree(root, relative + name + "\\", out);
        } else {
            out.push_back(relative + name);
        }
    } while (FindNextFileA(find, &found));
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
unsigned Crc(const std::string& data) {
    return lzh::UpdateCrc16(0, reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
}

// Splits a '\'-separated code page 932 path into its parts.
std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = cp932::FindChar(path, '\\', start);
        if (separator == std::string::npos) {
            if (start < path.size()) parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, separator - start));
        start = separator + 1;
    }
}

}  // namespace

Scratch::Scratch() {
    static int counter = 0;
    path_ = "Z:\\tmp\\zavo-sfx-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

Scratch::~Scratch() { RemoveTree(path_); }

void WriteBytes(const std::string& path, const std::string& bytes) {
    for (std::size_t i = 3; i < path.size(); i += cp932::CharLength(path, i))
        if (path[i] == '\\' && cp932::CharLength(path, i) == 1) CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> out;
    AddTree(folder, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

std::string TextData(std::size_t size, unsigned seed) {
    std::string text;
    unsigned state = seed * 2654435761u + 1;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += "line " + std::to_string((state >> 16) % 50) + " of the test data\r\n";
    }
    text.resize(size);
    return text;
}

std::string ArchiveOf(const std::vector<Item>& items) {
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    for (const Item& item : items) {
        lzh::NewEntry entry;
        entry.unixTime = 1700000000;
        entry.folders = Parts(item.path);
        if (cp932::EndsWithChar(item.path, '\\')) {
            writer.AddDirectory(entry);
            continue;
        }
        entry.name = entry.folders.back();
        entry.folders.pop_back();
        lzh::MemorySource data(reinterpret_cast<const std::uint8_t*>(item.content.data()), item.content.size());
        writer.AddFile(entry, data, lzh::FindMethod("-lh5-"));
    }
    writer.Finish();
    return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

std::string Level0Member(const std::string& path, const std::string& content, const char* method) {
    std::string body = method;   // from the method id on
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
                         std::uint16_t unixMode) {
    std::vector<std::string> extensions = {std::string(1, '\x01') + name};
    if (!folderField.empty()) extensions.push_back(std::string(1, '\x02') + folderField);
    if (unixMode) {
        std::string mode(1, '\x50');
        Put16(mode, unixMode);
        extensions.push_back(mode);
    }
    std::string extended;
    for (const std::string& e : extensions) {
        Put16(extended, static_cast<unsigned>(e.size() + 2));
        extended += e;
    }
    Put16(extended, 0);
    std::string header = std::string(2, '\0') + "-lh0-";
    Put32(header, static_cast<std::uint32_t>(content.size()));
    Put32(header, static_cast<std::uint32_t>(content.size()));
    Put32(header, 1700000000);
    header += '\x20';
    header += '\x02';
    Put16(header, Crc(content));
    header += 'U';
    header += extended;
    const unsigned total = static_cast<unsigned>(header.size());
    header[0] = static_cast<char>(total & 0xFF);
    header[1] = static_cast<char>(total >> 8);
    return header + content;
}

std::string BinFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return cp932::FolderPart(path);
}

std::string StubBytes() { return ReadBytes(BinFolder() + "ZAVOSFX.EXE"); }

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) TerminateProcess(process_, 99);
    CloseHandle(process_);
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    threadId_ = process.dwThreadId;
    return true;
}

int ChildProcess::Wait(unsigned long milliseconds) {
    DWORD code = static_cast<DWORD>(-1);
    if (process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

int RunProgram(const std::string& program, const std::string& arguments) {
    ChildProcess child;
    return child.Start(program, arguments) ? child.Wait() : -1;
}

}  // namespace sfx_test
