// Cracking Jet 4 rows.
#include "jet/row_decoder.h"

#include "jet/jet_error.h"
#include "jet/long_value.h"
#include "jet/text_codec.h"
#include "platform/decimal_piece.h"

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
            file_.fail(page, {"column ", column.name, " holds ", platform::DecimalPiece(field.size()), " bytes, fewer than its type needs"});
        value = decodeFixedField(column, field);
        return;
    }
}

void RowDecoder::start(Bytes row, std::uint32_t page, unsigned rowNumber) {
    row_ = Row{};
    row_.bytes = row;
    row_.page = page;
    row_.number = rowNumber;
    try {
        row_.storedColumns = loadU16(row, 0);
        std::size_t maskSize = (std::size_t(row_.storedColumns) + 7) / 8;
        if (maskSize + 2 > row.size()) throwTruncated({"null mask does not fit in the row"});
        row_.mask = row.subspan(row.size() - maskSize);

        // Variable-offset table, read backwards from before the null mask.
        row_.trailerStart = row.size() - maskSize;
        if (table_.variableColumns > 0) {
            row_.varCount = loadU16(row, row_.trailerStart - 2);
            std::size_t tableBytes = 2 * (row_.varCount + 1);
            if (row_.trailerStart < 2 + 2 + tableBytes)
                throwTruncated({"variable-offset table does not fit in the row"});
        }
        row_.varAreaEnd = table_.variableColumns > 0 ? row_.trailerStart - 4 - 2 * row_.varCount
                                                     : row_.trailerStart;
    } catch (const TruncatedData& error) {
        damaged(error);
    }
}

void RowDecoder::damaged(const TruncatedData& error) const {
    file_.fail(row_.page, {"damaged row ", platform::DecimalPiece(row_.number), ": ", error.what()});
}

bool RowDecoder::Row::present(std::uint16_t columnNumber) const {
    return columnNumber < storedColumns && (mask[columnNumber / 8] & (1u << (columnNumber % 8)));
}

void RowDecoder::decodeColumn(std::size_t i, Value& value) {
    const Column& column = table_.columns[i];
    try {
        if (column.type == ColumnType::Bool) {
            value = Value(row_.present(column.number));
            return;
        }
        if (!row_.present(column.number)) {
            value = Value();
            return;
        }
        Bytes field;
        if (column.isFixed()) {
            unsigned size = fixedSizeOf(column.type);
            if (size == 0 || column.type == ColumnType::Text || column.type == ColumnType::Binary)
                size = column.length;
            std::size_t start = 2 + std::size_t(column.fixedOffset);
            if (start + size > row_.varAreaEnd)
                throwTruncated({"fixed column ", column.name, " lies past the fixed area"});
            field = row_.bytes.subspan(start, size);
        } else {
            if (column.varIndex >= row_.varCount) {
                value = Value();
                return;
            }
            auto varOffset = [&](std::size_t j) { return loadU16(row_.bytes, row_.trailerStart - 4 - 2 * j); };
            std::size_t start = varOffset(column.varIndex);
            std::size_t end = varOffset(column.varIndex + 1u);  // the last one reads eod
            if (start > end || end > row_.varAreaEnd)
                throwTruncated({"variable column ", column.name, " has bounds ", platform::DecimalPiece(start), "..", platform::DecimalPiece(end)});
            field = row_.bytes.subspan(start, end - start);
        }
        decodeField(column, field, row_.page, value);
    } catch (const TruncatedData& error) {
        damaged(error);
    }
}

}  // namespace jet
