// Reads back the values of a stored row, for the few catalog lookups the writer makes in a
// file it opens (which tables exist, their owner and permission values). Long values
// (memo, OLE) come back null: the catalog columns the writer reads never are long values.
#pragma once

#include <vector>

#include "jet/value.h"
#include "jet/write/table_definition.h"

namespace jet::write {

// Values indexed by column number; throws TruncatedData for a damaged row.
std::vector<Value> decodeRow(const TableDefinition& table, Bytes row);

// The text of a stored text value (compressed or UTF-16LE), as UTF-8.
std::string decodeTextValue(Bytes stored);

}  // namespace jet::write
