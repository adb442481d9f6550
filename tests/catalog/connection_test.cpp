// Connection texts, connections and table objects.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "catalog/catalog_error.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/field_value.h"
#include "catalog/table.h"
#include "jet/write/database_writer.h"
#include "tests/support/test_paths.h"

namespace {

using namespace catalog;
using jet::Value;

TEST(ConnectionString, TheInstallersTextsGiveThePathVerbatim) {
    const std::vector<std::pair<std::string, std::string>> good = {
        {openConnectionString("C:\\CAD\\dodatki\\P\\dodatki.mdb"), "C:\\CAD\\dodatki\\P\\dodatki.mdb"},
        {creationConnectionString("/tmp/a b/ż.mdb"), "/tmp/a b/ż.mdb"},
        {openConnectionString("C:\\a;b\\x.mdb"), "C:\\a;b\\x.mdb"},
        {"provider=microsoft.jet.oledb.4.0;DATA SOURCE=x.mdb", "x.mdb"},
    };
    for (const auto& [text, path] : good) EXPECT_EQ(parseConnectionString(text).path, path) << text;
    EXPECT_EQ(parseConnectionString(creationConnectionString("a.mdb")).engineType, 5);
    EXPECT_EQ(parseConnectionString(openConnectionString("a.mdb")).mode, "ReadWrite|Share Deny None");
}

TEST(ConnectionString, OtherProvidersEnginesAndMissingPathsAreRefused) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"Provider=Microsoft.ACE.OLEDB.12.0;Data Source=a.mdb", "Microsoft.ACE.OLEDB.12.0"},
        {"Data Source=a.mdb", "Provider"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite", "Data Source"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=", "Data Source"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Engine Type=4;Data Source=a.mdb", "4"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Engine Type=x;Data Source=a.mdb", "x"},
    };
    for (const auto& [text, mention] : bad) {
        try {
            parseConnectionString(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const CatalogError& e) {
            EXPECT_NE(std::string(e.what()).find(mention), std::string::npos) << e.what();
        }
    }
}

