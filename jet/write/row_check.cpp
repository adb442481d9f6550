// Row checks.
#include "jet/write/row_check.h"

#include "jet/write/data_page.h"
#include "jet/write/row_encoder.h"
#include "jet/write/row_refused.h"
#include "jet/write/text_encoding.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace jet::write {

namespace {
// Widens integer kinds to the column's width; other kinds pass as they are.
Value fitInteger(const Value& v, ColumnType type) {
    if (v.kind() != Value::Kind::Byte && v.kind() != Value::Kind::Int16 && v.kind() != Value::Kind::Int32)
        return v;
    const std::int64_t n = v.asInteger();
    if (type == ColumnType::Int32) return Value(static_cast<std::int32_t>(n));
    if (type == ColumnType::Int16 && n >= INT16_MIN && n <= INT16_MAX)
        return Value(static_cast<std::int16_t>(n));
    if (type == ColumnType::Byte && n >= 0 && n <= 255) return Value(static_cast<std::uint8_t>(n));
    return v;
}

bool kindSuits(Value::Kind kind, ColumnType type) {
    switch (type) {
    case ColumnType::Bool: return kind == Value::Kind::Bool;
    case ColumnType::Byte: return kind == Value::Kind::Byte;
    case ColumnType::Int16: return kind == Value::Kind::Int16;
    case ColumnType::Int32: return kind == Value::Kind::Int32;
    case ColumnType::Text: return kind == Value::Kind::Text || kind == Value::Kind::Memo;
    case ColumnType::Binary: return kind == Value::Kind::Binary;
    case ColumnType::DateTime: return kind == Value::Kind::DateTime;
    case ColumnType::Double: return kind == Value::Kind::Double;
    case ColumnType::Float: return kind == Value::Kind::Float;
    case ColumnType::Currency: return kind == Value::Kind::Currency;
    case ColumnType::Guid: return kind == Value::Kind::Guid;
    default: return false;  // long values are written as null only
    }
}

// A refusal naming the table and the row: by its primary key's values, or by its place.
RowRefusal refusalFor(const std::string& table, const TableDefinition& def, const std::vector<Value>& values) {
    RowRefusal r;
    r.table = table;
    r.rowNumber = std::size_t(def.rowCount) + 1;
    for (const LogicalIndex& li : def.logical) {
        if (li.type != 1 || li.physical >= def.physical.size()) continue;
        r.key.clear();
        for (const IndexColumn& ic : def.physical[li.physical].columns)
            if (const ColumnDefinition* c = def.columnByNumber(ic.columnNumber))
                r.key.emplace_back(c->name, ic.columnNumber < values.size() ? values[ic.columnNumber] : Value());
    }
    return r;
}

[[noreturn]] void refuse(RowRefusal&& r, RowFault fault, std::string_view column) {
    r.fault = fault;
    r.column = column;
    throw RowRefused(std::move(r));
}

// Refuses the row for column `c` (none for the row as a whole); `given` and `limit` for the
// faults that have them. One out-of-line builder for every refusal keeps the checks free of
// refusal objects and their clean-ups: an accepted row allocates nothing for them.
[[noreturn]] void refuseRow(const std::string& table, const TableDefinition& def, const std::vector<Value>& values,
                            RowFault fault, const ColumnDefinition* c, std::size_t given = 0, std::size_t limit = 0) {
    RowRefusal r = refusalFor(table, def, values);
    if (fault == RowFault::WrongKind) {
        r.columnType = c->type;
        r.givenKind = values[c->number].kind();
    }
    r.given = given;
    r.limit = limit;
    refuse(std::move(r), fault, c ? std::string_view(c->name) : std::string_view());
}

void checkColumns(const std::string& table, const TableDefinition& def, const std::vector<Value>& values) {
    for (const ColumnDefinition& c : def.columns) {
        const Value& v = values[c.number];
        if (v.isNull()) continue;
        if (!kindSuits(v.kind(), c.type)) refuseRow(table, def, values, RowFault::WrongKind, &c);
        if (c.type == ColumnType::Text) {
            const auto units = utf16Length(v.asString());
            if (!units) refuseRow(table, def, values, RowFault::NotUtf8, &c);
            if (*units > c.length / 2u) refuseRow(table, def, values, RowFault::TextTooLong, &c, *units, c.length / 2u);
        }
        if (c.type == ColumnType::Binary && v.asBytes().size() > c.length)
            refuseRow(table, def, values, RowFault::BinaryTooLong, &c);
    }
}

// Refuses the row by the physical index numbered `i`, naming its logical index and columns;
// `column` is the one concerned, or none for the index's columns joined.
[[noreturn]] void refuseKey(const std::string& table, const TableDefinition& def, const std::vector<Value>& values,
                            std::size_t i, RowFault fault, const ColumnDefinition* column = nullptr,
                            std::string_view detail = {}) {
    RowRefusal r = refusalFor(table, def, values);
    r.index = platform::concat({"nr ", platform::DecimalPiece(i)});
    for (const LogicalIndex& li : def.logical)
        if (li.physical == i) r.index = li.name;
    std::string columns;
    for (const IndexColumn& ic : def.physical[i].columns) {
        const ColumnDefinition* c = def.columnByNumber(ic.columnNumber);
        if (!c) continue;
        r.keyColumns.push_back(c->name);
        columns += (columns.empty() ? "" : ", ") + c->name;
    }
    r.detail = detail;
    refuse(std::move(r), fault, column ? std::string_view(column->name) : std::string_view(columns));
}

void checkKeys(const std::string& table, const TableDefinition& def,
               const std::vector<Value>& values, KeyTaken keyTaken) {
    IndexKey key;
    for (std::size_t i = 0; i < def.physical.size(); ++i) {
        const PhysicalIndex& index = def.physical[i];
        if (index.flags & kIndexRequired) {
            for (const IndexColumn& ic : index.columns) {
                const ColumnDefinition* c = def.columnByNumber(ic.columnNumber);
                if (c && values[ic.columnNumber].isNull()) refuseKey(table, def, values, i, RowFault::KeyMissing, c);
            }
        }
        if (!index.unique()) continue;
        try {
            encodeIndexKey(def, index, values, key);
        } catch (const std::invalid_argument& e) {
            refuseKey(table, def, values, i, RowFault::KeyNotStorable, nullptr, e.what());
        }
        if (keyTaken(i, key)) refuseKey(table, def, values, i, RowFault::KeyRepeated);
    }
}
}  // namespace

