// Cross-kind access to values and the one spelling of currency, decimals, GUIDs and dates.
#include "jet/value.h"

#include <cmath>

#include "platform/decimal_piece.h"
#include "platform/round_half_away.h"

namespace jet {

// At namespace scope (a function's static would bring the C++ runtime's guards into the
// installer) and constant-initialised, so ready before any start-up code; one shared object
// rather than one per user, as each is 64 bytes of the installer's data.
constinit const Value kNullValue;

Value::Value(const Value&) = default;
Value::Value(Value&&) noexcept = default;
Value& Value::operator=(const Value&) = default;
Value& Value::operator=(Value&&) noexcept = default;
Value::~Value() = default;

const std::string& Value::asString() const {
    if (kind_ != Kind::Text && kind_ != Kind::Memo) throw std::bad_variant_access();
    return std::get<std::string>(v_);
}

std::string& Value::resetText() {
    std::string* text = std::get_if<std::string>(&v_);
    if (!text) text = &v_.emplace<std::string>();
    text->clear();
    kind_ = Kind::Text;
    return *text;
}

std::string& Value::resetMemo() {
    std::string& memo = resetText();
    kind_ = Kind::Memo;
    return memo;
}

const std::vector<std::uint8_t>& Value::asBytes() const {
    if (kind_ != Kind::Binary && kind_ != Kind::Ole) throw std::bad_variant_access();
    return std::get<std::vector<std::uint8_t>>(v_);
}

bool Value::operator==(const Value& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
    case Kind::Null: return true;
    case Kind::Bool: return asBool() == other.asBool();
    case Kind::Byte: return asByte() == other.asByte();
    case Kind::Int16: return asInt16() == other.asInt16();
    case Kind::Int32: return asInt32() == other.asInt32();
    case Kind::Currency: return asCurrency() == other.asCurrency();
    case Kind::Float: return asFloat() == other.asFloat();
    case Kind::Double: return asDouble() == other.asDouble();
    case Kind::DateTime: return asDateTime() == other.asDateTime();
    case Kind::Guid: return asGuid() == other.asGuid();
    case Kind::Decimal: return asDecimal() == other.asDecimal();
    case Kind::Text:
    case Kind::Memo: return asString() == other.asString();
    default: return asBytes() == other.asBytes();
    }
}

std::int64_t Value::asInteger() const {
    switch (kind()) {
    case Kind::Bool: return asBool() ? 1 : 0;
    case Kind::Byte: return asByte();
    case Kind::Int16: return asInt16();
    default: return asInt32();
    }
}

namespace {

// Digits of a non-negative magnitude held as four 32-bit words, most significant first.
std::string magnitudeDigits(std::uint64_t high, std::uint64_t low) {
    std::uint32_t words[4] = {static_cast<std::uint32_t>(high >> 32),
                              static_cast<std::uint32_t>(high),
                              static_cast<std::uint32_t>(low >> 32),
                              static_cast<std::uint32_t>(low)};
    std::string digits;
    for (;;) {
        bool zero = true;
        std::uint64_t remainder = 0;
        for (auto& word : words) {
            std::uint64_t current = (remainder << 32) | word;
            word = static_cast<std::uint32_t>(current / 10);
            remainder = current % 10;
            if (word != 0) zero = false;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + remainder));
        if (zero) break;
    }
    return digits;
}

std::string placeDecimalPoint(bool negative, std::string digits, unsigned scale) {
    if (scale > 0) {
        if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
        digits.insert(digits.size() - scale, 1, '.');
    }
    bool allZero = digits.find_first_not_of("0.") == std::string::npos;
    return (negative && !allZero ? "-" : "") + digits;
}

// Day number of a civil date counted from 1970-01-01 (H. Hinnant's algorithm).
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 32-bit for days within about +-5.8 million years of 1970 (toCalendarTime bounds them): the
// 32-bit Windows build would otherwise link the runtime's 64-bit division.
void civilFromDays(std::int32_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe) + era * 400 + (month <= 2);
}

