// CopyMdb, the three-way merge driver: creates the destination catalog when it is missing,
// connects the destination, the old catalog (only when its file exists) and the new one,
// runs the manufacturer merge and then the add-on merge, and closes everything. Returns true
// when both merges ran to their end; on any error it logs the error's message alone at level
// 1, closes every table and connection and deletes the destination. No catalog file is held
// when it returns, and the new and old catalogs are only read.
#pragma once

#include <string>

#include "catalog/merge_state.h"

namespace catalog {

class CatalogMerge {
public:
    // Debug mode traces every search (see MergeState).
    CatalogMerge(session::Log& log, platform::FileSystem& files, DatabaseComponents& components,
                 session::LogLevel logLevel);

    bool CopyMdb(const std::string& nw, const std::string& od, const std::string& dn);

    // What the last CopyMdb wrote, table by table.
    const TableMergeCounts& infoProducentCounts() const { return state_.infoProducent; }
    const TableMergeCounts& dodatkiCounts() const { return state_.dodatki; }

private:
    void connect(std::unique_ptr<Connection>& slot, const std::string& path, std::string& dataSource);
    void releaseAfterSuccess();
    void closeAfterFailure();

    MergeState state_;
};

}  // namespace catalog
