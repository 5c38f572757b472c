// Layout of an LZH member header: fixed field offsets by level, and the extended-header types
// with the payload each needs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lzh {

// Fixed fields, as offsets from the header's first byte.
namespace hdr {
constexpr std::size_t kSizeAt = 0;            // 0, 1: base size - 2 (one byte); 2: total size; 3: size-field width
constexpr std::size_t kChecksumAt = 1;        // 0, 1: byte sum of the base part after these two bytes
constexpr std::size_t kMethodAt = 2;          // "-lh5-"
constexpr std::size_t kMethodSize = 5;
constexpr std::size_t kPackedSizeAt = 7;      // level 1: packed size plus the extended headers
constexpr std::size_t kOriginalSizeAt = 11;
constexpr std::size_t kTimeAt = 15;           // 0, 1: MS-DOS local stamp; 2, 3: Unix time
constexpr std::size_t kAttributeAt = 19;      // 0, 1: MS-DOS attributes; 2, 3: reserved, 0x20
constexpr std::size_t kLevelAt = 20;

// Levels 0 and 1: the name with its length, then the data CRC.
constexpr std::size_t kNameLengthAt = 21;
constexpr std::size_t kNameAt = 22;
constexpr std::size_t kLevel0MinSize = kNameAt + 2;        // CRC
constexpr std::size_t kLevel1MinSize = kNameAt + 2 + 1 + 2; // CRC, OS id, first extension size

// Levels 2 and 3: no name in the fixed part.
constexpr std::size_t kCrcAt = 21;
constexpr std::size_t kOsIdAt = 23;
constexpr std::size_t kLevel2FirstExtSizeAt = 24;
constexpr std::size_t kLevel2FixedSize = 26;
constexpr std::size_t kLevel3HeaderSizeAt = 24;
constexpr std::size_t kLevel3FirstExtSizeAt = 28;
constexpr std::size_t kLevel3FixedSize = 32;
}  // namespace hdr

// Extended headers: a type byte, its payload, then the next one's size (0 ends the chain).
namespace ext {
constexpr std::uint8_t kHeaderCrc = 0x00;      // CRC-16 of the whole header, counted with itself as 0
constexpr std::uint8_t kName = 0x01;           // code-page file name
constexpr std::uint8_t kFolders = 0x02;        // code-page folders, each ended by 0xFF
constexpr std::uint8_t kComment = 0x3F;
constexpr std::uint8_t kAttributes = 0x40;     // MS-DOS attributes (writers add a zero byte)
constexpr std::uint8_t kWindowsTimes = 0x41;   // creation, last write, last access: FILETIMEs
constexpr std::uint8_t kSizes64 = 0x42;        // packed and original size, 64 bits each
constexpr std::uint8_t kUnicodeName = 0x44;    // UTF-16LE file name
constexpr std::uint8_t kUnicodeFolders = 0x45; // UTF-16LE folders, each ended by 0xFFFF
constexpr std::uint8_t kCodePage = 0x46;       // Windows code page of the byte names
constexpr std::uint8_t kUnixMode = 0x50;
constexpr std::uint8_t kUnixOwner = 0x51;      // gid, then uid
constexpr std::uint8_t kUnixTime = 0x54;
constexpr std::uint8_t kAmigaComment = 0x71;   // Amiga ports' level-2 file comment

// Shortest payload a reader can use, for the types with fixed fields.
constexpr std::size_t kHeaderCrcSize = 2;
constexpr std::size_t kAttributesMinSize = 1;
constexpr std::size_t kWindowsTimesSize = 24;
constexpr std::size_t kSizes64Size = 16;
constexpr std::size_t kCodePageSize = 4;
constexpr std::size_t kUnixModeSize = 2;
constexpr std::size_t kUnixOwnerSize = 4;
constexpr std::size_t kUnixTimeSize = 4;

// Type and the following size around each payload, for 16-bit sizes (levels 1, 2).
constexpr std::size_t kFramingSize = 3;
}  // namespace ext

}  // namespace lzh
