// Cracking Jet 4 rows.
#include "jet/row_decoder.h"

#include "jet/jet_error.h"
#include "jet/long_value.h"
#include "jet/text_codec.h"

namespace jet {

RowDecoder::RowDecoder(PageFile& file, const TableDefinition& table) : file_(file), table_(table) {}

Value decodeFixedField(const Column& column, Bytes field) {
    switch (column.type) {
    case ColumnType::Byte: return Value(loadU8(field, 0));
    case ColumnType::Int16: return Value(loadI16(field, 0));
    case ColumnType::Int32: return Value(loadI32(field, 0));
    case ColumnType::Currency: return Value(Currency{loadI64(field, 0)});
    case ColumnType::Float: return Value(loadF32(field, 0));
    case ColumnType::Double: return Value(loadF64(field, 0));
    case ColumnType::DateTime: return Value(DateTime{loadF64(field, 0)});
    case ColumnType::Guid: {
        Guid guid;
        Bytes bytes = loadBytes(field, 0, 16);
        std::copy(bytes.begin(), bytes.end(), guid.bytes.begin());
        return Value(guid);
    }
    case ColumnType::Decimal: {
        Decimal d;
        d.negative = (loadU8(field, 0) & 0x80) != 0;
        // Four little-endian words, the most significant first.
        d.high = (std::uint64_t(loadU32(field, 1)) << 32) | loadU32(field, 5);
        d.low = (std::uint64_t(loadU32(field, 9)) << 32) | loadU32(field, 13);
        d.precision = column.precision;
        d.scale = column.scale;
        return Value(d);
    }
    default: {
        Binary binary;
        binary.bytes.assign(field.begin(), field.end());
        return Value(std::move(binary));
    }
    }
}

void RowDecoder::decodeField(const Column& column, Bytes field, std::uint32_t page, Value& value) {
    switch (column.type) {
    case ColumnType::Text:
        // Decoded into the value's own string, whose memory the previous row left there.
        decodeJetText(field, value.resetText());
        return;
    case ColumnType::Memo:
        readLongValue(file_, field, page, scratch_);
        decodeJetText(scratch_, value.resetMemo());
        return;
    case ColumnType::Ole:
        readLongValue(file_, field, page, scratch_);
        value = Value(Ole{scratch_});
        return;
    case ColumnType::Binary:
    case ColumnType::Unknown0D:
    case ColumnType::Unknown11:
    case ColumnType::Complex:
    case ColumnType::BigInt:
    case ColumnType::ExtDate:
    case ColumnType::Bool:
        value = Value(Binary{std::vector<std::uint8_t>(field.begin(), field.end())});
        return;
    default:
        if (field.size() < fixedSizeOf(column.type))
            file_.fail(page, "column " + column.name + " holds " + std::to_string(field.size()) +
                                 " bytes, fewer than its type needs");
        value = decodeFixedField(column, field);
        return;
    }
}

void RowDecoder::decode(Bytes row, std::uint32_t page, unsigned rowNumber,
                        std::vector<Value>& values) {
    values.resize(table_.columns.size());
    try {
        std::uint16_t storedColumns = loadU16(row, 0);
        std::size_t maskSize = (std::size_t(storedColumns) + 7) / 8;
        if (maskSize + 2 > row.size()) throw TruncatedData("null mask does not fit in the row");
        Bytes mask = row.subspan(row.size() - maskSize);
        auto present = [&](std::uint16_t number) {
            return number < storedColumns && (mask[number / 8] & (1u << (number % 8)));
        };

        // Variable-offset table, read backwards from before the null mask.
        std::size_t varCount = 0;
        std::size_t trailerStart = row.size() - maskSize;
        if (table_.variableColumns > 0) {
            varCount = loadU16(row, trailerStart - 2);
            std::size_t tableBytes = 2 * (varCount + 1);
            if (trailerStart < 2 + 2 + tableBytes)
                throw TruncatedData("variable-offset table does not fit in the row");
        }
        auto varOffset = [&](std::size_t j) { return loadU16(row, trailerStart - 4 - 2 * j); };
        std::size_t varAreaEnd = table_.variableColumns > 0 ? trailerStart - 4 - 2 * varCount
                                                            : trailerStart;

        for (std::size_t i = 0; i < table_.columns.size(); ++i) {
            const Column& column = table_.columns[i];
            if (column.type == ColumnType::Bool) {
                values[i] = Value(present(column.number));
                continue;
            }
            if (!present(column.number)) {
                values[i] = Value();
                continue;
            }
            Bytes field;
            if (column.isFixed()) {
                unsigned size = fixedSizeOf(column.type);
                if (size == 0 || column.type == ColumnType::Text || column.type == ColumnType::Binary)
                    size = column.length;
                std::size_t start = 2 + std::size_t(column.fixedOffset);
                if (start + size > varAreaEnd)
                    throw TruncatedData("fixed column " + column.name + " lies past the fixed area");
                field = row.subspan(start, size);
            } else {
                if (column.varIndex >= varCount) {
                    values[i] = Value();
                    continue;
                }
                std::size_t start = varOffset(column.varIndex);
                std::size_t end = varOffset(column.varIndex + 1u);  // the last one reads eod
                if (start > end || end > varAreaEnd)
                    throw TruncatedData("variable column " + column.name + " has bounds " +
                                        std::to_string(start) + ".." + std::to_string(end));
                field = row.subspan(start, end - start);
            }
            decodeField(column, field, page, values[i]);
        }
    } catch (const TruncatedData& error) {
        file_.fail(page, "damaged row " + std::to_string(rowNumber) + ": " + error.what());
    }
}

}  // namespace jet
