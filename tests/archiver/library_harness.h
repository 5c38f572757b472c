// Helpers of the library's Wine tests: the two exports as zavo.exe binds them, a scratch folder
// under Z:\tmp, files, and archives built by hand for what the library must refuse.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

extern "C" {
int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);
int WINAPI Unlha32IsBusy();
}

namespace unlha_test {

struct Outcome {
    int code = -1;
    std::string text;
    bool wroteBeyondSize = false;   // the byte after the given size was touched
};

// One call with the front end's buffer: 65,536 bytes, 65,535 given as its size.
Outcome Unlha(const std::string& commandLine, HWND owner = nullptr);

// A fresh folder Z:\tmp\zavo-unlha32-<pid>-<n>\ (ending with '\'), removed with everything in
// it when the object goes.
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
void SetWriteTime(const std::string& path, std::int64_t unixSeconds);   // of a file or a folder
std::int64_t WriteTimeOf(const std::string& path);                   // Unix seconds
// Every file below `folder`, relative paths sorted (folders end with '\').
std::vector<std::string> Tree(const std::string& folder);

// Data that compresses, of `size` bytes, different for each `seed`.
std::string TextData(std::size_t size, unsigned seed);

// A level-0 member built byte by byte, so any name (also one our writer refuses) can be stored.
std::string Level0Member(const std::string& path, const std::string& content, const char* method = "-lh0-");
// A level-2 member with the folder field (ext 0x02) and name (ext 0x01) as given, stored data.
std::string Level2Member(const std::string& folderField, const std::string& name, const std::string& content,
                         std::uint16_t unixMode = 0, const char* method = "-lh0-");

// Lines of `text` that contain `needle`.
std::size_t CountLines(const std::string& text, const std::string& needle);

}  // namespace unlha_test
