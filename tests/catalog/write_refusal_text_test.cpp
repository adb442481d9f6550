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

// Word for word: the sentences go into the log the publisher reads and compares.
TEST(WriteRefusalText, EachRowFaultHasItsExactSentence) {
    const auto refused = [](RowFault fault, std::vector<std::pair<std::string, Value>> key, auto&& fill) {
        RowRefusal r;
        r.fault = fault;
        r.table = "Dodatki";
        r.column = "Nazwa";
        r.key = std::move(key);
        r.rowNumber = 12;
        fill(r);
        return catalog::rowRefusedText(RowRefused(r));
    };
    const auto nothing = [](RowRefusal&) {};
    const std::vector<std::pair<std::string, Value>> id5 = {{"ID", Value(std::int32_t(5))}};
    EXPECT_EQ(refused(RowFault::TooManyValues, id5, [](RowRefusal& r) { r.limit = 3, r.given = 4; }),
              "Tabela `Dodatki` ma 3 kolumn, a wiersz podaje 4 wartości.");
    EXPECT_EQ(refused(RowFault::WrongKind, id5,
                      [](RowRefusal& r) { r.columnType = ColumnType::Int32, r.givenKind = Value::Kind::Text; }),
              "Tabela `Dodatki`, wiersz o kluczu ID = 5: kolumna `Nazwa` przyjmuje liczby całkowite (długie), a podano "
              "tekst.");
    EXPECT_EQ(refused(RowFault::WrongKind, {},
                      [](RowRefusal& r) { r.columnType = ColumnType::Double, r.givenKind = Value::Kind::Bool; }),
              "Tabela `Dodatki`, wiersz nr 12: kolumna `Nazwa` przyjmuje wartości typu " +
                  std::string(jet::columnTypeName(ColumnType::Double)) + ", a podano wartość tak/nie.");
    EXPECT_EQ(refused(RowFault::NotUtf8, {}, nothing),
              "Tabela `Dodatki`, wiersz nr 12: tekst w kolumnie `Nazwa` nie jest poprawnym UTF-8.");
    EXPECT_EQ(refused(RowFault::TextTooLong, {{"Kod", Value::text("A-1")}, {"Wst", Value(true)}, {"Opis", Value()}},
                      [](RowRefusal& r) { r.given = 300, r.limit = 255; }),
              "Tabela `Dodatki`, wiersz o kluczu Kod = \"A-1\", Wst = tak, Opis = NULL: tekst w kolumnie `Nazwa` ma "
              "300 znaków, a kolumna mieści 255.");
    EXPECT_EQ(refused(RowFault::BinaryTooLong, {{"Cena", Value(1.5)}}, nothing),
              "Tabela `Dodatki`, wiersz o kluczu Cena = ?: dane w kolumnie `Nazwa` są za długie.");
    EXPECT_EQ(refused(RowFault::KeyMissing, {}, [](RowRefusal& r) { r.index = "Primary"; }),
              "Tabela `Dodatki`, wiersz nr 12: klucz `Primary` wymaga wartości w kolumnie `Nazwa`.");
    const auto twoColumnKey = [](RowRefusal& r) {
        r.index = "Para";
        r.keyColumns = {"Kod", "Nazwa"};
        r.detail = "za długi";
    };
    EXPECT_EQ(refused(RowFault::KeyNotStorable, id5, twoColumnKey),
              "Tabela `Dodatki`, wiersz o kluczu ID = 5: klucz `Para` nie przyjmie wartości z kolumny `Kod`, `Nazwa` "
              "(za długi).");
    EXPECT_EQ(refused(RowFault::KeyRepeated, {{"ID", Value(std::int32_t(-7))}}, twoColumnKey),
              "Tabela `Dodatki`, wiersz o kluczu ID = -7: klucz `Para` ma już wiersz z tą wartością w kolumnie `Kod`, "
              "`Nazwa`; wiersza nie dopisano.");
    EXPECT_EQ(refused(RowFault::RowTooLong, {}, [](RowRefusal& r) { r.limit = 4060; }),
              "Tabela `Dodatki`, wiersz nr 12: wiersz jest dłuższy niż 4060 bajtów, które mieści strona bazy.");
}

TEST(WriteRefusalText, RefusedShapesNameTheTableAndColumn) {
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::TextSize, "Dodatki", "Nazwa")),
              "Nie można utworzyć tabeli `Dodatki`: kolumna tekstowa `Nazwa` musi mieć od 1 do 255 znaków.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::BadColumnName, "Dodatki", "", 3)),
              "Nie można utworzyć tabeli `Dodatki`: kolumna nr 3 ma złą nazwę.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::NameTaken, "Dodatki")),
              "Nie można utworzyć tabeli `Dodatki`: tabela o tej nazwie już istnieje.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::RepeatedColumn, "Dodatki", "ID")),
              "Nie można utworzyć tabeli `Dodatki`: kolumna `ID` powtarza się.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::UnsupportedType, "T", "Zdjęcie")),
              "Nie można utworzyć tabeli `T`: kolumna `Zdjęcie` ma typ, którego nie obsługujemy.");
    EXPECT_EQ(catalog::tableRefusedText(TableRefused(TableFault::KeyName, "T")),
              "Nie można utworzyć tabeli `T`: klucz podstawowy musi mieć nazwę.");
}

}  // namespace
