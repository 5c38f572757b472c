// Helpers of the self-extracting program's tests: scratch folders under Z:\tmp, files, archives
// written by our writer or byte by byte, and the built ZAVOSFX.EXE run as a child process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfx_test {

// A fresh folder Z:\tmp\zavo-sfx-<pid>-<n>\ (ending with '\'), removed with its contents.
class Scratch {
public:
    Scratch();
    ~Scratch();
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);   // creates missing folders
std::string ReadBytes(const std::string& path);                      // "" when missing
bool Exists(const std::string& path);
// Every file and folder below `folder`, relative paths sorted (folders end with '\').
std::vector<std::string> Tree(const std::string& folder);

// Data that compresses, of `size` bytes, different for each `seed`.
std::string TextData(std::size_t size, unsigned seed);

// One file or folder (path ends with '\') for ArchiveOf.
struct Item {
    std::string path;      // '\'-separated, code page 932
    std::string content;
};
// An archive made by our writer (header level 2, -lh5-).
std::string ArchiveOf(const std::vector<Item>& items);

// A level-0 member built byte by byte, so any name (also one the writer refuses) can be stored.
std::string Level0Member(const std::string& path, const std::string& content, const char* method = "-lh0-");
// A level-2 member with folder field (ext 0x02), name (ext 0x01) and Unix mode (ext 0x50).
std::string Level2Member(const std::string& folderField, const std::string& name, const std::string& content,
                         std::uint16_t unixMode);

// The bytes of the built self-extracting program (bin\ZAVOSFX.EXE beside the test program).
std::string StubBytes();
std::string BinFolder();   // ends with '\'

// A program started by the test, ended by force if the test leaves it running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const std::string& program, const std::string& arguments);
    unsigned long ThreadId() const { return threadId_; }
    // The exit code, or -1 when it did not end within `milliseconds`.
    int Wait(unsigned long milliseconds = 60000);

private:
    void* process_ = nullptr;
    unsigned long threadId_ = 0;
};

// Runs `program` with `arguments` and returns its exit code (-1 when it could not start or
// did not end within a minute).
int RunProgram(const std::string& program, const std::string& arguments);

}  // namespace sfx_test
