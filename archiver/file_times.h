// Time stamps between Windows files (FILETIME, UTC), MS-DOS stamps (local time) and the Unix
// seconds (UTC) of level-2 headers, and which stamp of an entry counts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "archiver/listing.h"
#include "codec/archive_entry.h"

namespace unlha {

std::uint64_t Ticks(const FILETIME& time);          // 100 ns ticks since 1601
FILETIME ToFileTime(std::uint64_t ticks);
std::int64_t UnixFromTicks(std::uint64_t ticks);    // whole seconds, rounded down
std::uint64_t TicksFromUnix(std::int64_t seconds);
std::uint32_t DosFromTicks(std::uint64_t ticks);    // 0 when the time has no MS-DOS form
bool TicksFromDos(std::uint32_t dos, std::uint64_t& ticks);

// An entry's modification time and how finely its header records it.
struct EntryTime {
    bool valid = false;
    std::uint64_t ticks = 0;
    std::uint64_t resolution = 1;   // 1 for ext 0x41, 1 s for Unix seconds, 2 s for MS-DOS stamps
};
EntryTime ModificationTime(const lzh::Entry& entry);

// True when a file modified at `fileTicks` is newer than the entry, compared at the entry's
// resolution (a file stored a moment ago is not newer than its own entry).
bool FileIsNewer(std::uint64_t fileTicks, const EntryTime& entry);

// True when the entry is newer than a file modified at `fileTicks` (extraction with -jyo).
bool EntryIsNewer(const EntryTime& entry, std::uint64_t fileTicks);

// The entry's date and time as the user's clock shows it.
Stamp LocalStampOf(const lzh::Entry& entry);

}  // namespace unlha
