// The error createTable throws for a table shape the writer cannot make. It names the fault
// and the table or column concerned for the layer above to word; what() is a short English
// note. The file is left as it was.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace jet::write {

enum class TableFault {
    BadName,           // empty or longer than 64 characters
    NameNotSortable,   // letters the catalog's name index cannot sort (A-Z, digits, space, _ .)
    NameTaken,         // a table of that name (or a system name) exists
    ColumnCount,       // not 1 to 255 columns
    BadColumnName,     // column number `columnNumber` (1-based): empty, too long or not UTF-8
    RepeatedColumn,    // `column` appears twice
    TextSize,          // text `column` not of 1 to 255 characters
    UnsupportedType,   // `column` of a type the writer does not make
    KeyColumn,         // the primary key is not over a long integer column of the table
    KeyName,           // the primary key has no (or too long a) name
    RowTooLong,        // even an empty row would not fit a page
    TooManyMaps,       // the indexes and long-value columns' maps do not fit one page
};

class TableRefused : public std::invalid_argument {
public:
    TableRefused(TableFault fault, std::string_view table, std::string_view column = {}, std::size_t columnNumber = 0);
    TableFault fault() const { return fault_; }
    const std::string& table() const { return table_; }
    const std::string& column() const { return column_; }
    std::size_t columnNumber() const { return columnNumber_; }

private:
    TableFault fault_;
    std::string table_;
    std::string column_;
    std::size_t columnNumber_;
};

}  // namespace jet::write
