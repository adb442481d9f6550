// MDBCreate: the empty catalog file, its log lines and its clean-up contract.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/catalog_creation.h"
#include "catalog/catalog_schema.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/table.h"
#include "jet/database.h"
#include "platform/file_system.h"
#include "tests/catalog/recording_log.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/jet_oracles.h"
#include "tests/support/test_paths.h"

namespace {

using catalog::CatalogCreation;
using catalogtest::RecordingLog;
using Lines = std::vector<std::pair<std::int32_t, std::string>>;

const Lines kCreationLines = {
    {2, "Tworzenie pliku bazy danych."},
    {2, "Tworzenie tabeli `info_roducent`"},
    {2, "Tworzenie tabeli `Dodatki`"},
    {2, "Utworzono pustą bazę danych."},
};

// A text as long as the column allows, with Polish letters.
std::string maxText(int characters) {
    std::string out;
    for (int i = 0; i < characters; ++i) out += i % 2 ? "ż" : "A";
    return out;
}

std::vector<std::string> names(catalog::SchemaColumns columns) {
    std::vector<std::string> out;
    for (const auto& c : columns) out.push_back(c.name);
    return out;
}

TEST(MDBCreate, MakesBothTablesWithTheirColumnsInOrderAndTheKey) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    RecordingLog log;
    CatalogCreation creation(log, platform::realFileSystem());
    ASSERT_TRUE(creation.MDBCreate(file));
    EXPECT_EQ(log.lines, kCreationLines);
    EXPECT_EQ(creation.mdbBase, nullptr);

    jet::Database db = jet::Database::open(platform::realFileSystem(), file);
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"info_producent", "Dodatki"}));
    struct Expected {
        const char* table;
        catalog::SchemaColumns columns;
    };
    for (const Expected& e : {Expected{"info_producent", catalog::infoProducentColumns()},
                              Expected{"Dodatki", catalog::dodatkiColumns()}}) {
        SCOPED_TRACE(e.table);
        jet::Table t = db.table(e.table);
        ASSERT_EQ(t.columns().size(), e.columns.size());
        for (std::size_t i = 0; i < e.columns.size(); ++i) {
            const auto& column = t.columns()[i];
            EXPECT_EQ(column.name, e.columns[i].name);
            const jet::ColumnType type = e.columns[i].adoType == 3    ? jet::ColumnType::Int32
                                         : e.columns[i].adoType == 11 ? jet::ColumnType::Bool
                                                                      : jet::ColumnType::Text;
            EXPECT_EQ(column.type, type) << column.name;
            if (type == jet::ColumnType::Text) {
                EXPECT_EQ(column.length, 2 * e.columns[i].definedSize) << column.name;
            }
        }
    }
    EXPECT_TRUE(db.table("info_producent").indexes().empty());
    const jet::Table dodatki = db.table("Dodatki");
    ASSERT_EQ(dodatki.indexes().size(), 1u);
    EXPECT_EQ(dodatki.indexes()[0].name, "Primary");
    EXPECT_EQ(dodatki.indexes()[0].kind, jet::IndexKind::PrimaryKey);
    const auto& key = dodatki.physicalIndex(dodatki.indexes()[0]);
    ASSERT_EQ(key.columns.size(), 1u);
    EXPECT_EQ(key.flags & 0x01, 0x01);
}

