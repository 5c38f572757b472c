// Memory and limiting stream implementations.
#include "codec/io.h"

#include <algorithm>
#include <cstring>

namespace lzh {

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
    std::size_t n = std::min(size, size_ - pos_);
    if (n) std::memcpy(buffer, data_ + pos_, n);
    pos_ += n;
    return n;
}

bool MemorySource::Seek(std::uint64_t offset) {
    if (offset > size_) return false;
    pos_ = static_cast<std::size_t>(offset);
    return true;
}

bool MemorySink::Write(const std::uint8_t* data, std::size_t size) {
    if (pos_ + size > bytes_.size()) bytes_.resize(pos_ + size);
    if (size) std::memcpy(bytes_.data() + pos_, data, size);
    pos_ += size;
    return true;
}

bool MemorySink::Seek(std::uint64_t offset) {
    if (offset > bytes_.size()) return false;
    pos_ = static_cast<std::size_t>(offset);
    return true;
}

std::size_t LimitedSource::Read(std::uint8_t* buffer, std::size_t size) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, left_));
    if (want == 0) return 0;
    std::size_t n = inner_.Read(buffer, want);
    left_ -= n;
    return n;
}

}  // namespace lzh
