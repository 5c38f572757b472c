// What one LZH member header says (Entry, as read) and what a new member should say (NewEntry).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/method.h"

namespace lzh {

// The three Windows FILETIMEs (100 ns ticks since 1601, UTC) of extended header 0x41.
struct WindowsTimes {
    std::uint64_t creation = 0;
    std::uint64_t lastWrite = 0;
    std::uint64_t lastAccess = 0;
};

// Ext 0x46's value for names stored as UTF-8: the folder and name fields then give the exact
// names (as ext 0x45 and 0x44 would), and the byte names only await a code page fallback.
constexpr std::uint32_t kUtf8CodePage = 65001;

// One member as read from an archive. Strings are the archive's raw bytes (code page 932 by
// convention); nothing is converted, so a name can be written back unchanged.
struct Entry {
    std::string methodId;            // the 5 bytes of the header, e.g. "-lh5-"
    Method method{};                 // FindMethod(methodId); kind Unknown (and an empty id) for
                                     // methods we lack: use methodId to name them
    int level = 0;                   // header level 0..3
    std::uint8_t osId = 0;           // 'M', 'U', '2', ... (0 when the header has none)

    std::vector<std::string> folders;  // folder parts, outermost first, separators removed
    std::string name;                  // file name; empty for a directory entry
    bool absolute = false;             // the stored path began with a separator
    bool isDirectory = false;          // -lhd- without a symlink mode
    bool isSymlink = false;            // Unix symlink (mode type 0120000, "link|target")
    std::string linkTarget;            // symlink target with '\' separators, as stored

    std::uint64_t packedSize = 0;      // bytes of packed data (extended headers excluded)
    std::uint64_t originalSize = 0;    // 64-bit when extended header 0x42 is present
    std::uint16_t crc = 0;             // CRC-16 of the original data

    bool hasDosTime = false;           // levels 0 and 1
    std::uint32_t dosTime = 0;         // raw MS-DOS stamp, local time: date high, time low
    bool hasUnixTime = false;          // level 2/3 base header, ext 0x54, level-0 Unix extra area
    std::int64_t unixTime = 0;         // seconds since 1970, UTC
    bool hasWindowsTimes = false;      // ext 0x41
    WindowsTimes windowsTimes;

    bool hasAttributes = false;        // level-0 byte 19 or ext 0x40
    std::uint8_t attributes = 0;       // MS-DOS attribute bits
    bool hasUnixMode = false;          // ext 0x50 or the level-0 Unix extra area
    std::uint16_t unixMode = 0;
    bool hasUnixOwner = false;         // ext 0x51 or the level-0 Unix extra area
    std::uint16_t unixUid = 0;
    std::uint16_t unixGid = 0;
    std::string comment;               // ext 0x3F

    // Names beyond code page 932: the exact UTF-16 names beside the code-page ones above, which
    // are then only what readers without these headers show.
    bool hasUnicodeName = false;       // ext 0x44: the file name
    std::u16string unicodeName;
    bool hasUnicodeFolders = false;    // ext 0x45: the folder parts, outermost first
    std::vector<std::u16string> unicodeFolders;
    std::uint32_t codePage = 0;        // ext 0x46: the Windows code page of the byte names (0: none);
                                       // for kUtf8CodePage, folders and name hold UTF-8

    bool hasHeaderCrc = false;         // ext 0x00 present (its value matched, or we would not be here)
    std::uint16_t headerCrc = 0;

    std::uint64_t headerOffset = 0;    // where the header starts in the archive
    std::uint64_t headerSize = 0;      // all header bytes, extended headers included
    std::uint64_t dataOffset = 0;      // headerOffset + headerSize

    // Folder parts and name joined with '\' (a directory entry ends without one).
    std::string Path() const;
};

// A member to be written. The caller fills the times in the form the header needs them.
struct NewEntry {
    std::vector<std::string> folders;  // code page 932 folder parts, outermost first
    std::string name;                  // file name; ignored for directories
    std::uint32_t dosTime = 0;         // MS-DOS local stamp (levels 0 and 1)
    std::int64_t unixTime = 0;         // UTC seconds (level 2)
    bool hasWindowsTimes = false;      // write ext 0x41 (level 2)
    WindowsTimes windowsTimes;
    std::uint8_t attributes = 0x20;    // MS-DOS attribute bits
    // The exact names when the code-page ones above are only fallbacks (levels 1 and 2):
    // ext 0x44 for the file name, ext 0x45 for the folders (one part for each of `folders`).
    bool hasUnicodeName = false;
    std::u16string unicodeName;
    bool hasUnicodeFolders = false;
    std::vector<std::u16string> unicodeFolders;
};

}  // namespace lzh
