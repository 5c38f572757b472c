// Test-only: MS-DOS local time stamps turned into Unix time as if the zone were Europe/London,
// which is how the expected listings of the interoperability vectors were made.
#pragma once

#include <cstdint>

namespace lzh_test {

inline std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

// Day of month of the first Sunday on or after day `from` of month `m`.
inline int SundayOnOrAfter(int y, int m, int from) {
    const std::int64_t days = DaysFromCivil(y, m, from);
    const int weekday = static_cast<int>((days % 7 + 11) % 7);  // 0 = Sunday; 1970-01-01 was a Thursday
    return from + (7 - weekday) % 7;
}

inline int LastSunday(int y, int m, int daysInMonth) { return SundayOnOrAfter(y, m, daysInMonth - 6); }

// British Summer Time as UTC instants, for the years MS-DOS stamps can hold.
inline bool IsLondonSummer(std::int64_t utc, int year) {
    int startDay, endDay;
    std::int64_t hour;
    if (year <= 1980) {
        startDay = SundayOnOrAfter(year, 3, 16);
        endDay = SundayOnOrAfter(year, 10, 23);
        hour = 2;
    } else {
        startDay = LastSunday(year, 3, 31);
        endDay = year >= 1996 ? LastSunday(year, 10, 31) : SundayOnOrAfter(year, 10, year >= 1990 ? 22 : 23);
        hour = 1;
    }
    const std::int64_t start = DaysFromCivil(year, 3, startDay) * 86400 + hour * 3600;
    const std::int64_t end = DaysFromCivil(year, 10, endDay) * 86400 + hour * 3600;
    return utc >= start && utc < end;
}

inline std::int64_t DosTimeAsLondon(std::uint32_t stamp) {
    const int year = 1980 + static_cast<int>(stamp >> 25);
    const int month = static_cast<int>((stamp >> 21) & 0x0F);
    const int day = static_cast<int>((stamp >> 16) & 0x1F);
    const int hour = static_cast<int>((stamp >> 11) & 0x1F);
    const int minute = static_cast<int>((stamp >> 5) & 0x3F);
    const int second = static_cast<int>(stamp & 0x1F) * 2;
    const std::int64_t local = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return IsLondonSummer(local - 3600, year) ? local - 3600 : local;
}

}  // namespace lzh_test
