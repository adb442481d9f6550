// User tables written by us and read back by the independent readers.
#include <gtest/gtest.h>

#include "jet/write/database_writer.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;
using jetwritetest::Row;

Value text(const std::string& s) { return Value::text(s); }
Value id(std::int32_t n) { return Value(n); }

std::string repeat(const std::string& piece, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

TableShape itemsTable() {
    return TableShape{"Pozycje",
                     {{"ID", ColumnType::Int32, 0},
                      {"Nazwa", ColumnType::Text, 255},
                      {"Kod", ColumnType::Text, 1},
                      {"Aktywny", ColumnType::Bool, 0},
                      {"wymiar X", ColumnType::Text, 50}},
                     PrimaryKeyShape{"Primary", "ID"}};
}
const std::vector<std::string> kItemColumns{"ID", "Nazwa", "Kod", "Aktywny", "wymiar X"};

TEST(UserTable, ValuesOfEveryKindReadBackByBothReaders) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "items.mdb").string();
    const std::vector<Row> rows = {
        {id(1), text("Zażółć gęślą jaźń"), text("A"), Value(true), text("12,5")},
        {id(2), text(""), Value(), Value(false), text("")},                       // empty and null
        {id(-7), Value(), text("ł"), Value(true), Value()},                      // negative key
        {id(2147483647), text(repeat("ąę", 127) + "x"), text("Z"), Value(false), text(repeat("9", 50))},
        {id(3), text(repeat("abc", 85)), text(" "), Value(true), text("ÓÖüß")},  // compressible
        {id(4), text("it's \"quoted\", with;separators\\"), Value(), Value(false), text("ab")},
    };
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        db->createTable(itemsTable());
        for (const Row& row : rows) db->appendRow("Pozycje", row);
        db->close();
    }
    jetwritetest::expectReadersSee(file, "Pozycje", kItemColumns, rows);
    const std::string schema = testsupport::mdbToolsSchema(file, "Pozycje");
    EXPECT_NE(schema.find("[Nazwa]\t\t\tText (255)"), std::string::npos) << schema;
    EXPECT_NE(schema.find("[Kod]\t\t\tText (1)"), std::string::npos) << schema;
}

TEST(UserTable, TablesWithoutKeyOrFixedColumnsAndManyTables) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "many.mdb").string();
    std::vector<std::string> names;
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        for (int t = 0; t < 12; ++t) {
            const std::string name = "Tabela_" + std::to_string(t);
            names.push_back(name);
            db->createTable(TableShape{name, {{"a", ColumnType::Text, 10}, {"b", ColumnType::Text, 20}}, {}});
            db->appendRow(name, {text("t" + std::to_string(t)), Value()});
        }
        EXPECT_EQ(db->tableNames(), names);
        db->close();
    }
    EXPECT_EQ(testsupport::mdbReaderTables(file), names);
    EXPECT_EQ(testsupport::mdbToolsTables(file), names);
    jetwritetest::expectReadersSee(file, "Tabela_11", {"a", "b"}, {{text("t11"), Value()}});
}

TEST(UserTable, RowsFillManyDataPagesAndSurviveReopening) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "pages.mdb").string();
    std::vector<Row> rows;
    auto rowFor = [](std::int32_t i) {
        return Row{id(i), text("pozycja " + std::to_string(i) + " " + repeat("ś", i % 200)),
                   text(std::string(1, static_cast<char>('a' + i % 26))), Value(i % 3 == 0),
                   i % 5 ? text(std::to_string(i * 7)) : Value()};
    };
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        db->createTable(itemsTable());
        for (std::int32_t i = 1; i <= 1500; ++i) db->appendRow("Pozycje", rows.emplace_back(rowFor(i)));
        db->close();
    }
    {
        // A second session appends to the file the first one closed.
        auto db = DatabaseWriter::open(platform::realFileSystem(), file);
        ASSERT_EQ(db->tableNames(), std::vector<std::string>{"Pozycje"});
        for (std::int32_t i = 1501; i <= 2000; ++i) db->appendRow("Pozycje", rows.emplace_back(rowFor(i)));
        EXPECT_THROW(db->appendRow("Pozycje", rowFor(700)), RowRefused);  // key from session one
        db->close();
    }
    jetwritetest::expectReadersSee(file, "Pozycje", kItemColumns, rows);
}

TEST(UserTable, TableShapesTheWriterCannotMakeAreRefused) {
    auto db = DatabaseWriter::createOn(jet::memorySource({}, "shape.mdb"), 45000.0);
    db->createTable(TableShape{"Ok", {{"a", ColumnType::Text, 5}}, {}});
    const std::vector<std::pair<const char*, TableShape>> bad = {
        {"empty name", TableShape{"", {{"a", ColumnType::Text, 5}}, {}}},
        {"letters the catalog index cannot sort", TableShape{"Żółw", {{"a", ColumnType::Text, 5}}, {}}},
        {"repeated table", TableShape{"ok", {{"a", ColumnType::Text, 5}}, {}}},
        {"no columns", TableShape{"T1", {}, {}}},
        {"repeated column", TableShape{"T2", {{"a", ColumnType::Text, 5}, {"A", ColumnType::Text, 5}}, {}}},
        {"text of 0 characters", TableShape{"T3", {{"a", ColumnType::Text, 0}}, {}}},
        {"text of 256 characters", TableShape{"T4", {{"a", ColumnType::Text, 256}}, {}}},
        {"unsupported type", TableShape{"T5", {{"a", ColumnType::Double, 0}}, {}}},
        {"key over text", TableShape{"T6", {{"a", ColumnType::Text, 5}}, PrimaryKeyShape{"Primary", "a"}}},
        {"key over a missing column", TableShape{"T7", {{"a", ColumnType::Int32, 0}}, PrimaryKeyShape{"Primary", "b"}}},
    };
    for (const auto& [what, shape] : bad) {
        SCOPED_TRACE(what);
        try {
            db->createTable(shape);
            ADD_FAILURE() << "accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("Nie można utworzyć tabeli"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(db->tableNames(), std::vector<std::string>{"Ok"});
}

}  // namespace
