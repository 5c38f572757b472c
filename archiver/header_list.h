// Reading every header of an archive before any work, so a command knows its whole work (and a
// broken header) before it changes anything. Shared with the self-extracting program.
#pragma once

#include <string>
#include <vector>

#include "codec/archive.h"

namespace unlha {

struct HeaderList {
    std::vector<lzh::Entry> entries;
    bool broken = false;          // a header after the listed entries is broken
    std::string brokenReason;     // English, from the reader
};

// Reads headers until the end of the archive or the first broken one.
void ReadEveryHeader(lzh::ArchiveReader& reader, HeaderList& list);

// The entry's name for output lines and lists: its stored path, printable, a folder with a
// final '\\'.
std::string ShownPath(const lzh::Entry& entry);

}  // namespace unlha
