// Numbers as a Polish spreadsheet writes them into CSV: a decimal comma (or point), spaces or
// no-break spaces between thousands, and "zł" after an amount shown as currency.
#pragma once

#include <optional>
#include <string_view>

#include "jet/value.h"

namespace catalog {

// "1 234,5" -> 1234.5; also "1234.5", "-0,25", "1,5E+3". Nothing for text that is not one
// number.
std::optional<double> doubleFromText(std::string_view text);

// "1 234,56 zł" -> 12345600 ten-thousandths; more than four decimals are rounded half away
// from zero, as the column keeps four. Nothing for text that is not an amount or is outside
// the column's range.
std::optional<jet::Currency> currencyFromText(std::string_view text);

}  // namespace catalog
