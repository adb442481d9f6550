// A typed field value as the Jet engine reads and writes it. Null is its own kind, distinct
// from empty text; every Jet 4 column type has a kind of its own, so that a value keeps what
// the file says (an Integer stays 16 bits, a Memo is not a Text, currency stays exact).
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
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

namespace detail {
// The bytes of a Value of a fixed-size kind (Decimal is the largest).
struct ValueScalar {
    alignas(8) std::array<unsigned char, sizeof(Decimal)> bytes{};
};
}  // namespace detail

class Value {
public:
    // In the order of the alternatives below.
    enum class Kind {
        Null, Bool, Byte, Int16, Int32, Currency, Float, Double, DateTime,
        Text, Memo, Binary, Ole, Guid, Decimal
    };

    Value() = default;  // null
    Value(const char*) = delete;  // would silently become a bool; use Value::text
    Value(bool v) : Value(Kind::Bool, v) {}
    Value(std::uint8_t v) : Value(Kind::Byte, v) {}
    Value(std::int16_t v) : Value(Kind::Int16, v) {}
    Value(std::int32_t v) : Value(Kind::Int32, v) {}
    Value(jet::Currency v) : Value(Kind::Currency, v) {}
    Value(float v) : Value(Kind::Float, v) {}
    Value(double v) : Value(Kind::Double, v) {}
    Value(jet::DateTime v) : Value(Kind::DateTime, v) {}
    Value(jet::Text v) : kind_(Kind::Text), v_(std::move(v.utf8)) {}
    Value(jet::Memo v) : kind_(Kind::Memo), v_(std::move(v.utf8)) {}
    Value(jet::Binary v) : kind_(Kind::Binary), v_(std::move(v.bytes)) {}
    Value(jet::Ole v) : kind_(Kind::Ole), v_(std::move(v.bytes)) {}
    Value(jet::Guid v) : Value(Kind::Guid, v) {}
    Value(jet::Decimal v) : Value(Kind::Decimal, v) {}
    // Out of line: one copy of the variant's copy, move and clean-up for every caller (GCC 12
    // also warns of a delete of a non-heap object where these are inlined into a temporary's
    // move at -O2, which the variant's index rules out).
    Value(const Value&);
    Value(Value&&) noexcept;
    Value& operator=(const Value&);
    Value& operator=(Value&&) noexcept;
    ~Value();

    static Value null() { return Value(); }
    static Value text(std::string utf8) { return Value(jet::Text{std::move(utf8)}); }
    static Value memo(std::string utf8) { return Value(jet::Memo{std::move(utf8)}); }

    Kind kind() const { return kind_; }
    bool isNull() const { return kind() == Kind::Null; }

    // Typed access; throws std::bad_variant_access when the kind differs.
    bool asBool() const { return scalar<bool>(Kind::Bool); }
    std::uint8_t asByte() const { return scalar<std::uint8_t>(Kind::Byte); }
    std::int16_t asInt16() const { return scalar<std::int16_t>(Kind::Int16); }
    std::int32_t asInt32() const { return scalar<std::int32_t>(Kind::Int32); }
    jet::Currency asCurrency() const { return scalar<jet::Currency>(Kind::Currency); }
    float asFloat() const { return scalar<float>(Kind::Float); }
    double asDouble() const { return scalar<double>(Kind::Double); }
    jet::DateTime asDateTime() const { return scalar<jet::DateTime>(Kind::DateTime); }
    jet::Guid asGuid() const { return scalar<jet::Guid>(Kind::Guid); }
    jet::Decimal asDecimal() const { return scalar<jet::Decimal>(Kind::Decimal); }

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

    // Same kind and same value (floating-point kinds compare as numbers).
    bool operator==(const Value& other) const;

private:
    // The fixed-size kinds share one block of bytes, Text and Memo a string, Binary and OLE a
    // byte vector, and the kind is kept beside them. Three alternatives, not one per kind:
    // libstdc++ copies, moves and destroys a variant of up to 11 alternatives with a switch,
    // a larger one through tables of a small function per alternative and operation, which
    // cost the installer stub about 100 functions with their unwind tables.
    using Scalar = detail::ValueScalar;

    template <class T>
    Value(Kind kind, const T& v) : kind_(kind) {
        static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= sizeof(Scalar::bytes));
        std::memcpy(std::get<Scalar>(v_).bytes.data(), &v, sizeof v);
    }

    template <class T>
    T scalar(Kind kind) const {
        if (kind_ != kind) throw std::bad_variant_access();
        T v;
        std::memcpy(&v, std::get<Scalar>(v_).bytes.data(), sizeof v);
        return v;
    }

    Kind kind_ = Kind::Null;
    std::variant<Scalar, std::string, std::vector<std::uint8_t>> v_;
};

// A null value that lives as long as the program, for a column a row leaves out.
extern const Value kNullValue;

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
