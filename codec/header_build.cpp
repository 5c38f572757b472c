// Member header construction for levels 0, 1 and 2, with checksum or header CRC.
#include "codec/header_build.h"

#include "codec/crc16.h"
#include "codec/entry_path.h"
#include "codec/header_bytes.h"
#include "codec/header_layout.h"

namespace lzh {
namespace {

constexpr std::uint32_t kMax32 = 0xFFFFFFFFu;
constexpr std::size_t kMaxLevel2HeaderSize = 0xFFFF;

bool IsStorableUnicodePart(const std::u16string& part) {
    if (part.empty()) return false;
    for (char16_t c : part)
        if (c < 0x20 || c == 0x7F || c == u'\\' || c == u'/' || c == 0xFFFF) return false;
    return true;
}

HeaderBuildResult Fail(HeaderBuildStatus status, std::string detail) {
    return HeaderBuildResult{status, std::move(detail)};
}

std::uint8_t ByteSum(const std::vector<std::uint8_t>& v, std::size_t from, std::size_t to) {
    unsigned sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += v[i];
    return static_cast<std::uint8_t>(sum);
}

// Ext 0x02 payload: every folder followed by 0xFF.
std::string FolderField(const std::vector<std::string>& folders) {
    std::string field;
    for (const std::string& f : folders) {
        field += f;
        field += static_cast<char>(0xFF);
    }
    return field;
}

// Ext 0x44 and 0x45 payloads: UTF-16LE, folders each followed by 0xFFFF.
std::vector<std::uint8_t> Utf16Field(const std::vector<std::u16string>& parts, bool separators) {
    std::vector<std::uint8_t> field;
    for (const std::u16string& part : parts) {
        for (char16_t c : part) AppendLe16(field, c);
        if (separators) AppendLe16(field, 0xFFFF);
    }
    return field;
}

// One extended header: type, payload and the following header's size (patched later).
void AppendExtension(std::vector<std::uint8_t>& out, std::uint8_t type, const void* payload, std::size_t size) {
    out.push_back(type);
    const auto* p = static_cast<const std::uint8_t*>(payload);
    out.insert(out.end(), p, p + size);
    AppendLe16(out, 0);
}

// The exact names, after ext 0x01 and 0x02: a reader that knows both takes the later one.
// False when one does not fit an extended header's 16-bit size.
bool AppendUnicodeNames(const HeaderToBuild& h, std::vector<std::uint8_t>& out, std::vector<std::size_t>& starts) {
    if (!h.directory && h.entry.hasUnicodeName) {
        const std::vector<std::uint8_t> name = Utf16Field({h.entry.unicodeName}, false);
        if (name.size() + ext::kFramingSize > kMaxLevel2HeaderSize) return false;
        starts.push_back(out.size());
        AppendExtension(out, ext::kUnicodeName, name.data(), name.size());
    }
    if (h.entry.hasUnicodeFolders && !h.entry.unicodeFolders.empty()) {
        const std::vector<std::uint8_t> folders = Utf16Field(h.entry.unicodeFolders, true);
        if (folders.size() + ext::kFramingSize > kMaxLevel2HeaderSize) return false;
        starts.push_back(out.size());
        AppendExtension(out, ext::kUnicodeFolders, folders.data(), folders.size());
    }
    return true;
}

// Sets every "next size" field of a chain that starts at `firstSizeAt` and whose headers are
// listed by their start offsets.
void LinkExtensions(std::vector<std::uint8_t>& out, std::size_t firstSizeAt, const std::vector<std::size_t>& starts,
                    std::size_t chainEnd) {
    std::size_t sizeAt = firstSizeAt;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::size_t end = i + 1 < starts.size() ? starts[i + 1] : chainEnd;
        StoreLe16(out.data() + sizeAt, static_cast<std::uint16_t>(end - starts[i]));
        sizeAt = end - 2;
    }
}

std::uint32_t Level2Time(std::int64_t t) {
    if (t < 0) return 0;
    return t > static_cast<std::int64_t>(kMax32) ? kMax32 : static_cast<std::uint32_t>(t);
}

HeaderBuildResult BuildLevel0(const HeaderToBuild& h, std::vector<std::uint8_t>& out) {
    std::string path = JoinPath(h.entry.folders);
    if (!h.directory) path += (path.empty() ? "" : "\\") + h.entry.name;
    else path += '\\';  // DOS writers end folder names with a separator
    if (path.size() > kMaxLevel0PathBytes)
        return Fail(HeaderBuildStatus::InvalidName, "the path is " + std::to_string(path.size()) +
                    " bytes; header level 0 holds at most " + std::to_string(kMaxLevel0PathBytes));
    const std::size_t start = out.size();
    out.push_back(static_cast<std::uint8_t>(hdr::kLevel0MinSize - 2 + path.size()));
    out.push_back(0);
    out.insert(out.end(), h.methodId.begin(), h.methodId.end());
    AppendLe32(out, static_cast<std::uint32_t>(h.packedSize));
    AppendLe32(out, static_cast<std::uint32_t>(h.originalSize));
    AppendLe32(out, h.entry.dosTime);
    out.push_back(h.entry.attributes);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(path.size()));
    out.insert(out.end(), path.begin(), path.end());
    AppendLe16(out, h.crc);
    out[start + hdr::kChecksumAt] = ByteSum(out, start + 2, out.size());
    return {};
}

