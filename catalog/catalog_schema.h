// The catalog schema of the whole system: tables `Dodatki` (27 columns, primary key
// "Primary" on `ID`) and `info_producent` (9 text columns, no key), column by column in
// order, with ADO type codes and defined sizes.
#pragma once

#include <span>

namespace catalog {

struct SchemaColumn {
    const char* name;
    int adoType;      // 3 long integer, 11 yes/no, 202 Unicode text
    int definedSize;  // characters for text; 0 otherwise
};

// Constant tables: ready before any code runs, with no start-up order to mind.
using SchemaColumns = std::span<const SchemaColumn>;

SchemaColumns dodatkiColumns();
SchemaColumns infoProducentColumns();

}  // namespace catalog
