// A new database as the engine makes it: page 0, the system tables, the catalog rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "jet/write/database_writer.h"
#include "jet/write/header_page.h"
#include "jet/write/page_cache.h"
#include "jet/write/system_tables.h"
#include "jet/write/table_definition.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;

std::string enginePath() {
    return (testsupport::sharedDir() / "jet4" / "corpus" / "jackcess" / "adox_jet4.mdb").string();
}

TEST(NewDatabase, HeaderPageEqualsTheEnginesForTheSameDateAndBuild) {
    const std::string engine = testsupport::readFile(enginePath());
    const Page page = buildHeaderPage(kReferenceCreationDate, kReferenceEngineBuild);
    for (std::size_t i = 0; i < kPageSize; ++i)
        ASSERT_EQ(page[i], static_cast<std::uint8_t>(engine[i])) << "byte 0x" << std::hex << i;
}

TEST(NewDatabase, SystemTableDefinitionsMatchTheEngines) {
    PageCache engine(jet::openFileSource(platform::realFileSystem(), enginePath(), jet::OpenMode::ReadOnly));
    const TableDefinition ours[] = {msysObjectsDefinition(), msysAcesDefinition(),
                                    msysQueriesDefinition(), msysRelationshipsDefinition()};
    for (PageNumber page = 2; page <= 5; ++page) {
        SCOPED_TRACE("TDEF page " + std::to_string(page));
        const TableDefinition theirs = decodeTableDefinition(jet::Bytes(readTableDefinition(engine, page)));
        const TableDefinition& mine = ours[page - 2];
        EXPECT_EQ(mine.tableType, theirs.tableType);
        EXPECT_EQ(mine.maxColumns, theirs.maxColumns);
        EXPECT_EQ(mine.varColumns, theirs.varColumns);
        ASSERT_EQ(mine.columns.size(), theirs.columns.size());
        for (std::size_t i = 0; i < mine.columns.size(); ++i) {
            const auto& a = mine.columns[i];
            const auto& b = theirs.columns[i];
            SCOPED_TRACE(b.name);
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.type, b.type);
            EXPECT_EQ(a.number, b.number);
            EXPECT_EQ(a.varIndex, b.varIndex);
            EXPECT_EQ(a.flags, b.flags);
            EXPECT_EQ(a.misc, b.misc);
            EXPECT_EQ(a.length, b.length);
            if (a.fixed()) {
                EXPECT_EQ(a.fixedOffset, b.fixedOffset);
            }
        }
        ASSERT_EQ(mine.physical.size(), theirs.physical.size());
        for (std::size_t i = 0; i < mine.physical.size(); ++i) {
            EXPECT_EQ(mine.physical[i].flags, theirs.physical[i].flags);
            ASSERT_EQ(mine.physical[i].columns.size(), theirs.physical[i].columns.size());
            for (std::size_t k = 0; k < mine.physical[i].columns.size(); ++k)
                EXPECT_EQ(mine.physical[i].columns[k].column, theirs.physical[i].columns[k].column);
        }
        ASSERT_EQ(mine.logical.size(), theirs.logical.size());
        for (std::size_t i = 0; i < mine.logical.size(); ++i) {
            EXPECT_EQ(mine.logical[i].name, theirs.logical[i].name);
            EXPECT_EQ(mine.logical[i].number, theirs.logical[i].number);
            EXPECT_EQ(mine.logical[i].physical, theirs.logical[i].physical);
            EXPECT_EQ(mine.logical[i].type, theirs.logical[i].type);
            EXPECT_EQ(mine.logical[i].cascadeUpdate, theirs.logical[i].cascadeUpdate);
        }
    }
}

TEST(NewDatabase, CatalogHoldsTheEnginesObjectsAndPermissions) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "empty.mdb").string();
    DatabaseWriter::create(platform::realFileSystem(), file)->close();
    PageCache ours(jet::openFileSource(platform::realFileSystem(), file, jet::OpenMode::ReadOnly));
    PageCache engine(jet::openFileSource(platform::realFileSystem(), enginePath(), jet::OpenMode::ReadOnly));
    // Same row counts and distinct-key counts in MSysObjects and MSysACEs as the engine's.
    for (PageNumber page : {PageNumber(2), PageNumber(3)}) {
        const auto mine = decodeTableDefinition(jet::Bytes(readTableDefinition(ours, page == 2 ? 2 : 6)));
        const auto theirs = decodeTableDefinition(jet::Bytes(readTableDefinition(engine, page)));
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
