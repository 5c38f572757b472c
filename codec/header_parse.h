// Parsing one LZH member header (levels 0-3) from a byte buffer, every size bounds-checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/archive_entry.h"
#include "codec/header_layout.h"

namespace lzh {

// No header may be larger than this: level-3 and level-1 extended-header chains could
// otherwise announce gigabytes that a reader would try to buffer.
constexpr std::size_t kMaxHeaderSize = 1024 * 1024;

// Bytes needed before ParseHeader can say anything at all: through the level and a level-0/1
// name length.
constexpr std::size_t kHeaderProbeSize = hdr::kNameAt;

enum class HeaderParseStatus {
    Ok,         // `entry` is filled; `size` is the number of header bytes
    NeedMore,   // `size` bytes (more than given) are needed; call again with them
    Invalid,    // not a valid header; `error` says why
};

struct HeaderParseResult {
    HeaderParseStatus status = HeaderParseStatus::Invalid;
    std::size_t size = 0;
    std::string error;
};

// Cheap test used when scanning for the first member: the method id has the "-xxx-" shape of a
// known family and the level byte is 0..3. `avail` must be at least kHeaderProbeSize.
bool LooksLikeHeader(const std::uint8_t* data, std::size_t avail);

// Looser test where a header is due (after the previous member): any "-xxx-" id and level 0..3,
// so a member with a method we do not know is still listed.
bool HasHeaderShape(const std::uint8_t* data, std::size_t avail);

// Parses the header at `data` (of which `avail` bytes are present). Verifies the level-0/1
// checksum and any header CRC (ext 0x00). Fills everything in `entry` except headerOffset and
// dataOffset. Never reads outside [data, data + avail).
HeaderParseResult ParseHeader(const std::uint8_t* data, std::size_t avail, Entry& entry);

}  // namespace lzh
