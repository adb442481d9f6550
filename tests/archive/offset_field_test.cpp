// The offset field's parse rules, one row per rule, and pakiet build's formatting.
#include <gtest/gtest.h>

#include "archive/offset_field.h"

using archive::formatOffsetField;
using archive::parseOffsetField;

TEST(OffsetField, ParsesByTheInstallerRules) {
    struct Case {
        std::string field;
        std::optional<std::int64_t> expected;
    };
    const std::vector<Case> cases = {
        {"            17492252", 17492252},
        {"00000000000017492252", 17492252},  // leading zeros instead of spaces
        {"           +17492252", 17492252},
        {"                   0", 0},
        {"                 -42", -42},
        {"              $10AB3", 0x10AB3},
        {"             0x10ab3", 0x10AB3},
        {"              X10AB3", 0x10AB3},
        {"             -0XFF00", -0xFF00},
        {" 9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808 ", std::nullopt},
        {" 9223372036854775808", std::nullopt},  // just above the range
        {"17492252            ", std::nullopt},  // left-aligned: spaces after the digits
        {"           17492252\r\n", std::nullopt},
        {std::string("           17492252\0", 20), std::nullopt},
        {"                    ", std::nullopt},
        {"", std::nullopt},
        {"                   +", std::nullopt},
        {"                  0x", std::nullopt},
        {"           174 92252", std::nullopt},
        {"          17492252ab", std::nullopt},
        {"\t           17492252", std::nullopt},  // only U+0020 is skipped
        {"           \xEF\xBC\x91" "7492", std::nullopt},  // a full-width digit
        {"         ++17492252", std::nullopt},
        {"             $FFFFFFFFFFFFFFFF", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.field + "'");
        EXPECT_EQ(parseOffsetField(c.field), c.expected);
    }
}

TEST(OffsetField, FormatsRightAlignedInTwentyCharactersAndParsesBack) {
    for (std::int64_t value : {std::int64_t{0}, std::int64_t{17492252}, std::int64_t{1} << 40, INT64_MAX}) {
        const std::string field = formatOffsetField(value);
        ASSERT_EQ(field.size(), 20u);
        EXPECT_EQ(field.back(), std::to_string(value).back());
        EXPECT_EQ(parseOffsetField(field), value);
    }
    EXPECT_EQ(formatOffsetField(17492252), "            17492252");
    EXPECT_THROW(formatOffsetField(-1), std::invalid_argument);
}
