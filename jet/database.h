// An open Jet 4 database: the file, its catalogue (MSysObjects) and its tables by name.
// Opening checks the header and reads the catalogue; tables are read when asked for.
// Read-write opening leaves the file open to other programs too; the writer builds on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jet/page_file.h"
#include "jet/table.h"

namespace jet {

enum class ObjectKind {
    UserTable,    // a local table a user made (also Access's "~TMP..." clipboard tables)
    SystemTable,  // MSys* and other tables the catalogue flags as system
    LinkedTable,  // a table in another Jet file
    LinkedOdbc,   // a table reached through ODBC
    Other,        // queries, forms, containers, relationships...
};

// One row of MSysObjects.
struct CatalogEntry {
    std::string name;
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::int16_t type = 0;
    std::uint32_t flags = 0;
    ObjectKind kind = ObjectKind::Other;
    std::uint32_t definitionPage = 0;  // local tables: the TDEF page
    std::string linkedDatabase;        // linked tables: the other file
    std::string foreignName;           // linked tables: the name there
    std::string connect;               // ODBC tables: the connection string
};

constexpr std::uint32_t kCatalogPage = 2;  // MSysObjects' definition
constexpr std::int32_t kTablesContainerId = 0x0F000001;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002u;
constexpr std::uint32_t kHiddenObjectFlag = 0x00000008u;

class Database {
public:
    // Opens a file; others may open it too meanwhile. Throws JetError naming the file.
    static Database open(platform::FileSystem& files, const std::string& path,
                         OpenMode mode = OpenMode::ReadOnly);
    // Opens bytes from any source (memory for tests and the fuzzer).
    explicit Database(std::unique_ptr<PageSource> source);

    Database(Database&&) noexcept = default;
    Database& operator=(Database&&) noexcept = default;

    const std::string& fileName() const { return file_->name(); }
    const DatabaseHeader& header() const { return file_->header(); }
    PageFile& pages() { return *file_; }

    // Every object of the catalogue, in catalogue order.
    const std::vector<CatalogEntry>& catalog() const { return catalog_; }
    // Names of local tables: user tables, with the system ones on request; catalogue order.
    std::vector<std::string> tableNames(bool includeSystem = false) const;
    // The catalogue entry of a table (any kind) by name, case-insensitive; nullptr if none.
    const CatalogEntry* findTable(const std::string& name) const;

    // A local table by name (case-insensitive). Throws JetError naming the file and table
    // when there is none, when it is linked, or when its definition is damaged.
    Table table(const std::string& name);

private:
    void readCatalog();

    std::unique_ptr<PageFile> file_;
    std::vector<CatalogEntry> catalog_;
};

}  // namespace jet
