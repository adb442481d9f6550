// Spellings of currency, decimals, GUIDs and dates, and the date arithmetic behind them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "jet/value.h"
#include "jet/value_text.h"

namespace {

TEST(ValueFormatTest, CurrencyHasFourDecimalsAndSign) {
    struct Case { std::int64_t stored; const char* text; };
    const Case cases[] = {
        {35000, "3.5000"}, {0, "0.0000"}, {-1, "-0.0001"}, {-123456789, "-12345.6789"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto& c : cases) EXPECT_EQ(jet::formatCurrency({c.stored}), c.text) << c.stored;
}

TEST(ValueFormatTest, DecimalUsesScaleAndFullMagnitude) {
    struct Case { bool negative; std::uint64_t high, low; std::uint8_t scale; const char* text; };
    const Case cases[] = {
        {true, 0, 1110554, 3, "-1110.554"},
        {false, 0, 5, 2, "0.05"},
        {true, 0, 0, 0, "0"},  // a negative zero prints without its sign
        {false, 1, 0, 0, "18446744073709551616"},
        {false, 0, 1, 0, "1"},
    };
    for (const auto& c : cases) {
        jet::Decimal d;
        d.negative = c.negative;
        d.high = c.high;
        d.low = c.low;
        d.scale = c.scale;
        EXPECT_EQ(jet::formatDecimal(d), c.text);
    }
}

TEST(ValueFormatTest, GuidSwapsTheFirstThreeGroups) {
    jet::Guid guid;
    for (int i = 0; i < 16; ++i) guid.bytes[i] = static_cast<std::uint8_t>(i * 17);
    EXPECT_EQ(jet::formatGuid(guid), "{33221100-5544-7766-8899-AABBCCDDEEFF}");
}

TEST(ValueFormatTest, DatesCountTheTimeForwardAlsoBeforeTheEpoch) {
    struct Case { double days; const char* text; };
    const Case cases[] = {
        {0.0, "1899-12-30 00:00:00.000"},
        {-1.25, "1899-12-29 06:00:00.000"},  // not 1899-12-28 18:00
        {1.5, "1899-12-31 12:00:00.000"},
        {27293.0, "1974-09-21 00:00:00.000"},
        {36526.0 - 0.4 / 86400000.0, "2000-01-01 00:00:00.000"},  // rounds into the next day
        {2958465.999988426, "9999-12-31 23:59:59.000"},
        {-657434.0, "0100-01-01 00:00:00.000"},
    };
    for (const auto& c : cases) {
        auto calendar = jet::toCalendarTime({c.days});
        ASSERT_TRUE(calendar) << c.days;
        EXPECT_EQ(jet::formatCalendarTime(*calendar), c.text) << c.days;
        // And back to the same stored value, to the millisecond.
        EXPECT_NEAR(jet::fromCalendarTime(*calendar).days, c.days, 1e-8) << c.days;
    }
}

TEST(ValueFormatTest, CalendarFieldsArePaddedWithZeros) {
    jet::CalendarTime time;
    time.year = 5;
    time.month = 1;
    time.day = 2;
    time.hour = 3;
    time.minute = 4;
    time.second = 5;
    time.millisecond = 7;
    EXPECT_EQ(jet::formatCalendarTime(time), "0005-01-02 03:04:05.007");
    time.year = 12345;
    time.millisecond = 999;
    EXPECT_EQ(jet::formatCalendarTime(time), "12345-01-02 03:04:05.999");
}

TEST(ValueFormatTest, DatesOutsideTheCalendarAreRefused) {
    for (double days : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        1e12, -1e12})
        EXPECT_FALSE(jet::toCalendarTime({days})) << days;
}

TEST(ValueFormatTest, JsonKeepsNullApartFromEmptyText) {
    struct Case { jet::Value value; const char* json; };
    const Case cases[] = {
        {jet::Value(), "null"},
        {jet::Value::text(""), "\"\""},
        {jet::Value::text("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\""},
        {jet::Value(true), "true"},
        {jet::Value(std::uint8_t{255}), "255"},
        {jet::Value(std::int16_t{-2}), "-2"},
        {jet::Value(1.1f), "1.100000023841858"},
        {jet::Value(444.555), "444.555"},
        {jet::Value(jet::Binary{{0x15, 0x1c, 0x00}}), "{\"hex\":\"151c00\"}"},
        {jet::Value(jet::DateTime{-1.25}), "{\"dt\":\"1899-12-29 06:00:00.000\"}"},
    };
    for (const auto& c : cases) {
        std::string out;
        jet::appendJson(c.value, out);
        EXPECT_EQ(out, c.json);
    }
}

TEST(ValueFormatTest, CsvQuotesOnlyWhatNeedsIt) {
    struct Case { const char* text; const char* csv; };
    const Case cases[] = {
        {"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""},
    };
    for (const auto& c : cases) {
        std::string out;
        jet::appendCsvField(c.text, out);
        EXPECT_EQ(out, c.csv);
    }
    // The check looks at eight bytes at a time: each special character at each place of a
    // longer field, and bytes that differ from one by a bit.
    const std::string base = "Szafka łazienkowa 60 cm";
    for (char special : {',', '"', '\r', '\n'}) {
        for (std::size_t at = 0; at <= base.size(); ++at) {
            std::string text = base;
            text.insert(at, 1, special);
            std::string expected = "\"";
            for (char c : text) expected += c == '"' ? std::string("\"\"") : std::string(1, c);
            expected += '"';
            std::string out = "x";
            jet::appendCsvField(text, out);
            EXPECT_EQ(out, "x" + expected) << int(special) << " at " << at;
        }
    }
    for (const char* text : {"-.\x0C\x0B\x0E#!+\xAC\xA2\x8D\x8A-.\x0C\x0B\x0E#!+", "abcdefgh", ""}) {
        std::string out;
        jet::appendCsvField(text, out);
        EXPECT_EQ(out, text);
    }
}

TEST(ValueFormatTest, ResetTextKeepsNothingOfTheOldValue) {
    jet::Value value = jet::Value::memo("a long memo text that was here before");
    value.resetText() = "ab";
    EXPECT_EQ(value, jet::Value::text("ab"));
    value.resetText() += "c";
    EXPECT_EQ(value, jet::Value::text("c"));
    value.resetMemo() = "m";
    EXPECT_EQ(value, jet::Value::memo("m"));
    jet::Value number(std::int32_t{7});
    number.resetText();
    EXPECT_EQ(number, jet::Value::text(""));
}

}  // namespace

namespace {

TEST(ValueFormatTest, CsvValuesSpellLikePlainText) {
    struct Case { jet::Value value; const char* csv; };
    const Case cases[] = {
        {jet::Value(), ""},
        {jet::Value(std::int32_t{-2147483647 - 1}), "-2147483648"},
        {jet::Value(false), "false"},
        {jet::Value::memo("a,b"), "\"a,b\""},
        {jet::Value(jet::Currency{-5}), "-0.0005"},
        {jet::Value(jet::DateTime{1.5}), "1899-12-31 12:00:00"},
        {jet::Value(jet::DateTime{0.5 + 1.0 / 86400000.0}), "1899-12-30 12:00:00.001"},
    };
    for (const auto& c : cases) {
        std::string out;
        jet::appendCsvValue(c.value, out);
        EXPECT_EQ(out, c.csv);
        EXPECT_EQ(out.empty(), jet::plainText(c.value).empty());
    }
}

}  // namespace
