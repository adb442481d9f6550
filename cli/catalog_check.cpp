// Column names are compared as Jet compares them (ASCII letters without case).
#include "cli/catalog_check.h"

#include <exception>

#include "catalog/jet_error_text.h"
#include "jet/database.h"
#include "jet/table_definition.h"

namespace cli {

namespace {

struct ExpectedTable {
    const char* name;
    std::vector<const char*> columns;
};

const std::vector<ExpectedTable>& expectedTables() {
    static const std::vector<ExpectedTable> tables = {
        {"Dodatki", {"ID", "Producent", "Grupa", "Typ", "Nazwa", "JPG", "Kod_Producenta", "Dodatek_wst", "Kod_Wstawiania",
                     "Kolor", "DWG", "Wysokosc", "Opis_Produktu", "Kod_Dodatku1", "Kod_Dodatku2", "Kod_Dodatku3",
                     "Kod_Dodatku4", "Opis_Koloru", "cena", "vat", "marza", "upust", "kolorystyka", "wymiar X",
                     "wymiar Y", "wymiar Z", "typ_standardowy"}},
        {"info_producent", {"Producent", "Nazwa", "Ulica", "Miasto", "kod", "Tel", "Fax", "e_mail", "osoba"}},
    };
    return tables;
}

}  // namespace

std::vector<std::string> catalogProblems(const std::string& path) {
    std::vector<std::string> problems;
    try {
        jet::Database database = jet::Database::open(platform::realFileSystem(), path);
        for (const ExpectedTable& expected : expectedTables()) {
            if (!database.findTable(expected.name)) {
                problems.push_back("katalog nie ma tabeli `" + std::string(expected.name) + "`");
                continue;
            }
            jet::Table table = database.table(expected.name);
            for (const char* column : expected.columns)
                if (!table.definition().findColumn(column))
                    problems.push_back("tabela `" + std::string(expected.name) + "` katalogu nie ma kolumny `" + column + "`");
        }
    } catch (const jet::JetError& error) {
        problems.push_back("nie można odczytać katalogu: " + catalog::jetErrorText(error));
    } catch (const std::exception& error) {
        problems.push_back(std::string("nie można odczytać katalogu: ") + error.what());
    }
    return problems;
}

}  // namespace cli
