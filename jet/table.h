// A table of an open database: its definition, and a cursor that walks its rows in table
// order (data pages in page order as the table's usage map lists them, rows in slot order,
// moved rows read where they now live, deleted rows skipped). The cursor holds one row's
// values and a few cached pages, so scanning takes the same memory for any table size.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/data_page.h"
#include "jet/row_decoder.h"
#include "jet/table_definition.h"
#include "jet/usage_map.h"
#include "jet/value.h"

namespace jet {

class Table;

class RowCursor {
public:
    // A cursor before the first row of `table`, as Table::rows() gives. Where a cursor is kept
    // (std::optional), it is made in place with this: moving one costs the cursor's whole
    // move code.
    explicit RowCursor(const Table& table);

    // Moves to the next row; false after the last. Throws JetError on a damaged page or row.
    bool next();
    // Moves to the row a bookmark names; next() goes on after it. Throws JetError when the
    // bookmark names no row of this table.
    void seek(RowPointer bookmark);
    // Where the scan found the current row (a moved row's header), for seek().
    RowPointer bookmark() const { return bookmark_; }

    // The current row's values, one per column of Table::columns(). A column is decoded when
    // it is first read, so a reader of a few columns does not pay for the rest; a damaged
    // field throws JetError when it is read.
    const std::vector<Value>& values() const;
    const Value& operator[](std::size_t column) const;
    // The value of the column named `name` (case-insensitive); throws JetError if none.
    const Value& field(std::string_view name) const;
    // Where the current row's bytes are (the moved-to place for a moved row).
    RowPointer position() const { return position_; }

private:
    bool readSlot(std::uint32_t page, unsigned row);

    PageFile* file_;
    std::shared_ptr<const TableDefinition> table_;
    std::string name_;
    UsageMap owned_;
    mutable RowDecoder decoder_;
    mutable std::vector<Value> values_;
    mutable std::vector<std::uint8_t> decoded_;  // per column: values_ holds this row's value
    PageRef page_;
    PageRef rowPage_;  // keeps the current row's bytes alive for the decoder
    std::uint32_t pageNumber_ = 0;
    unsigned nextRow_ = 0;
    unsigned rowsOnPage_ = 0;
    bool finished_ = false;
    RowPointer position_;
    RowPointer bookmark_;
};

class Table {
public:
    Table(PageFile& file, std::string name, std::shared_ptr<const TableDefinition> definition)
        : file_(&file), name_(std::move(name)), definition_(std::move(definition)) {}

    const std::string& name() const { return name_; }
    const TableDefinition& definition() const { return *definition_; }
    const std::vector<Column>& columns() const { return definition_->columns; }
    const std::vector<Index>& indexes() const { return definition_->indexes; }
    // The physical index behind a logical one.
    const PhysicalIndex& physicalIndex(const Index& index) const {
        return definition_->physicalIndexes.at(index.physicalIndex);
    }
    // Position of the column named `name` in columns(), if any (case-insensitive).
    std::optional<std::size_t> columnIndex(std::string_view name) const;

    // A cursor before the first row.
    RowCursor rows() const { return RowCursor(*this); }

private:
    friend class RowCursor;
    PageFile* file_;
    std::string name_;
    std::shared_ptr<const TableDefinition> definition_;
};

}  // namespace jet
