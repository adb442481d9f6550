// Value keeps the kind it was made with next to the data: every kind reads back what was put
// in, reading it as another kind throws, and two values are equal only when kind and value
// both agree (an Integer 5 is not a Long Integer 5, a Memo is not a Text).
#include "jet/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <variant>
#include <vector>

namespace {

using jet::Value;
using Kind = Value::Kind;

jet::Decimal decimal(bool negative, std::uint64_t high, std::uint64_t low, std::uint8_t scale) {
    jet::Decimal d;
    d.negative = negative;
    d.high = high;
    d.low = low;
    d.scale = scale;
    return d;
}

jet::Guid guid() {
    jet::Guid g;
    for (std::size_t i = 0; i < g.bytes.size(); ++i) g.bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    return g;
}

// One value of every kind, with bits in every byte its kind stores.
std::vector<Value> oneOfEach() {
    return {Value(),
            Value(true),
            Value(std::uint8_t{0xFE}),
            Value(std::int16_t{-12345}),
            Value(std::int32_t{-2'000'000'000}),
            Value(jet::Currency{-922'337'203'685'477'580}),
            Value(1.5f),
            Value(-2.25e300),
            Value(jet::DateTime{-1.75}),
            Value::text("zażółć"),
            Value::memo("zażółć"),
            Value(jet::Binary{{1, 2, 3}}),
            Value(jet::Ole{{1, 2, 3}}),
            Value(guid()),
            Value(decimal(true, 0x0123456789ABCDEF, 0xFEDCBA9876543210, 28))};
}

TEST(ValueTest, EveryKindReadsBackWhatWasPutIn) {
    const std::vector<Value> values = oneOfEach();
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i].kind(), static_cast<Kind>(i));
    EXPECT_TRUE(values[0].isNull());
    EXPECT_TRUE(values[1].asBool());
    EXPECT_EQ(values[2].asByte(), 0xFE);
    EXPECT_EQ(values[3].asInt16(), -12345);
    EXPECT_EQ(values[4].asInt32(), -2'000'000'000);
    EXPECT_EQ(values[5].asCurrency().tenThousandths, -922'337'203'685'477'580);
    EXPECT_EQ(values[6].asFloat(), 1.5f);
    EXPECT_EQ(values[7].asDouble(), -2.25e300);
    EXPECT_EQ(values[8].asDateTime().days, -1.75);
    EXPECT_EQ(values[9].asString(), "zażółć");
    EXPECT_EQ(values[10].asString(), "zażółć");
    EXPECT_EQ(values[11].asBytes(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(values[12].asBytes(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(values[13].asGuid(), guid());
    EXPECT_EQ(values[14].asDecimal(), decimal(true, 0x0123456789ABCDEF, 0xFEDCBA9876543210, 28));
    EXPECT_EQ(values[3].asInteger(), -12345);
    EXPECT_EQ(values[1].asInteger(), 1);
}

TEST(ValueTest, ReadingAnotherKindThrows) {
    const std::vector<Value> values = oneOfEach();
    EXPECT_THROW(values[0].asBool(), std::bad_variant_access);
    EXPECT_THROW(values[3].asInt32(), std::bad_variant_access);  // an Integer is not widened here
    EXPECT_THROW(values[4].asCurrency(), std::bad_variant_access);
    EXPECT_THROW(values[6].asDouble(), std::bad_variant_access);
    EXPECT_THROW(values[7].asDateTime(), std::bad_variant_access);
    EXPECT_THROW(values[14].asGuid(), std::bad_variant_access);
    EXPECT_THROW(values[11].asString(), std::bad_variant_access);
    EXPECT_THROW(values[9].asBytes(), std::bad_variant_access);
    EXPECT_THROW(values[0].asString(), std::bad_variant_access);
    EXPECT_THROW(values[7].asInteger(), std::bad_variant_access);
}

TEST(ValueTest, EqualOnlyWhenKindAndValueAgree) {
    const std::vector<Value> values = oneOfEach();
    for (std::size_t i = 0; i < values.size(); ++i)
        for (std::size_t j = 0; j < values.size(); ++j) EXPECT_EQ(values[i] == values[j], i == j) << i << " " << j;
    EXPECT_NE(Value(std::int16_t{5}), Value(std::int32_t{5}));
    EXPECT_NE(Value::text(""), Value());
    EXPECT_NE(Value(decimal(false, 0, 5, 1)), Value(decimal(false, 0, 5, 2)));
    EXPECT_NE(Value(decimal(false, 0, 5, 1)), Value(decimal(true, 0, 5, 1)));
    // Floating-point kinds compare as numbers: NaN is unequal to itself, the zeros are equal.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(Value(nan), Value(nan));
    EXPECT_EQ(Value(0.0), Value(-0.0));
    EXPECT_EQ(Value(-0.0f), Value(0.0f));
}

TEST(ValueTest, CopiesAndMovesKeepKindAndValue) {
    for (const Value& original : oneOfEach()) {
        SCOPED_TRACE(static_cast<int>(original.kind()));
        Value copy = original;
        Value moved = std::move(copy);
        Value assigned = Value::text("other");
        assigned = moved;
        EXPECT_EQ(moved.kind(), original.kind());
        EXPECT_EQ(moved, original);
        EXPECT_EQ(assigned, original);
    }
}

TEST(ValueTest, ResetChangesTheKindOfAnyValue) {
    Value value = Value::text("old");
    value.resetMemo() = "memo";
    EXPECT_EQ(value, Value::memo("memo"));
    value.resetText() = "text";
    EXPECT_EQ(value, Value::text("text"));
    Value bytes(jet::Binary{{9}});
    bytes.resetText() = "was binary";
    EXPECT_EQ(bytes, Value::text("was binary"));
    Value number(std::int32_t{7});
    number.resetMemo();
    EXPECT_EQ(number, Value::memo(""));
}

}  // namespace
