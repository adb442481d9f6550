// Row decoding for catalog lookups.
#include "jet/write/row_decoder.h"

#include "jet/write/text_encoding.h"

namespace jet::write {

std::string decodeTextValue(Bytes stored) {
    std::u16string text;
    if (stored.size() >= 2 && stored[0] == 0xFF && stored[1] == 0xFE) {
        bool narrow = true;
        for (std::size_t i = 2; i < stored.size();) {
            if (stored[i] == 0) {
                narrow = !narrow;
                ++i;
            } else if (narrow) {
                text.push_back(stored[i++]);
            } else if (i + 1 < stored.size()) {
                text.push_back(static_cast<char16_t>(stored[i] | (stored[i + 1] << 8)));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (std::size_t i = 0; i + 1 < stored.size(); i += 2)
            text.push_back(static_cast<char16_t>(stored[i] | (stored[i + 1] << 8)));
    }
    return utf16ToUtf8(text);
}

std::vector<Value> decodeRow(const TableDefinition& table, Bytes row) {
    std::uint16_t maxNumber = 0;
    for (const auto& c : table.columns) maxNumber = std::max<std::uint16_t>(maxNumber, c.number + 1);
    std::vector<Value> values(std::max<std::size_t>(maxNumber, table.maxColumns));
    const std::size_t columns = loadU16(row, 0);
    const std::size_t maskBytes = (columns + 7) / 8;
    if (row.size() < 2 + maskBytes) throw TruncatedData("row shorter than its null mask");
    const std::size_t maskAt = row.size() - maskBytes;
    auto present = [&](std::uint16_t number) {
        return number < columns && (row[maskAt + number / 8] & (1u << (number % 8)));
    };
    std::size_t slots = 0;
    std::size_t trailer = maskAt;
    if (table.varColumns > 0) {
        slots = loadU16(row, maskAt - 2);
        trailer = maskAt - 2 - 2 * slots - 2;
    }
    for (const auto& c : table.columns) {
        if (c.type == ColumnType::Bool) {
            values[c.number] = Value(present(c.number));
            continue;
        }
        if (!present(c.number)) continue;
        if (c.fixed()) {
            const std::size_t at = 2 + c.fixedOffset;
            switch (c.type) {
            case ColumnType::Byte: values[c.number] = Value(loadU8(row, at)); break;
            case ColumnType::Int16: values[c.number] = Value(loadI16(row, at)); break;
            case ColumnType::Int32: values[c.number] = Value(loadI32(row, at)); break;
            case ColumnType::DateTime: values[c.number] = Value(DateTime{loadF64(row, at)}); break;
            case ColumnType::Double: values[c.number] = Value(loadF64(row, at)); break;
            default: break;
            }
            continue;
        }
        if (c.varIndex >= slots) continue;
        // Offsets are stored last slot first, right after the end-of-data word.
        const std::size_t begin = loadU16(row, trailer + 2 + 2 * (slots - 1 - c.varIndex));
        const std::size_t end = std::size_t(c.varIndex) + 1 < slots
                                    ? loadU16(row, trailer + 2 + 2 * (slots - 2 - c.varIndex))
                                    : loadU16(row, trailer);
        if (begin > end || end > row.size()) throw TruncatedData("variable column out of its row");
        Bytes stored = row.subspan(begin, end - begin);
        if (c.type == ColumnType::Text)
            values[c.number] = Value::text(decodeTextValue(stored));
        else if (c.type == ColumnType::Binary)
            values[c.number] = Value(Binary{std::vector<std::uint8_t>(stored.begin(), stored.end())});
    }
    return values;
}

}  // namespace jet::write
