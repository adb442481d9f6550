// Leaves edited in place must hold exactly the bytes the page encoder would write for their
// entries, and each entry once: keys inserted in random order (between entries, at the ends,
// across splits), of one length (a counter key) and of many (the catalog's name index).
// LUMOR_SEED=n reruns one seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <random>

#include "jet/page_source.h"
#include "jet/write/database_writer.h"
#include "jet/write/index_page.h"
#include "tests/support/random_seed.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;

constexpr std::uint32_t kCatalogTdef = 2;

unsigned seedForRun() {
    const char* given = std::getenv("LUMOR_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    testsupport::announceSeed("index in place", seed, "LUMOR_SEED");
    return seed;
}

// Entries in the leaves of each table (by TDEF page), after checking that every leaf is its
// own re-encoding and lists its entries in increasing order.
std::map<std::uint32_t, std::size_t> leafEntriesByTable(DatabaseWriter& db) {
    auto view = db.readView();
    std::map<std::uint32_t, std::size_t> entries;
    for (std::uint64_t at = 0; at < view->size(); at += jet::kPageSize) {
        Page page;
        view->read(at, bytesOf(page));
        if (page[0] != static_cast<std::uint8_t>(jet::PageType::IndexLeaf)) continue;
        SCOPED_TRACE("leaf page " + std::to_string(at / jet::kPageSize));
        const std::uint32_t tdef = jet::loadU32(bytesOf(page), 4);
        const IndexPageImage leaf = decodeIndexPage(page);
        Page again;
        encodeIndexPage(again, tdef, leaf);
        EXPECT_EQ(page, again);
        for (std::size_t i = 1; i < leaf.count(); ++i)
            EXPECT_TRUE(std::lexicographical_compare(leaf.entry(i - 1).begin(), leaf.entry(i - 1).end(),
                                                     leaf.entry(i).begin(), leaf.entry(i).end()));
        entries[tdef] += leaf.count();
    }
    return entries;
}

TEST(IndexInPlace, CounterKeysInRandomOrderLeaveOneEntryPerRowInOrder) {
    const unsigned seed = seedForRun();
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    auto db = DatabaseWriter::createOn(jet::memorySource({}, "leaves.mdb"), 45000.0);
    db->createTable(TableShape{"Pozycje", {{"ID", ColumnType::Int32, 0}, {"Opis", ColumnType::Text, 20}},
                               PrimaryKeyShape{"Primary", "ID"}});
    std::vector<std::int32_t> ids(4000);
    std::iota(ids.begin(), ids.end(), -1000);
    std::shuffle(ids.begin(), ids.end(), random);
    for (std::int32_t id : ids) db->appendRow("Pozycje", {Value(id), Value::text("wiersz " + std::to_string(id))});
    Page root;
    db->readView()->read(std::uint64_t(db->table("Pozycje").physical[0].root) * jet::kPageSize, bytesOf(root));
    EXPECT_EQ(leafEntriesByTable(*db)[jet::loadU32(bytesOf(root), 4)], ids.size());
}

// Names of many lengths: an entry moved in place leaves no stale end behind, which equal
// lengths would hide.
TEST(IndexInPlace, NamesOfManyLengthsLeaveTwoCatalogEntriesPerTable) {
    const unsigned seed = seedForRun();
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    auto db = DatabaseWriter::createOn(jet::memorySource({}, "names.mdb"), 45000.0);
    const std::size_t before = leafEntriesByTable(*db)[kCatalogTdef];
    constexpr int kTables = 150;
    for (int t = 0; t < kTables; ++t) {
        std::string name(1 + random() % 40, 'A');
        for (char& c : name) c = static_cast<char>('A' + random() % 26);
        db->createTable(TableShape{name + std::to_string(t), {{"a", ColumnType::Int32, 0}}, {}});
    }
    // The catalog's two indexes (by id, by parent and name) take one entry per table each.
    EXPECT_EQ(leafEntriesByTable(*db)[kCatalogTdef], before + 2 * kTables);
}

}  // namespace
