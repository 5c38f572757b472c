// Win32 file streams of the self-extracting program.
#include "sfx/file_streams.h"

#include <algorithm>

namespace sfx {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

bool FileSource::Open(const std::string& path) {
    file_.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file_ || !GetFileSizeEx(file_.Get(), &size)) {
        lastError_ = GetLastError();
        file_.Reset();
        return false;
    }
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

std::size_t FileSource::Read(std::uint8_t* buffer, std::size_t size) {
    if (failed_ || !file_) return 0;
    std::size_t total = 0;
    while (total < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - total, kChunk));
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer + total, want, &got, nullptr)) {
            lastError_ = GetLastError();
            failed_ = true;
            break;
        }
        if (got == 0) break;
        total += got;
    }
    position_ += total;
    return total;
}

bool FileSource::Seek(std::uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!file_ || !SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN)) return false;
    position_ = offset;
    failed_ = false;
    return true;
}

bool FileSink::Create(const std::string& path) {
    file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    lastError_ = file_ ? 0 : GetLastError();
    failed_ = !file_;
    buffer_.clear();
    buffer_.reserve(kChunk);
    return file_.Valid();
}

bool FileSink::WriteThrough(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD want = static_cast<DWORD>(std::min(size, kChunk));
        DWORD written = 0;
        if (!WriteFile(file_.Get(), data, want, &written, nullptr) || written != want) {
            lastError_ = GetLastError();
            failed_ = true;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool FileSink::Write(const std::uint8_t* data, std::size_t size) {
    if (failed_) return false;
    if (hook_ && !hook_(context_, size)) {
        failed_ = true;
        return false;
    }
    if (buffer_.size() + size <= kChunk) {
        buffer_.insert(buffer_.end(), data, data + size);
        return true;
    }
    return Flush() && WriteThrough(data, size);
}

bool FileSink::Flush() {
    if (failed_) return false;
    const bool ok = WriteThrough(buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
}

}  // namespace sfx
