// Reading every header of an archive before any work, so a command knows its whole work (and a
// broken header) before it changes anything. Shared with the self-extracting program.
#pragma once

#include <deque>
#include <string>

#include "archiver/unicode_names.h"
#include "codec/archive.h"

namespace unlha {

struct HeaderList {
    // Entries stay where they were read: a vector would copy them as it grew and touch fresh
    // memory of up to four times their size, which made many members cost more each than few.
    std::deque<lzh::Entry> entries;
    bool broken = false;          // a header after the listed entries is broken
    std::string brokenReason;     // English, from the reader
};

// Reads headers until the end of the archive or the first broken one. Entries whose names are
// UTF-8 (ext 0x46, code page 65001) get code page names by `convert`: the name itself where every
// character converts, a fallback otherwise (made unique among the archive's paths), the exact
// name kept beside it.
void ReadEveryHeader(lzh::ArchiveReader& reader, HeaderList& list, const Cp932Of& convert);

// The entry's name for output lines and lists: its stored path, printable, a folder with a
// final '\\'.
std::string ShownPath(const lzh::Entry& entry);

}  // namespace unlha
