// Jet 4 column type codes (the first byte of a column descriptor), their names as readers
// print them, and the fixed sizes the format gives them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace jet {

enum class ColumnType : std::uint8_t {
    Bool = 0x01,      // yes/no, stored in the null mask
    Byte = 0x02,      // unsigned 8 bits
    Int16 = 0x03,     // Access "Integer"
    Int32 = 0x04,     // Access "Long Integer"
    Currency = 0x05,  // int64 in 1/10000
    Float = 0x06,     // Access "Single"
    Double = 0x07,
    DateTime = 0x08,  // double days since 1899-12-30
    Binary = 0x09,    // up to 255 bytes, variable
    Text = 0x0A,      // UTF-16LE or compressed, up to 255 characters
    Ole = 0x0B,       // long value, raw bytes
    Memo = 0x0C,      // long value, text
    Unknown0D = 0x0D, // read as binary
    Guid = 0x0F,      // replication id
    Decimal = 0x10,   // Access "Numeric": sign + 128-bit magnitude, precision and scale
    Unknown11 = 0x11, // 3992-byte fixed blob of MSysAccessObjects, read as binary
    Complex = 0x12,   // later engines only (attachment / multi-value key)
    BigInt = 0x13,    // later engines only
    ExtDate = 0x14,   // later engines only
};

// The type for a descriptor's code, or nothing for a code no engine uses.
std::optional<ColumnType> columnTypeFromCode(std::uint8_t code);

// Lower-case names: "boolean", "byte", "integer", "long", "currency", "float", "double",
// "datetime", "binary", "text", "ole", "memo", "repid", "numeric", "complex", "bigint", ...
std::string_view columnTypeName(ColumnType type);

// Bytes the value takes in a row's fixed area (0 for Bool and for variable types).
unsigned fixedSizeOf(ColumnType type);

// Memo and OLE: the row holds a 12-byte long-value reference.
constexpr bool isLongValue(ColumnType type) {
    return type == ColumnType::Memo || type == ColumnType::Ole;
}

// Types a Jet 4 file may contain (0x01..0x11 without 0x0E).
constexpr bool isJet4Type(ColumnType type) {
    auto code = static_cast<std::uint8_t>(type);
    return code >= 0x01 && code <= 0x11 && code != 0x0E;
}

}  // namespace jet
