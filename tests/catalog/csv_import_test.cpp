// CSV rows appended to a catalog: values, nulls, quoting, and errors naming line and column.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_error.h"
#include "catalog/csv_import.h"
#include "catalog/csv_reader.h"
#include "jet/database.h"
#include "jet/value_text.h"
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

std::vector<std::vector<Value>> rowsOf(const std::string& path, const std::string& table) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), path);
    jet::RowCursor rows = database.table(table).rows();
    std::vector<std::vector<Value>> all;
    while (rows.next()) all.push_back(rows.values());
    return all;
}

// The rows as CSV lines, for readable differences.
std::vector<std::string> linesOf(const std::vector<std::vector<Value>>& rows) {
    std::vector<std::string> lines;
    for (const auto& row : rows) {
        lines.emplace_back();
        for (const Value& value : row) jet::appendCsvValue(value, lines.back() += ',');
    }
    return lines;
}

// What Excel in Poland saves (semicolons, Windows-1250, CR LF, a decimal comma unquoted) and
// the same rows as UTF-8 with a byte-order mark land as the rows of their plain UTF-8 twin.
TEST_F(CsvImport, ExcelFilesLandAsTheRowsOfTheirUtf8Twin) {
    const std::string utf8 =
        "ID,Nazwa,Dodatek_wst,cena,Opis_Produktu\n"
        "1,Szafka dolna ŁĄCZNA,tak,\"489,00\",\"Półka; drzwi \"\"cichy domyk\"\"\"\n"
        "2,Żółć gęślą jaźń,nie,\"1 234,50\",\n";
    const std::string excel =
        "ID;Nazwa;Dodatek_wst;cena;Opis_Produktu\r\n"
        "1;Szafka dolna \xA3\xA5" "CZNA;tak;489,00;\"P\xF3\xB3ka; drzwi \"\"cichy domyk\"\"\"\r\n"
        "2;\xAF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1;nie;1 234,50;\r\n";
    std::string marked = "\xEF\xBB\xBF" + utf8;
    for (char& c : marked)
        if (c == ',') c = '\t';
    marked.replace(marked.find("\"489\t00\""), 8, "489,00");
    marked.replace(marked.find("\"1 234\t50\""), 10, "1 234,50");

    const std::string twin = dir.folder() + "twin.mdb";
    std::filesystem::copy_file(file, twin);
    const auto plain = catalog::importCsv(platform::realFileSystem(), twin, "Dodatki", utf8, catalog::CsvFormat{});
    EXPECT_EQ(plain.rows, 2u);
    EXPECT_EQ(plain.separator, ',');
    EXPECT_EQ(plain.encoding, catalog::CsvEncoding::Utf8);
    EXPECT_FALSE(plain.byteOrderMark);
    const auto expected = rowsOf(twin, "Dodatki");
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(expected[0][1 + 3], Value::text("Szafka dolna ŁĄCZNA"));

    struct Case {
        std::string csv;
        char separator;
        catalog::CsvEncoding encoding;
        bool bom;
    };
    for (const Case& c : {Case{excel, ';', catalog::CsvEncoding::Windows1250, false},
                          Case{marked, '\t', catalog::CsvEncoding::Utf8, true}}) {
        SCOPED_TRACE(c.csv.substr(0, 20));
        const std::string path = dir.folder() + "excel.mdb";
        std::filesystem::remove(path);
        std::filesystem::copy_file(file, path);
        const auto summary = catalog::importCsv(platform::realFileSystem(), path, "Dodatki", c.csv, catalog::CsvFormat{});
        EXPECT_EQ(summary.rows, 2u);
        EXPECT_EQ(summary.separator, c.separator);
        EXPECT_EQ(summary.encoding, c.encoding);
        EXPECT_EQ(summary.byteOrderMark, c.bom);
        EXPECT_TRUE(summary.separatorDetected && summary.encodingDetected);
        EXPECT_EQ(linesOf(rowsOf(path, "Dodatki")), linesOf(expected));
    }
}

// The format given wins over detection: Windows-1250 text read as UTF-8 is refused by line and
// column, and a wrong separator leaves the header one unknown column.
TEST_F(CsvImport, AGivenFormatIsTakenAsGiven) {
    const std::string before = testsupport::readFile(file);
    const std::string excel = "ID;Nazwa\r\n1;\xA3\xF3\xBFko\r\n";
    try {
        catalog::importCsv(platform::realFileSystem(), file, "Dodatki", excel,
                           catalog::CsvFormat{';', catalog::CsvEncoding::Utf8});
        ADD_FAILURE() << "imported";
    } catch (const catalog::CatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("linia 2, kolumna `Nazwa`: tekst nie jest poprawnym UTF-8"), std::string::npos)
            << e.what();
    }
    EXPECT_THROW(catalog::importCsv(platform::realFileSystem(), file, "Dodatki", excel, catalog::CsvFormat{',', {}}),
                 catalog::CatalogError);
    EXPECT_EQ(testsupport::readFile(file), before);
    const auto taken = catalog::importCsv(platform::realFileSystem(), file, "Dodatki", excel,
                                          catalog::CsvFormat{';', catalog::CsvEncoding::Windows1250});
    EXPECT_FALSE(taken.separatorDetected || taken.encodingDetected);
    EXPECT_EQ(rowsOf(file, "Dodatki")[0][4], Value::text("Łóżko"));
}

// Number and currency columns of a catalog made elsewhere take Excel's decimal commas.
TEST_F(CsvImport, DecimalCommasFillNumberAndCurrencyColumns) {
    const std::string path = dir.folder() + "types.mdb";
    std::filesystem::copy_file(testsupport::testDataDir() / "jet4" / "corpus" / "jackcess" / "testV2000.mdb", path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    const std::string csv = "A;C;F;H\r\nnowy;7;1 234,5;1 234,56 z\xB3\r\n";
    EXPECT_EQ(catalog::importCsv(platform::realFileSystem(), path, "Table1", csv, catalog::CsvFormat{}).rows, 1u);
    const auto rows = rowsOf(path, "Table1");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][5], Value(1234.5));
    EXPECT_EQ(rows[2][7], Value(jet::Currency{12345600}));
    try {
        catalog::importCsv(platform::realFileSystem(), path, "Table1", "A;H\nx;12,5 EUR\n", catalog::CsvFormat{});
        ADD_FAILURE() << "imported";
    } catch (const catalog::CatalogError& e) {
        EXPECT_NE(std::string(e.what()).find("linia 2, kolumna `H`"), std::string::npos) << e.what();
    }
}

}  // namespace
