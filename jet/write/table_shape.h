// What a new user table is made of: named columns of the types the writer creates (long
// integer, yes/no, Unicode text of 1 to 255 characters) and an optional unique primary key
// over one long integer column. Text columns accept null and the empty text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "jet/column_type.h"

namespace jet::write {

struct ColumnShape {
    std::string name;
    ColumnType type = ColumnType::Text;
    std::uint16_t size = 0;  // characters, for text columns
};

struct PrimaryKeyShape {
    std::string name = "PrimaryKey";
    std::string column;
};

struct TableShape {
    std::string name;
    std::vector<ColumnShape> columns;
    std::optional<PrimaryKeyShape> primaryKey;
};

}  // namespace jet::write
