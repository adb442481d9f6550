// A table object of the merge (the ADO table): set its connection, read-only flag, open
// text and table name, activate it, walk it with first / end-of-table / next, read fields by
// name, and add records with insert, field writes and post. A read-only table refuses
// changes. A post is visible to the next walk of any table object on the same connection.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/database.h"
#include "jet/value.h"

namespace catalog {

class Connection;
class Table;

// A column of the current record (or of the record being inserted).
class Field {
public:
    // The value's text; null gives the empty text.
    std::string asString() const;
    jet::Value value() const;
    // The same, without a copy; valid until the table moves or the value is set.
    const jet::Value& valueRef() const;
    // Only while inserting; throws CatalogError otherwise.
    void setValue(const jet::Value& value);
    void setValue(jet::Value&& value);

private:
    friend class Table;
    Field(Table& table, std::size_t column) : table_(&table), column_(column) {}
    Table* table_;
    std::size_t column_;
};

class Table {
public:
    void setConnection(Connection* connection) { connection_ = connection; }
    void setReadOnly(bool on) { readOnly_ = on; }
    bool readOnly() const { return readOnly_; }
    void setConnectionString(const std::string& text) { connectionString_ = text; }
    void setTableName(const std::string& name) { tableName_ = name; }
    const std::string& tableName() const { return tableName_; }

    // Activate: throws CatalogError when the connection is not open or the table is missing.
    void open();
    // Deactivate; a record being inserted is dropped.
    void close();
    bool active() const { return table_.has_value(); }

    void first();
    bool eof() const { return eof_; }
    void next();

    // The current record's place, to come back to it with gotoBookmark() while the table
    // stays open and unchanged; a walk then goes on after it.
    using Bookmark = jet::RowPointer;
    Bookmark bookmark() const;
    void gotoBookmark(Bookmark bookmark);

    // Throws CatalogError naming the table when it has no such column (names compare
    // without ASCII case, as the engine's do).
    Field fieldByName(const std::string& name);

    void insert();
    // Writes the record; throws CatalogError with the engine's reason when it is refused.
    void post();

private:
    friend class Field;
    void requireActive() const;
    void requireCurrentRecord() const;
    const jet::Value& current(std::size_t column) const;

    Connection* connection_ = nullptr;
    bool readOnly_ = false;
    std::string connectionString_;
    std::string tableName_;

    std::shared_ptr<jet::Database> database_;
    std::optional<jet::Table> table_;
    std::optional<jet::RowCursor> cursor_;
    bool eof_ = true;
    bool positioned_ = false;
    bool inserting_ = false;
    std::vector<jet::Value> buffer_;  // by position in the table's columns
};

}  // namespace catalog
