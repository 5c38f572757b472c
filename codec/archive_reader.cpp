// Walking the members of an LZH archive, extracting and copying them.
#include "codec/archive.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "codec/crc16.h"
#include "codec/decoder.h"
#include "codec/header_layout.h"
#include "codec/header_parse.h"

namespace lzh {
namespace {

// Most headers fit in this; longer ones are read again at the size the parser asks for.
constexpr std::size_t kFirstHeaderRead = 512;
// Headers are read through a window of the file this size: a walk over many small members then
// costs one read for many headers, not a seek and a read for each.
constexpr std::size_t kHeaderWindow = 64 * 1024;
constexpr std::size_t kCopyChunk = 64 * 1024;

// Computes the CRC-16 of everything passed on to the real sink.
class CrcSink : public ByteSink {
public:
    explicit CrcSink(ByteSink& inner) : inner_(inner) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        crc_ = UpdateCrc16(crc_, data, size);
        return inner_.Write(data, size);
    }
    std::uint16_t Crc() const { return crc_; }

private:
    ByteSink& inner_;
    std::uint16_t crc_ = 0;
};

std::string Hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFF);
    return buf;
}

ExtractStatus FromDecode(DecodeStatus status) {
    switch (status) {
    case DecodeStatus::Ok: return ExtractStatus::Ok;
    case DecodeStatus::Truncated: return ExtractStatus::Truncated;
    case DecodeStatus::Corrupt: return ExtractStatus::Corrupt;
    case DecodeStatus::Unsupported: return ExtractStatus::UnsupportedMethod;
    case DecodeStatus::ReadFailed: return ExtractStatus::ReadFailed;
    case DecodeStatus::WriteFailed: return ExtractStatus::WriteFailed;
    }
    return ExtractStatus::Corrupt;
}

// A level-2 header whose size has a zero low byte, written without the usual padding byte,
// starts with 0x00 like the end marker; it is recognised by its level and method id.
bool IsUnpaddedLevel2(const std::uint8_t* d, std::size_t avail) {
    return avail >= kHeaderProbeSize && d[hdr::kSizeAt] == 0 && d[hdr::kSizeAt + 1] != 0 && d[hdr::kLevelAt] == 2 &&
           LooksLikeHeader(d, avail);
}

}  // namespace

ArchiveReader::ArchiveReader(RandomAccessSource& source, ReaderOptions options)
    : source_(source), options_(options) {}

ReadStatus ArchiveReader::Stop(ReadStatus status, std::string message) {
    final_ = status;
    window_ = {};
    error_ = std::move(message);
    return status;
}

bool ArchiveReader::ReadFromSource(std::uint64_t offset, std::uint8_t* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (!source_.Seek(offset)) return false;
    while (got < size) {
        std::size_t n = source_.Read(buffer + got, size - got);
        if (n == 0) return false;
        got += n;
    }
    return true;
}

bool ArchiveReader::ReadExact(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
    std::size_t got = 0;
    if (size > kHeaderWindow) return ReadFromSource(offset, buffer, size, got);
    const bool inWindow = offset >= windowStart_ && offset - windowStart_ <= window_.size() &&
                          size <= window_.size() - (offset - windowStart_);
    if (!inWindow) {
        // The window grows while headers follow closely behind it, and starts small again after
        // a long member: listing large members reads no more than their headers.
        const bool close = offset >= windowStart_ && offset - windowStart_ < 2 * std::max(window_.size(), kFirstHeaderRead);
        windowSize_ = close ? std::min(std::max(2 * windowSize_, kFirstHeaderRead), kHeaderWindow) : kFirstHeaderRead;
        // Whatever the window got before the end of the file or a failed read still serves the
        // headers inside it; the next refill starts where it stopped and meets the failure.
        window_.resize(std::max(windowSize_, size));
        ReadFromSource(offset, window_.data(), window_.size(), got);
        window_.resize(got);
        windowStart_ = offset;
        if (got < size) return false;
    }
    std::copy_n(window_.data() + (offset - windowStart_), size, buffer);
    return true;
}

