// Internal to header parsing: the raw path fields and extended-header walking shared by all levels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/archive_entry.h"

namespace lzh {

// Raw fields gathered while parsing, turned into Entry fields at the end.
struct RawHeaderFields {
    bool hasBaseName = false;            // level 0/1 name in the base header
    std::string baseName;
    bool hasNameExt = false;             // ext 0x01
    std::string nameExt;
    bool hasFolderExt = false;           // ext 0x02
    std::string folderExt;
    bool hasUnicodeFolderExt = false;    // ext 0x45
    std::u16string unicodeFolderExt;
    std::size_t headerCrcOffset = 0;     // where the ext 0x00 CRC sits, when entry.hasHeaderCrc
    bool hasSizes64 = false;             // ext 0x42
    std::uint64_t packedSize64 = 0;
    std::uint64_t originalSize64 = 0;
};

enum class ExtWalkStatus { Ok, NeedMore, Invalid };

struct ExtWalkResult {
    ExtWalkStatus status = ExtWalkStatus::Ok;
    std::size_t end = 0;      // Ok: offset after the chain; NeedMore: bytes needed
    std::string error;
};

// Walks the extended-header chain that starts at `start` and whose first size is `firstSize`.
// `sizeWidth` is 2 (levels 1, 2) or 4 (level 3). No header may end beyond `limit`.
ExtWalkResult WalkExtendedHeaders(const std::uint8_t* data, std::size_t avail, std::size_t start,
                                  std::uint32_t firstSize, int sizeWidth, std::size_t limit,
                                  Entry& entry, RawHeaderFields& raw);

// Fills folders, name, absolute, directory and symlink flags from the raw path fields.
void ResolvePath(const RawHeaderFields& raw, Entry& entry);

}  // namespace lzh
