// The Polish sentences for the Jet writer's refusals, as a publisher reads them: a table
// shape the writer cannot make, and a row that does not suit its table (naming the table,
// the column, the row's key and the limit).
#pragma once

#include <string>

#include "jet/write/row_refused.h"
#include "jet/write/table_refused.h"

namespace catalog {

std::string tableRefusedText(const jet::write::TableRefused& refusal);
std::string rowRefusedText(const jet::write::RowRefused& refusal);

}  // namespace catalog
