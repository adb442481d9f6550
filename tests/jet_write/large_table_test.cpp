// A table of 200,000 rows: the primary-key index grows intermediate levels, and the index,
// the usage maps, the global page map and the stored counts agree with the pages written.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "jet/write/data_page.h"
#include "jet/write/database_writer.h"
#include "jet/write/index_page.h"
#include "jet/write/index_tree.h"
#include "jet/write/page_allocator.h"
#include "jet/write/page_cache.h"
#include "jet/database.h"
#include "jet/row_decoder.h"
#include "jet/table_definition.h"
#include "jet/usage_map.h"
#include "jet/write/usage_map.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;

constexpr std::int32_t kRows = 200000;

class LargeTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::TempDir;
        file_ = (dir_->path() / "large.mdb").string();
        // Keys in shuffled order, so that pages split in the middle as well as at the end.
        ids_.resize(kRows);
        for (std::int32_t i = 0; i < kRows; ++i) ids_[i] = i * 3 - 100000;
        std::shuffle(ids_.begin(), ids_.end(), std::mt19937(20261209));
        auto db = DatabaseWriter::create(platform::realFileSystem(), file_);
        db->createTable(TableShape{"Duza", {{"ID", ColumnType::Int32, 0}, {"Opis", ColumnType::Text, 20}},
                                  PrimaryKeyShape{"Primary", "ID"}});
        for (std::int32_t id : ids_) db->appendRow("Duza", {Value(id), Value::text(label(id))});
        db->close();
    }
    static void TearDownTestSuite() { delete dir_; }
    static std::string label(std::int32_t id) { return "ł" + std::to_string(id); }
    static std::vector<jetwritetest::Row> rows() {
        std::vector<jetwritetest::Row> out;
        for (std::int32_t id : ids_) out.push_back({Value(id), Value::text(label(id))});
        return out;
    }

    static testsupport::TempDir* dir_;
    static std::string file_;
    static std::vector<std::int32_t> ids_;
};
testsupport::TempDir* LargeTable::dir_ = nullptr;
std::string LargeTable::file_;
std::vector<std::int32_t> LargeTable::ids_;

TEST_F(LargeTable, OurReaderReadsEveryRowInWritingOrder) {
    jetwritetest::expectOurReaderSees(file_, "Duza", {"ID", "Opis"}, rows());
}

TEST_F(LargeTable, OutsideReadersReadEveryRowInWritingOrder) {
    SKIP_WITHOUT_ORACLES();
    jetwritetest::expectOutsideReadersSee(file_, "Duza", {"ID", "Opis"}, rows());
}

