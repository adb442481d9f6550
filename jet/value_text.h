// Values as text for people and programs: a JSON spelling (null, booleans, numbers, exact
// decimal strings for currency and numeric, {"dt": "..."} for dates, {"hex": "..."} for
// bytes, "{GUID}" strings) and a CSV field spelling, both used by `pakiet catalog dump`.
#pragma once

#include <string>
#include <string_view>

#include "jet/value.h"

namespace jet {

// Appends `text` as a JSON string literal (quotes included).
void appendJsonString(std::string_view text, std::string& out);
// Appends the JSON form of a value.
void appendJson(const Value& value, std::string& out);

// The plain text of a value: "" for null, "true"/"false", numbers in shortest form,
// "YYYY-MM-DD HH:MM:SS" dates (with ".mmm" when there are milliseconds), hex for bytes.
std::string plainText(const Value& value);
// Appends plainText(value) as a CSV field, without an intermediate string for numbers.
void appendCsvValue(const Value& value, std::string& out);
// Appends a CSV field (RFC 4180: quoted when it holds a comma, quote or line break).
void appendCsvField(std::string_view text, std::string& out);

// Shortest round-trip form of a double ("0.1", "444.555", "1e+21").
std::string formatDouble(double value);

}  // namespace jet
