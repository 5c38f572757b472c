// Helpers of the self-extracting program's tests: archives written by our writer, the built
// ZAVOSFX.EXE run as a child process, and the shared scratch folders and files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace sfx_test {

using test_files::Exists;
using test_files::Level0Member;
using test_files::Level2Member;
using test_files::ReadBytes;
using test_files::Scratch;
using test_files::TextData;
using test_files::Tree;
using test_files::WriteBytes;

// One file or folder (path ends with '\') for ArchiveOf.
struct Item {
    std::string path;      // '\'-separated, code page 932
    std::string content;
};
// An archive made by our writer (header level 2, -lh5-).
std::string ArchiveOf(const std::vector<Item>& items);

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
