// Text index keys against the engine's own: MSysObjects' ParentIdName index (ParentId, Name)
// holds, for every table, the same leaf-entry key bytes Access wrote in its files. A key in
// another order would send the engine's seeks past the entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jet/write/database_writer.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;

// The ParentIdName keys of the tables (ParentId 0x0F000001, "Tables") in an Access-made file:
// flag 0x7F, the id big-endian with its top bit flipped, flag 0x7F, the name's sort codes,
// ended by 01 00. Leaf entries there are whole (no prefix shared with the page's first).
std::vector<std::string> accessTableKeys(const std::string& file) {
    const std::string prefix("\x7F\x8F\x00\x00\x01\x7F", 6);
    std::vector<std::string> keys;
    for (std::size_t at = file.find(prefix); at != std::string::npos; at = file.find(prefix, at + 1)) {
        if (static_cast<std::uint8_t>(file[at / kPageSize * kPageSize]) != 0x04) continue;  // leaf pages only
        const std::size_t end = file.find(std::string("\x01\x00", 2), at + prefix.size());
        if (end == std::string::npos || end - at > 80) continue;
        keys.push_back(file.substr(at, end + 2 - at));
    }
    return keys;
}

TEST(TextIndexKey, CatalogNameKeysEqualTheKeysAccessWrote) {
    const std::string access = testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / "jackcess" /
                                                     "delColTestV2000.mdb");
    const std::vector<std::string> theirs = accessTableKeys(access);
    // MSysObjects, MSysACEs, MSysQueries, MSysRelationships, Table1 at least.
    ASSERT_GE(theirs.size(), 5u);
    const std::string table1 = std::string("\x7F\x8F\x00\x00\x01\x7F", 6) + "\x6D\x4A\x4C\x5E\x51\x38" +
                               std::string("\x01\x00", 2);
    ASSERT_NE(std::find(theirs.begin(), theirs.end(), table1), theirs.end());

    testsupport::TempDir dir;
    const std::string path = (dir.path() / "ours.mdb").string();
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), path);
        db->createTable(TableShape{"Table1", {{"ID", jet::ColumnType::Int32, 0}}, PrimaryKeyShape{"Primary", "ID"}});
        db->close();
    }
    const std::string ours = testsupport::readFile(dir.path() / "ours.mdb");
    std::size_t shared = 0;
    for (const std::string& key : theirs) shared += ours.find(key) != std::string::npos;
    EXPECT_GE(shared, 5u) << "of " << theirs.size() << " keys Access wrote";
    EXPECT_NE(ours.find(table1), std::string::npos);
}

}  // namespace
