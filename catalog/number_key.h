// The exact value of a number of any kind a catalog column holds (Byte, Integer, Long,
// Currency, Single, Double, Decimal) as text: two numbers get the same text exactly when they
// are equal as numbers, whatever their kinds, precisions and scales, so an item numbered 5
// is the same item in a Long, Decimal(18,0), Decimal(12,2), Double or Currency column.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jet/value.h"

namespace catalog {

bool isNumber(const jet::Value& value);

// Appends the number's text to `out`: the integer's digits ("5", "-12") for integers below
// 2^63 in magnitude; otherwise "<odd digits>*2^<a>*5^<b>" with the digits divisible by neither
// 2 nor 5 ("11*2^-1*5^0" is 5.5); "nan", "inf", "-inf" for the floating points that are no
// numbers (every NaN meets every NaN: a key must meet itself). `value` must be a number.
void writeNumberKey(const jet::Value& value, std::string& out);

// The number's value when it is an integer below 2^63 in magnitude (5.00, 5.0e0 and Currency
// 5.0000 are 5); nothing for other numbers and for values that are no number.
std::optional<std::int64_t> integerValue(const jet::Value& value);

}  // namespace catalog
