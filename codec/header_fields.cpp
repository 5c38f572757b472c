// Extended headers and path resolution shared by every header level.
#include "codec/header_fields.h"

#include <cstdio>
#include <string_view>

#include "codec/entry_path.h"
#include "codec/header_bytes.h"
#include "codec/header_layout.h"
#include "text/cp932.h"

namespace lzh {
namespace {

// UTF-16LE payload of ext 0x44 and 0x45; false for an odd length, which no UTF-16 text has.
bool LoadUtf16(const std::uint8_t* p, std::size_t len, std::u16string& out) {
    if (len % 2 != 0) return false;
    out.clear();
    for (std::size_t i = 0; i < len; i += 2) out.push_back(static_cast<char16_t>(LoadLe16(p + i)));
    return true;
}

std::string Hex2(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFF);
    return buf;
}

// One extended header's payload, between its type byte and the next header's size.
struct Payload {
    const std::uint8_t* p;
    std::size_t len;
    std::size_t offset;   // of the payload in the header
};

// Sets what the payload holds; false for a payload long enough that is still malformed.
using ApplyFn = bool (*)(const Payload&, Entry&, RawHeaderFields&);

// Ext 0x3F, and 0x71 where Amiga ports keep a level-2 file comment.
bool SetComment(const Payload& x, Entry& entry, RawHeaderFields&) {
    entry.comment.assign(reinterpret_cast<const char*>(x.p), x.len);
    return true;
}

struct ExtensionRule {
    std::uint8_t type;
    std::size_t minLength;
    ApplyFn apply;
};

// Types not listed are skipped.
const ExtensionRule kExtensionRules[] = {
    {ext::kHeaderCrc, ext::kHeaderCrcSize, [](const Payload& x, Entry& entry, RawHeaderFields& raw) {
         if (!entry.hasHeaderCrc) {
             entry.hasHeaderCrc = true;
             entry.headerCrc = LoadLe16(x.p);
             raw.headerCrcOffset = x.offset;
         }
         return true;
     }},
    {ext::kName, 0, [](const Payload& x, Entry&, RawHeaderFields& raw) {
         raw.hasNameExt = true;
         raw.nameExt.assign(reinterpret_cast<const char*>(x.p), x.len);
         return true;
     }},
    {ext::kFolders, 0, [](const Payload& x, Entry&, RawHeaderFields& raw) {
         raw.hasFolderExt = true;
         raw.folderExt.assign(reinterpret_cast<const char*>(x.p), x.len);
         return true;
     }},
    {ext::kUnicodeName, 0, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         if (!LoadUtf16(x.p, x.len, entry.unicodeName)) return false;
         // An empty one is a folder entry's, as for ext 0x01.
         entry.hasUnicodeName = !entry.unicodeName.empty();
         return true;
     }},
    {ext::kUnicodeFolders, 0, [](const Payload& x, Entry&, RawHeaderFields& raw) {
         if (!LoadUtf16(x.p, x.len, raw.unicodeFolderExt)) return false;
         raw.hasUnicodeFolderExt = true;
         return true;
     }},
    {ext::kCodePage, ext::kCodePageSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.codePage = LoadLe32(x.p);
         return true;
     }},
    {ext::kComment, 0, SetComment},
    {ext::kAmigaComment, 0, SetComment},
    {ext::kAttributes, ext::kAttributesMinSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.hasAttributes = true;
         entry.attributes = x.p[0];
         return true;
     }},
    {ext::kWindowsTimes, ext::kWindowsTimesSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.hasWindowsTimes = true;
         entry.windowsTimes.creation = LoadLe64(x.p);
         entry.windowsTimes.lastWrite = LoadLe64(x.p + 8);
         entry.windowsTimes.lastAccess = LoadLe64(x.p + 16);
         return true;
     }},
    {ext::kSizes64, ext::kSizes64Size, [](const Payload& x, Entry&, RawHeaderFields& raw) {
         raw.hasSizes64 = true;
         raw.packedSize64 = LoadLe64(x.p);
         raw.originalSize64 = LoadLe64(x.p + 8);
         return true;
     }},
    {ext::kUnixMode, ext::kUnixModeSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.hasUnixMode = true;
         entry.unixMode = LoadLe16(x.p);
         return true;
     }},
    {ext::kUnixOwner, ext::kUnixOwnerSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.hasUnixOwner = true;
         entry.unixGid = LoadLe16(x.p);
         entry.unixUid = LoadLe16(x.p + 2);
         return true;
     }},
    {ext::kUnixTime, ext::kUnixTimeSize, [](const Payload& x, Entry& entry, RawHeaderFields&) {
         entry.hasUnixTime = true;
         entry.unixTime = LoadLe32(x.p);
         return true;
     }},
};

// Reads one extended header's payload into the entry. Returns an error text for a payload too
// short for its type or malformed; unknown types are skipped.
std::string ApplyExtension(std::uint8_t type, const Payload& payload, Entry& entry, RawHeaderFields& raw) {
    for (const ExtensionRule& rule : kExtensionRules) {
        if (rule.type != type) continue;
        if (payload.len < rule.minLength) return "extended header " + Hex2(type) + " is too short";
        // Only the UTF-16 payloads can be malformed at any length: an odd one.
        if (!rule.apply(payload, entry, raw)) return "extended header " + Hex2(type) + " has an odd length";
        return {};
    }
    return {};
}

