// Index key encoding.
#include "jet/write/index_key.h"

#include <stdexcept>

#include "jet/jet_error.h"

namespace jet::write {

namespace {
// "General" sort codes of the characters table and object names use.
int generalCode(char c, std::vector<std::uint8_t>& out) {
    static const std::uint8_t letters[26] = {0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59,
                                             0x5B, 0x5C, 0x5E, 0x60, 0x62, 0x64, 0x66, 0x68, 0x69,
                                             0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') {
        out.push_back(letters[c - 'A']);
    } else if (c >= '0' && c <= '9') {
        out.push_back(static_cast<std::uint8_t>(0x36 + 2 * (c - '0')));
    } else if (c == ' ') {
        out.push_back(0x07);
    } else if (c == '_') {
        out.push_back(0x2B);
        out.push_back(0x03);
    } else if (c == '.') {
        out.push_back(0x1C);
    } else {
        return -1;
    }
    return 0;
}

void appendInteger(IndexKey& key, std::uint64_t value, int bytes, bool ascending) {
    for (int i = bytes - 1; i >= 0; --i) {
        std::uint8_t b = static_cast<std::uint8_t>(value >> (8 * i));
        if (i == bytes - 1) b ^= 0x80;
        key.push_back(ascending ? b : static_cast<std::uint8_t>(~b));
    }
}
}  // namespace

std::optional<std::vector<std::uint8_t>> generalTextKey(const std::string& utf8) {
    std::string text = utf8;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    std::vector<std::uint8_t> out;
    for (char c : text)
        if (generalCode(c, out) < 0) return std::nullopt;
    out.push_back(0x01);
    out.push_back(0x00);
    return out;
}

IndexKey encodeIndexKey(const TableDefinition& table, const PhysicalIndex& index,
                        const std::vector<Value>& values) {
    IndexKey key;
    encodeIndexKey(table, index, values, key);
    return key;
}

void encodeIndexKey(const TableDefinition& table, const PhysicalIndex& index,
                    const std::vector<Value>& values, IndexKey& key) {
    key.clear();
    for (const IndexColumn& ic : index.columns) {
        const ColumnDefinition* column = table.columnByNumber(ic.columnNumber);
        if (!column) throwInvalidArgument({"the index names a column the table lacks"});
        const Value& v = ic.columnNumber < values.size() ? values[ic.columnNumber] : kNullValue;
        if (v.isNull() && column->type != ColumnType::Bool) {
            key.push_back(ic.ascending ? 0x00 : 0xFF);
            continue;
        }
        key.push_back(ic.ascending ? 0x7F : 0x80);
        switch (column->type) {
        case ColumnType::Int32:
            appendInteger(key, static_cast<std::uint32_t>(v.asInt32()), 4, ic.ascending);
            break;
        case ColumnType::Int16:
            appendInteger(key, static_cast<std::uint16_t>(v.asInt16()), 2, ic.ascending);
            break;
        case ColumnType::Bool: {
            const bool on = !v.isNull() && v.asBool();
            const std::uint8_t b = on ? 0x00 : 0xFF;
            key.push_back(ic.ascending ? b : static_cast<std::uint8_t>(~b));
            break;
        }
        case ColumnType::Text: {
            auto codes = generalTextKey(v.asString());
            if (!codes)
                throwInvalidArgument({"the text \"", v.asString(), "\" of column ", column->name,
                                      " has letters the index cannot sort"});
            for (auto b : *codes) key.push_back(ic.ascending ? b : static_cast<std::uint8_t>(~b));
            break;
        }
        default:
            throwInvalidArgument({"an index over column ", column->name, " of type ", columnTypeName(column->type),
                                  " cannot be written"});
        }
    }
}

}  // namespace jet::write
