// Null index keys against the keys Access wrote: in testIndexPropertiesV2000.mdb (made by
// Access) the index over (data1 Text, data2 Long) of a table holding nulls starts its first
// leaf page with the null keys: a null column is the single byte 00 in an ascending index,
// and so sorts before every value (whose flag is 7F). A key in another order would put the
// nulls where the engine's seeks do not look.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "jet/write/index_key.h"
#include "jet/write/page.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;

// The first entry of a first leaf page (type 04, no previous leaf) that begins with `key`
// followed by a 3-byte page and a row number.
bool accessStartsALeafWith(const std::string& file, const std::string& key) {
    for (std::size_t page = 0; page + kPageSize <= file.size(); page += kPageSize) {
        const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(file[page + at]); };
        const bool firstLeaf = byte(0) == 0x04 && byte(8) == 0 && byte(9) == 0 && byte(10) == 0 && byte(11) == 0;
        if (firstLeaf && file.compare(page + 480, key.size(), key) == 0) return true;
    }
    return false;
}

std::string keyText(const IndexKey& key) { return std::string(key.begin(), key.end()); }

TEST(NullIndexKey, NullColumnsAreKeyedAndOrderedAsAccessWroteThem) {
    const std::string access = testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / "jackcess" /
                                                     "testIndexPropertiesV2000.mdb");
    // What Access wrote: (null, null), and (null, -5453) on another table's first leaf.
    const std::string bothNull("\x00\x00", 2);
    const std::string nullThenLong("\x00\x7F\x7F\xFF\xEA\xB3", 6);
    ASSERT_TRUE(accessStartsALeafWith(access, bothNull));
    ASSERT_TRUE(accessStartsALeafWith(access, nullThenLong));

    TableDefinition table;
    for (std::uint16_t n = 0; n < 3; ++n) {
        ColumnDefinition column;
        column.type = n == 2 ? jet::ColumnType::Int32 : jet::ColumnType::Text;
        column.name = n == 0 ? "row" : n == 1 ? "data1" : "data2";
        column.number = n;
        table.columns.push_back(column);
    }
    PhysicalIndex index;
    index.columns = {{1, true}, {2, true}};
    EXPECT_EQ(keyText(encodeIndexKey(table, index, {jet::Value::text("r"), jet::Value(), jet::Value()})), bothNull);
    EXPECT_EQ(keyText(encodeIndexKey(table, index, {jet::Value::text("r"), jet::Value(), jet::Value(std::int32_t{-5453})})),
              nullThenLong);
    // A null sorts before the smallest value, in the first column as in a later one.
    const IndexKey smallest =
        encodeIndexKey(table, index, {jet::Value::text("r"), jet::Value::text("A"), jet::Value(INT32_MIN)});
    EXPECT_LT(encodeIndexKey(table, index, {jet::Value(), jet::Value(), jet::Value(INT32_MAX)}), smallest);
    EXPECT_LT(encodeIndexKey(table, index, {jet::Value(), jet::Value::text("A"), jet::Value()}), smallest);
}

}  // namespace
