// Creation of an empty catalog file: MDBCreate and the table and column definitions it
// appends (createTableProducent, createTableDodatki, createCol), with their log lines. While
// a file is being made the catalog object is held in mdbBase, which is null otherwise.
// MDBCreate returns true when the file holds both tables; after false no file of that name
// is left (when it could be deleted).
#pragma once

#include <memory>
#include <string>

#include "catalog/adox.h"
#include "platform/file_system.h"
#include "session/log.h"

namespace catalog {

class CatalogCreation {
public:
    CatalogCreation(session::Log& log, platform::FileSystem& files) : log_(log), files_(files) {}

    bool MDBCreate(const std::string& Name);
    adox::Table createTableProducent();
    adox::Table createTableDodatki();
    adox::Column createCol(const std::string& Name, int Typ, int Size);

    // The catalog being created; the window's field of that name.
    std::unique_ptr<adox::Catalog> mdbBase;

private:
    void info(int lvl, std::string_view txt) { log_.info(lvl, txt); }
    session::Log& log_;
    platform::FileSystem& files_;
};

}  // namespace catalog
