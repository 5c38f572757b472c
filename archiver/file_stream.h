// The codec's streams over Win32 files (CreateFileW handles), buffered, telling an observer of
// every transfer so that a Cancel stops a long file at once. Shared by UNLHA32.DLL and the
// self-extracting program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/io.h"
#include "win/unique_handle.h"

namespace unlha {

// Hears how many bytes a stream moved; false stops the stream (a Cancel), which the codec then
// sees as a failed read or write.
class TransferObserver {
public:
    virtual bool Transferred(std::size_t bytes) = 0;

protected:
    ~TransferObserver() = default;
};

class FileSource : public lzh::RandomAccessSource {
public:
    // Opens for reading. Others may keep writing (we cannot stop a program that has the file
    // open already); the codec notices a file that changes size while it is read.
    bool Open(const std::string& path);
    bool Open(const std::wstring& path);   // names beyond the code page
    void ReportTo(TransferObserver* observer) { observer_ = observer; }
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
    bool Failed() const override { return failed_; }
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Size() const override { return size_; }
    void Close() { file_.Reset(); }
    DWORD LastError() const { return lastError_; }

private:
    win::UniqueFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool failed_ = false;
    DWORD lastError_ = 0;
    TransferObserver* observer_ = nullptr;
};

enum class CreateMode {
    ReplaceExisting,   // a name of our own choosing (a temporary file)
    NewOnly,           // never opens an existing file or a link left in the way
};

class FileSink : public lzh::RandomAccessSink {
public:
    // Creates the file for writing; nobody else may open it meanwhile.
    bool Create(const std::string& path, CreateMode mode = CreateMode::ReplaceExisting);
    bool Create(const std::wstring& path, CreateMode mode = CreateMode::ReplaceExisting);
    // Creates a file nobody has yet, `folder` (empty or ending in a separator) + `prefix` + four
    // hex digits + `suffix`, and gives its name in `path`. The name is built as a string, never
    // in a buffer of MAX_PATH bytes, so it works wherever the folder itself can be reached.
    bool CreateUnique(const std::wstring& folder, const std::wstring& prefix, const std::wstring& suffix,
                      std::wstring& path);
    bool CreateUnique(const std::string& folder, const std::string& prefix, const std::string& suffix,
                      std::string& path);
    void ReportTo(TransferObserver* observer) { observer_ = observer; }
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return position_; }
    // Writes what is buffered; false on any earlier or present failure.
    bool Flush();
    bool Failed() const { return failed_; }
    bool Opened() const { return file_.Valid(); }
    HANDLE Handle() const { return file_.Get(); }
    void Close() { file_.Reset(); }
    // Closes the file and removes it as it closes, so nobody sees it again; false when the
    // system would not (the caller then deletes it by name).
    bool Discard();
    DWORD LastError() const { return lastError_; }

private:
    bool WriteThrough(const std::uint8_t* data, std::size_t size);
    win::UniqueFile file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t position_ = 0;   // logical position, buffered bytes included
    bool failed_ = false;
    DWORD lastError_ = 0;
    TransferObserver* observer_ = nullptr;
};

// Counts what a test run decodes and reports it, writing nothing.
class CountingSink : public lzh::ByteSink {
public:
    explicit CountingSink(TransferObserver* observer) : observer_(observer) {}
    bool Write(const std::uint8_t* data, std::size_t size) override;

private:
    TransferObserver* observer_;
};

}  // namespace unlha
