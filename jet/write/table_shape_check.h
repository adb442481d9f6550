// From a table shape to the definition of a new user table: checks the shape (names, column
// count, types and sizes, the primary key) and lays out the columns (fixed offsets, variable
// slots) and the key's index. Throws TableRefused for a shape the writer cannot make.
#pragma once

#include <string>

#include "jet/write/table_definition.h"
#include "jet/write/table_shape.h"
#include "platform/function_ref.h"

namespace jet::write {

// `nameTaken` says whether a table of that name exists already.
TableDefinition definitionForShape(const TableShape& shape,
                                   platform::FunctionRef<bool(const std::string&)> nameTaken);

}  // namespace jet::write
