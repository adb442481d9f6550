// Times in the MS-DOS form of ZIP headers (local time by convention; we write UTC, as
// reproducible archives do), for stamping members with a chosen time.
#pragma once

#include <cstdint>

namespace zip {

struct DosTime {
    std::uint16_t time = 0;                          // hours << 11 | minutes << 5 | seconds / 2
    std::uint16_t date = (0 << 9) | (1 << 5) | 1;    // (year - 1980) << 9 | month << 5 | day
};

// `seconds` since 1970-01-01 00:00:00 UTC, odd seconds rounded down (the form counts in
// two-second steps); times outside the form's 1980-2107 are clamped to its ends.
DosTime dosTimeFromUnix(std::int64_t seconds);

}  // namespace zip
