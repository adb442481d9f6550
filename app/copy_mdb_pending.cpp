// Branch-local stand-in for CopyMdb until the merge branch lands; removed with that merge.
#include <map>
#include <set>

#include "app/main.h"
#include "catalog/catalog_creation.h"
#include "catalog/catalog_schema.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/field_value.h"
#include "catalog/table.h"

namespace app {

namespace {

using Row = std::vector<jet::Value>;

std::vector<Row> readAll(catalog::Connection& connection, const std::string& table,
                         const std::vector<catalog::SchemaColumn>& columns) {
    catalog::Table t;
    t.setConnection(&connection);
    t.setReadOnly(true);
    t.setTableName(table);
    t.open();
    std::vector<Row> rows;
    for (t.first(); !t.eof(); t.next()) {
        Row row;
        for (const auto& column : columns) row.push_back(t.fieldByName(column.name).value());
        rows.push_back(std::move(row));
    }
    t.close();
    return rows;
}

std::int64_t mergeTable(catalog::Connection& dn, catalog::Connection* od, catalog::Connection& nw,
                        const std::string& table, const std::vector<catalog::SchemaColumn>& columns,
                        const std::string& key, bool oldMarkersDropped) {
    std::size_t keyColumn = 0, nameColumn = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name == key) keyColumn = i;
        if (std::string(columns[i].name) == "Nazwa") nameColumn = i;
    }
    auto keyOf = [&](const Row& r) { return r[keyColumn].isNull() ? std::string() : catalog::valueAsText(r[keyColumn]); };
    auto isMarker = [&](const Row& r) { return !r[nameColumn].isNull() && catalog::valueAsText(r[nameColumn]) == "DELETE"; };
    const std::vector<Row> news = readAll(nw, table, columns);
    const std::vector<Row> olds = od ? readAll(*od, table, columns) : std::vector<Row>{};
    std::map<std::string, const Row*> firstNew;
    for (const Row& r : news) firstNew.emplace(keyOf(r), &r);

    catalog::Table out;
    out.setConnection(&dn);
    out.setTableName(table);
    out.open();
    std::set<std::string> written;
    std::int64_t posted = 0;
    auto copy = [&](const Row& r) {
        out.insert();
        for (std::size_t i = 0; i < columns.size(); ++i) out.fieldByName(columns[i].name).setValue(r[i]);
        out.post();
        written.insert(keyOf(r));
        ++posted;
    };
    for (const Row& o : olds) {
        auto found = firstNew.find(keyOf(o));
        if (found != firstNew.end()) {
            if (!isMarker(*found->second)) copy(*found->second);
        } else if (!(oldMarkersDropped && isMarker(o))) {
            copy(o);
        }
    }
    for (const Row& n : news)
        if (!isMarker(n) && !written.count(keyOf(n))) copy(n);
    out.close();
    return posted;
}

}  // namespace

bool TForm1::CopyMdb(const std::string& nw, const std::string& od, const std::string& dn) {
    postedRows.reset();
    if (!files_.fileExists(dn)) {
        info(2, "Brak pliku docelowego. Tworzymy nowy.");
        catalog::CatalogCreation creation(*this, files_);
        if (!creation.MDBCreate(dn)) {
            info(1, "Błąd tworzenia pliku docelowego: " + dn);
            return false;
        }
    }
    if (!files_.fileExists(nw)) {
        info(1, "Brak pliku: " + nw);
        return false;
    }
    info(2, "Znaleniono oba istniejące pliki z dazą danych.");
    try {
        catalog::Connection dnConnection, odConnection, nwConnection;
        dnConnection.setConnectionString(catalog::openConnectionString(dn));
        dnConnection.connect();
        const bool haveOld = files_.fileExists(od);
        if (haveOld) {
            odConnection.setConnectionString(catalog::openConnectionString(od));
            odConnection.connect();
        }
        nwConnection.setConnectionString(catalog::openConnectionString(nw));
        nwConnection.connect();
        CatalogRowCounts counts;
        counts.info_producent = mergeTable(dnConnection, haveOld ? &odConnection : nullptr, nwConnection,
                                           "info_producent", catalog::infoProducentColumns(), "Producent", false);
        counts.Dodatki = mergeTable(dnConnection, haveOld ? &odConnection : nullptr, nwConnection, "Dodatki",
                                    catalog::dodatkiColumns(), "ID", true);
        info(2, "Poprawnie przeniesiono dane.");
        dnConnection.disconnect();
        nwConnection.disconnect();
        if (haveOld) odConnection.disconnect();
        postedRows = counts;
        return true;
    } catch (const std::exception& error) {
        info(1, error.what());
    }
    if (files_.fileExists(dn)) files_.deleteFile(dn);
    return false;
}

}  // namespace app
