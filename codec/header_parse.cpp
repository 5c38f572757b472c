// Member header parsing for levels 0-3: fixed fields, checksums and header CRC.
#include "codec/header_parse.h"

#include "codec/crc16.h"
#include "codec/header_bytes.h"
#include "codec/header_fields.h"
#include "codec/header_layout.h"

namespace lzh {
namespace {

HeaderParseResult Invalid(std::string error) {
    HeaderParseResult r;
    r.status = HeaderParseStatus::Invalid;
    r.error = std::move(error);
    return r;
}

HeaderParseResult NeedMore(std::size_t size) {
    HeaderParseResult r;
    r.status = HeaderParseStatus::NeedMore;
    r.size = size;
    return r;
}

HeaderParseResult FromWalk(const ExtWalkResult& walk) {
    return walk.status == ExtWalkStatus::NeedMore ? NeedMore(walk.end) : Invalid(walk.error);
}

bool IsMethodLetter(std::uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::uint8_t ByteSum(const std::uint8_t* p, std::size_t n) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += p[i];
    return static_cast<std::uint8_t>(sum);
}

// Fields at the same place in every level.
void ReadCommonFields(const std::uint8_t* d, Entry& entry) {
    entry.methodId.assign(reinterpret_cast<const char*>(d + hdr::kMethodAt), hdr::kMethodSize);
    entry.method = FindMethod(entry.methodId);
    // An unknown method's descriptor would point into a string that moves with the entry.
    if (entry.method.kind == MethodKind::Unknown) entry.method.id = {};
    entry.level = d[hdr::kLevelAt];
    entry.originalSize = LoadLe32(d + hdr::kOriginalSizeAt);
}

// The header CRC covers the whole header with its own two bytes counted as zero.
bool HeaderCrcMatches(const std::uint8_t* d, std::size_t size, const Entry& entry, const RawHeaderFields& raw) {
    if (!entry.hasHeaderCrc) return true;
    static const std::uint8_t zeros[2] = {0, 0};
    std::size_t at = raw.headerCrcOffset;
    std::uint16_t crc = UpdateCrc16(0, d, at);
    crc = UpdateCrc16(crc, zeros, 2);
    crc = UpdateCrc16(crc, d + at + 2, size - at - 2);
    return crc == entry.headerCrc;
}

HeaderParseResult Finish(const std::uint8_t* d, std::size_t size, Entry& entry, const RawHeaderFields& raw) {
    if (!HeaderCrcMatches(d, size, entry, raw)) return Invalid("header CRC mismatch");
    if (raw.hasSizes64) entry.originalSize = raw.originalSize64;
    ResolvePath(raw, entry);
    entry.headerSize = size;
    HeaderParseResult r;
    r.status = HeaderParseStatus::Ok;
    r.size = size;
    return r;
}

HeaderParseResult ParseLevel0(const std::uint8_t* d, std::size_t avail, Entry& entry) {
    const std::size_t size = static_cast<std::size_t>(d[hdr::kSizeAt]) + 2;
    if (size < hdr::kLevel0MinSize)
        return Invalid("level-0 header size " + std::to_string(d[hdr::kSizeAt]) + " is below the fixed part");
    if (avail < size) return NeedMore(size);
    const std::size_t nameLen = d[hdr::kNameLengthAt];
    if (hdr::kLevel0MinSize + nameLen > size)
        return Invalid("level-0 name length " + std::to_string(nameLen) + " exceeds the header");
    if (ByteSum(d + 2, size - 2) != d[hdr::kChecksumAt]) return Invalid("header checksum mismatch");

    RawHeaderFields raw;
    raw.hasBaseName = true;
    raw.baseName.assign(reinterpret_cast<const char*>(d + hdr::kNameAt), nameLen);
    entry.packedSize = LoadLe32(d + hdr::kPackedSizeAt);
    entry.hasDosTime = true;
    entry.dosTime = LoadLe32(d + hdr::kTimeAt);
    entry.hasAttributes = true;
    entry.attributes = d[hdr::kAttributeAt];
    entry.crc = LoadLe16(d + hdr::kNameAt + nameLen);

    // Optional extra area: an OS id, and for Unix tools mtime, mode, uid and gid. PMarc keeps
    // the member's comment there instead.
    const std::uint8_t* extra = d + hdr::kLevel0MinSize + nameLen;
    const std::size_t extraLen = size - hdr::kLevel0MinSize - nameLen;
    if (entry.methodId.compare(0, 3, "-pm") == 0) {
        entry.comment.assign(reinterpret_cast<const char*>(extra), extraLen);
        return Finish(d, size, entry, raw);
    }
    if (extraLen >= 1) entry.osId = extra[0];
    if (extraLen >= 12 && extra[0] == 'U') {
        entry.hasUnixTime = true;
        entry.unixTime = LoadLe32(extra + 2);
        entry.hasUnixMode = true;
        entry.unixMode = LoadLe16(extra + 6);
        entry.hasUnixOwner = true;
        entry.unixUid = LoadLe16(extra + 8);
        entry.unixGid = LoadLe16(extra + 10);
    }
    return Finish(d, size, entry, raw);
}

HeaderParseResult ParseLevel1(const std::uint8_t* d, std::size_t avail, Entry& entry) {
    const std::size_t baseSize = static_cast<std::size_t>(d[hdr::kSizeAt]) + 2;
    if (baseSize < hdr::kLevel1MinSize)
        return Invalid("level-1 header size " + std::to_string(d[hdr::kSizeAt]) + " is below the fixed part");
    if (avail < baseSize) return NeedMore(baseSize);
    const std::size_t nameLen = d[hdr::kNameLengthAt];
    if (hdr::kLevel1MinSize + nameLen > baseSize)
        return Invalid("level-1 name length " + std::to_string(nameLen) + " exceeds the header");
    if (ByteSum(d + 2, baseSize - 2) != d[hdr::kChecksumAt]) return Invalid("header checksum mismatch");

    RawHeaderFields raw;
    raw.hasBaseName = true;
    raw.baseName.assign(reinterpret_cast<const char*>(d + hdr::kNameAt), nameLen);
    entry.hasDosTime = true;
    entry.dosTime = LoadLe32(d + hdr::kTimeAt);
    entry.crc = LoadLe16(d + hdr::kNameAt + nameLen);
    // OS id and first extension size close the base part, wherever the name ended.
    entry.osId = d[baseSize - 3];

    ExtWalkResult walk = WalkExtendedHeaders(d, avail, baseSize, LoadLe16(d + baseSize - 2), 2, kMaxHeaderSize, entry, raw);
    if (walk.status != ExtWalkStatus::Ok) return FromWalk(walk);

    // The base "skip size" counts the extended headers as well as the packed data.
    const std::uint64_t extBytes = walk.end - baseSize;
    const std::uint64_t skip = raw.hasSizes64 ? raw.packedSize64 : LoadLe32(d + hdr::kPackedSizeAt);
    if (extBytes > skip) return Invalid("extended headers are larger than the member's size field");
    entry.packedSize = skip - extBytes;
    return Finish(d, walk.end, entry, raw);
}

// Levels 2 and 3 differ only in the width of their size fields.
HeaderParseResult ParseLevel2Or3(const std::uint8_t* d, std::size_t avail, Entry& entry) {
    const bool level3 = d[hdr::kLevelAt] == 3;
    const std::size_t fixed = level3 ? hdr::kLevel3FixedSize : hdr::kLevel2FixedSize;
    if (level3) {
        if (avail < fixed) return NeedMore(fixed);
        if (LoadLe16(d + hdr::kSizeAt) != 4) return Invalid("level-3 header has an unexpected size-field width");
    }
    const std::uint64_t size = level3 ? LoadLe32(d + hdr::kLevel3HeaderSizeAt) : LoadLe16(d + hdr::kSizeAt);
    if (size < fixed)
        return Invalid("level-" + std::to_string(d[hdr::kLevelAt]) + " header size " + std::to_string(size) +
                       " is below the fixed part");
    if (size > kMaxHeaderSize) return Invalid("header size " + std::to_string(size) + " exceeds the 1 MiB limit");
    std::size_t total = static_cast<std::size_t>(size);
    if (avail < total) return NeedMore(total);

    RawHeaderFields raw;
    entry.hasUnixTime = true;
    entry.unixTime = LoadLe32(d + hdr::kTimeAt);
    entry.crc = LoadLe16(d + hdr::kCrcAt);
    entry.osId = d[hdr::kOsIdAt];
    // The OS-9/68K port leaves the size field's own two bytes out of the size, so its chain
    // ends two bytes past it. Only that writer's headers may run on, and only by those two.
    const bool mayRunOn = !level3 && entry.osId == 'K';
    const std::uint32_t firstSize =
        level3 ? LoadLe32(d + hdr::kLevel3FirstExtSizeAt) : LoadLe16(d + hdr::kLevel2FirstExtSizeAt);
    ExtWalkResult walk = WalkExtendedHeaders(d, mayRunOn ? avail : total, fixed, firstSize, level3 ? 4 : 2,
                                             mayRunOn ? total + 2 : total, entry, raw);
    if (walk.status != ExtWalkStatus::Ok) return FromWalk(walk);
    if (walk.end > total) total = walk.end;
    // Writers pad one byte when the size's low byte would be 0 (an end marker to old readers).
    if (!level3 && total - walk.end > 1) return Invalid("level-2 header has " + std::to_string(total - walk.end) + " unused bytes");
    entry.packedSize = raw.hasSizes64 ? raw.packedSize64 : LoadLe32(d + hdr::kPackedSizeAt);
    return Finish(d, total, entry, raw);
}

}  // namespace

bool LooksLikeHeader(const std::uint8_t* d, std::size_t avail) {
    if (avail < kHeaderProbeSize) return false;
    const std::uint8_t* m = d + hdr::kMethodAt;
    if (m[0] != '-' || m[4] != '-' || d[hdr::kLevelAt] > 3) return false;
    const bool lh = m[1] == 'l' && m[2] == 'h' && IsMethodLetter(m[3]);
    const bool lz = m[1] == 'l' && m[2] == 'z' && (m[3] == 's' || m[3] == '4' || m[3] == '5');
    const bool pm = m[1] == 'p' && m[2] == 'm' && IsMethodLetter(m[3]) && m[3] != 's';
    return lh || lz || pm;
}

bool HasHeaderShape(const std::uint8_t* d, std::size_t avail) {
    if (avail < kHeaderProbeSize) return false;
    const std::uint8_t* m = d + hdr::kMethodAt;
    return m[0] == '-' && m[4] == '-' && d[hdr::kLevelAt] <= 3;
}

HeaderParseResult ParseHeader(const std::uint8_t* d, std::size_t avail, Entry& entry) {
    if (avail < kHeaderProbeSize) return NeedMore(kHeaderProbeSize);
    if (d[hdr::kMethodAt] != '-' || d[hdr::kMethodAt + 4] != '-')
        return Invalid("no method id where a member header should start");
    entry = Entry{};
    ReadCommonFields(d, entry);
    switch (d[hdr::kLevelAt]) {
    case 0: return ParseLevel0(d, avail, entry);
    case 1: return ParseLevel1(d, avail, entry);
    case 2:
    case 3: return ParseLevel2Or3(d, avail, entry);
    default: return Invalid("unknown header level " + std::to_string(d[hdr::kLevelAt]));
    }
}

}  // namespace lzh
