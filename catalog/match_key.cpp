// Match keys of values.
#include "catalog/match_key.h"

#include <cmath>
#include <cstring>

#include "jet/value_text.h"

namespace catalog {

namespace {
std::string numberKey(double d) {
    // An integral double meets the integer it equals; any other keeps its exact bits.
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15)
        return "n" + std::to_string(static_cast<long long>(d));
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return "d" + std::to_string(bits);
}
}  // namespace

std::string matchKey(const jet::Value& value) {
    switch (value.kind()) {
    case jet::Value::Kind::Null: return "0";
    case jet::Value::Kind::Byte:
    case jet::Value::Kind::Int16:
    case jet::Value::Kind::Int32: return "n" + std::to_string(value.asInteger());
    case jet::Value::Kind::Float: return numberKey(value.asFloat());
    case jet::Value::Kind::Double: return numberKey(value.asDouble());
    case jet::Value::Kind::Text:
    case jet::Value::Kind::Memo: return "t" + value.asString();
    default: return "o" + std::to_string(static_cast<int>(value.kind())) + ":" + jet::plainText(value);
    }
}

}  // namespace catalog