TEST(MDBCreate, TheNewFileOpensAtOnceAndTakesRecordsWithEmptyAndNullTexts) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    RecordingLog log;
    CatalogCreation creation(log, platform::realFileSystem());
    ASSERT_TRUE(creation.MDBCreate(file));
    std::vector<jetwritetest::Row> rows;
    {
        catalog::Connection c(platform::realFileSystem());
        c.setConnectionString(catalog::openConnectionString(file));
        c.setLoginPrompt(false);
        c.connect();
        catalog::Table t;
        t.setConnection(&c);
        t.setTableName("Dodatki");
        t.open();
        for (std::int32_t id : {7, 3}) {
            t.insert();
            jetwritetest::Row row;
            for (const auto& column : catalog::dodatkiColumns()) {
                jet::Value v;
                if (column.adoType == 3) v = jet::Value(id);
                else if (column.adoType == 11) v = jet::Value(id == 7);
                else if (id == 7) v = jet::Value::text(maxText(column.definedSize));
                else v = std::string(column.name) == "Nazwa" ? jet::Value::text("") : jet::Value();
                t.fieldByName(column.name).setValue(v);
                row.push_back(v);
            }
            t.post();
            rows.push_back(row);
        }
        t.close();
        c.disconnect();
    }
    if (testsupport::oraclesMissing().empty()) {
        jetwritetest::expectReadersSee(file, "Dodatki", names(catalog::dodatkiColumns()), rows);
        jetwritetest::expectReadersSee(file, "info_producent", names(catalog::infoProducentColumns()), {});
    } else {
        jetwritetest::expectOurReaderSees(file, "Dodatki", names(catalog::dodatkiColumns()), rows);
    }
}

TEST(MDBCreate, AnExistingFileIsDeletedFirstAndReplaced) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    testsupport::writeFile(file, "stary plik");
    RecordingLog log;
    CatalogCreation creation(log, platform::realFileSystem());
    ASSERT_TRUE(creation.MDBCreate(file));
    Lines expected = {{2, "Znaleniono istniejący plik z dazą danych."}, {2, "Usunięto istniejący plik z dazą danych."}};
    expected.insert(expected.end(), kCreationLines.begin(), kCreationLines.end());
    EXPECT_EQ(log.lines, expected);
    EXPECT_EQ(jet::Database::open(platform::realFileSystem(), file).tableNames().size(), 2u);
}

TEST(MDBCreate, AFileThatCannotBeCreatedLeavesNothingAndReturnsFalse) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "brak" + static_cast<char>(std::filesystem::path::preferred_separator) + "dodatki.mdb";
    RecordingLog log;
    CatalogCreation creation(log, platform::realFileSystem());
    EXPECT_FALSE(creation.MDBCreate(file));
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], (std::pair<std::int32_t, std::string>{2, "Tworzenie pliku bazy danych."}));
    EXPECT_EQ(log.lines[1].first, 1);
    EXPECT_EQ(log.lines[1].second.rfind("[Błąd tworzenia bazy danych MDB.] Nie można utworzyć bazy danych " + file, 0), 0u)
        << log.lines[1].second;
    EXPECT_EQ(log.lines[1].second.find("cannot"), std::string::npos) << log.lines[1].second;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(creation.mdbBase, nullptr);
}

TEST(MDBCreate, AnUndeletableOldFileIsReportedAndTheCreationFails) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    testsupport::writeFile(file, "trzymany plik");
    testsupport::FaultInjectingFileSystem files(platform::realFileSystem());
    files.failOperation(testsupport::FileOperation::DeleteFile, "*dodatki.mdb");
    RecordingLog log;
    CatalogCreation creation(log, files);
    EXPECT_FALSE(creation.MDBCreate(file));
    ASSERT_GE(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], (std::pair<std::int32_t, std::string>{2, "Znaleniono istniejący plik z dazą danych."}));
    EXPECT_EQ(log.lines[1], (std::pair<std::int32_t, std::string>{1, "Błąd kasowania istniejącego pliku z dazą danych."}));
    EXPECT_EQ(log.lines[2], (std::pair<std::int32_t, std::string>{2, "Tworzenie pliku bazy danych."}));
    EXPECT_EQ(log.lines[3].second.rfind("[Błąd tworzenia bazy danych MDB.] ", 0), 0u) << log.lines[3].second;
    // The failed deletion is not reported as done, and the file it could not delete stays.
    for (const auto& line : log.lines) EXPECT_NE(line.second, "Usunięto błędnie utworzony plik z dazą danych.");
    EXPECT_EQ(testsupport::readFile(file), "trzymany plik");
}

}  // namespace
