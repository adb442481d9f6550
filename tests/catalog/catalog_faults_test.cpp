// Faults of the file system reach the catalog layer: a failing k-th operation while a catalog
// is created and filled is reported, never hides a committed row, and leaves either no file or
// one the readers read. Catalogs in folders with Polish letters (the Windows run matters most).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "catalog/adox.h"
#include "catalog/catalog_creation.h"
#include "catalog/catalog_error.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/csv_import.h"
#include "catalog/table.h"
#include "jet/database.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/jet_oracles.h"
#include "tests/support/test_paths.h"

namespace {

using catalogtest::RecordingLog;
using testsupport::FaultInjectingFileSystem;

std::filesystem::path native(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::set<std::int32_t> idsIn(const std::string& file) {
    jet::Database db = jet::Database::open(platform::realFileSystem(), file);
    std::set<std::int32_t> ids;
    jet::Table table = db.table("Dodatki");
    for (auto rows = table.rows(); rows.next();) ids.insert(rows.field("ID").asInt32());
    return ids;
}

struct FilledCatalog {
    bool created = false;
    std::set<std::int32_t> posted;  // rows whose post reported success
    bool postFailed = false;
    bool closed = false;
};

// MDBCreate, then rows 1..count through a connection and a table object, then disconnect.
FilledCatalog createAndFill(platform::FileSystem& files, const std::string& file, int count) {
    FilledCatalog result;
    RecordingLog log;
    catalog::CatalogCreation creation(log, files);
    result.created = creation.MDBCreate(file);
    if (!result.created) return result;
    catalog::Connection connection(files);
    connection.setConnectionString(catalog::openConnectionString(file));
    connection.setLoginPrompt(false);
    try {
        connection.connect();
    } catch (const catalog::CatalogError&) {
        result.postFailed = true;
        return result;
    }
    catalog::Table table;
    table.setConnection(&connection);
    table.setTableName("Dodatki");
    table.open();
    for (std::int32_t id = 1; id <= count; ++id) {
        try {
            table.insert();
            table.fieldByName("ID").setValue(jet::Value(id));
            table.fieldByName("Nazwa").setValue(jet::Value::text("Półka " + std::to_string(id)));
            table.post();
            result.posted.insert(id);
        } catch (const catalog::CatalogError&) {
            result.postFailed = true;
        }
    }
    table.close();
    try {
        connection.disconnect();
        result.closed = true;
    } catch (const catalog::CatalogError&) {
    }
    return result;
}

TEST(CatalogFaults, EveryFailingOperationOfCreateAndAppendIsReportedAndLeavesNoLie) {
    const bool oracles = testsupport::oraclesMissing().empty();
    std::size_t k = 1;
    for (;; ++k) {
        SCOPED_TRACE("failing mutation " + std::to_string(k));
        testsupport::TempDir dir;
        const std::string file = dir.folder() + "dodatki.mdb";
        FaultInjectingFileSystem files(platform::realFileSystem());
        files.failMutation(k);
        const FilledCatalog outcome = createAndFill(files, file, 3);
        if (files.injectedFailures() == 0) {
            EXPECT_TRUE(outcome.created && outcome.closed && !outcome.postFailed);
            break;
        }
        const std::string failed = files.mutations()[k - 1].path + " (" +
                                   testsupport::operationName(files.mutations()[k - 1].operation) + ")";
        EXPECT_TRUE(!outcome.created || outcome.postFailed || !outcome.closed) << "not reported: " << failed;
        if (!outcome.created) {
            EXPECT_FALSE(std::filesystem::exists(native(file))) << failed;
            continue;
        }
        std::set<std::int32_t> stored;
        ASSERT_NO_THROW(stored = idsIn(file)) << failed;
        for (std::int32_t id : stored) EXPECT_TRUE(outcome.posted.count(id)) << "row " << id << " reported failed";
        if (outcome.closed) {
            EXPECT_EQ(stored, outcome.posted) << failed;
        }
        if (oracles) {
            EXPECT_EQ(testsupport::mdbReaderRowCount(file, "Dodatki"), std::int64_t(stored.size())) << failed;
        }
    }
    EXPECT_GT(k, 20u);  // the creation alone takes many operations; all of them were tried
}

TEST(CatalogFaults, CreatingACatalogNeverTruncatesAnExistingFile) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    testsupport::writeFile(native(file), "katalog wydawcy");
    {
        catalog::adox::Catalog catalog(platform::realFileSystem());
        EXPECT_THROW(catalog.Create(catalog::creationConnectionString(file)), catalog::CatalogError);
    }
    EXPECT_THROW(jet::write::DatabaseWriter::create(platform::realFileSystem(), file), jet::JetError);
    EXPECT_EQ(testsupport::readFile(native(file)), "katalog wydawcy");
}

TEST(CatalogFaults, AFailingReplacementOfTheImportKeepsTheCatalogAndNoCopy) {
    testsupport::TempDir dir;
    const std::string file = dir.folder() + "dodatki.mdb";
    RecordingLog log;
    ASSERT_TRUE(catalog::CatalogCreation(log, platform::realFileSystem()).MDBCreate(file));
    const std::string before = testsupport::readFile(native(file));
    FaultInjectingFileSystem files(platform::realFileSystem());
    files.failOperation(testsupport::FileOperation::Replace, "*");
    EXPECT_THROW(catalog::importCsv(files, file, "Dodatki", "ID,Nazwa\n1,Stół\n"), catalog::CatalogError);
    EXPECT_EQ(testsupport::readFile(native(file)), before);
    EXPECT_FALSE(std::filesystem::exists(native(file + ".import-tmp")));
}

// The host folder of a Windows user with Polish letters, and a package named with them.
TEST(CatalogFaults, CatalogsInFoldersWithPolishLettersAreCreatedFilledAndRead) {
    testsupport::TempDir dir;
    std::string folder = dir.folder();
    for (const char* level : {"Biblioteki", "Łazienki Żółte", "Kavitek", "CAD 2.0", "dodatki", "Łazienki_2026"}) {
        folder += level;
        ASSERT_TRUE(platform::realFileSystem().createFolder(folder)) << folder;
        folder += platform::kSeparator;
    }
    const std::string file = folder + "dodatki.mdb";
    const FilledCatalog outcome = createAndFill(platform::realFileSystem(), file, 2);
    ASSERT_TRUE(outcome.created && outcome.closed && !outcome.postFailed);
    EXPECT_EQ(catalog::importCsv(platform::realFileSystem(), file, "Dodatki", "ID,Nazwa\n3,Źdźbło\n"), 1u);
    EXPECT_EQ(idsIn(file), (std::set<std::int32_t>{1, 2, 3}));
    // The name is the one asked for, not a garbled one beside it.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(native(folder))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    EXPECT_EQ(names, std::vector<std::string>{"dodatki.mdb"});
}

}  // namespace
