// The catalogue as the API gives it: user, system and linked tables told apart, lookups
// without case, fields by name, and files open to others while we read or write them.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet/database.h"
#include "jet/jet_error.h"
#include "tests/support/test_paths.h"

namespace {

std::string corpus(const char* relative) {
    return (testsupport::testDataDir() / "jet4" / "corpus" / relative).string();
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const jet::JetError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(DatabaseTest, LinkedTablesAreListedApartAndNotReadHere) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), corpus("ucanaccess/linked.mdb"));
    std::vector<const jet::CatalogEntry*> linked;
    for (const auto& entry : database.catalog())
        if (entry.kind == jet::ObjectKind::LinkedTable) linked.push_back(&entry);
    ASSERT_FALSE(linked.empty());
    auto names = database.tableNames(true);
    for (const auto* entry : linked) {
        EXPECT_EQ(std::count(names.begin(), names.end(), entry->name), 0) << entry->name;
        EXPECT_FALSE(entry->linkedDatabase.empty()) << entry->name;
        std::string message = messageOf([&] { database.table(entry->name); });
        EXPECT_NE(message.find("table " + entry->name + ": a linked table"), std::string::npos) << message;
    }
}

TEST(DatabaseTest, SystemTablesOnlyOnRequest) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), corpus("jackcess/testV2000.mdb"));
    auto user = database.tableNames();
    auto all = database.tableNames(true);
    EXPECT_EQ(std::count(user.begin(), user.end(), "MSysObjects"), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), "MSysObjects"), 1);
    EXPECT_GT(all.size(), user.size());
    // MSysObjects itself reads like any table.
    jet::RowCursor rows = database.table("msysobjects").rows();
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.field("NAME").kind(), jet::Value::Kind::Text);
}

TEST(DatabaseTest, FieldsByNameAndMissingNamesNamed) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), corpus("jackcess/testV2000.mdb"));
    jet::Table table = database.table("table1");
    EXPECT_EQ(table.name(), "Table1");
    jet::RowCursor rows = table.rows();
    std::vector<std::string> texts;
    while (rows.next()) texts.push_back(rows.field("a").asString());
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "abcdefg"}));
    EXPECT_NE(messageOf([&] { rows.field("nope"); }).find("table Table1: no column named nope"), std::string::npos);
    EXPECT_NE(messageOf([&] { database.table("Nope"); }).find("testV2000.mdb, table Nope: no such table"),
              std::string::npos);
}

TEST(DatabaseTest, PrimaryKeyDefinitionIsRead) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), corpus("jackcess/testV2000.mdb"));
    jet::Table table = database.table("Table1");
    auto key = std::find_if(table.indexes().begin(), table.indexes().end(),
                            [](const jet::Index& index) { return index.kind == jet::IndexKind::PrimaryKey; });
    ASSERT_NE(key, table.indexes().end());
    const jet::PhysicalIndex& physical = table.physicalIndex(*key);
    ASSERT_EQ(physical.columns.size(), 1u);
    EXPECT_EQ(physical.columns[0].columnNumber, table.definition().findColumn("A")->number);
    EXPECT_EQ(physical.flags & 0x01, 0x01);  // unique
}

TEST(DatabaseTest, FileStaysOpenToOthers) {
    testsupport::TempDir temp;
    auto copy = temp.path() / "shared.mdb";
    testsupport::writeFile(copy, testsupport::readFile(corpus("jackcess/testV2000.mdb")));
    jet::Database writer = jet::Database::open(platform::realFileSystem(), copy.string(), jet::OpenMode::ReadWrite);
    jet::Database reader = jet::Database::open(platform::realFileSystem(), copy.string(), jet::OpenMode::ReadOnly);
    EXPECT_EQ(reader.tableNames(), writer.tableNames());
    EXPECT_TRUE(writer.pages().source().writable());
    EXPECT_FALSE(reader.pages().source().writable());
    std::vector<std::uint8_t> page(jet::kPageSize);
    EXPECT_THROW(reader.pages().source().write(0, page), jet::JetError);
    std::string missing = (temp.path() / "missing.mdb").string();
    EXPECT_NE(messageOf([&] { jet::Database::open(platform::realFileSystem(), missing); }).find(missing + ": cannot open"), std::string::npos);
}

}  // namespace
