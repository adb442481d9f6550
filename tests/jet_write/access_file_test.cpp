// Appending to files that Access made: the old rows stay, the new ones follow, the keys of
// the existing indexes are refused when repeated.
#include <gtest/gtest.h>

#include "jet/database.h"
#include "jet/write/database_writer.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::Value;
using jetwritetest::Row;

std::string corpusCopy(const testsupport::TempDir& dir, const std::string& relative) {
    const auto from = testsupport::testDataDir() / "jet4" / "corpus" / relative;
    const std::string to = (dir.path() / "copy.mdb").string();
    testsupport::writeFile(to, testsupport::readFile(from));
    return to;
}

std::vector<Row> existingRows(const std::string& file, const std::string& table) {
    jet::Database db = jet::Database::open(platform::realFileSystem(), file);
    auto cursor = db.table(table).rows();
    std::vector<Row> rows;
    while (cursor.next()) rows.push_back(cursor.values());
    return rows;
}

struct AccessCase {
    const char* file;
    const char* table;
    std::vector<std::string> columns;
    std::vector<Row> added;
    Row repeated;  // repeats a key of the file's own rows
};

TEST(AccessFile, RowsAppendedToAccessTablesReadBackWithTheOldOnes) {
    SKIP_WITHOUT_ORACLES();
    const std::vector<AccessCase> cases = {
        {"access_parser/test.mdb", "ClarotyTable", {"ID", "Field1", "Field2", "Field3"},
         {{Value(std::int32_t(3)), Value::text("trzeci"), Value::text("Zażółć"), Value()},
          {Value(std::int32_t(40)), Value::text(""), Value(), Value::text(std::string(255, 'x'))}},
         {Value(std::int32_t(1)), Value::text("dup"), Value(), Value()}},
        {"jackcess/compIndexTestV2000.mdb", "Table1", {"CD_AGENTE", "RS_AGENTE", "DC_AGENTE"},
         {{Value(std::int32_t(100000)), Value::text("nowy agent"), Value::text("opis")},
          {Value(std::int32_t(-5)), Value::text("abc"), Value::text("zzz")}},
         {}},
    };
    for (const AccessCase& c : cases) {
        SCOPED_TRACE(c.file);
        testsupport::TempDir dir;
        const std::string file = corpusCopy(dir, c.file);
        std::vector<Row> rows = existingRows(file, c.table);
        ASSERT_FALSE(rows.empty());
        {
            auto db = DatabaseWriter::open(platform::realFileSystem(), file);
            for (const Row& row : c.added) db->appendRow(c.table, rows.emplace_back(row));
            if (!c.repeated.empty()) {
                EXPECT_THROW(db->appendRow(c.table, c.repeated), RowRefused);
            }
            db->close();
        }
        jetwritetest::expectReadersSee(file, c.table, c.columns, rows);
    }
}

TEST(AccessFile, AnAccessCounterFollowsAnExplicitlyGivenValue) {
    testsupport::TempDir dir;
    const std::string file = corpusCopy(dir, "access_parser/test.mdb");
    auto db = DatabaseWriter::open(platform::realFileSystem(), file);
    ASSERT_EQ(db->table("ClarotyTable").autoNumber, 2u);
    db->appendRow("ClarotyTable", {Value(std::int32_t(17)), Value::text("a"), Value(), Value()});
    EXPECT_EQ(db->table("ClarotyTable").autoNumber, 17u);
    db->appendRow("ClarotyTable", {Value(std::int32_t(9)), Value::text("b"), Value(), Value()});
    EXPECT_EQ(db->table("ClarotyTable").autoNumber, 17u);
}

TEST(AccessFile, TablesAddedToAnAccessFileAreListedByEveryReader) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = corpusCopy(dir, "jackcess/compIndexTestV2000.mdb");
    {
        auto db = DatabaseWriter::open(platform::realFileSystem(), file);
        db->createTable(TableShape{"Nowa", {{"ID", jet::ColumnType::Int32, 0}, {"t", jet::ColumnType::Text, 9}},
                                  PrimaryKeyShape{"Primary", "ID"}});
        db->appendRow("Nowa", {Value(std::int32_t(1)), Value::text("ąę")});
        db->close();
    }
    const auto listed = testsupport::mdbReaderTables(file);
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Nowa"), listed.end());
    jetwritetest::expectReadersSee(file, "Nowa", {"ID", "t"}, {{Value(std::int32_t(1)), Value::text("ąę")}});
    jetwritetest::expectReadersSee(file, "Table1", {"CD_AGENTE", "RS_AGENTE", "DC_AGENTE"},
                                   existingRows(file, "Table1"));
}

}  // namespace
