// Walking the members of an LZH archive, extracting and copying them.
#include "codec/archive.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>
#include <vector>

#include "codec/crc16.h"
#include "codec/decoder.h"
#include "codec/header_parse.h"

namespace lzh {
namespace {

// Most headers fit in this; longer ones are read again at the size the parser asks for.
constexpr std::size_t kFirstHeaderRead = 512;
constexpr std::size_t kCopyChunk = 64 * 1024;
// Candidate headers met while scanning may each claim up to 1 MiB; past this many bytes read,
// a file full of them is not worth scanning further.
constexpr std::uint64_t kScanReadBudget = 64 * 1024 * 1024;

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
    return avail >= kHeaderProbeSize && d[0] == 0 && d[1] != 0 && d[20] == 2 && LooksLikeHeader(d, avail);
}

}  // namespace

ArchiveReader::ArchiveReader(RandomAccessSource& source, ReaderOptions options)
    : source_(source), options_(options) {}

ReadStatus ArchiveReader::Stop(ReadStatus status, std::string message) {
    final_ = status;
    error_ = std::move(message);
    return status;
}

bool ArchiveReader::ReadExact(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
    if (!source_.Seek(offset)) return false;
    std::size_t got = 0;
    while (got < size) {
        std::size_t n = source_.Read(buffer + got, size - got);
        if (n == 0) return false;
        got += n;
    }
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

bool ArchiveReader::FindFirstMember() {
    const std::uint64_t size = source_.Size();
    Entry probe;
    std::string firstError;
    HeaderRead atStart = ReadHeaderAt(0, probe, firstError);
    if (atStart == HeaderRead::Ok) return true;
    // A header at the very start that fails its checks is a damaged archive, not a program in
    // front of one: scanning on would silently drop its first members.
    if (atStart == HeaderRead::Invalid) {
        Stop(ReadStatus::Error, firstError);
        return false;
    }
    // An archive without members is just the end marker (or nothing at all).
    if (atStart == HeaderRead::End && size <= 1) {
        Stop(ReadStatus::End);
        return false;
    }
    // A self-extracting program may come first: look further, but only so far.
    const std::size_t window = static_cast<std::size_t>(std::min<std::uint64_t>(size, options_.scanLimit + kHeaderProbeSize));
    std::vector<std::uint8_t> prefix(window);
    if (!ReadExact(0, prefix.data(), prefix.size())) {
        Stop(ReadStatus::Error, "cannot read the archive");
        return false;
    }
    // The program may hold fake headers, and even members of its own (an Amiga stub carries its
    // compressed usage text): prefer the first valid header whose members run to the end.
    std::uint64_t firstValid = 0;
    std::unordered_set<std::uint64_t> onFailedChains;
    const std::uint64_t budgetEnd = headerBytesRead_ + kScanReadBudget;
    for (std::size_t pos = 1; pos + kHeaderProbeSize <= prefix.size() && headerBytesRead_ < budgetEnd; ++pos) {
        if (!LooksLikeHeader(prefix.data() + pos, prefix.size() - pos)) continue;
        if (onFailedChains.count(pos)) continue;
        std::string error;
        if (ReadHeaderAt(pos, probe, error) != HeaderRead::Ok) continue;
        if (firstValid == 0) firstValid = pos;
        if (ChainEndsCleanly(pos, onFailedChains)) {
            firstValid = pos;
            break;
        }
    }
    if (firstValid != 0) {
        archiveStart_ = firstValid;
        next_ = firstValid;
        return true;
    }
    Stop(ReadStatus::Error, "not an LZH archive: no member header found");
    return false;
}

std::uint64_t ArchiveReader::FindValidHeaderAfter(std::uint64_t offset) {
    const std::uint64_t size = source_.Size();
    if (offset >= size) return 0;
    const std::size_t window = static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, options_.scanLimit));
    std::vector<std::uint8_t> rest(window);
    if (!ReadExact(offset, rest.data(), rest.size())) return 0;
    Entry probe;
    std::string error;
    const std::uint64_t budgetEnd = headerBytesRead_ + kScanReadBudget;
    for (std::size_t pos = 1; pos + kHeaderProbeSize <= rest.size() && headerBytesRead_ < budgetEnd; ++pos) {
        if (LooksLikeHeader(rest.data() + pos, rest.size() - pos) && ReadHeaderAt(offset + pos, probe, error) == HeaderRead::Ok)
            return offset + pos;
    }
    return 0;
}

// Walks the members from `offset`. Headers met on a chain that does not end cleanly are added
// to `onFailedChains`: a chain from any of them is a tail of this one and fails too, which keeps
// the scan linear however many headers a hostile file holds.
bool ArchiveReader::ChainEndsCleanly(std::uint64_t offset, std::unordered_set<std::uint64_t>& onFailedChains) {
    const std::uint64_t size = source_.Size();
    std::vector<std::uint64_t> visited;
    Entry entry;
    std::string error;
    bool clean = false;
    for (bool walking = true; walking;) {
        if (onFailedChains.count(offset)) break;
        visited.push_back(offset);
        switch (ReadHeaderAt(offset, entry, error)) {
        case HeaderRead::Ok:
            if (entry.packedSize > size - std::min(size, entry.dataOffset)) {
                walking = false;
                break;
            }
            offset = entry.dataOffset + entry.packedSize;
            break;
        case HeaderRead::End:
            clean = ZeroPaddingFrom(offset, size);
            walking = false;
            break;
        case HeaderRead::Junk:
            clean = size - offset < kHeaderProbeSize;
            walking = false;
            break;
        case HeaderRead::Invalid:
            walking = false;
            break;
        }
    }
    if (!clean) onFailedChains.insert(visited.begin(), visited.end());
    return clean;
}

// True when everything from `offset` on is zero bytes (an end marker and padding), checking at
// most a few KiB: beyond that it is data, not padding.
bool ArchiveReader::ZeroPaddingFrom(std::uint64_t offset, std::uint64_t size) {
    constexpr std::uint64_t kMaxPadding = 4096;
    if (offset >= size) return true;
    if (size - offset > kMaxPadding) return false;
    std::vector<std::uint8_t> rest(static_cast<std::size_t>(size - offset));
    if (!ReadExact(offset, rest.data(), rest.size())) return false;
    return std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; });
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
        trailingBytes_ = source_.Size() - next_;
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
