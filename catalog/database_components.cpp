#include "catalog/database_components.h"

#include "catalog/connection.h"
#include "catalog/table.h"

namespace catalog {

DatabaseComponents::DatabaseComponents() = default;
DatabaseComponents::~DatabaseComponents() = default;

}  // namespace catalog
