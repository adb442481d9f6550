// The merged catalog an installation must leave, computed from the rows of the user's and the
// package's catalogs by the merge rules written plainly (a package row replaces the user's row
// of the same key, "DELETE" removes it, other rows of both are kept), and the rows of a catalog
// on the disk read back by column name as plain text. Neither side uses the catalog layer, so
// a merge that goes wrong the same way in the product and in its own fault-free run is caught.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/app/install_fixture.h"

namespace installtest {

// Sorted lines "info_producent|Producent|Nazwa" and
// "Dodatki|ID|Producent|Nazwa|Opis_Produktu|Dodatek_wst" of the merge of `package` into
// `user` (none: a first installation).
std::vector<std::string> expectedMergedRows(const std::optional<CatalogContent>& user, const CatalogContent& package);

// The same lines for the catalog at `path`; a column holding anything else than its fixture
// type (or null in a key) shows as "<kind N>".
std::vector<std::string> plainCatalogRows(const std::string& path);

}  // namespace installtest
