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

    const PageNumber objects = createTableDefinition(msysObjectsDefinition(), "MSysObjects");
    if (objects != kCatalogPage) throw std::logic_error("MSysObjects must be defined on page 2");
    const PageNumber aces = createTableDefinition(msysAcesDefinition(), "MSysACEs");
    const PageNumber queries = createTableDefinition(msysQueriesDefinition(), "MSysQueries");
    const PageNumber relationships = createTableDefinition(msysRelationshipsDefinition(), "MSysRelationships");
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
    const std::vector<std::int32_t> ids{std::int32_t(objects), std::int32_t(aces),
                                        std::int32_t(queries), std::int32_t(relationships)};
    const char* names[] = {"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
    for (std::size_t i = 0; i < ids.size(); ++i)
        add(ids[i], kTablesContainerId, names[i], kObjectTable, creator);

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
