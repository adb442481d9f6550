// Column names are compared as Jet compares them (ASCII letters without case).
#include "cli/catalog_check.h"

#include <exception>

#include "catalog/catalog_schema.h"
#include "catalog/jet_error_text.h"
#include "jet/database.h"
#include "jet/table_definition.h"

namespace cli {

namespace {

struct ExpectedTable {
    const char* name;
    catalog::SchemaColumns columns;
};

}  // namespace

std::vector<std::string> catalogProblems(const std::string& path) {
    std::vector<std::string> problems;
    try {
        jet::Database database = jet::Database::open(platform::realFileSystem(), path);
        const ExpectedTable expectedTables[] = {{"Dodatki", catalog::dodatkiColumns()},
                                                {"info_producent", catalog::infoProducentColumns()}};
        for (const ExpectedTable& expected : expectedTables) {
            if (!database.findTable(expected.name)) {
                problems.push_back("katalog nie ma tabeli `" + std::string(expected.name) + "`");
                continue;
            }
            jet::Table table = database.table(expected.name);
            for (const catalog::SchemaColumn& column : expected.columns)
                if (!table.definition().findColumn(column.name))
                    problems.push_back("tabela `" + std::string(expected.name) + "` katalogu nie ma kolumny `" + column.name + "`");
        }
    } catch (const jet::JetError& error) {
        problems.push_back("nie można odczytać katalogu: " + catalog::jetErrorText(error));
    } catch (const std::exception& error) {
        problems.push_back(std::string("nie można odczytać katalogu: ") + error.what());
    }
    return problems;
}

}  // namespace cli
