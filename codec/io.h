// Byte streams that the codec reads from and writes to, so that the same code serves files,
// memory buffers in tests and the Win32 file API in the archiver library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

// A forward source of bytes. Read returns the number of bytes read; 0 means end of data.
// A read error is reported by Failed() after Read returned 0.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
    virtual bool Failed() const { return false; }
};

// A forward sink. Write returns false when the bytes could not all be written.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
};

// A source that can also be positioned: what an archive is read from.
class RandomAccessSource : public ByteSource {
public:
    virtual bool Seek(std::uint64_t offset) = 0;
    virtual std::uint64_t Tell() const = 0;
    virtual std::uint64_t Size() const = 0;
};

// A sink that can be positioned: what an archive is written to (a header is rewritten after
// its member's data, once the packed size and CRC are known).
class RandomAccessSink : public ByteSink {
public:
    virtual bool Seek(std::uint64_t offset) = 0;
    virtual std::uint64_t Tell() const = 0;
};

// Memory implementations, used by tests and for small buffers.
class MemorySource : public RandomAccessSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit MemorySource(const std::vector<std::uint8_t>& v) : MemorySource(v.data(), v.size()) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return pos_; }
    std::uint64_t Size() const override { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class MemorySink : public RandomAccessSink {
public:
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return pos_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Passes at most `limit` bytes of another source on: a member's packed data inside an archive.
class LimitedSource : public ByteSource {
public:
    LimitedSource(ByteSource& inner, std::uint64_t limit) : inner_(inner), left_(limit) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
    bool Failed() const override { return inner_.Failed(); }

private:
    ByteSource& inner_;
    std::uint64_t left_;
};

}  // namespace lzh