ArchiveReader::HeaderRead ArchiveReader::ReadHeaderAt(std::uint64_t offset, Entry& entry, std::string& error) {
    const std::uint64_t size = source_.Size();
    if (offset >= size) return HeaderRead::End;
    const std::uint64_t remaining = size - offset;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kFirstHeaderRead)));
    headerBytesRead_ += buffer.size();
    if (!ReadExact(offset, buffer.data(), buffer.size())) {
        error = "cannot read the archive at offset " + std::to_string(offset);
        return HeaderRead::Invalid;
    }
    if (buffer[0] == 0 && !IsUnpaddedLevel2(buffer.data(), buffer.size())) return HeaderRead::End;
    if (!HasHeaderShape(buffer.data(), buffer.size())) return HeaderRead::Junk;
    for (;;) {
        HeaderParseResult parsed = ParseHeader(buffer.data(), buffer.size(), entry);
        if (parsed.status == HeaderParseStatus::Ok) break;
        if (parsed.status == HeaderParseStatus::Invalid) {
            error = parsed.error + " (header at offset " + std::to_string(offset) + ")";
            return HeaderRead::Invalid;
        }
        if (parsed.size > remaining) {
            error = "the archive ends inside the member header at offset " + std::to_string(offset);
            return HeaderRead::Invalid;
        }
        // Grow at least twofold: a chain of tiny extended headers would otherwise be parsed
        // again for every one of them.
        std::size_t have = buffer.size();
        buffer.resize(static_cast<std::size_t>(std::max<std::uint64_t>(parsed.size, std::min<std::uint64_t>(remaining, 2 * have))));
        headerBytesRead_ += buffer.size() - have;
        if (!ReadExact(offset + have, buffer.data() + have, buffer.size() - have)) {
            error = "cannot read the archive at offset " + std::to_string(offset + have);
            return HeaderRead::Invalid;
        }
    }
    entry.headerOffset = offset;
    entry.dataOffset = offset + entry.headerSize;
    return HeaderRead::Ok;
}

ReadStatus ArchiveReader::Next(Entry& entry) {
    if (final_ != ReadStatus::Entry) return final_;
    if (!started_) {
        started_ = true;
        if (!FindFirstMember()) return final_;
    }
    std::string error;
    switch (ReadHeaderAt(next_, entry, error)) {
    case HeaderRead::Ok:
        break;
    case HeaderRead::End:
        return Stop(ReadStatus::End);
    case HeaderRead::Junk: {
        // Padding and stray bytes end many archives; but when a valid header follows, the bytes
        // here were a member header once, and stopping quietly would hide the members after it.
        const std::uint64_t later = FindValidHeaderAfter(next_);
        if (later != 0) {
            return Stop(ReadStatus::Error, "damaged data at offset " + std::to_string(next_) +
                                               " where a member header should be; another member follows at offset " +
                                               std::to_string(later));
        }
        return Stop(ReadStatus::End);
    }
    case HeaderRead::Invalid:
        return Stop(ReadStatus::Error, error);
    }
    if (entry.packedSize > UINT64_MAX - entry.dataOffset) return Stop(ReadStatus::Error, "member size overflows");
    next_ = entry.dataOffset + entry.packedSize;
    return ReadStatus::Entry;
}

ExtractResult ArchiveReader::Extract(const Entry& entry, ByteSink& out) {
    ExtractResult result;
    if (entry.isDirectory || entry.isSymlink) return result;
    if (entry.method.kind == MethodKind::Unknown) {
        result.status = ExtractStatus::UnsupportedMethod;
        result.detail = "method " + entry.methodId + " is not supported";
        return result;
    }
    if (!source_.Seek(entry.dataOffset)) {
        result.status = ExtractStatus::Truncated;
        result.detail = "the archive ends before the member's data";
        return result;
    }
    LimitedSource packed(source_, entry.packedSize);
    CrcSink crcSink(out);
    DecodeResult decoded = Decode(entry.method, packed, entry.originalSize, crcSink);
    result.status = FromDecode(decoded.status);
    result.produced = decoded.produced;
    result.crc = crcSink.Crc();
    result.detail = decoded.detail;
    if (result.status == ExtractStatus::Ok && result.crc != entry.crc) {
        result.status = ExtractStatus::CrcMismatch;
        result.detail = "CRC-16 of the data is " + Hex4(result.crc) + ", the header says " + Hex4(entry.crc);
    }
    if (result.status == ExtractStatus::Truncated && result.detail.empty())
        result.detail = "the member's data ends early";
    return result;
}

bool ArchiveReader::CopyMember(const Entry& entry, ByteSink& out) {
    if (!source_.Seek(entry.headerOffset)) return false;
    std::uint64_t left = entry.headerSize + entry.packedSize;
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyChunk)));
    while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        std::size_t n = source_.Read(chunk.data(), want);
        if (n == 0 || !out.Write(chunk.data(), n)) return false;
        left -= n;
    }
    return true;
}

}  // namespace lzh
