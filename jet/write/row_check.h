// The checks a row passes before anything of it is written: one value per column at most,
// each of its column's type and size, text in well-formed UTF-8, required keys present,
// unique keys not taken, and the row's bytes within a page. They throw RowRefused.
#pragma once

#include <string>
#include <vector>

#include "jet/value.h"
#include "jet/write/index_key.h"
#include "jet/write/table_definition.h"
#include "platform/function_ref.h"

namespace jet::write {

// The values given for a row of `table`, indexed by column number: padded with nulls to
// the table's column count and integers widened to their column's width. Throws RowRefused
// when more values are given than the table has columns.
std::vector<Value> valuesForTable(const std::string& table, const TableDefinition& definition,
                                  const std::vector<Value>& given);

// True when `given` can be checked and written as it is: one value per column, integers of
// their column's width. valuesForTable() makes any other row so.
bool fitsAsGiven(const TableDefinition& definition, const std::vector<Value>& given);

// Says whether the unique physical index numbered `index` holds `key` already.
using KeyTaken = platform::FunctionRef<bool(std::size_t index, const IndexKey& key)>;

// Checks `values` (from valuesForTable) and returns the row's bytes.
std::vector<std::uint8_t> checkRow(const std::string& table, const TableDefinition& definition,
                                   const std::vector<Value>& values, KeyTaken keyTaken);

}  // namespace jet::write
