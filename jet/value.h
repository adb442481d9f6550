// A typed field value as the Jet engine reads and writes it. Null is its own kind, distinct
// from empty text; every Jet 4 column type has a kind of its own, so that a value keeps what
// the file says (an Integer stays 16 bits, a Memo is not a Text, currency stays exact).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace jet {

// Money: an integer count of 1/10000 units, as the file stores it.
struct Currency {
    std::int64_t tenThousandths = 0;
    bool operator==(const Currency&) const = default;
};

// Date and time: days since 1899-12-30 00:00 (the integer part is the day, negative before
// it; the fraction is the time of day counted forward even for negative days). No time zone.
struct DateTime {
    double days = 0;
    bool operator==(const DateTime&) const = default;
};

// A calendar date and wall-clock time (proleptic Gregorian).
struct CalendarTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const CalendarTime&) const = default;
};

// Replication id: 16 bytes in file order (Data1..Data3 little-endian, Data4 as is).
struct Guid {
    std::array<std::uint8_t, 16> bytes{};
    bool operator==(const Guid&) const = default;
};

// Access "Numeric": sign and a 128-bit magnitude, value = magnitude / 10^scale.
struct Decimal {
    bool negative = false;
    std::uint64_t high = 0;  // upper 64 bits of the magnitude
    std::uint64_t low = 0;   // lower 64 bits
    std::uint8_t precision = 18;
    std::uint8_t scale = 0;
    bool operator==(const Decimal&) const = default;
};

// Text and Memo carry UTF-8; Binary and OLE carry raw bytes.
struct Text {
    std::string utf8;
    bool operator==(const Text&) const = default;
};
struct Memo {
    std::string utf8;
    bool operator==(const Memo&) const = default;
};
struct Binary {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Binary&) const = default;
};
struct Ole {
    std::vector<std::uint8_t> bytes;
    bool operator==(const Ole&) const = default;
};

class Value {
public:
    // In the order of the alternatives below.
    enum class Kind {
        Null, Bool, Byte, Int16, Int32, Currency, Float, Double, DateTime,
        Text, Memo, Binary, Ole, Guid, Decimal
    };

    Value() = default;  // null
    Value(const char*) = delete;  // would silently become a bool; use Value::text
    Value(bool v) : v_(v) {}
    Value(std::uint8_t v) : v_(v) {}
    Value(std::int16_t v) : v_(v) {}
    Value(std::int32_t v) : v_(v) {}
    Value(jet::Currency v) : v_(v) {}
    Value(float v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(jet::DateTime v) : v_(v) {}
    Value(jet::Text v) : v_(std::move(v)) {}
    Value(jet::Memo v) : v_(std::move(v)) {}
    Value(jet::Binary v) : v_(std::move(v)) {}
    Value(jet::Ole v) : v_(std::move(v)) {}
    Value(jet::Guid v) : v_(v) {}
    Value(jet::Decimal v) : v_(v) {}

    static Value null() { return Value(); }
    static Value text(std::string utf8) { return Value(jet::Text{std::move(utf8)}); }
    static Value memo(std::string utf8) { return Value(jet::Memo{std::move(utf8)}); }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isNull() const { return kind() == Kind::Null; }

    // Typed access; throws std::bad_variant_access when the kind differs.
    bool asBool() const { return std::get<bool>(v_); }
    std::uint8_t asByte() const { return std::get<std::uint8_t>(v_); }
    std::int16_t asInt16() const { return std::get<std::int16_t>(v_); }
    std::int32_t asInt32() const { return std::get<std::int32_t>(v_); }
    jet::Currency asCurrency() const { return std::get<jet::Currency>(v_); }
    float asFloat() const { return std::get<float>(v_); }
    double asDouble() const { return std::get<double>(v_); }
    jet::DateTime asDateTime() const { return std::get<jet::DateTime>(v_); }
    jet::Guid asGuid() const { return std::get<jet::Guid>(v_); }
    jet::Decimal asDecimal() const { return std::get<jet::Decimal>(v_); }

    // Conveniences across kinds.
    // Text or Memo as UTF-8; throws std::bad_variant_access for other kinds.
    const std::string& asString() const;
    // Binary or OLE bytes; throws std::bad_variant_access for other kinds.
    const std::vector<std::uint8_t>& asBytes() const;
    // Bool, Byte, Int16 or Int32 widened; throws std::bad_variant_access for other kinds.
    std::int64_t asInteger() const;

    // Makes this value an empty Text (Memo) and returns its UTF-8 to fill in, keeping the
    // string's memory when the value was one already: a scan refills the same values per row.
    std::string& resetText();
    std::string& resetMemo();

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, bool, std::uint8_t, std::int16_t, std::int32_t, jet::Currency,
                 float, double, jet::DateTime, jet::Text, jet::Memo, jet::Binary, jet::Ole,
                 jet::Guid, jet::Decimal>
        v_;
};

// Spellings shared by every printer (pakiet, tests) so that values print one way:
// "3.5000", "-0.0100" (always 4 decimals)
std::string formatCurrency(Currency value);
// "-1110.554" with exactly `scale` decimals, "0" for zero at scale 0
std::string formatDecimal(const Decimal& value);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hex
std::string formatGuid(const Guid& value);
// "YYYY-MM-DD HH:MM:SS.mmm"
std::string formatCalendarTime(const CalendarTime& value);
// Lower-case hex of every byte.
std::string formatHex(const std::vector<std::uint8_t>& bytes);

// Conversions between the stored double and the calendar, the fraction counted forward
// for negative days; rounded to the millisecond. Non-finite days, or days outside the years
// 1..9999, give nothing.
std::optional<CalendarTime> toCalendarTime(DateTime value);
DateTime fromCalendarTime(const CalendarTime& value);

}  // namespace jet