HeaderBuildResult BuildLevel1(const HeaderToBuild& h, std::vector<std::uint8_t>& out) {
    const std::string name = h.directory ? std::string() : h.entry.name;
    if (name.size() > kMaxLevel1NameBytes)
        return Fail(HeaderBuildStatus::InvalidName, "the name is " + std::to_string(name.size()) +
                    " bytes; header level 1 holds at most " + std::to_string(kMaxLevel1NameBytes));
    const std::string folders = FolderField(h.entry.folders);
    if (folders.size() + ext::kFramingSize > kMaxLevel2HeaderSize)
        return Fail(HeaderBuildStatus::InvalidName, "the folder path is too long for an extended header");

    const std::size_t start = out.size();
    out.push_back(static_cast<std::uint8_t>(hdr::kLevel1MinSize - 2 + name.size()));
    out.push_back(0);
    out.insert(out.end(), h.methodId.begin(), h.methodId.end());
    AppendLe32(out, 0);  // skip size, set once the extended headers are known
    AppendLe32(out, static_cast<std::uint32_t>(h.originalSize));
    AppendLe32(out, h.entry.dosTime);
    out.push_back(0x20);
    out.push_back(1);
    out.push_back(static_cast<std::uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    AppendLe16(out, h.crc);
    out.push_back(h.osId);
    AppendLe16(out, 0);
    const std::size_t baseEnd = out.size();

    std::vector<std::size_t> starts;
    starts.push_back(out.size());
    const std::uint8_t zeroCrc[ext::kHeaderCrcSize] = {};
    AppendExtension(out, ext::kHeaderCrc, zeroCrc, ext::kHeaderCrcSize);
    if (!folders.empty()) {
        starts.push_back(out.size());
        AppendExtension(out, ext::kFolders, folders.data(), folders.size());
    }
    if (!AppendUnicodeNames(h, out, starts)) return Fail(HeaderBuildStatus::InvalidName, "the path is too long for a header");
    starts.push_back(out.size());
    const std::uint8_t attr[2] = {h.entry.attributes, 0};
    AppendExtension(out, ext::kAttributes, attr, sizeof attr);
    LinkExtensions(out, baseEnd - 2, starts, out.size());

    const std::uint64_t skip = h.packedSize + (out.size() - baseEnd);
    if (skip > kMax32) return Fail(HeaderBuildStatus::TooLarge, "the member is too large for header level 1");
    StoreLe32(out.data() + start + hdr::kPackedSizeAt, static_cast<std::uint32_t>(skip));
    out[start + hdr::kChecksumAt] = ByteSum(out, start + 2, baseEnd);
    StoreLe16(out.data() + starts[0] + 1, Crc16(out.data() + start, out.size() - start));
    return {};
}

HeaderBuildResult BuildLevel2(const HeaderToBuild& h, std::vector<std::uint8_t>& out) {
    const std::string folders = FolderField(h.entry.folders);
    const bool sizes64 = h.originalSize > kMax32 || h.packedSize > kMax32;

    const std::size_t start = out.size();
    AppendLe16(out, 0);  // total size, set at the end
    out.insert(out.end(), h.methodId.begin(), h.methodId.end());
    AppendLe32(out, sizes64 ? 0 : static_cast<std::uint32_t>(h.packedSize));
    AppendLe32(out, sizes64 ? 0 : static_cast<std::uint32_t>(h.originalSize));
    AppendLe32(out, Level2Time(h.entry.unixTime));
    out.push_back(0x20);
    out.push_back(2);
    AppendLe16(out, h.crc);
    out.push_back(h.osId);
    AppendLe16(out, 0);

    std::vector<std::size_t> starts;
    starts.push_back(out.size());
    const std::uint8_t zeroCrc[ext::kHeaderCrcSize] = {};
    AppendExtension(out, ext::kHeaderCrc, zeroCrc, ext::kHeaderCrcSize);
    if (!h.directory) {
        starts.push_back(out.size());
        AppendExtension(out, ext::kName, h.entry.name.data(), h.entry.name.size());
    }
    if (!folders.empty()) {
        starts.push_back(out.size());
        AppendExtension(out, ext::kFolders, folders.data(), folders.size());
    }
    if (!AppendUnicodeNames(h, out, starts)) {
        out.resize(start);
        return Fail(HeaderBuildStatus::InvalidName, "the path is too long for a header");
    }
    starts.push_back(out.size());
    const std::uint8_t attr[2] = {h.entry.attributes, 0};
    AppendExtension(out, ext::kAttributes, attr, sizeof attr);
    if (h.entry.hasWindowsTimes) {
        std::vector<std::uint8_t> times;
        AppendLe64(times, h.entry.windowsTimes.creation);
        AppendLe64(times, h.entry.windowsTimes.lastWrite);
        AppendLe64(times, h.entry.windowsTimes.lastAccess);
        starts.push_back(out.size());
        AppendExtension(out, ext::kWindowsTimes, times.data(), times.size());
    }
    if (sizes64) {
        std::vector<std::uint8_t> sizes;
        AppendLe64(sizes, h.packedSize);
        AppendLe64(sizes, h.originalSize);
        starts.push_back(out.size());
        AppendExtension(out, ext::kSizes64, sizes.data(), sizes.size());
    }
    const std::size_t chainEnd = out.size();
    LinkExtensions(out, start + hdr::kLevel2FirstExtSizeAt, starts, chainEnd);
    // A size with low byte 0 would start the header with the end marker for old readers.
    if (((out.size() - start) & 0xFF) == 0) out.push_back(0);
    const std::size_t total = out.size() - start;
    if (total > kMaxLevel2HeaderSize) {
        out.resize(start);
        return Fail(HeaderBuildStatus::InvalidName, "the path is too long for a header");
    }
    StoreLe16(out.data() + start + hdr::kSizeAt, static_cast<std::uint16_t>(total));
    StoreLe16(out.data() + starts[0] + 1, Crc16(out.data() + start, total));
    return {};
}

}  // namespace

