// The lines of the l and v commands: one per entry and a summary, in fixed columns.
#pragma once

#include <cstdint>
#include <string>

#include "codec/archive_entry.h"

namespace unlha {

// A local date and time, already converted by the caller (the time zone is the platform's).
struct Stamp {
    bool valid = false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// An MS-DOS stamp as it reads (it is local time already); invalid when its fields are out of range.
Stamp StampFromDos(std::uint32_t dosTime);

// "45.9%": packed size against original size; "-" for an empty entry.
std::string Ratio(std::uint64_t original, std::uint64_t packed);

std::string ListHeader(bool verbose);
std::string ListRule(bool verbose);
// l shows the entry's own name; v the whole stored path with attributes, CRC, level and OS.
std::string ListLine(const lzh::Entry& entry, const Stamp& stamp, bool verbose);
// v's line under an entry that carries a comment (ext 0x3F, an Amiga note after the name's NUL,
// a PMarc comment); "" when it has none. Printable, like names.
std::string ListCommentLine(const lzh::Entry& entry);
std::string ListSummary(std::uint64_t entries, std::uint64_t original, std::uint64_t packed);

}  // namespace unlha
