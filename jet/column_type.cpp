// Names and sizes of the Jet column types.
#include "jet/column_type.h"

namespace jet {

std::optional<ColumnType> columnTypeFromCode(std::uint8_t code) {
    if (code == 0 || code == 0x0E || code > 0x14) return std::nullopt;
    return static_cast<ColumnType>(code);
}

std::string_view columnTypeName(ColumnType type) {
    switch (type) {
    case ColumnType::Bool: return "boolean";
    case ColumnType::Byte: return "byte";
    case ColumnType::Int16: return "integer";
    case ColumnType::Int32: return "long";
    case ColumnType::Currency: return "currency";
    case ColumnType::Float: return "float";
    case ColumnType::Double: return "double";
    case ColumnType::DateTime: return "datetime";
    case ColumnType::Binary: return "binary";
    case ColumnType::Text: return "text";
    case ColumnType::Ole: return "ole";
    case ColumnType::Memo: return "memo";
    case ColumnType::Unknown0D: return "unknown_0d";
    case ColumnType::Guid: return "repid";
    case ColumnType::Decimal: return "numeric";
    case ColumnType::Unknown11: return "unknown_11";
    case ColumnType::Complex: return "complex";
    case ColumnType::BigInt: return "bigint";
    case ColumnType::ExtDate: return "datetimeextended";
    }
    return "unknown";
}

unsigned fixedSizeOf(ColumnType type) {
    switch (type) {
    case ColumnType::Byte: return 1;
    case ColumnType::Int16: return 2;
    case ColumnType::Int32: return 4;
    case ColumnType::Float: return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::BigInt: return 8;
    case ColumnType::Guid: return 16;
    case ColumnType::Decimal: return 17;
    case ColumnType::Unknown11: return 3992;
    case ColumnType::Complex: return 4;
    case ColumnType::ExtDate: return 42;
    default: return 0;
    }
}

}  // namespace jet
