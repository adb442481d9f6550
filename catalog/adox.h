// The schema-definition objects the catalog creation uses (ADOX): a catalog that creates a
// database file and takes an active connection, and table, column and key objects that
// describe a table before the catalog's Tables.Append makes it. Member names are the
// automation interface's; the objects are plain values, each built and appended once.
// ADO type codes understood: 3 (long integer), 11 (yes/no), 202 (Unicode text, size 1-255).
// Key type understood: 1 (primary key over one long integer column).
#pragma once

#include <string>
#include <vector>

#include "catalog/connection.h"

namespace catalog::adox {

constexpr int adInteger = 3;
constexpr int adBoolean = 11;
constexpr int adVarWChar = 202;
constexpr int adKeyPrimary = 1;

class Catalog;

struct Column {
    Catalog* ParentCatalog = nullptr;
    std::string Name;
    int Type = adVarWChar;
    int DefinedSize = 0;
};

struct ColumnCollection {
    void Append(Column column) { items.push_back(std::move(column)); }
    std::vector<Column> items;
};

struct KeyColumnCollection {
    void Append(const std::string& name) { names.push_back(name); }
    std::vector<std::string> names;
};

struct Key {
    std::string Name;
    int Type = adKeyPrimary;
    KeyColumnCollection Columns;
};

struct KeyCollection {
    void Append(Key key) { items.push_back(std::move(key)); }
    std::vector<Key> items;
};

struct Table {
    std::string Name;
    ColumnCollection Columns;
    KeyCollection Keys;
};

class Catalog;

// Catalog.Tables: appending makes the table in the active connection's file.
class TableCollection {
public:
    explicit TableCollection(Catalog& catalog) : catalog_(catalog) {}
    // Throws CatalogError (Polish) for a table the database cannot hold.
    void Append(const Table& table);

private:
    Catalog& catalog_;
};

class Catalog {
public:
    // Files are made and opened through `files`, which must outlive the catalog.
    explicit Catalog(platform::FileSystem& files) : Tables(*this), files_(files), connection_(files) {}
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    // Creates the database file the creation text names; fails when it exists already
    // (an existing file is never replaced or truncated).
    // The new file becomes the active connection.
    void Create(const std::string& connectionText);
    // Connects to the file the open text names (closing the previous connection).
    void setActiveConnection(const std::string& connectionText);

    TableCollection Tables;

    Connection& activeConnection();

private:
    platform::FileSystem& files_;
    Connection connection_;
};

}  // namespace catalog::adox
