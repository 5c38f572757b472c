// The codec's streams over Win32 files (CreateFileA): the program's own file and the files it
// extracts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/io.h"
#include "win/unique_handle.h"

namespace sfx {

class FileSource : public lzh::RandomAccessSource {
public:
    bool Open(const std::string& path);
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
    bool Failed() const override { return failed_; }
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Size() const override { return size_; }
    DWORD LastError() const { return lastError_; }

private:
    win::UniqueFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool failed_ = false;
    DWORD lastError_ = 0;
};

// A new file, written through a buffer. `onWrite` (when set) hears of every write and may stop
// the extraction by returning false.
class FileSink : public lzh::ByteSink {
public:
    using WriteHook = bool (*)(void* context, std::size_t bytes);
    // CREATE_NEW: never opens an existing file or a link left in the way.
    bool Create(const std::string& path);
    void OnWrite(WriteHook hook, void* context) {
        hook_ = hook;
        context_ = context;
    }
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool Flush();
    HANDLE Handle() const { return file_.Get(); }
    bool Opened() const { return file_.Valid(); }
    void Close() { file_.Reset(); }
    DWORD LastError() const { return lastError_; }

private:
    bool WriteThrough(const std::uint8_t* data, std::size_t size);
    win::UniqueFile file_;
    std::vector<std::uint8_t> buffer_;
    bool failed_ = false;
    DWORD lastError_ = 0;
    WriteHook hook_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace sfx
