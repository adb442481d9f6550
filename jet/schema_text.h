// A table's columns as one JSON object, the spelling `pakiet catalog schema --format jsonl`
// prints: {"table","rowCount","columns":[{name,type,size,fixedLength,nullable,autoLong,
// autoUUID[,precision,scale]}]}, with the recorded row count from the definition.
#pragma once

#include <string>

#include "jet/table.h"

namespace jet {

// Appends the object and a line break.
void appendSchemaJson(const Table& table, std::string& out);

}  // namespace jet
