// Unix seconds to the MS-DOS date and time of ZIP headers.
#include <gtest/gtest.h>

#include "archive/zip/dos_time.h"

namespace {

std::uint16_t date(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}
std::uint16_t time(int hour, int minute, int second) {
    return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

TEST(DosTime, CalendarDatesLeapDaysAndTwoSecondSteps) {
    struct Case {
        std::int64_t seconds;
        std::uint16_t date, time;
    };
    for (const Case& c : std::vector<Case>{
             {315532800, date(1980, 1, 1), time(0, 0, 0)},
             {1700000000, date(2023, 11, 14), time(22, 13, 20)},
             {1709208001, date(2024, 2, 29), time(12, 0, 0)},    // odd second rounded down
             {951782400, date(2000, 2, 29), time(0, 0, 0)},      // 2000 is a leap year
             {4107542399, date(2100, 2, 28), time(23, 59, 58)},  // 2100 is not
             {4107542400, date(2100, 3, 1), time(0, 0, 0)},
             {4354819198, date(2107, 12, 31), time(23, 59, 58)},
         }) {
        const zip::DosTime dos = zip::dosTimeFromUnix(c.seconds);
        EXPECT_EQ(dos.date, c.date) << c.seconds;
        EXPECT_EQ(dos.time, c.time) << c.seconds;
    }
}

TEST(DosTime, TimesOutsideTheFormAreClampedToItsEnds) {
    EXPECT_EQ(zip::dosTimeFromUnix(0).date, date(1980, 1, 1));
    EXPECT_EQ(zip::dosTimeFromUnix(-86400).time, time(0, 0, 0));
    EXPECT_EQ(zip::dosTimeFromUnix(253402300799).date, date(2107, 12, 31));
    EXPECT_EQ(zip::dosTimeFromUnix(253402300799).time, time(23, 59, 58));
}

}  // namespace