// Texts edited by hand: keys in any case and spacing, a ';' or an unknown key inside the path,
// repeated keys (the last counts), and what is refused, word for word.
TEST(ConnectionString, HandWrittenTextsAreReadAsTheProviderReadsThem) {
    const std::string jet = "Provider=Microsoft.Jet.OLEDB.4.0;";
    const struct {
        std::string text, path, mode;
        std::optional<int> engineType;
    } good[] = {
        {jet + "Data Source=C:\\a;b;c.mdb;Mode=Read", "C:\\a;b;c.mdb", "Read", {}},
        {jet + "Data Source=x.mdb;;", "x.mdb", "", {}},
        {"Data Source= a.mdb ; PROVIDER = microsoft.jet.oledb.4.0 ", " a.mdb ", "", {}},
        {jet + "Data Source=a.mdb;Foo=bar;mode= Share Deny None ", "a.mdb;Foo=bar", "Share Deny None", {}},
        {jet + "Foo=bar;Data Source=a.mdb;Data Source=b.mdb;x", "b.mdb;x", "", {}},
        {jet + "Data Source=a.mdb;Jet OLEDB:Engine Type= 5x", "a.mdb", "", 5},
        {jet + "Data Source=a.mdb;Jet OLEDB:Engine Type=\t+5", "a.mdb", "", 5},
        {jet + "Mode=Read;Data Source=a=b.mdb;User ID=Admin", "a=b.mdb", "Read", {}},
        {"x;" + jet + "Data Source=a.mdb", "a.mdb", "", {}},
    };
    for (const auto& c : good) {
        const ConnectionSettings settings = parseConnectionString(c.text);
        EXPECT_EQ(settings.path, c.path) << c.text;
        EXPECT_EQ(settings.mode, c.mode) << c.text;
        EXPECT_EQ(settings.engineType, c.engineType) << c.text;
    }
    const std::pair<std::string, std::string> bad[] = {
        {"", "Brak dostawcy (Provider) w tekście połączenia z bazą danych."},
        {jet + "Provider=Inny;Data Source=a.mdb",
         "Nieobsługiwany dostawca bazy danych: \"Inny\" (obsługiwany jest tylko Microsoft.Jet.OLEDB.4.0)."},
        {jet + "Jet OLEDB:Engine Type=99999999999;Data Source=a.mdb",
         "Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"99999999999\"."},
        {jet + "Jet OLEDB:Engine Type= -4 ;Data Source=a.mdb",
         "Nieobsługiwany typ silnika bazy danych: -4 (obsługiwany jest tylko typ 5, format Jet 4)."},
        // Read as stoi reads: white space and a sign first, digits, whatever follows ignored;
        // the int range's ends are numbers, one past them is none.
        {jet + "Jet OLEDB:Engine Type=\t+4x;Data Source=a.mdb",
         "Nieobsługiwany typ silnika bazy danych: 4 (obsługiwany jest tylko typ 5, format Jet 4)."},
        {jet + "Jet OLEDB:Engine Type=-2147483648;Data Source=a.mdb",
         "Nieobsługiwany typ silnika bazy danych: -2147483648 (obsługiwany jest tylko typ 5, format Jet 4)."},
        {jet + "Jet OLEDB:Engine Type=2147483648;Data Source=a.mdb",
         "Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"2147483648\"."},
        {jet + "Jet OLEDB:Engine Type=-2147483649;Data Source=a.mdb",
         "Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"-2147483649\"."},
        {jet + "Jet OLEDB:Engine Type=+;Data Source=a.mdb",
         "Nieprawidłowy typ silnika bazy danych w tekście połączenia: \"+\"."},
        {jet + "Data Source=;", "Brak ścieżki pliku bazy danych (Data Source) w tekście połączenia."},
    };
    for (const auto& [text, said] : bad) {
        try {
            parseConnectionString(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const CatalogError& e) {
            EXPECT_EQ(e.what(), said);
        }
    }
}

TEST(FieldValue, NumbersCompareNumericallyTextsExactly) {
    struct Case {
        Value a, b;
        bool equal;
    };
    const std::vector<Case> cases = {
        {Value(std::int32_t(5)), Value(std::int16_t(5)), true},
        {Value(std::int32_t(5)), Value(5.0), true},
        {Value(std::int32_t(5)), Value(std::int32_t(6)), false},
        {Value::text("ABC"), Value::text("ABC"), true},
        {Value::text("ABC"), Value::text("abc"), false},
        {Value::text("ABC "), Value::text("ABC"), false},
        {Value::text("5"), Value(std::int32_t(5)), false},
        {Value(), Value(), true},
        {Value(), Value::text(""), false},
        {Value(true), Value(true), true},
    };
    for (const Case& c : cases) EXPECT_EQ(valuesEqual(c.a, c.b), c.equal) << valueAsText(c.a) << " / " << valueAsText(c.b);
    EXPECT_EQ(valueAsText(Value()), "");
    EXPECT_EQ(valueAsText(Value(std::int32_t(-12))), "-12");
    EXPECT_EQ(valueAsText(Value::text("ż")), "ż");
}

class TableObjects : public ::testing::Test {
protected:
    void SetUp() override {
        path = (dir.path() / "t.mdb").string();
        auto db = jet::write::DatabaseWriter::create(platform::realFileSystem(), path);
        db->createTable({"Dodatki",
                         {{"ID", jet::ColumnType::Int32, 0}, {"Nazwa", jet::ColumnType::Text, 10},
                          {"Dodatek_wst", jet::ColumnType::Bool, 0}},
                         jet::write::PrimaryKeyShape{"Primary", "ID"}});
        db->createTable({"Pusta", {{"a", jet::ColumnType::Text, 5}}, {}});
        db->appendRow("Dodatki", {Value(std::int32_t(1)), Value::text("jeden"), Value(true)});
        db->appendRow("Dodatki", {Value(std::int32_t(2)), Value(), Value(false)});
        db->close();
    }
    void openTable(Connection& c, Table& t, const std::string& name, bool readOnly) {
        c.setConnectionString(openConnectionString(path));
        c.setLoginPrompt(false);
        c.connect();
        t.setConnection(&c);
        t.setReadOnly(readOnly);
        t.setConnectionString(openConnectionString(path));
        t.setTableName(name);
        t.open();
        t.first();
    }
    testsupport::TempDir dir;
    std::string path;
};

TEST_F(TableObjects, AWalkMeetsEveryRecordOnceAndNullReadsAsEmptyText) {
    Connection c(platform::realFileSystem());
    Table t;
    openTable(c, t, "Dodatki", true);
    std::vector<std::string> seen;
    for (; !t.eof(); t.next()) seen.push_back(t.fieldByName("ID").asString() + ":" + t.fieldByName("Nazwa").asString());
    EXPECT_EQ(seen, (std::vector<std::string>{"1:jeden", "2:"}));
    EXPECT_THROW(t.fieldByName("Brak"), CatalogError);
    Table empty;
    empty.setConnection(&c);
    empty.setTableName("Pusta");
    empty.open();
    empty.first();
    EXPECT_TRUE(empty.eof());
    Table missing;
    missing.setConnection(&c);
    missing.setTableName("Nieistniejaca");
    EXPECT_THROW(missing.open(), CatalogError);
}

TEST_F(TableObjects, PostedRecordsAreMetByTheNextWalkAndRepeatedKeysRefused) {
    Connection source(platform::realFileSystem()), destination(platform::realFileSystem());
    Table from, to;
    openTable(source, from, "Dodatki", true);
    // The destination is another file with the same table, as in the merge.
    const std::string other = (dir.path() / "dn.mdb").string();
    std::filesystem::copy_file(path, other);
    destination.setConnectionString(openConnectionString(other));
    destination.connect();
    to.setConnection(&destination);
    to.setTableName("Dodatki");
    to.open();
    to.first();
    // A new record copied field by field with typed values, nulls included.
    to.insert();
    for (const char* name : {"ID", "Nazwa", "Dodatek_wst"}) to.fieldByName(name).setValue(from.fieldByName(name).value());
    to.fieldByName("ID").setValue(Value(std::int32_t(3)));
    to.post();
    to.first();
    int count = 0;
    bool found = false;
    for (; !to.eof(); to.next(), ++count)
        if (to.fieldByName("ID").value() == Value(std::int32_t(3))) {
            found = true;
            EXPECT_EQ(to.fieldByName("Nazwa").value(), Value::text("jeden"));
            EXPECT_EQ(to.fieldByName("Dodatek_wst").value(), Value(true));
        }
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(found);
    to.insert();
    to.fieldByName("ID").setValue(Value(std::int32_t(2)));
    try {
        to.post();
        ADD_FAILURE() << "repeated key posted";
    } catch (const CatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("`Primary`"), std::string::npos) << e.what();
    }
    EXPECT_THROW(from.insert(), CatalogError);  // read-only
    to.close();
    destination.disconnect();
    // Disconnected, the file is free to be moved and read by others.
    const std::string moved = (dir.path() / "moved.mdb").string();
    std::filesystem::rename(other, moved);
    Connection again(platform::realFileSystem());
    Table check;
    again.setConnectionString(openConnectionString(moved));
    again.connect();
    check.setConnection(&again);
    check.setTableName("dodatki");
    check.open();
    int rows = 0;
    for (check.first(); !check.eof(); check.next()) ++rows;
    EXPECT_EQ(rows, 3);
}

TEST_F(TableObjects, AMissingOrDamagedFileCannotBeConnected) {
    Connection c(platform::realFileSystem());
    c.setConnectionString(openConnectionString((dir.path() / "brak.mdb").string()));
    EXPECT_THROW(c.connect(), CatalogError);
    const std::string junk = (dir.path() / "junk.mdb").string();
    testsupport::writeFile(junk, std::string(8192, 'x'));
    c.setConnectionString(openConnectionString(junk));
    try {
        c.connect();
        ADD_FAILURE() << "connected to junk";
    } catch (const CatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("junk.mdb"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(c.connected());
}

}  // namespace