TEST_F(LargeTable, IndexPagesMapsAndCountsAgreeWithThePages) {
    PageCache cache(jet::openFileSource(platform::realFileSystem(), file_, jet::OpenMode::ReadOnly));
    PageAllocator allocator(cache);
    auto db = DatabaseWriter::openOn(jet::openFileSource(platform::realFileSystem(), file_, jet::OpenMode::ReadOnly));
    const TableDefinition def = db->table("Duza");
    PageNumber tdef = 0;
    jet::PageFile file(jet::openFileSource(platform::realFileSystem(), file_, jet::OpenMode::ReadOnly));
    for (PageNumber p = 1; p < cache.pageCount() && !tdef; ++p)
        if (cache.read(p)[0] == 2 && cache.read(p)[1] == 1 && jet::readTableDefinition(file, p).findColumn("Opis"))
            tdef = p;
    ASSERT_NE(tdef, 0u);
    EXPECT_EQ(def.rowCount, static_cast<std::uint32_t>(kRows));
    ASSERT_EQ(def.physical.size(), 1u);
    EXPECT_EQ(def.physical[0].distinctKeys, static_cast<std::uint32_t>(kRows));

    // Every page of the file, by kind and owner.
    std::set<PageNumber> dataPages, indexPages;
    std::size_t nodePages = 0;
    for (PageNumber p = 0; p < cache.pageCount(); ++p) {
        const Page& page = cache.read(p);
        if (page[0] == 1 && dataPageOwner(page) == tdef) dataPages.insert(p);
        if ((page[0] == 3 || page[0] == 4) && jet::loadU32(bytesOf(page), 4) == tdef) {
            indexPages.insert(p);
            nodePages += page[0] == 3;
        }
    }
    const auto owned = jet::UsageMap::read(file, def.owned.encode()).pages(file);
    EXPECT_EQ(std::set<PageNumber>(owned.begin(), owned.end()), dataPages);
    const auto indexMap = jet::UsageMap::read(file, def.physical[0].usageMap.encode()).pages(file);
    EXPECT_EQ(std::set<PageNumber>(indexMap.begin(), indexMap.end()), indexPages);

    // The tree has intermediate levels below a node root.
    std::size_t depth = 1;
    for (PageNumber p = def.physical[0].root; cache.read(p)[0] == 3; ++depth) {
        const IndexPageImage node = decodeIndexPage(cache.read(p));
        p = node.count() ? nodeEntryChild(node.entry(0)) : node.tail;
    }
    EXPECT_GE(depth, 3u);
    EXPECT_GT(nodePages, 1u);

    // Entries come in key order and each leads to the row with that key.
    IndexTree tree(allocator, tdef, def.physical[0].usageMap, def.physical[0].root);
    const auto entries = tree.entries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kRows));
    std::vector<std::int32_t> sorted = ids_;
    std::sort(sorted.begin(), sorted.end());
    const jet::TableDefinition stored = jet::readTableDefinition(file, tdef);
    jet::RowDecoder decoder(file, stored);
    Value id;
    for (std::size_t i = 0; i < entries.size(); i += 997) {
        const Page& page = cache.read(entries[i].row.page);
        const jet::RowSlot span = rowSpan(page, entries[i].row.row);
        decoder.start(bytesOf(page).subspan(span.start, std::size_t(span.end - span.start)), entries[i].row.page,
                      entries[i].row.row);
        decoder.decodeColumn(0, id);
        ASSERT_EQ(id.asInt32(), sorted[i]) << "entry " << i;
    }
    for (std::size_t i = 1; i < entries.size(); ++i) ASSERT_LT(entries[i - 1].key, entries[i].key);

    // The global map marks no page of the file free.
    const Page& map = cache.read(1);
    const jet::RowSlot span = rowSpan(map, 0);
    const std::size_t bits = (std::size_t(span.end - span.start) - 5) * 8;
    for (PageNumber p = 0; p < cache.pageCount() && p < bits; ++p)
        ASSERT_FALSE(map[span.start + 5 + p / 8] & (1u << (p % 8))) << "page " << p << " marked free";
    EXPECT_GE(bits, cache.pageCount()) << "the global map covers the file";
}

TEST_F(LargeTable, KeysAreFoundAndRepeatsRefusedAfterReopening) {
    testsupport::TempDir copyDir;
    const std::string copy = (copyDir.path() / "copy.mdb").string();
    testsupport::writeFile(copy, testsupport::readFile(file_));
    auto db = DatabaseWriter::open(platform::realFileSystem(), copy);
    for (std::int32_t id : {ids_.front(), ids_.back(), ids_[kRows / 2], std::int32_t(-100000)})
        EXPECT_THROW(db->appendRow("Duza", {Value(id), Value::text("x")}), RowRefused) << id;
    db->appendRow("Duza", {Value(std::int32_t(1)), Value::text("nowy")});  // 1 is not among the keys
    EXPECT_EQ(db->table("Duza").rowCount, static_cast<std::uint32_t>(kRows + 1));
}

}  // namespace

namespace {

// Bookmarks across thousands of data pages: a seek, in any order, gives the row the scan gave.
TEST_F(LargeTable, BookmarksTakeTheCursorBackToTheirRows) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), file_);
    jet::Table table = database.table("Duza");
    std::vector<std::pair<jet::RowPointer, std::int32_t>> marks;
    std::size_t row = 0;
    for (jet::RowCursor scan = table.rows(); scan.next(); ++row)
        if (row % 997 == 0) marks.emplace_back(scan.bookmark(), static_cast<std::int32_t>(scan[0].asInteger()));
    ASSERT_GT(marks.size(), 150u);
    std::shuffle(marks.begin(), marks.end(), std::mt19937(7));
    jet::RowCursor cursor = table.rows();
    for (const auto& [bookmark, id] : marks) {
        cursor.seek(bookmark);
        EXPECT_EQ(cursor[1].asString(), label(id));
        EXPECT_EQ(cursor[0].asInteger(), id);
    }
}

}  // namespace
