// Time stamp conversions over the Win32 time functions.
#include "archiver/file_times.h"

namespace unlha {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;

}  // namespace

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME ToFileTime(std::uint64_t ticks) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

std::int64_t UnixFromTicks(std::uint64_t ticks) {
    if (ticks < kUnixEpochTicks) return -static_cast<std::int64_t>((kUnixEpochTicks - ticks + kTicksPerSecond - 1) / kTicksPerSecond);
    return static_cast<std::int64_t>((ticks - kUnixEpochTicks) / kTicksPerSecond);
}

std::uint64_t TicksFromUnix(std::int64_t seconds) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(kUnixEpochTicks) + seconds * static_cast<std::int64_t>(kTicksPerSecond));
}

std::uint32_t DosFromTicks(std::uint64_t ticks) {
    FILETIME utc = ToFileTime(ticks), local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

bool TicksFromDos(std::uint32_t dos, std::uint64_t& ticks) {
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dos >> 16), static_cast<WORD>(dos), &local)) return false;
    if (!LocalFileTimeToFileTime(&local, &utc)) return false;
    ticks = Ticks(utc);
    return true;
}

EntryTime ModificationTime(const lzh::Entry& entry) {
    EntryTime t;
    if (entry.hasWindowsTimes && entry.windowsTimes.lastWrite != 0) {
        t.valid = true;
        t.ticks = entry.windowsTimes.lastWrite;
        t.resolution = 1;
    } else if (entry.hasUnixTime) {
        t.valid = true;
        t.ticks = TicksFromUnix(entry.unixTime);
        t.resolution = kTicksPerSecond;
    } else if (entry.hasDosTime) {
        t.valid = TicksFromDos(entry.dosTime, t.ticks);
        t.resolution = 2 * kTicksPerSecond;
    }
    return t;
}

bool FileIsNewer(std::uint64_t fileTicks, const EntryTime& entry) {
    if (!entry.valid) return true;
    // Whole seconds and even seconds fall on the same ticks whether counted from 1601 or from
    // 1970 (the distance is an even number of seconds), and local time differs from UTC by whole
    // minutes: rounding the file's time down to the entry's step compares like with like.
    const std::uint64_t fileStep = fileTicks - fileTicks % entry.resolution;
    return fileStep > entry.ticks;
}

bool EntryIsNewer(const EntryTime& entry, std::uint64_t fileTicks) {
    if (!entry.valid) return false;
    return entry.ticks > fileTicks - fileTicks % entry.resolution;
}

Stamp LocalStampOf(const lzh::Entry& entry) {
    if (entry.hasDosTime && !entry.hasWindowsTimes) return StampFromDos(entry.dosTime);
    EntryTime t = ModificationTime(entry);
    Stamp stamp;
    FILETIME utc = ToFileTime(t.ticks), local;
    SYSTEMTIME s;
    if (!t.valid || !FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &s)) return stamp;
    stamp.valid = true;
    stamp.year = s.wYear;
    stamp.month = s.wMonth;
    stamp.day = s.wDay;
    stamp.hour = s.wHour;
    stamp.minute = s.wMinute;
    stamp.second = s.wSecond;
    return stamp;
}

}  // namespace unlha
