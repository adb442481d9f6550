// Catalog fixtures through the catalog layer.
#include "tests/catalog/merge_catalogs.h"

#include <filesystem>
#include <stdexcept>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_schema.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/field_value.h"
#include "catalog/table.h"
#include "jet/database.h"
#include "jet/write/database_writer.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/test_paths.h"

namespace catalogtest {

namespace {
catalog::SchemaColumns schemaOf(const std::string& table) {
    return table == "Dodatki" ? catalog::dodatkiColumns() : catalog::infoProducentColumns();
}

void appendRows(catalog::Connection& connection, const std::string& name, const std::vector<Row>& rows) {
    catalog::Table table;
    table.setConnection(&connection);
    table.setConnectionString(connection.connectionString());
    table.setTableName(name);
    table.open();
    const auto& columns = schemaOf(name);
    for (const Row& row : rows) {
        table.insert();
        for (std::size_t i = 0; i < columns.size(); ++i) table.fieldByName(columns[i].name).setValue(row.at(i));
        table.post();
    }
    table.close();
}
}  // namespace

Row producent(const jet::Value& code, const jet::Value& name) {
    const std::string tag = catalog::valueAsText(code);
    return {code, name, jet::Value::text("ul. " + tag), jet::Value::text("Miasto " + tag), jet::Value::text("00-001"),
            jet::Value::text("tel " + tag), jet::Value(), jet::Value::text(tag + "@example.invalid"),
            jet::Value::text("Osoba " + tag)};
}

Row dodatek(const jet::Value& id, const jet::Value& name) {
    const std::string tag = catalog::valueAsText(id);
    Row row;
    for (const auto& column : catalog::dodatkiColumns()) {
        const std::string n = column.name;
        if (n == "ID") row.push_back(id);
        else if (n == "Nazwa") row.push_back(name);
        else if (n == "Dodatek_wst") row.push_back(jet::Value(tag.size() % 2 == 0));
        else if (n == "Kod_Wstawiania") row.push_back(jet::Value::text("K" + tag.substr(0, 1)));
        else if (n == "Wysokosc") row.push_back(jet::Value::text(tag.substr(0, 10)));
        else row.push_back(jet::Value::text(n.substr(0, 3) + "-" + tag));
    }
    return row;
}

void writeCatalog(const std::string& path, const CatalogRows& rows) {
    RecordingLog log;
    catalog::CatalogCreation creation(log, platform::realFileSystem());
    if (!creation.MDBCreate(path)) throw std::runtime_error("cannot create " + path);
    catalog::Connection connection(platform::realFileSystem());
    connection.setConnectionString(catalog::openConnectionString(path));
    connection.connect();
    appendRows(connection, "info_producent", rows.infoProducent);
    appendRows(connection, "Dodatki", rows.dodatki);
    connection.disconnect();
}

void writeWideCatalog(const std::string& path, const CatalogRows& rows) {
    // Creating never replaces a file: a case that reuses the name starts afresh.
    std::filesystem::remove(path);
    auto db = jet::write::DatabaseWriter::create(platform::realFileSystem(), path);
    for (const std::string name : {"info_producent", "Dodatki"}) {
        jet::write::TableShape shape{name, {}, std::nullopt};
        for (const auto& c : schemaOf(name)) {
            const jet::ColumnType type = c.adoType == 3    ? jet::ColumnType::Int32
                                         : c.adoType == 11 ? jet::ColumnType::Bool
                                                           : jet::ColumnType::Text;
            shape.columns.push_back({c.name, type, static_cast<std::uint16_t>(type == jet::ColumnType::Text ? 255 : 0)});
        }
        if (name == "Dodatki") shape.primaryKey = jet::write::PrimaryKeyShape{"Primary", "ID"};
        db->createTable(shape);
        const auto& definition = db->table(name);
        for (const Row& row : name == "Dodatki" ? rows.dodatki : rows.infoProducent) {
            std::vector<jet::Value> byNumber(definition.columns.size());
            const auto& schema = schemaOf(name);
            for (const auto& column : definition.columns)
                for (std::size_t i = 0; i < schema.size(); ++i)
                    if (column.name == schema[i].name) byNumber.at(column.number) = row.at(i);
            db->appendRow(name, byNumber);
        }
    }
    db->close();
}

std::vector<Row> readRows(const std::string& path, const std::string& table) {
    jet::Database db = jet::Database::open(platform::realFileSystem(), path);
    const jet::Table t = db.table(table);
    std::vector<std::size_t> order;
    for (const auto& column : schemaOf(table)) order.push_back(t.columnIndex(column.name).value());
    std::vector<Row> rows;
    for (auto cursor = t.rows(); cursor.next();) {
        Row row;
        for (std::size_t i : order) row.push_back(cursor[i]);
        rows.push_back(row);
    }
    return rows;
}

CatalogRows readCatalog(const std::string& path) {
    return {readRows(path, "info_producent"), readRows(path, "Dodatki")};
}

std::uint64_t fileChecksum(const std::string& path) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : testsupport::readFile(path)) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string describeRow(const Row& row) {
    std::string out = "(";
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i) out += ", ";
        out += row[i].isNull() ? "null" : "`" + catalog::valueAsText(row[i]) + "`";
    }
    return out + ")";
}

}  // namespace catalogtest
