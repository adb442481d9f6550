// Going back to a row by its bookmark, on files Access wrote with moved and deleted rows: a
// seek gives the row the scan gave, whichever columns were read first, and the scan goes on
// after it; a bookmark that names no row of the table is refused.
#include <gtest/gtest.h>

#include "jet/database.h"
#include "jet/jet_error.h"
#include "jet/value_text.h"
#include "tests/support/test_paths.h"

namespace {

std::string corpus(const char* relative) {
    return (testsupport::testDataDir() / "jet4" / "corpus" / relative).string();
}

std::vector<std::string> rowText(const jet::RowCursor& rows) {
    std::vector<std::string> text;
    for (const jet::Value& v : rows.values()) text.push_back(jet::plainText(v));
    return text;
}

TEST(RowCursorBookmarks, SeekGivesTheScannedRowAndTheScanGoesOn) {
    for (const char* file : {"jackcess/overflowTestV2000.mdb", "jackcess/delTestV2003.mdb", "jackcess/testV2000.mdb"}) {
        jet::Database database = jet::Database::open(platform::realFileSystem(), corpus(file));
        for (const std::string& name : database.tableNames()) {
            SCOPED_TRACE(std::string(file) + " " + name);
            jet::Table table = database.table(name);
            std::vector<jet::RowPointer> bookmarks;
            std::vector<std::vector<std::string>> rows;
            for (jet::RowCursor scan = table.rows(); scan.next();) {
                bookmarks.push_back(scan.bookmark());
                rows.push_back(rowText(scan));
            }
            jet::RowCursor cursor = table.rows();
            for (std::size_t i = bookmarks.size(); i-- > 0;) {
                cursor.seek(bookmarks[i]);
                // One column first, then the rest: a column read alone decodes as in a full read.
                if (!rows[i].empty()) {
                    EXPECT_EQ(jet::plainText(cursor[rows[i].size() - 1]), rows[i].back());
                }
                EXPECT_EQ(rowText(cursor), rows[i]) << "row " << i;
                if (i + 1 < rows.size()) {
                    ASSERT_TRUE(cursor.next());
                    EXPECT_EQ(rowText(cursor), rows[i + 1]) << "row after " << i;
                } else {
                    EXPECT_FALSE(cursor.next());
                }
            }
        }
    }
}

TEST(RowCursorBookmarks, ABookmarkOfNoRowIsRefused) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), corpus("jackcess/testV2000.mdb"));
    jet::Table table = database.table("Table1");
    jet::RowCursor rows = table.rows();
    ASSERT_TRUE(rows.next());
    const jet::RowPointer place = rows.bookmark();
    EXPECT_THROW(rows.seek(jet::RowPointer{place.page, 250}), jet::JetError);
    EXPECT_THROW(rows.seek(jet::RowPointer{1, 0}), jet::JetError);  // not a data page of the table
    rows.seek(place);
    EXPECT_EQ(rows.bookmark(), place);
}

}  // namespace
