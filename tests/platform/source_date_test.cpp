// SOURCE_DATE_EPOCH read strictly: unset, a number of seconds, or refused whole.
#include <gtest/gtest.h>

#include "platform/source_date.h"

namespace {

using State = platform::SourceDate::State;

TEST(SourceDate, UnsetEmptyNumbersAndTextThatIsNoNumber) {
    EXPECT_EQ(platform::sourceDateFrom(nullptr).state, State::Unset);
    EXPECT_EQ(platform::sourceDateFrom("").state, State::Unset);
    for (const auto& [text, seconds] : std::vector<std::pair<const char*, std::int64_t>>{
             {"0", 0}, {"1700000000", 1700000000}, {"253402300799", 253402300799}}) {
        const auto date = platform::sourceDateFrom(text);
        EXPECT_EQ(date.state, State::Valid) << text;
        EXPECT_EQ(date.seconds, seconds) << text;
    }
    // A sign, a space, a fraction, a date or a number past the year 9999 is not read loosely.
    for (const char* text : {"-1", " 1700000000", "1700000000 ", "17e8", "1.5", "2023-11-14", "253402300800",
                             "99999999999999999999999"}) {
        const auto date = platform::sourceDateFrom(text);
        EXPECT_EQ(date.state, State::Malformed) << text;
        EXPECT_EQ(date.text, text);
    }
}

}  // namespace
