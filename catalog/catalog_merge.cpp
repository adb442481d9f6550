// The merge driver.
#include "catalog/catalog_merge.h"

#include "catalog/catalog_creation.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/table.h"
#include "catalog/table_merge.h"

namespace catalog {

CatalogMerge::CatalogMerge(session::Log& log, platform::FileSystem& files, DatabaseComponents& components,
                           session::LogLevel logLevel)
    : state_(log, files, components) {
    state_.logLevel = logLevel;
}

void CatalogMerge::connect(std::unique_ptr<Connection>& slot, const std::string& path, std::string& dataSource) {
    state_.log.info(2, {"Tworzymy połączenie do ", path});
    dataSource = openConnectionString(path);
    if (!slot) slot = std::make_unique<Connection>(state_.files);
    slot->setConnectionString(dataSource);
    slot->setLoginPrompt(false);
    slot->connect();
}

void CatalogMerge::releaseAfterSuccess() {
    auto& c = state_.components;
    c.DNconnection->disconnect();
    c.NWconnection->disconnect();
    c.DNTable.reset();
    c.NWTable.reset();
    c.DNconnection.reset();
    c.NWconnection.reset();
    if (state_.oldTakesPart) {
        c.ODConnection->disconnect();
        c.ODTable.reset();
        c.ODConnection.reset();
    }
}

void CatalogMerge::closeAfterFailure() {
    auto& c = state_.components;
    for (auto* table : {&c.DNTable, &c.NWTable, &c.ODTable})
        if (*table) (*table)->close();
    for (auto* connection : {&c.DNconnection, &c.NWconnection, &c.ODConnection}) {
        if (!*connection) continue;
        try {
            (*connection)->disconnect();
        } catch (...) {
            // The destination is deleted next; what it failed to write no longer matters.
        }
    }
}

bool CatalogMerge::CopyMdb(const std::string& nw, const std::string& od, const std::string& dn) {
    session::Log& log = state_.log;
    platform::FileSystem& files = state_.files;
    state_.nw = nw;
    state_.od = od;
    state_.dn = dn;
    state_.infoProducent = {};
    state_.dodatki = {};
    bool result = false;
    if (!files.fileExists(dn)) {
        log.info(2, "Brak pliku docelowego. Tworzymy nowy.");
        CatalogCreation creation(log, files);
        if (!creation.MDBCreate(dn)) {
            log.info(1, {"Błąd tworzenia pliku docelowego: ", dn});
            return false;
        }
    }
    if (!files.fileExists(nw)) {
        log.info(1, {"Brak pliku: ", nw});
        return false;
    }
    log.info(2, "Znaleniono oba istniejące pliki z dazą danych.");
    try {
        auto& c = state_.components;
        connect(c.DNconnection, dn, state_.DNDataSource);
        state_.oldTakesPart = files.fileExists(od);
        if (state_.oldTakesPart) connect(c.ODConnection, od, state_.ODDataSource);
        connect(c.NWconnection, nw, state_.NWDataSource);
        mergeInfoProducent(state_);
        mergeDodatki(state_);
        log.info(2, "Poprawnie przeniesiono dane.");
        releaseAfterSuccess();
        result = true;
    } catch (const std::exception& e) {
        log.info(1, e.what());
        closeAfterFailure();
        if (files.fileExists(dn)) files.deleteFile(dn);
    }
    return result;
}

}  // namespace catalog
