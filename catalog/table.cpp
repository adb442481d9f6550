// Table objects over the connection's reader and writer.
#include "catalog/table.h"

#include <algorithm>
#include <cstdint>

#include "catalog/catalog_error.h"
#include "catalog/jet_error_text.h"
#include "catalog/connection.h"
#include "catalog/field_value.h"
#include "catalog/number_key.h"
#include "catalog/write_refusal_text.h"
#include "jet/jet_error.h"
#include "jet/write/row_refused.h"

namespace catalog {

std::string Field::asString() const { return valueAsText(value()); }

jet::Value Field::value() const { return table_->current(column_); }

const jet::Value& Field::valueRef() const { return table_->current(column_); }

void Field::setValue(const jet::Value& value) { setValue(jet::Value(value)); }

void Field::setValue(jet::Value&& value) {
    if (!table_->inserting_)
        failCatalog({"Tabela `", table_->tableName_, "`: wartość można zapisać tylko w nowym rekordzie."});
    table_->buffer_.at(column_) = std::move(value);
}

namespace {
// A number of another kind written to a Long or Integer column, as a field assignment converts
// it: catalogs of other engines number their items in Decimal, Double or Currency columns. Only
// an integer in the column's range is converted; anything else goes to the engine unchanged,
// which refuses it rather than let a different number be written.
jet::Value fitToColumn(jet::Value value, jet::ColumnType type) {
    if (type != jet::ColumnType::Int32 && type != jet::ColumnType::Int16) return value;
    const auto kind = value.kind();
    if (kind == jet::Value::Kind::Int32 || kind == jet::Value::Kind::Int16 || kind == jet::Value::Kind::Byte) return value;
    const auto n = integerValue(value);
    if (!n) return value;
    if (type == jet::ColumnType::Int32 && *n >= INT32_MIN && *n <= INT32_MAX) return jet::Value(static_cast<std::int32_t>(*n));
    if (type == jet::ColumnType::Int16 && *n >= INT16_MIN && *n <= INT16_MAX) return jet::Value(static_cast<std::int16_t>(*n));
    return value;
}
}  // namespace

void Table::requireActive() const {
    if (!table_) failCatalog({"Tabela `", tableName_, "` nie jest otwarta."});
}

void Table::requireCurrentRecord() const {
    if (eof_ || !cursor_)
        failCatalog({"Tabela `", tableName_, "`: brak bieżącego rekordu (koniec tabeli)."});
}

void Table::open() {
    if (table_) return;
    if (!connection_ || !connection_->connected())
        failCatalog({"Tabela `", tableName_, "`: połączenie z bazą danych nie jest otwarte."});
    auto database = connection_->reader();
    if (!database->findTable(tableName_))
        failCatalog({"Brak tabeli `", tableName_, "` w bazie danych ", connection_->path(), "."});
    try {
        table_.emplace(database->table(tableName_));
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
    database_ = database;
    first();
}

void Table::close() {
    cursor_.reset();
    table_.reset();
    database_.reset();
    inserting_ = false;
    positioned_ = false;
    eof_ = true;
}

void Table::first() {
    requireActive();
    inserting_ = false;
    // A fresh reader when the connection has changed since this table last looked.
    auto database = connection_->reader();
    if (database != database_) {
        database_ = database;
        table_.emplace(database_->table(tableName_));
    }
    try {
        cursor_.emplace(*table_);
        eof_ = !cursor_->next();
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
    positioned_ = true;
}

void Table::next() {
    requireActive();
    if (eof_) return;
    try {
        eof_ = !cursor_->next();
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
}

Field Table::fieldByName(const std::string& name) {
    requireActive();
    const auto column = table_->columnIndex(name);
    if (!column) failCatalog({"Brak kolumny `", name, "` w tabeli `", tableName_, "`."});
    return Field(*this, *column);
}

const jet::Value& Table::current(std::size_t column) const {
    requireActive();
    if (inserting_) return buffer_.at(column);
    requireCurrentRecord();
    try {
        return (*cursor_)[column];  // decoded here, on its first read
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
}

Table::Bookmark Table::bookmark() const {
    requireActive();
    requireCurrentRecord();
    return cursor_->bookmark();
}

void Table::gotoBookmark(Bookmark bookmark) {
    requireActive();
    inserting_ = false;
    try {
        if (!cursor_) cursor_.emplace(*table_);
        cursor_->seek(bookmark);
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
    eof_ = false;
    positioned_ = true;
}

void Table::insert() {
    requireActive();
    if (readOnly_) failCatalog({"Tabela `", tableName_, "` jest otwarta tylko do odczytu."});
    buffer_.assign(table_->columns().size(), jet::Value());
    inserting_ = true;
}

void Table::post() {
    requireActive();
    if (!inserting_) return;
    const auto& columns = table_->columns();
    std::size_t width = 0;
    for (const auto& column : columns) width = std::max<std::size_t>(width, column.number + 1u);
    // By column number; numbers no column has (left by deleted columns) stay null. The insert
    // buffer is dead once posted (the next insert clears it): its values move.
    std::vector<jet::Value> row(width);
    for (std::size_t i = 0; i < columns.size(); ++i) row[columns[i].number] = fitToColumn(std::move(buffer_[i]), columns[i].type);
    inserting_ = false;
    try {
        connection_->writer().appendRow(tableName_, row);
    } catch (const jet::write::RowRefused& e) {
        failCatalog({rowRefusedText(e)});
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
}

}  // namespace catalog