bool fitsAsGiven(const TableDefinition& def, const std::vector<Value>& given) {
    if (given.size() != def.maxColumns) return false;
    for (const ColumnDefinition& c : def.columns) {
        if (c.number >= given.size()) return false;
        const Value::Kind kind = given[c.number].kind();
        const bool integer = kind == Value::Kind::Byte || kind == Value::Kind::Int16 || kind == Value::Kind::Int32;
        if (integer && fitInteger(given[c.number], c.type).kind() != kind) return false;
    }
    return true;
}

std::vector<Value> valuesForTable(const std::string& table, const TableDefinition& def,
                                  const std::vector<Value>& given) {
    if (given.size() > def.maxColumns) {
        RowRefusal r;
        r.fault = RowFault::TooManyValues;
        r.table = table;
        r.given = given.size();
        r.limit = def.columns.size();
        throw RowRefused(std::move(r));
    }
    std::vector<Value> values(def.maxColumns);
    for (std::size_t i = 0; i < given.size(); ++i) values[i] = given[i];
    for (const ColumnDefinition& c : def.columns)
        if (c.number < values.size()) values[c.number] = fitInteger(values[c.number], c.type);
    return values;
}

std::vector<std::uint8_t> checkRow(const std::string& table, const TableDefinition& def,
                                   const std::vector<Value>& values, KeyTaken keyTaken) {
    checkColumns(table, def, values);
    checkKeys(table, def, values, keyTaken);
    auto bytes = encodeRow(def, values);
    if (bytes.size() > kMaxRowLength) refuseRow(table, def, values, RowFault::RowTooLong, nullptr, bytes.size(), kMaxRowLength);
    return bytes;
}

}  // namespace jet::write
