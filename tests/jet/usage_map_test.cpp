// Which pages a table owns: inline maps stop at the end of the file, reference maps (type 1)
// read their bitmap pages, and a page the map names but another table owns is passed over.
#include <gtest/gtest.h>

#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/usage_map.h"
#include "tests/support/test_paths.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes corpusFile(const char* relative) {
    std::string text = testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / relative);
    return Bytes(text.begin(), text.end());
}

// compIndexTestV2000's Table1: 512 rows over 4 data pages, inline owned map.
constexpr const char* kFile = "jackcess/compIndexTestV2000.mdb";

struct TableFacts {
    std::uint32_t definitionPage;
    std::uint32_t ownedMap;
    std::vector<std::uint32_t> dataPages;
};

TableFacts factsOf(const Bytes& bytes) {
    jet::Database database(jet::memorySource(bytes, "map.mdb"));
    jet::Table table = database.table("Table1");
    const auto& definition = table.definition();
    TableFacts facts{definition.page, definition.ownedPagesMap, {}};
    jet::PageFile& file = database.pages();
    for (auto page : jet::UsageMap::read(file, definition.ownedPagesMap).pages(file))
        if ((*file.page(page))[0] == 1 && jet::loadU32(*file.page(page), 4) == definition.page)
            facts.dataPages.push_back(page);
    return facts;
}

std::size_t rowsOf(const Bytes& bytes) {
    jet::Database database(jet::memorySource(bytes, "map.mdb"));
    jet::RowCursor cursor = database.table("Table1").rows();
    std::size_t rows = 0;
    while (cursor.next()) ++rows;
    return rows;
}

// The map row's bytes inside `bytes`.
jet::MutableBytes mapRow(Bytes& bytes, std::uint32_t storedPointer) {
    auto pointer = jet::RowPointer::decode(storedPointer);
    jet::RowSlot slot = jet::rowSlot(jet::Bytes(bytes.data() + pointer.page * jet::kPageSize, jet::kPageSize),
                                     pointer.row);
    return jet::MutableBytes(bytes.data() + pointer.page * jet::kPageSize + slot.start, slot.end - slot.start);
}

TEST(UsageMapTest, ReferenceMapReadsItsBitmapPages) {
    Bytes bytes = corpusFile(kFile);
    TableFacts facts = factsOf(bytes);
    ASSERT_EQ(facts.dataPages.size(), 4u);
    // Two more copies of the data pages, then one bitmap page marking all twelve.
    std::vector<std::uint32_t> owned = facts.dataPages;
    for (int copy = 0; copy < 2; ++copy) {
        for (auto page : facts.dataPages) {
            owned.push_back(static_cast<std::uint32_t>(bytes.size() / jet::kPageSize));
            bytes.insert(bytes.end(), bytes.begin() + page * jet::kPageSize, bytes.begin() + (page + 1) * jet::kPageSize);
        }
    }
    auto bitmapPage = static_cast<std::uint32_t>(bytes.size() / jet::kPageSize);
    Bytes bitmap(jet::kPageSize, 0);
    bitmap[0] = 0x05;
    bitmap[1] = 0x01;
    for (auto page : owned) bitmap[4 + page / 8] |= static_cast<std::uint8_t>(1u << (page % 8));
    bytes.insert(bytes.end(), bitmap.begin(), bitmap.end());
    jet::MutableBytes row = mapRow(bytes, facts.ownedMap);
    std::fill(row.begin(), row.end(), 0);
    row[0] = 0x01;
    jet::storeU32(row, 1, bitmapPage);

    EXPECT_EQ(rowsOf(bytes), 3 * 512u);
    EXPECT_EQ(factsOf(bytes).dataPages, owned);
}

TEST(UsageMapTest, PagesOfOtherOwnersAndBeyondTheFileArePassedOver) {
    Bytes bytes = corpusFile(kFile);
    TableFacts facts = factsOf(bytes);
    jet::MutableBytes row = mapRow(bytes, facts.ownedMap);
    // Mark every page of the inline window: stale pages and pages past the end of the file
    // included. Only the table's own data pages may give rows.
    std::fill(row.begin() + 5, row.end(), 0xFF);
    EXPECT_EQ(rowsOf(bytes), 512u);
}

TEST(UsageMapTest, UnknownMapTypeIsAnErrorNamingThePage) {
    Bytes bytes = corpusFile(kFile);
    TableFacts facts = factsOf(bytes);
    mapRow(bytes, facts.ownedMap)[0] = 0x07;
    std::string page = std::to_string(jet::RowPointer::decode(facts.ownedMap).page);
    try {
        rowsOf(bytes);
        FAIL() << "no error";
    } catch (const jet::JetError& error) {
        EXPECT_NE(std::string(error.what()).find("map.mdb, page " + page + ": unknown usage map type 7"),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
