// Unix seconds to the MS-DOS date and time fields.
#include "archive/zip/dos_time.h"

namespace zip {

namespace {

struct CivilDate {
    std::int64_t year;
    unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil_from_days).
CivilDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const unsigned day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const unsigned month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

DosTime dosTimeFromUnix(std::int64_t seconds) {
    constexpr std::int64_t kFirst = 315532800;   // 1980-01-01 00:00:00
    constexpr std::int64_t kLast = 4354819198;   // 2107-12-31 23:59:58
    if (seconds < kFirst) seconds = kFirst;
    if (seconds > kLast) seconds = kLast;
    const std::int64_t days = seconds / 86400;
    const std::int64_t inDay = seconds % 86400;
    const CivilDate civil = civilFromDays(days);
    DosTime dos;
    dos.date = static_cast<std::uint16_t>(((civil.year - 1980) << 9) | (civil.month << 5) | civil.day);
    dos.time = static_cast<std::uint16_t>(((inDay / 3600) << 11) | ((inDay / 60 % 60) << 5) | (inDay % 60 / 2));
    return dos;
}

}  // namespace zip
