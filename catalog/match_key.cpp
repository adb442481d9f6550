// Match keys of values.
#include "catalog/match_key.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "jet/value_text.h"

namespace catalog {

namespace {

template <typename Integer>
void writeTagged(char tag, Integer number, std::string& out) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.assign(1, tag);
    out.append(digits, end);
}

void writeNumberKey(double d, std::string& out) {
    // An integral double meets the integer it equals; any other keeps its exact bits.
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15)
        return writeTagged('n', static_cast<long long>(d), out);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    writeTagged('d', bits, out);
}

}  // namespace

void writeMatchKey(const jet::Value& value, std::string& out) {
    switch (value.kind()) {
    case jet::Value::Kind::Null: out.assign("0"); return;
    case jet::Value::Kind::Byte:
    case jet::Value::Kind::Int16:
    case jet::Value::Kind::Int32: return writeTagged('n', value.asInteger(), out);
    case jet::Value::Kind::Float: return writeNumberKey(value.asFloat(), out);
    case jet::Value::Kind::Double: return writeNumberKey(value.asDouble(), out);
    case jet::Value::Kind::Text:
    case jet::Value::Kind::Memo:
        out.assign(1, 't');
        out.append(value.asString());
        return;
    default:
        out.assign(1, 'o');
        out.append(std::to_string(static_cast<int>(value.kind())));
        out.push_back(':');
        out.append(jet::plainText(value));
        return;
    }
}

}  // namespace catalog
