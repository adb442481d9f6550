// A new database: page 0, the global page map, the four system tables and the rows the
// engine puts in them, all through the ordinary table and append paths.
#include <algorithm>
#include <stdexcept>

#include "jet/write/data_page.h"
#include "jet/write/database_writer.h"
#include "jet/write/header_page.h"
#include "jet/write/system_tables.h"
#include "jet/write/usage_map.h"

namespace jet::write {

void DatabaseWriter::buildNewDatabase(double now) {
    cache_.append();
    cache_.modify(0) = buildHeaderPage(kReferenceCreationDate, kReferenceEngineBuild);
    const PageNumber mapPage = cache_.append();
    Page& globalMap = cache_.modify(mapPage);
    initDataPage(globalMap, 1);
    std::vector<std::uint8_t> freePages = emptyInlineMap(0);
    std::fill(freePages.begin() + 5, freePages.end(), 0xFF);
    freePages[5] = 0xFC;  // pages 0 and 1 are in use
    addRow(globalMap, Bytes(freePages));
    const auto spare = emptyInlineMap(0);
    addRow(globalMap, Bytes(spare));

    // The four system tables in their order of creation (MSysObjects first, on page 2): one
    // loop rather than four inlined copies of the definition's creation.
    struct SystemTableLine {
        TableDefinition (*definition)();
        const char* name;
    };
    static constexpr SystemTableLine kSystemTables[] = {
        {msysObjectsDefinition, "MSysObjects"},
        {msysAcesDefinition, "MSysACEs"},
        {msysQueriesDefinition, "MSysQueries"},
        {msysRelationshipsDefinition, "MSysRelationships"},
    };
    std::vector<std::int32_t> ids;
    for (const SystemTableLine& line : kSystemTables)
        ids.push_back(static_cast<std::int32_t>(createTableDefinition(line.definition(), line.name)));
    const PageNumber objects = static_cast<PageNumber>(ids[0]);
    if (objects != kCatalogPage) throw std::logic_error("MSysObjects must be defined on page 2");
    const PageNumber aces = static_cast<PageNumber>(ids[1]);
    acesPage_ = aces;

    OpenTable& catalog = systemTable(objects, "MSysObjects");
    const auto& creator = creatorOwner();
    const auto& admin = adminOwner();
    auto add = [&](std::int32_t id, std::int32_t parent, const char* name, std::int16_t type,
                   const std::vector<std::uint8_t>& owner) {
        appendUnchecked(catalog, catalogRow(id, parent, name, type, kSystemRowFlags, now, owner));
    };
    add(kTablesContainerId, kRootContainerId, "Tables", kObjectContainer, creator);
    add(kDatabasesContainerId, kRootContainerId, "Databases", kObjectContainer, creator);
    add(kRelationshipsContainerId, kRootContainerId, "Relationships", kObjectContainer, creator);
    add(kDatabaseObjectId, kDatabasesContainerId, "MSysDb", kObjectDatabase, admin);
    for (std::size_t i = 0; i < ids.size(); ++i)
        add(ids[i], kTablesContainerId, kSystemTables[i].name, kObjectTable, creator);

    OpenTable& rights = systemTable(aces, "MSysACEs");
    for (const AccessRight& right : initialAccessRights(ids)) {
        appendUnchecked(rights, accessRightRow(right));
        if (right.objectId == kTablesContainerId &&
            std::find(tableSids_.begin(), tableSids_.end(), right.sid) == tableSids_.end())
            tableSids_.push_back(right.sid);
    }
    databaseOwner_ = admin;
    cache_.flush();
}

}  // namespace jet::write
