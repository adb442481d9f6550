// `pakiet catalog VERB ...`: one command entry whose sub-verbs work on catalog databases.
// Each verb takes the arguments after its own name and returns the process exit code.
#pragma once

#include "cli/commands.h"

namespace cli {

// The entry in pakiet's command table.
int runCatalog(const Args& args);

// Reading verbs (catalog_read.cpp).
int catalogTables(const Args& args);
int catalogSchema(const Args& args);
int catalogDump(const Args& args);

// Writing verbs (catalog_write.cpp).
int catalogCreate(const Args& args);
int catalogImport(const Args& args);

// The installer's merge of a new and an old catalog into a new file (catalog_merge.cpp).
int catalogMerge(const Args& args);

}  // namespace cli
