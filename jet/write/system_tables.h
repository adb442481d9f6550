// What the engine itself puts into every new database: the definitions of MSysObjects,
// MSysACEs, MSysQueries and MSysRelationships (columns stored sorted by name, as the engine
// stores them), the catalog rows of the three containers and the MSysDb object, and the
// permission rows. Owner and permission (SID) values are per-file values that cannot be
// derived from anything else in a file; new files reuse one consistent set taken from an
// engine-made database, together with its creation date (header_page.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/database.h"
#include "jet/value.h"
#include "jet/write/table_definition.h"

namespace jet::write {

// The catalog page and the tables container are the reader's (jet/database.h).
constexpr std::int32_t kRootContainerId = 0x0F000000;
constexpr std::int32_t kDatabasesContainerId = 0x0F000002;
constexpr std::int32_t kRelationshipsContainerId = 0x0F000003;
constexpr std::int32_t kDatabaseObjectId = 0x10000000;
// The flags the engine gives its own objects' rows; the reader's kSystemObjectFlags is the
// mask that tells system tables by.
constexpr std::int32_t kSystemRowFlags = static_cast<std::int32_t>(0x80000000u);

// Catalog object types (MSysObjects.Type).
constexpr std::int16_t kObjectTable = 1;
constexpr std::int16_t kObjectDatabase = 2;
constexpr std::int16_t kObjectContainer = 3;

// The four system tables, in the order they are created; MSysObjects comes first so that
// its definition lands on page 2, where readers look for it.
TableDefinition msysObjectsDefinition();
TableDefinition msysAcesDefinition();
TableDefinition msysQueriesDefinition();
TableDefinition msysRelationshipsDefinition();

// Column numbers of MSysObjects and MSysACEs used by the writer.
namespace msys_objects {
constexpr std::uint16_t kId = 0, kParentId = 1, kName = 2, kType = 3, kDateCreate = 4,
                        kDateUpdate = 5, kOwner = 6, kFlags = 7, kColumns = 17;
}
namespace msys_aces {
constexpr std::uint16_t kObjectId = 0, kSid = 1, kAcm = 2, kInheritable = 3, kColumns = 4;
}

// The reused per-file values: the database object's owner, the containers' owner and the
// three security identifiers the engine grants rights to.
const std::vector<std::uint8_t>& adminOwner();
const std::vector<std::uint8_t>& creatorOwner();

// A catalog row of MSysObjects, values by column number.
std::vector<Value> catalogRow(std::int32_t id, std::int32_t parentId, std::string_view name,
                              std::int16_t type, std::int32_t flags, double now,
                              const std::vector<std::uint8_t>& owner);

struct AccessRight {
    std::int32_t objectId;
    std::vector<std::uint8_t> sid;
    std::int32_t rights;
    bool inheritable;
};
// The engine's permission rows for a new database; `tableIds` are the ids (TDEF pages) of
// MSysObjects, MSysACEs, MSysQueries and MSysRelationships.
std::vector<AccessRight> initialAccessRights(const std::vector<std::int32_t>& tableIds);
// The rows a new user table gets: full rights for every SID that holds rights on the
// Tables container.
constexpr std::int32_t kUserTableRights = 0x000FFEFF;

std::vector<Value> accessRightRow(const AccessRight& right);

}  // namespace jet::write