constexpr std::int32_t kEpochDay = -25569;  // 1899-12-30, day 0 of Jet's dates
static_assert(daysFromCivil(1899, 12, 30) == kEpochDay);
constexpr std::uint32_t kMillisPerDay = 86400000;

}  // namespace

std::string formatCurrency(Currency value) {
    bool negative = value.tenThousandths < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                       : static_cast<std::uint64_t>(value.tenThousandths);
    return placeDecimalPoint(negative, magnitudeDigits(0, magnitude), 4);
}

std::string formatDecimal(const Decimal& value) {
    return placeDecimalPoint(value.negative, magnitudeDigits(value.high, value.low), value.scale);
}

namespace {

// printf's %0*d: at least `width` characters, a minus sign among them.
void appendZeroPadded(std::string& out, int value, int width) {
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const platform::DecimalPiece piece(magnitude);
    const std::string_view digits = piece;
    if (value < 0) {
        out += '-';
        --width;
    }
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
    out += digits;
}

}  // namespace

// Spelled by hand rather than with snprintf, whose implementation (and its floating-point
// half) would be linked into the installer for these few lines.
std::string formatGuid(const Guid& value) {
    static const char hex[] = "0123456789ABCDEF";
    // The first three groups are stored little-endian; -1 is a dash.
    static const int order[] = {3, 2, 1, 0, -1, 5, 4, -1, 7, 6, -1, 8, 9, -1, 10, 11, 12, 13, 14, 15};
    std::string text = "{";
    for (int index : order) {
        if (index < 0) {
            text += '-';
        } else {
            text += hex[value.bytes[index] >> 4];
            text += hex[value.bytes[index] & 15];
        }
    }
    return text + "}";
}

std::string formatCalendarTime(const CalendarTime& v) {
    std::string text;
    appendZeroPadded(text, v.year, 4);
    struct Field { char separator; int value, width; };
    const Field rest[] = {{'-', v.month, 2}, {'-', v.day, 2}, {' ', v.hour, 2},
                          {':', v.minute, 2}, {':', v.second, 2}, {'.', v.millisecond, 3}};
    for (const auto& field : rest) {
        text += field.separator;
        appendZeroPadded(text, field.value, field.width);
    }
    return text;
}

std::string formatHex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (auto byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::optional<CalendarTime> toCalendarTime(DateTime value) {
    // Years 1..9999 span about -693 593 .. 2 958 465 days.
    if (!std::isfinite(value.days) || value.days < -700000 || value.days > 3000000)
        return std::nullopt;
    double whole = std::trunc(value.days);
    auto day = static_cast<std::int32_t>(whole);
    auto millis = static_cast<std::uint32_t>(platform::roundHalfAway(std::fabs(value.days - whole) * kMillisPerDay));
    if (millis >= kMillisPerDay) {  // rounding reached midnight of the next day
        millis -= kMillisPerDay;
        day += 1;
    }
    CalendarTime out;
    civilFromDays(kEpochDay + day, out.year, out.month, out.day);
    if (out.year < 1 || out.year > 9999) return std::nullopt;
    out.hour = static_cast<int>(millis / 3600000);
    out.minute = static_cast<int>(millis / 60000 % 60);
    out.second = static_cast<int>(millis / 1000 % 60);
    out.millisecond = static_cast<int>(millis % 1000);
    return out;
}

DateTime fromCalendarTime(const CalendarTime& v) {
    std::int64_t day = daysFromCivil(v.year, static_cast<unsigned>(v.month),
                                     static_cast<unsigned>(v.day)) - kEpochDay;
    double fraction = (((v.hour * 60.0 + v.minute) * 60.0 + v.second) * 1000.0 + v.millisecond) /
                      static_cast<double>(kMillisPerDay);
    // Negative days keep the time of day counted forward: -1 at 06:00 is -1.25.
    return DateTime{day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction};
}

}  // namespace jet
