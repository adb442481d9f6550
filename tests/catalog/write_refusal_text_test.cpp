// The Polish sentences for the writer's refusals: a refused row names its table, column,
// key and the limit it broke; a refused table shape names the table and column.
#include <gtest/gtest.h>

#include "catalog/write_refusal_text.h"
#include "jet/write/database_writer.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;
using jetwritetest::Row;

TEST(WriteRefusalText, EachRefusedRowIsWordedWithTableColumnKeyAndLimit) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "refuse.mdb").string();
    const std::vector<Row> good = {{Value(std::int32_t(5)), Value::text("pięć"), Value(true)},
                                   {Value(std::int32_t(6)), Value::text("sześć"), Value(false)}};
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        db->createTable(TableShape{"Dodatki",
                                  {{"ID", ColumnType::Int32, 0},
                                   {"Nazwa", ColumnType::Text, 10},
                                   {"Dodatek_wst", ColumnType::Bool, 0}},
                                  PrimaryKeyShape{"Primary", "ID"}});
        for (const Row& row : good) db->appendRow("Dodatki", row);
        db->close();
    }

    struct Case {
        const char* what;
        Row row;
        std::vector<std::string> mentions;  // parts the message must contain
    };
    const std::vector<Case> cases = {
        {"repeated key", {Value(std::int32_t(5)), Value::text("inna"), Value(false)},
         {"`Dodatki`", "`ID`", "ID = 5", "`Primary`"}},
        {"text longer than its column", {Value(std::int32_t(7)), Value::text("jedenaście!"), Value(false)},
         {"`Dodatki`", "`Nazwa`", "ID = 7", "11 znaków", "mieści 10"}},
        {"text for a number", {Value::text("8"), Value::text("osiem"), Value(false)},
         {"`Dodatki`", "`ID`", "tekst"}},
        {"number for a yes/no column", {Value(std::int32_t(9)), Value::text("x"), Value(std::int32_t(1))},
         {"`Dodatki`", "`Dodatek_wst`", "ID = 9"}},
        {"no key at all", {Value(), Value::text("x"), Value(false)}, {"`Dodatki`", "`ID`", "`Primary`"}},
        {"text that is no UTF-8", {Value(std::int32_t(10)), Value::text("\xC3\x28"), Value(false)},
         {"`Nazwa`", "UTF-8"}},
        {"too many values", {Value(std::int32_t(11)), Value::text("x"), Value(false), Value(false)}, {"`Dodatki`"}},
    };
    auto db = DatabaseWriter::open(platform::realFileSystem(), file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            db->appendRow("Dodatki", c.row);
            ADD_FAILURE() << "accepted";
        } catch (const RowRefused& e) {
            const std::string text = catalog::rowRefusedText(e);
            for (const auto& part : c.mentions)
                EXPECT_NE(text.find(part), std::string::npos) << text << " lacks " << part;
        }
    }
    db->close();
}

TEST(WriteRefusalText, RefusedShapesNameTheTableAndColumn) {
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::TextSize, "Dodatki", "Nazwa")),
              "Nie można utworzyć tabeli `Dodatki`: kolumna tekstowa `Nazwa` musi mieć od 1 do 255 znaków.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::BadColumnName, "Dodatki", "", 3)),
              "Nie można utworzyć tabeli `Dodatki`: kolumna nr 3 ma złą nazwę.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::NameTaken, "Dodatki")),
              "Nie można utworzyć tabeli `Dodatki`: tabela o tej nazwie już istnieje.");
}

}  // namespace
