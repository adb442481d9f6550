// `pakiet catalog schema` as text: a table's columns and indexes in Polish, types named as a
// Polish Access shows them ("tekst(50)", "liczba całkowita długa", "tak/nie"). Table, column
// and index names stay as the file has them; the jsonl form (jet/schema_text.h) is for
// programs and stays in the engine's words.
#pragma once

#include <string>

#include "jet/table.h"

namespace cli {

// The column type's Polish name, with the length of a text column in characters and the
// precision and scale of a decimal one.
std::string polishTypeName(const jet::Column& column);

// Appends the table's listing: a heading line, one line per column, one per index.
void appendSchemaListing(const jet::Table& table, std::string& out);

}  // namespace cli
