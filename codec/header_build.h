// Building one LZH member header (levels 0-2) for our writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/archive_entry.h"

namespace lzh {

struct HeaderToBuild {
    int level = 2;                  // 0, 1 or 2
    std::uint8_t osId = 'M';
    std::string methodId;           // "-lh5-", "-lhd-", ...
    bool directory = false;         // the path is entry.folders alone
    NewEntry entry;
    std::uint64_t packedSize = 0;
    std::uint64_t originalSize = 0;
    std::uint16_t crc = 0;
};

enum class HeaderBuildStatus { Ok, InvalidName, TooLarge };

struct HeaderBuildResult {
    HeaderBuildStatus status = HeaderBuildStatus::Ok;
    std::string detail;
};

// Appends the header bytes to `out`. The header's length depends only on the path, the level
// and whether the sizes need 64 bits, so a header rebuilt with the final packed size and CRC
// has the length of the provisional one. Names that do not fit are an error, never cut.
HeaderBuildResult BuildHeader(const HeaderToBuild& header, std::vector<std::uint8_t>& out);

// The longest name (with folders, for level 0) that levels 0 and 1 can hold in a way other
// readers accept.
constexpr std::size_t kMaxLevel0PathBytes = 221;
constexpr std::size_t kMaxLevel1NameBytes = 230;

}  // namespace lzh