HeaderBuildResult BuildHeader(const HeaderToBuild& h, std::vector<std::uint8_t>& out) {
    if (h.methodId.size() != 5) return Fail(HeaderBuildStatus::InvalidName, "bad method id");
    for (const std::string& folder : h.entry.folders) {
        if (!IsStorablePart(folder)) return Fail(HeaderBuildStatus::InvalidName, "a folder name is empty or holds a separator or control character");
    }
    if (!h.directory && !IsStorablePart(h.entry.name))
        return Fail(HeaderBuildStatus::InvalidName, "the file name is empty or holds a separator or control character");
    if (h.directory && h.entry.folders.empty()) return Fail(HeaderBuildStatus::InvalidName, "a folder entry needs a folder path");
    const bool unicodeName = !h.directory && h.entry.hasUnicodeName;
    if (unicodeName || h.entry.hasUnicodeFolders) {
        if (h.level == 0) return Fail(HeaderBuildStatus::InvalidName, "a name beyond code page 932 needs header level 1 or 2");
        if (unicodeName && !IsStorableUnicodePart(h.entry.unicodeName))
            return Fail(HeaderBuildStatus::InvalidName, "the Unicode file name is empty or holds a separator or control character");
        if (h.entry.hasUnicodeFolders && h.entry.unicodeFolders.size() != h.entry.folders.size())
            return Fail(HeaderBuildStatus::InvalidName, "the Unicode folders do not match the folder path");
        for (const std::u16string& folder : h.entry.unicodeFolders)
            if (!IsStorableUnicodePart(folder))
                return Fail(HeaderBuildStatus::InvalidName, "a Unicode folder name is empty or holds a separator or control character");
    }
    if (h.level != 2 && (h.originalSize > kMax32 || h.packedSize > kMax32))
        return Fail(HeaderBuildStatus::TooLarge, "members of 4 GiB or more need header level 2");
    const std::size_t start = out.size();
    HeaderBuildResult result;
    switch (h.level) {
    case 0: result = BuildLevel0(h, out); break;
    case 1: result = BuildLevel1(h, out); break;
    case 2: result = BuildLevel2(h, out); break;
    default: return Fail(HeaderBuildStatus::InvalidName, "header level must be 0, 1 or 2");
    }
    if (result.status != HeaderBuildStatus::Ok) out.resize(start);
    return result;
}

}  // namespace lzh
