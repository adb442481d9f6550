// Loading a file's catalog: its tables, the database owner and the permission SIDs a new
// table is given, read by the reader over the writer's pages.
#include <algorithm>

#include "jet/jet_error.h"
#include "jet/table.h"
#include "jet/write/database_writer.h"
#include "jet/write/system_tables.h"

namespace jet::write {

DatabaseWriter::OpenTable& DatabaseWriter::systemTable(PageNumber tdefPage, std::string_view name) {
    for (const auto& open : open_)
        if (open->tdefPage == tdefPage) return *open;
    auto table = std::make_unique<OpenTable>();
    table->name = name;
    table->tdefPage = tdefPage;
    PageFile pages(readView());
    table->definition = writableDefinition(readTableDefinition(pages, tdefPage));
    open_.push_back(std::move(table));
    return *open_.back();
}

namespace {
// The rows of a system table, read by the reader over the writer's pages.
template <typename Visit>
void scanSystemTable(PageFile& pages, PageNumber tdefPage, const char* name, Visit visit) {
    const Table table(pages, name, std::shared_ptr<const jet::TableDefinition>(new jet::TableDefinition(readTableDefinition(pages, tdefPage))));
    RowCursor rows = table.rows();
    while (rows.next()) visit(rows);
}

std::int64_t integerOf(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Byte:
    case Value::Kind::Int16:
    case Value::Kind::Int32: return v.asInteger();
    default: return 0;
    }
}
}  // namespace

void DatabaseWriter::loadCatalog() {
    if (cache_.pageCount() < 3) throwJetError(JetFault::NotJet4, fileName(), {"the file is too short for a Jet 4 database"});
    PageFile pages(readView());  // checks the header
    std::int32_t tablesId = kTablesContainerId;
    struct Object {
        std::int32_t id, parent;
        std::uint32_t flags;
        std::int16_t type;
        std::string name;
    };
    std::vector<Object> objects;
    scanSystemTable(pages, kCatalogPage, "MSysObjects", [&](const RowCursor& row) {
        const Value& name = row.field("Name");
        Object o{static_cast<std::int32_t>(integerOf(row.field("Id"))),
                 static_cast<std::int32_t>(integerOf(row.field("ParentId"))),
                 static_cast<std::uint32_t>(integerOf(row.field("Flags"))),
                 static_cast<std::int16_t>(integerOf(row.field("Type"))),
                 name.kind() == Value::Kind::Text ? name.asString() : std::string()};
        const Value& owner = row.field("Owner");
        if (o.id == kDatabaseObjectId && owner.kind() == Value::Kind::Binary) databaseOwner_ = owner.asBytes();
        if (o.parent == kRootContainerId && o.name == "Tables") tablesId = o.id;
        objects.push_back(o);
    });
    for (const Object& o : objects) {
        if (o.type != kObjectTable || o.parent != tablesId) continue;
        const PageNumber page = static_cast<PageNumber>(o.id) & 0x00FFFFFF;
        if (o.name == "MSysACEs") acesPage_ = page;
        if (o.flags & kSystemObjectFlags) continue;
        tables_.push_back({o.name, page});
    }
    if (databaseOwner_.empty()) databaseOwner_ = adminOwner();
    if (acesPage_ == 0) return;
    scanSystemTable(pages, acesPage_, "MSysACEs", [&](const RowCursor& row) {
        const Value& object = row.field("ObjectId");
        const Value& sid = row.field("SID");
        if (object.kind() != Value::Kind::Int32 || object.asInt32() != tablesId || sid.kind() != Value::Kind::Binary)
            return;
        if (std::find(tableSids_.begin(), tableSids_.end(), sid.asBytes()) == tableSids_.end())
            tableSids_.push_back(sid.asBytes());
    });
}

}  // namespace jet::write
