// The error an append throws when a row does not suit its table: a repeated primary key, a
// text longer than its column, a value of another type. It carries what the refusal is
// about (table, column, the row's key, the limit) for the layer above to word; what() is a
// short English note for logs. Nothing of the row was written.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "jet/column_type.h"
#include "jet/value.h"

namespace jet::write {

enum class RowFault {
    TooManyValues,   // `given` values for a table of `limit` columns
    WrongKind,       // `given kind` for a column of `columnType`
    NotUtf8,         // a text that is not well-formed UTF-8
    TextTooLong,     // `given` characters (UTF-16 units) where `limit` fit
    BinaryTooLong,   // more bytes than the column holds
    KeyMissing,      // index `index` requires a value in `column`
    KeyNotStorable,  // the key cannot be put in the index (`detail` says why)
    KeyRepeated,     // unique index `index` has a row with these values in `column`
    RowTooLong,      // the row's bytes exceed `limit`, what a page holds
};

struct RowRefusal {
    RowFault fault = RowFault::WrongKind;
    std::string table;
    std::string column;                 // key faults over several columns: "a, b"
    std::vector<std::string> keyColumns;  // key faults: the index's columns
    // The row as its messages name it: the primary key's column names and values, or,
    // without a primary key, the row's place (`rowNumber`, 1-based).
    std::vector<std::pair<std::string, Value>> key;
    std::size_t rowNumber = 0;
    std::string index;                  // key faults: the logical index's name
    ColumnType columnType = ColumnType::Text;
    Value::Kind givenKind = Value::Kind::Null;
    std::size_t given = 0;
    std::size_t limit = 0;
    std::string detail;                 // KeyNotStorable: the encoder's reason
};

class RowRefused : public std::runtime_error {
public:
    explicit RowRefused(RowRefusal refusal);
    const RowRefusal& refusal() const { return refusal_; }
    RowFault fault() const { return refusal_.fault; }
    const std::string& table() const { return refusal_.table; }
    const std::string& column() const { return refusal_.column; }

private:
    RowRefusal refusal_;
};

}  // namespace jet::write
