// Real files and programs for the Wine tests: scratch folders, files, hand-built members, child
// processes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zavo::testing {

// A fresh folder of its own, Z:\tmp\zavo-test-<pid>-<tick>-<n>\ (ending with '\'), removed with everything in it
// when the object goes.
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);   // creates missing folders
std::string ReadBytes(const std::string& path);                      // "" when missing
bool Exists(const std::string& path);
void SetWriteTime(const std::string& path, std::int64_t unixSeconds);   // of a file or a folder
std::int64_t WriteTimeOf(const std::string& path);                   // Unix seconds
// Every file and folder below `folder`, relative paths sorted (folders end with '\').
std::vector<std::string> Tree(const std::string& folder);

// Names beyond code page 932: a code page 932 path in UTF-16, a file written under a wide path
// (its folders made), every file below `folder` (ending with '\') by relative wide path.
std::wstring WideOf(const std::string& cp932);
void WriteWide(const std::wstring& path, const std::string& bytes);
std::map<std::wstring, std::string> WideFiles(const std::wstring& folder);

// Data that compresses, of `size` bytes, different for each `seed`.
std::string TextData(std::size_t size, unsigned seed);

// A level-0 member built byte by byte, so any name (also one our writer refuses) can be stored.
std::string Level0Member(const std::string& path, const std::string& content, const char* method = "-lh0-");
// A level-2 member with the folder field (ext 0x02), name (ext 0x01) and Unix mode (ext 0x50)
// as given, and `more` extended headers (type byte and payload each) after them; its data
// stored as it is.
std::string Level2Member(const std::string& folderField, const std::string& name, const std::string& content,
                         std::uint16_t unixMode = 0, const char* method = "-lh0-",
                         const std::vector<std::string>& more = {});

// The folder of this test program, ending with '\': the build's bin folder, with zavo.exe,
// UNLHA32.DLL and ZAVOSFX.EXE.
std::string BinFolder();

// A program started by the test, ended by force should the test leave it running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // `folder` is the working folder; empty keeps the test's own.
    bool Start(std::string commandLine, const std::string& folder = {});
    // The exit status, or STILL_ACTIVE (259) when the program has not ended in time.
    unsigned long WaitExit(unsigned long milliseconds = 60000) const;
    unsigned long ThreadId() const { return threadId_; }
    void* Handle() const { return process_; }

private:
    void* process_ = nullptr;
    unsigned long threadId_ = 0;
};

// Runs a command line to its end: its exit status, or STILL_ACTIVE when it could not start or
// did not end in time (it is then ended by force).
unsigned long RunToEnd(const std::string& commandLine, unsigned long milliseconds = 60000);

}  // namespace zavo::testing

// The name the library tests still use for the same helpers.
namespace test_files = zavo::testing;
