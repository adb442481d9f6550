// JSON and CSV spellings of values.
#include "jet/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "jet/shortest_double.h"
#include "platform/decimal_piece.h"

namespace jet {

std::string formatDouble(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char buffer[32];
    return std::string(buffer, writeShortestDouble(buffer, value));
}

void appendJsonString(std::string_view text, std::string& out) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

static std::string dateText(DateTime value, bool alwaysMillis) {
    auto calendar = toCalendarTime(value);
    if (!calendar) return "invalid";
    std::string text = formatCalendarTime(*calendar);
    if (!alwaysMillis && calendar->millisecond == 0) text.resize(text.size() - 4);
    return text;
}

void appendJson(const Value& value, std::string& out) {
    using Kind = Value::Kind;
    switch (value.kind()) {
    case Kind::Null: out += "null"; break;
    case Kind::Bool: out += value.asBool() ? "true" : "false"; break;
    case Kind::Byte:
    case Kind::Int16:
    case Kind::Int32: out += platform::DecimalPiece(value.asInteger()); break;
    case Kind::Currency: appendJsonString(formatCurrency(value.asCurrency()), out); break;
    case Kind::Float:
    case Kind::Double: {
        double d = value.kind() == Kind::Float ? double(value.asFloat()) : value.asDouble();
        // JSON has no spelling for these; null is what JSON.stringify writes.
        out += std::isfinite(d) ? formatDouble(d) : "null";
        break;
    }
    case Kind::DateTime:
        out += "{\"dt\":";
        appendJsonString(dateText(value.asDateTime(), true), out);
        out += '}';
        break;
    case Kind::Text:
    case Kind::Memo: appendJsonString(value.asString(), out); break;
    case Kind::Binary:
    case Kind::Ole:
        out += "{\"hex\":\"";
        out += formatHex(value.asBytes());
        out += "\"}";
        break;
    case Kind::Guid: appendJsonString(formatGuid(value.asGuid()), out); break;
    case Kind::Decimal: appendJsonString(formatDecimal(value.asDecimal()), out); break;
    }
}

std::string plainText(const Value& value) {
    using Kind = Value::Kind;
    switch (value.kind()) {
    case Kind::Null: return "";
    case Kind::Bool: return value.asBool() ? "true" : "false";
    case Kind::Byte:
    case Kind::Int16:
    case Kind::Int32: return std::string(platform::DecimalPiece(value.asInteger()));
    case Kind::Currency: return formatCurrency(value.asCurrency());
    case Kind::Float: return formatDouble(double(value.asFloat()));
    case Kind::Double: return formatDouble(value.asDouble());
    case Kind::DateTime: return dateText(value.asDateTime(), false);
    case Kind::Text:
    case Kind::Memo: return value.asString();
    case Kind::Binary:
    case Kind::Ole: return formatHex(value.asBytes());
    case Kind::Guid: return formatGuid(value.asGuid());
    case Kind::Decimal: return formatDecimal(value.asDecimal());
    }
    return "";
}

namespace {

bool quotedInCsv(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

// Whether a field must be quoted, eight bytes at a time: this runs over every byte a dump
// writes, and what needs quoting is rare. A word holding a comma, a quote or any byte below
// 0E (CR and LF among them, and a few that are not) is looked at byte by byte.
bool needsCsvQuotes(std::string_view text) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto holds = [&](std::uint64_t bytes, char c) {
        std::uint64_t x = bytes ^ (ones * static_cast<unsigned char>(c));
        return (x - ones) & ~x & highs;  // nonzero when some byte of x is zero
    };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + i, 8);
        if (holds(bytes, ',') | holds(bytes, '"') | ((bytes - ones * 0x0E) & ~bytes & highs)) break;
    }
    for (; i < text.size(); ++i)
        if (quotedInCsv(text[i])) return true;
    return false;
}

}  // namespace

void appendCsvField(std::string_view text, std::string& out) {
    if (!needsCsvQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    // Up to and including each quote, which is then doubled.
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
        out.append(text.data(), quote + 1);
        out += '"';
        text.remove_prefix(quote + 1);
    }
    out += text;
    out += '"';
}

}  // namespace jet

namespace jet {

void appendCsvValue(const Value& value, std::string& out) {
    using Kind = Value::Kind;
    switch (value.kind()) {
    case Kind::Null: return;
    case Kind::Bool: out += value.asBool() ? "true" : "false"; return;
    case Kind::Byte:
    case Kind::Int16:
    case Kind::Int32: {
        char buffer[24];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value.asInteger());
        out.append(buffer, result.ptr);
        return;
    }
    case Kind::Text:
    case Kind::Memo: appendCsvField(value.asString(), out); return;
    default: appendCsvField(plainText(value), out); return;
    }
}

}  // namespace jet