// Names whose bytes ext 0x46 says are UTF-8 give the exact names that ext 0x44 and 0x45 would,
// unless those are there too; the byte names then await a code page fallback.
void TakeUtf8Names(Entry& entry) {
    if (!entry.hasUnicodeFolders && !entry.folders.empty()) {
        entry.hasUnicodeFolders = true;
        for (const std::string& folder : entry.folders) entry.unicodeFolders.push_back(Utf8ToUtf16(folder));
    }
    if (!entry.hasUnicodeName && !entry.name.empty()) {
        entry.hasUnicodeName = true;
        entry.unicodeName = Utf8ToUtf16(entry.name);
    }
}

// A path field ends at its first NUL, as for readers that take it as a C string. NUL is never
// part of a double-byte character, so a byte search finds the same end.
std::string_view UpToNul(std::string_view field) { return field.substr(0, field.find('\0')); }

}  // namespace

ExtWalkResult WalkExtendedHeaders(const std::uint8_t* data, std::size_t avail, std::size_t start,
                                  std::uint32_t firstSize, int sizeWidth, std::size_t limit,
                                  Entry& entry, RawHeaderFields& raw) {
    ExtWalkResult result;
    std::size_t pos = start;
    std::uint64_t size = firstSize;
    const std::size_t width = static_cast<std::size_t>(sizeWidth);
    while (size != 0) {
        if (size < 1 + width) {
            result.status = ExtWalkStatus::Invalid;
            result.error = "extended header at header offset " + std::to_string(pos) + " has size " +
                           std::to_string(size) + ", smaller than its own fields";
            return result;
        }
        if (size > limit || pos > limit - size) {
            result.status = ExtWalkStatus::Invalid;
            result.error = "extended headers run past the end of the header";
            return result;
        }
        std::size_t end = pos + static_cast<std::size_t>(size);
        if (end > avail) {
            result.status = ExtWalkStatus::NeedMore;
            result.end = end;
            return result;
        }
        std::size_t payloadLen = static_cast<std::size_t>(size) - 1 - width;
        std::string error = ApplyExtension(data[pos], Payload{data + pos + 1, payloadLen, pos + 1}, entry, raw);
        if (!error.empty()) {
            result.status = ExtWalkStatus::Invalid;
            result.error = error;
            return result;
        }
        size = width == 2 ? LoadLe16(data + end - 2) : LoadLe32(data + end - 4);
        pos = end;
    }
    result.end = pos;
    return result;
}

// Ext 0x45: parts ended by 0xFFFF, the last one's end optional. Empty parts stay, so that a
// path that begins with a separator or doubles one is refused where it is checked.
void ResolveUnicodeFolders(const RawHeaderFields& raw, Entry& entry) {
    if (!raw.hasUnicodeFolderExt || raw.unicodeFolderExt.empty()) return;
    entry.hasUnicodeFolders = true;
    std::u16string part;
    for (char16_t c : raw.unicodeFolderExt) {
        if (c == 0xFFFF) {
            entry.unicodeFolders.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) entry.unicodeFolders.push_back(part);
}

void ResolvePath(const RawHeaderFields& raw, Entry& entry) {
    ResolveUnicodeFolders(raw, entry);
    const bool utf8 = entry.codePage == kUtf8CodePage;
    auto split = [utf8](std::string_view field) { return utf8 ? SplitUtf8Field(field) : SplitNameField(field); };
    SplitPath folders = raw.hasFolderExt ? split(UpToNul(raw.folderExt)) : SplitPath{};
    // Level 0 names carry the whole path; a name extension replaces the base name.
    const std::string& nameField = raw.hasNameExt ? raw.nameExt : raw.baseName;
    SplitPath name = split(UpToNul(nameField));
    // Amiga and MorphOS ports keep the file comment after a NUL in the name field.
    const std::size_t nul = nameField.find('\0');
    if (nul != std::string::npos && entry.comment.empty()) entry.comment = nameField.substr(nul + 1);

    entry.absolute = raw.hasFolderExt && !raw.folderExt.empty() ? folders.absolute : name.absolute;
    std::vector<std::string> parts = std::move(folders.parts);
    bool endsAsFolder = name.parts.empty() || name.endsWithSeparator;
    for (std::string& part : name.parts) parts.push_back(std::move(part));

    if (entry.method.kind == MethodKind::Directory) {
        // A Unix symlink is stored as "link|target" across the folder and name fields.
        std::string joined = JoinPath(parts);
        std::size_t bar = utf8 ? joined.find('|') : cp932::FindChar(joined, '|');
        bool modeSaysLink = entry.hasUnixMode && (entry.unixMode & 0xF000) == 0xA000;
        if (bar != std::string::npos && (!entry.hasUnixMode || modeSaysLink)) {
            entry.isSymlink = true;
            entry.linkTarget = joined.substr(bar + 1);
            parts = split(joined.substr(0, bar)).parts;
            endsAsFolder = false;
        } else if (modeSaysLink) {
            entry.isSymlink = true;
        } else {
            entry.isDirectory = true;
            endsAsFolder = true;
        }
    } else if (endsAsFolder && entry.originalSize == 0 && entry.method.kind == MethodKind::Stored && !parts.empty()) {
        // Some Amiga tools store folders as empty -lh0- members whose path ends with a separator.
        entry.isDirectory = true;
    }

    if (!endsAsFolder && !parts.empty()) {
        entry.name = std::move(parts.back());
        parts.pop_back();
    }
    entry.folders = std::move(parts);
    if (utf8) TakeUtf8Names(entry);
}

}  // namespace lzh
