// Buffered Win32 file streams for the codec.
#include "archiver/file_stream.h"

#include "archiver/wide_names.h"

#include <algorithm>

namespace unlha {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

}  // namespace

bool FileSource::Open(const std::string& path) { return Open(Widen(path)); }

bool FileSource::Open(const std::wstring& path) {
    file_.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_) {
        lastError_ = GetLastError();
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_.Get(), &size)) {
        lastError_ = GetLastError();
        file_.Reset();
        return false;
    }
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    position_ = 0;
    failed_ = false;
    return true;
}

std::size_t FileSource::Read(std::uint8_t* buffer, std::size_t size) {
    if (failed_ || !file_) return 0;
    std::size_t total = 0;
    while (total < size) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - total, kChunk));
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer + total, want, &got, nullptr)) {
            lastError_ = GetLastError();
            failed_ = true;
            break;
        }
        if (got == 0) break;
        total += got;
        if (observer_ && !observer_->Transferred(got)) {
            // Cancel: the codec sees a failed read and stops; the caller knows why.
            failed_ = true;
            return 0;
        }
    }
    position_ += total;
    return total;
}

bool FileSource::Seek(std::uint64_t offset) {
    if (!file_) return false;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN)) return false;
    position_ = offset;
    failed_ = false;
    return true;
}

bool FileSink::Create(const std::string& path, CreateMode mode) { return Create(Widen(path), mode); }

bool FileSink::Create(const std::wstring& path, CreateMode mode) {
    const DWORD disposition = mode == CreateMode::NewOnly ? CREATE_NEW : CREATE_ALWAYS;
    // DELETE lets Discard remove the file through this handle, before anyone else can open it.
    file_.Reset(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    lastError_ = file_ ? 0 : GetLastError();
    // The buffer grows with what is written: a small file never pays for a whole chunk.
    buffer_.clear();
    position_ = 0;
    failed_ = !file_;
    return file_.Valid();
}

bool FileSink::Discard() {
    if (!file_) return false;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    const bool removed = SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &disposition, sizeof disposition);
    buffer_.clear();
    file_.Reset();
    return removed;
}

bool FileSink::CreateUnique(const std::wstring& folder, const std::wstring& prefix, const std::wstring& suffix,
                            std::wstring& path) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    unsigned n = GetTickCount();
    for (unsigned tries = 0; tries < 0x10000; ++tries, ++n) {
        path = folder + prefix;
        for (int shift = 12; shift >= 0; shift -= 4) path += kHex[(n >> shift) & 0xF];
        path += suffix;
        if (Create(path, CreateMode::NewOnly)) return true;
        if (lastError_ != ERROR_FILE_EXISTS && lastError_ != ERROR_ALREADY_EXISTS) break;
    }
    path.clear();
    return false;
}

bool FileSink::CreateUnique(const std::string& folder, const std::string& prefix, const std::string& suffix,
                            std::string& path) {
    const std::wstring wideFolder = Widen(folder), widePrefix = Widen(prefix);
    std::wstring wide;
    path.clear();
    if (!CreateUnique(wideFolder, widePrefix, Widen(suffix), wide)) return false;
    // The digits are ASCII: the narrow name is the caller's parts around them.
    const std::wstring digits = wide.substr(wideFolder.size() + widePrefix.size(), 4);
    path = folder + prefix + std::string(digits.begin(), digits.end()) + suffix;
    return true;
}

bool FileSink::WriteThrough(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, kChunk));
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
    if (observer_ && !observer_->Transferred(size)) {
        failed_ = true;
        return false;
    }
    position_ += size;
    if (buffer_.size() + size <= kChunk) {
        buffer_.insert(buffer_.end(), data, data + size);
        return true;
    }
    return Flush() && WriteThrough(data, size);
}

bool FileSink::Flush() {
    if (failed_) return false;
    if (!buffer_.empty()) {
        const bool ok = WriteThrough(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }
    return true;
}

bool FileSink::Seek(std::uint64_t offset) {
    if (!Flush()) return false;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN)) {
        failed_ = true;
        return false;
    }
    position_ = offset;
    return true;
}

bool CountingSink::Write(const std::uint8_t*, std::size_t size) {
    return !observer_ || observer_->Transferred(size);
}

}  // namespace unlha
