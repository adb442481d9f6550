// Schema objects on the Jet writer.
#include "catalog/adox.h"

#include "catalog/catalog_error.h"
#include "catalog/connection_string.h"
#include "catalog/jet_error_text.h"
#include "catalog/write_refusal_text.h"
#include "jet/jet_error.h"
#include "platform/decimal_piece.h"

namespace catalog::adox {

namespace {
jet::write::ColumnShape columnShape(std::string_view table, const Column& c) {
    switch (c.Type) {
    case adInteger: return {c.Name, jet::ColumnType::Int32, 0};
    case adBoolean: return {c.Name, jet::ColumnType::Bool, 0};
    case adVarWChar:
        if (c.DefinedSize < 1 || c.DefinedSize > 255)
            failCatalog({"Tabela `", table, "`: kolumna `", c.Name, "` ma rozmiar ", platform::DecimalPiece(c.DefinedSize),
                         ", a tekst może mieć od 1 do 255 znaków."});
        return {c.Name, jet::ColumnType::Text, static_cast<std::uint16_t>(c.DefinedSize)};
    default:
        failCatalog({"Tabela `", table, "`: kolumna `", c.Name, "` ma nieobsługiwany typ ", platform::DecimalPiece(c.Type), "."});
    }
}
}  // namespace

void Catalog::Create(const std::string& connectionText) {
    const ConnectionSettings settings = parseConnectionString(connectionText);
    // The check words the common case; createNew refuses an existing name in any case, also
    // one made between the check and the creation.
    if (files_.fileExists(settings.path) || files_.folderExists(settings.path))
        failCatalog({"Baza danych już istnieje: ", settings.path});
    try {
        jet::write::DatabaseWriter::create(files_, settings.path)->close();
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
    connection_.disconnect();
    connection_.setConnectionString(openConnectionString(settings.path));
    connection_.connect();
}

void Catalog::setActiveConnection(const std::string& connectionText) {
    connection_.disconnect();
    connection_.setConnectionString(connectionText);
    connection_.connect();
}

Connection& Catalog::activeConnection() {
    if (!connection_.connected()) failCatalog({"Katalog nie ma aktywnego połączenia z bazą danych."});
    return connection_;
}

void TableCollection::Append(const Table& table) {
    jet::write::TableShape shape;
    shape.name = table.Name;
    for (const Column& column : table.Columns.items) shape.columns.push_back(columnShape(table.Name, column));
    for (const Key& key : table.Keys.items) {
        if (key.Type != adKeyPrimary || key.Columns.names.size() != 1 || shape.primaryKey)
            failCatalog({"Tabela `", table.Name, "`: obsługiwany jest tylko jeden klucz podstawowy "
                         "na jednej kolumnie (klucz `", key.Name, "`)."});
        shape.primaryKey = jet::write::PrimaryKeyShape{key.Name, key.Columns.names.front()};
    }
    jet::write::DatabaseWriter& writer = catalog_.activeConnection().writer();
    try {
        writer.createTable(shape);
        writer.flush();
    } catch (const jet::write::TableRefused& e) {
        failCatalog({tableRefusedText(e)});
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    }
}

}  // namespace catalog::adox
