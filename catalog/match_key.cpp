// Match keys of values.
#include "catalog/match_key.h"

#include <cstdint>
#include <cstring>

#include "catalog/number_key.h"
#include "platform/decimal_piece.h"

namespace catalog {

namespace {

void appendHex(const std::uint8_t* bytes, std::size_t size, std::string& out) {
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 15]);
    }
}

}  // namespace

void writeMatchKey(const jet::Value& value, std::string& out) {
    using Kind = jet::Value::Kind;
    if (isNumber(value)) {
        // Numbers of every kind share one spelling of their exact value.
        out.assign(1, 'n');
        writeNumberKey(value, out);
        return;
    }
    switch (value.kind()) {
    case Kind::Null: out.assign("0"); return;
    case Kind::Text:
    case Kind::Memo:
        out.assign(1, 't');
        out.append(value.asString());
        return;
    case Kind::Bool: out.assign(value.asBool() ? "b1" : "b0"); return;
    case Kind::DateTime: {
        // The stored double itself: two dates are one key only when the values are equal
        // (0.0 and -0.0 are).
        const double days = value.asDateTime().days == 0 ? 0.0 : value.asDateTime().days;
        std::uint64_t bits = 0;
        std::memcpy(&bits, &days, sizeof bits);
        out.assign(1, 'D');
        out += platform::DecimalPiece(bits);
        return;
    }
    case Kind::Guid: {
        const auto guid = value.asGuid();
        out.assign(1, 'g');
        appendHex(guid.bytes.data(), guid.bytes.size(), out);
        return;
    }
    default: {  // Binary and OLE, told apart as the values are
        const auto& bytes = value.asBytes();
        out.assign(value.kind() == Kind::Binary ? "x" : "o");
        appendHex(bytes.data(), bytes.size(), out);
        return;
    }
    }
}

}  // namespace catalog
