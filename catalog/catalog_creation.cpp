// MDBCreate and the schema definitions.
#include "catalog/catalog_creation.h"

#include "catalog/catalog_schema.h"
#include "catalog/connection_string.h"

namespace catalog {

adox::Column CatalogCreation::createCol(const std::string& Name, int Typ, int Size) {
    adox::Column column;
    column.ParentCatalog = mdbBase.get();
    column.Name = Name;
    column.Type = Typ;
    column.DefinedSize = Size;
    return column;
}

adox::Table CatalogCreation::createTableProducent() {
    adox::Table table;
    table.Name = "info_producent";
    for (const SchemaColumn& c : infoProducentColumns())
        table.Columns.Append(createCol(c.name, adox::adVarWChar, c.definedSize));
    return table;
}

adox::Table CatalogCreation::createTableDodatki() {
    adox::Table table;
    table.Name = "Dodatki";
    // ID is made directly, without a defined size, and the key over it comes before the
    // other columns.
    adox::Column id;
    id.ParentCatalog = mdbBase.get();
    id.Name = "ID";
    id.Type = adox::adInteger;
    table.Columns.Append(std::move(id));
    adox::Key key;
    key.Name = "Primary";
    key.Type = adox::adKeyPrimary;
    key.Columns.Append("ID");
    table.Keys.Append(std::move(key));
    const auto& columns = dodatkiColumns();
    for (std::size_t i = 1; i < columns.size(); ++i)
        table.Columns.Append(createCol(columns[i].name, columns[i].adoType, columns[i].definedSize));
    return table;
}

bool CatalogCreation::MDBCreate(const std::string& Name) {
    if (files_.fileExists(Name)) {
        info(2, "Znaleniono istniejący plik z dazą danych.");
        if (files_.deleteFile(Name))
            info(2, "Usunięto istniejący plik z dazą danych.");
        else
            info(1, "Błąd kasowania istniejącego pliku z dazą danych.");
    }
    bool result = false;
    try {
        info(2, "Tworzenie pliku bazy danych.");
        mdbBase = std::make_unique<adox::Catalog>(files_);
        mdbBase->Create(creationConnectionString(Name));
        mdbBase->setActiveConnection(openConnectionString(Name));
        info(2, "Tworzenie tabeli `info_roducent`");
        mdbBase->Tables.Append(createTableProducent());
        info(2, "Tworzenie tabeli `Dodatki`");
        mdbBase->Tables.Append(createTableDodatki());
        // Written and closed here, so that a failing write is this call's failure and not
        // lost in a destructor.
        mdbBase->activeConnection().disconnect();
        info(2, "Utworzono pustą bazę danych.");
        result = true;
    } catch (const std::exception& e) {
        log_.info(1, {"[Błąd tworzenia bazy danych MDB.] ", e.what()});
        mdbBase.reset();
        // The line claims a deletion only when there was one.
        if (files_.fileExists(Name) && files_.deleteFile(Name))
            info(1, "Usunięto błędnie utworzony plik z dazą danych.");
    }
    mdbBase.reset();
    return result;
}

}  // namespace catalog
