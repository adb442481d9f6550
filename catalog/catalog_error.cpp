#include "catalog/catalog_error.h"

#include "platform/concat.h"

namespace catalog {

void failCatalog(std::initializer_list<std::string_view> pieces) { throw CatalogError(platform::concat(pieces)); }

}  // namespace catalog
