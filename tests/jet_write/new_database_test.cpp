// A new database as the engine makes it: page 0, the system tables, the catalog rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "jet/write/database_writer.h"
#include "jet/write/header_page.h"
#include "jet/database.h"
#include "jet/page_file.h"
#include "jet/table_definition.h"
#include "jet/write/system_tables.h"
#include "jet/write/table_definition.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;

std::string enginePath() {
    return (testsupport::testDataDir() / "jet4" / "corpus" / "jackcess" / "adox_jet4.mdb").string();
}

TEST(NewDatabase, HeaderPageEqualsTheEnginesForTheSameDateAndBuild) {
    const std::string engine = testsupport::readFile(enginePath());
    const Page page = buildHeaderPage(kReferenceCreationDate, kReferenceEngineBuild);
    for (std::size_t i = 0; i < kPageSize; ++i)
        ASSERT_EQ(page[i], static_cast<std::uint8_t>(engine[i])) << "byte 0x" << std::hex << i;
}

// The engine's definitions as the reader decodes them, taken over by the writer.
TableDefinition storedDefinition(jet::PageFile& file, PageNumber page) {
    return writableDefinition(jet::readTableDefinition(file, page));
}

TEST(NewDatabase, SystemTableDefinitionsMatchTheEngines) {
    jet::PageFile engine(jet::openFileSource(platform::realFileSystem(), enginePath(), jet::OpenMode::ReadOnly));
    const TableDefinition ours[] = {msysObjectsDefinition(), msysAcesDefinition(),
                                    msysQueriesDefinition(), msysRelationshipsDefinition()};
    for (PageNumber page = 2; page <= 5; ++page) {
        SCOPED_TRACE("TDEF page " + std::to_string(page));
        const TableDefinition theirs = storedDefinition(engine, page);
        const TableDefinition& mine = ours[page - 2];
        EXPECT_EQ(mine.tableType, theirs.tableType);
        EXPECT_EQ(mine.maxColumns, theirs.maxColumns);
        EXPECT_EQ(mine.varColumns, theirs.varColumns);
        ASSERT_EQ(mine.columns.size(), theirs.columns.size());
        for (const auto& b : theirs.columns) {
            SCOPED_TRACE(b.name);
            const ColumnDefinition* a = mine.columnByNumber(b.number);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->name, b.name);
            EXPECT_EQ(a->type, b.type);
            EXPECT_EQ(a->varIndex, b.varIndex);
            EXPECT_EQ(a->flags, b.flags);
            EXPECT_EQ(a->extFlags, b.extFlags);
            EXPECT_EQ(a->length, b.length);
            if (a->fixed()) {
                EXPECT_EQ(a->fixedOffset, b.fixedOffset);
            }
        }
        // Stored order: the engine sorts the descriptors by name.
        const auto names = [](const TableDefinition& t) {
            std::vector<std::string> out;
            for (const auto& c : t.columns) out.push_back(c.name);
            return out;
        };
        auto sorted = names(theirs);
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(names(mine), sorted);
        ASSERT_EQ(mine.physical.size(), theirs.physical.size());
        for (std::size_t i = 0; i < mine.physical.size(); ++i) {
            EXPECT_EQ(mine.physical[i].flags, theirs.physical[i].flags);
            ASSERT_EQ(mine.physical[i].columns.size(), theirs.physical[i].columns.size());
            for (std::size_t k = 0; k < mine.physical[i].columns.size(); ++k)
                EXPECT_EQ(mine.physical[i].columns[k].columnNumber, theirs.physical[i].columns[k].columnNumber);
        }
        ASSERT_EQ(mine.logical.size(), theirs.logical.size());
        for (std::size_t i = 0; i < mine.logical.size(); ++i) {
            EXPECT_EQ(mine.logical[i].name, theirs.logical[i].name);
            EXPECT_EQ(mine.logical[i].number, theirs.logical[i].number);
            EXPECT_EQ(mine.logical[i].physical, theirs.logical[i].physical);
            EXPECT_EQ(mine.logical[i].type, theirs.logical[i].type);
        }
    }
}

// The writer takes over what the reader decoded; encoding that again gives the bytes we
// stored, so the conversion between the two models loses nothing the writer wrote.
TEST(NewDatabase, ATakenOverDefinitionEncodesToTheStoredBytes) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "taken_over.mdb").string();
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        // Names in column-number order: the stored descriptors are sorted by name.
        db->createTable(TableShape{"Pozycje",
                                   {{"A_ID", jet::ColumnType::Int32, 0},
                                    {"B_Nazwa", jet::ColumnType::Text, 50},
                                    {"C_Aktywny", jet::ColumnType::Bool, 0},
                                    {"D_Kod", jet::ColumnType::Text, 10}},
                                   PrimaryKeyShape{"Primary", "A_ID"}});
        db->appendRow("Pozycje", {jet::Value(1), jet::Value::text("Stół"), jet::Value(true), jet::Value::text("S1")});
        db->close();
    }
    jet::Database database = jet::Database::open(platform::realFileSystem(), file);
    const PageNumber tdef = database.findTable("Pozycje")->definitionPage;
    const std::vector<std::uint8_t> encoded =
        encodeTableDefinition(writableDefinition(jet::readTableDefinition(database.pages(), tdef)));
    const jet::PageRef stored = database.pages().page(tdef);
    ASSERT_LT(encoded.size(), kPageSize);
    // Bytes 2 to 7 (free space, next page) are set when the definition is laid out on pages.
    EXPECT_EQ(std::vector<std::uint8_t>(encoded.begin() + 8, encoded.end()),
              std::vector<std::uint8_t>(stored->begin() + 8, stored->begin() + encoded.size()));
}

TEST(NewDatabase, CatalogHoldsTheEnginesObjectsAndPermissions) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "empty.mdb").string();
    DatabaseWriter::create(platform::realFileSystem(), file)->close();
    jet::PageFile ours(jet::openFileSource(platform::realFileSystem(), file, jet::OpenMode::ReadOnly));
    jet::PageFile engine(jet::openFileSource(platform::realFileSystem(), enginePath(), jet::OpenMode::ReadOnly));
    // Same row counts and distinct-key counts in MSysObjects and MSysACEs as the engine's.
    for (PageNumber page : {PageNumber(2), PageNumber(3)}) {
        const auto mine = storedDefinition(ours, page == 2 ? 2 : 6);
        const auto theirs = storedDefinition(engine, page);
        EXPECT_EQ(mine.rowCount, theirs.rowCount) << "TDEF " << page;
        for (std::size_t i = 0; i < mine.physical.size(); ++i)
            EXPECT_EQ(mine.physical[i].distinctKeys, theirs.physical[i].distinctKeys) << "TDEF " << page;
    }
}

TEST(NewDatabase, IndependentReadersListOnlyTheSystemTables) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "empty.mdb").string();
    DatabaseWriter::create(platform::realFileSystem(), file)->close();
    EXPECT_TRUE(testsupport::mdbReaderTables(file).empty());
    EXPECT_TRUE(testsupport::mdbToolsTables(file).empty());
    const std::vector<std::string> system{"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
    EXPECT_EQ(testsupport::mdbReaderTables(file, true), system);
    auto listed = testsupport::mdbToolsTables(file, true);
    for (auto& name : listed) name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    EXPECT_EQ(listed, system);
}

}  // namespace
