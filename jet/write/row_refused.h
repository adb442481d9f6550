// The error an append throws when a row does not suit its table: a repeated primary key, a
// text longer than its column, a value of another type. The message is a Polish sentence
// naming the table, the column and the row's key; nothing of the row was written.
#pragma once

#include <stdexcept>
#include <string>

namespace jet::write {

class RowRefused : public std::runtime_error {
public:
    RowRefused(std::string table, std::string column, const std::string& message)
        : std::runtime_error(message), table_(std::move(table)), column_(std::move(column)) {}
    const std::string& table() const { return table_; }
    const std::string& column() const { return column_; }

private:
    std::string table_;
    std::string column_;
};

}  // namespace jet::write
