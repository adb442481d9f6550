// CopyMdb, the catalog merge of the install transaction: the catalog layer does the work on
// the window's log, file system and database components; debug mode traces every search.
#include "app/main.h"
#include "catalog/catalog_merge.h"

namespace app {

bool TForm1::CopyMdb(const std::string& nw, const std::string& od, const std::string& dn) {
    catalog::CatalogMerge merge(*this, files(), database, state.log_level);
    postedRows.reset();
    if (!merge.CopyMdb(nw, od, dn)) return false;
    postedRows = install::CatalogRowCounts{static_cast<std::int64_t>(merge.infoProducentCounts().written),
                                  static_cast<std::int64_t>(merge.dodatkiCounts().written)};
    return true;
}

}  // namespace app
