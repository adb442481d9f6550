// CSV rows appended to a catalog: values, nulls, quoting, and errors naming line and column.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_error.h"
#include "catalog/csv_import.h"
#include "catalog/csv_reader.h"
#include "platform/file_system.h"
#include "tests/catalog/recording_log.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using jet::Value;

class CsvImport : public ::testing::Test {
protected:
    void SetUp() override {
        file = dir.folder() + "dodatki.mdb";
        catalogtest::RecordingLog log;
        catalog::CatalogCreation creation(log, platform::realFileSystem());
        ASSERT_TRUE(creation.MDBCreate(file));
    }
    testsupport::TempDir dir;
    std::string file;
};

TEST(CsvReader, QuotedFieldsLineBreaksAndLineNumbers) {
    const auto records = catalog::parseCsv("\xEF\xBB\xBF" "a,b\r\n\"x, \"\"y\"\"\",\"dwie\nlinie\"\n\n1,\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"x, \"y\"", "dwie\nlinie"}));
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].fields, (std::vector<std::string>{"1", ""}));
    EXPECT_EQ(records[2].line, 5u);
    EXPECT_THROW(catalog::parseCsv("a\n\"open"), std::runtime_error);
}

// The reader refills its buffer mid-field, mid-quote and between a quote and its double: fed
// a byte at a time, or with fields longer than its buffer, it reads what it reads whole.
TEST(CsvReader, RecordsAreTheSameWhateverTheSourceHandsOverAtATime) {
    const std::string longField(200000, 'x');
    const std::string text = "\xEF\xBB\xBF" "a,b\r\n\"x, \"\"y\"\"\",\"dwie\nlinie\"\r\n\n1,\n" + longField + ",\"" +
                             longField + "\"\"\"\n";
    const auto whole = catalog::parseCsv(text);
    ASSERT_EQ(whole.size(), 4u);
    EXPECT_EQ(whole[3].fields, (std::vector<std::string>{longField, longField + "\""}));
    EXPECT_EQ(whole[3].line, 6u);
    for (std::size_t step : {std::size_t(1), std::size_t(2), std::size_t(7)}) {
        SCOPED_TRACE(step);
        std::size_t at = 0;
        catalog::CsvReader reader([&](char* out, std::size_t capacity) {
            const std::size_t n = std::min({step, capacity, text.size() - at});
            std::copy_n(text.data() + at, n, out);
            at += n;
            return n;
        });
        catalog::CsvRecord record;
        for (const auto& expected : whole) {
            ASSERT_TRUE(reader.next(record));
            EXPECT_EQ(record.line, expected.line);
            EXPECT_EQ(record.fields, expected.fields);
        }
        EXPECT_FALSE(reader.next(record));
    }
}

TEST(CsvReader, AQuoteLeftOpenOrFollowedByTextNamesItsLine) {
    for (const auto& [text, line] : std::vector<std::pair<std::string, std::string>>{
             {"a\n\"open", "linia 2: cudzysłów otwarty"},
             {"a\nb\n\"x\ny\"z\n", "linia 4: tekst po zamykającym"},
             {"a\n\"\"\"", "linia 2: cudzysłów otwarty"}}) {
        try {
            catalog::parseCsv(text);
            ADD_FAILURE() << text;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
        }
    }
}

// The rows go in as they are read; a bad line far into the file still changes nothing.
TEST_F(CsvImport, ABadLineAfterManyRowsChangesNothing) {
    const std::string before = testsupport::readFile(file);
    std::string csv = "ID,Nazwa\n";
    for (int id = 1; id <= 3000; ++id) csv += std::to_string(id) + ",Stół " + std::to_string(id) + "\n";
    csv += "3001,\"niedomknięty\n";
    try {
        catalog::importCsv(platform::realFileSystem(), file, "Dodatki", csv);
        ADD_FAILURE() << "imported";
    } catch (const catalog::CatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("linia 3002: cudzysłów otwarty"), std::string::npos) << e.what();
    }
    EXPECT_EQ(testsupport::readFile(file), before);
    EXPECT_FALSE(std::filesystem::exists(file + ".import-tmp"));
}

TEST_F(CsvImport, RowsLandWithNullsEmptyFieldsAndPolishLetters) {
    const std::string csv =
        "Producent,Nazwa,kod\n"
        "ABC,\"Fabryka Mebli \"\"Dąb\"\", sp. z o.o.\",00-950\n"
        "xyz,,\n";
    EXPECT_EQ(catalog::importCsv(platform::realFileSystem(), file, "info_producent", csv), 2u);
    EXPECT_EQ(catalog::importCsv(platform::realFileSystem(), file, "Dodatki", "id,Nazwa,Dodatek_wst\n5,Krzesło,tak\n6,Stół,0\n"), 2u);
    std::vector<jetwritetest::Row> producers(2, jetwritetest::Row(9));
    producers[0][0] = Value::text("ABC");
    producers[0][1] = Value::text("Fabryka Mebli \"Dąb\", sp. z o.o.");
    producers[0][4] = Value::text("00-950");
    producers[1][0] = Value::text("xyz");
    const std::vector<std::string> columns{"Producent", "Nazwa", "Ulica", "Miasto", "kod", "Tel", "Fax", "e_mail", "osoba"};
    if (testsupport::oraclesMissing().empty())
        jetwritetest::expectReadersSee(file, "info_producent", columns, producers);
    else
        jetwritetest::expectOurReaderSees(file, "info_producent", columns, producers);
}

TEST_F(CsvImport, ABadLineNamesLineAndColumnAndChangesNothing) {
    ASSERT_EQ(catalog::importCsv(platform::realFileSystem(), file, "Dodatki", "ID\n1\n"), 1u);
    const std::string before = testsupport::readFile(file);
    struct Case {
        const char* csv;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases = {
        {"ID,Nazwa\n2,a\nx,b\n", {"linia 3", "`ID`", "liczbą"}},
        {"ID,Dodatek_wst\n2,może\n", {"linia 2", "`Dodatek_wst`"}},
        {"ID,Kod_Wstawiania\n2,abcd\n", {"linia 2", "`Kod_Wstawiania`", "mieści 3"}},
        {"ID\n2\n1\n", {"linia 3", "ID = 1", "`Primary`"}},
        {"ID,Brak\n2,x\n", {"linia 1", "`Brak`"}},
        {"ID,Nazwa\n2\n", {"linia 2", "pól"}},
        {"ID,Nazwa\n2,\xC3\x28\n", {"linia 2", "`Nazwa`", "UTF-8"}},
        {"", {"nagłówka"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv);
        try {
            catalog::importCsv(platform::realFileSystem(), file, "Dodatki", c.csv);
            ADD_FAILURE() << "imported";
        } catch (const catalog::CatalogError& e) {
            for (const auto& part : c.mentions)
                EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what() << " lacks " << part;
        }
        EXPECT_EQ(testsupport::readFile(file), before);
    }
}

}  // namespace
