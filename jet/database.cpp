// Opening a database and reading its catalogue.
#include "jet/database.h"

#include "jet/jet_error.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace jet {

namespace {

ObjectKind kindOf(const CatalogEntry& entry) {
    switch (entry.type & 0x7F) {
    case 1:
        if (entry.parentId != kTablesContainerId) return ObjectKind::Other;
        return (entry.flags & kSystemObjectFlags) ? ObjectKind::SystemTable : ObjectKind::UserTable;
    case 4: return ObjectKind::LinkedOdbc;
    case 6: return ObjectKind::LinkedTable;
    default: return ObjectKind::Other;
    }
}

bool isLocalTable(ObjectKind kind) {
    return kind == ObjectKind::UserTable || kind == ObjectKind::SystemTable;
}

}  // namespace

Database Database::open(platform::FileSystem& files, const std::string& path, OpenMode mode) {
    return Database(openFileSource(files, path, mode));
}

Database::Database(std::unique_ptr<PageSource> source)
    : file_(std::make_unique<PageFile>(std::move(source))) {
    readCatalog();
}

void Database::readCatalog() {
    auto definition = std::shared_ptr<const TableDefinition>(new TableDefinition(readTableDefinition(*file_, kCatalogPage)));
    Table objects(*file_, "MSysObjects", definition);
    auto column = [&](const char* name) {
        auto index = objects.columnIndex(name);
        if (!index)
            throw JetError(file_->name(), "MSysObjects", platform::concat({"catalogue has no column ", name}));
        return *index;
    };
    const std::size_t id = column("Id"), parentId = column("ParentId"), name = column("Name"),
                      type = column("Type"), flags = column("Flags");
    auto optional = [&](const char* columnName) { return objects.columnIndex(columnName); };
    auto database = optional("Database"), foreignName = optional("ForeignName"),
         connect = optional("Connect");

    auto integer = [](const Value& v) -> std::int64_t {
        switch (v.kind()) {
        case Value::Kind::Byte:
        case Value::Kind::Int16:
        case Value::Kind::Int32: return v.asInteger();
        default: return 0;
        }
    };
    // Text or memo; any other kind leaves the (new, empty) field as it is. Assigned in place:
    // a returned string costs a temporary and its clean-up per field.
    auto setText = [](std::string& field, const Value& v) {
        if (v.kind() == Value::Kind::Text || v.kind() == Value::Kind::Memo) field = v.asString();
    };
    RowCursor rows = objects.rows();
    while (rows.next()) {
        const auto& v = rows.values();
        CatalogEntry entry;
        entry.id = static_cast<std::int32_t>(integer(v[id]));
        entry.parentId = static_cast<std::int32_t>(integer(v[parentId]));
        setText(entry.name, v[name]);
        entry.type = static_cast<std::int16_t>(integer(v[type]));
        entry.flags = static_cast<std::uint32_t>(integer(v[flags]));
        if (database) setText(entry.linkedDatabase, v[*database]);
        if (foreignName) setText(entry.foreignName, v[*foreignName]);
        if (connect) setText(entry.connect, v[*connect]);
        entry.kind = kindOf(entry);
        if (isLocalTable(entry.kind))
            entry.definitionPage = static_cast<std::uint32_t>(entry.id) & 0x00FFFFFFu;
        catalog_.push_back(std::move(entry));
    }
}

std::vector<std::string> Database::tableNames(bool includeSystem) const {
    std::vector<std::string> names;
    for (const auto& entry : catalog_) {
        if (entry.kind == ObjectKind::UserTable ||
            (includeSystem && entry.kind == ObjectKind::SystemTable))
            names.push_back(entry.name);
    }
    return names;
}

const CatalogEntry* Database::findTable(const std::string& name) const {
    for (const auto& entry : catalog_) {
        if (entry.kind != ObjectKind::Other && sameName(entry.name, name)) return &entry;
    }
    return nullptr;
}

Table Database::table(const std::string& name) {
    const CatalogEntry* entry = findTable(name);
    if (!entry) throw JetError(JetFault::NoSuchTable, file_->name(), name, "no such table");
    if (!isLocalTable(entry->kind))
        throw JetError(file_->name(), entry->name,
                       platform::concat({"a linked table; its rows are in ",
                                         entry->linkedDatabase.empty() ? entry->connect : entry->linkedDatabase}));
    try {
        return Table(*file_, entry->name,
                     std::shared_ptr<const TableDefinition>(
                         new TableDefinition(readTableDefinition(*file_, entry->definitionPage))));
    } catch (const JetError& error) {
        const platform::DecimalPiece page(error.page());
        throw JetError(error.fault(), file_->name(), entry->name,
                       error.page() == JetError::kNoPage ? error.detail()
                                                         : platform::concat({"page ", page, ": ", error.detail()}));
    }
}

}  // namespace jet
