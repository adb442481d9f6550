// The check a merged catalog passes before the user's old one may go: a file that does not read
// back, or reads back with other row counts than the merge posted, fails it, and a failed
// check rolls the installation back.
#include <gtest/gtest.h>

#include "install/merged_catalog_check.h"
#include "tests/app/install_fixture.h"
#include "tests/support/recording_log.h"
#include "tests/support/std_file_system.h"
#include "tests/support/test_paths.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;

const CatalogContent kMerged = {{{"Wrzos", "Wrzos sp. z o.o."}},
                                {{1, "Szafa"}, {3, "Komoda"}, {9, "Moja półka"}}};

struct CheckedFile {
    testsupport::TempDir dir;
    testsupport::StdFileSystem fs;
    testsupport::RecordingLog log;
    std::string path = dir.folder() + "dodatki.mdb";

    explicit CheckedFile(const std::string& bytes) { testsupport::writeFile(dir.path() / "dodatki.mdb", bytes); }
    bool check(std::optional<install::CatalogRowCounts> posted) {
        return install::checkMergedCatalog(log, fs, path, posted);
    }
};

TEST(MergedCatalogCheck, PassesTheRowsTheMergePosted) {
    CheckedFile file(catalogBytes(kMerged));
    EXPECT_TRUE(file.check(install::CatalogRowCounts{1, 3}));
    EXPECT_TRUE(file.check(std::nullopt));
    EXPECT_TRUE(file.log.atLevel(1).empty());
}

TEST(MergedCatalogCheck, OtherRowCountsThanPostedFailInEitherTable) {
    CheckedFile file(catalogBytes(kMerged));
    EXPECT_FALSE(file.check(install::CatalogRowCounts{1, 4}));
    EXPECT_FALSE(file.check(install::CatalogRowCounts{1, 2}));
    EXPECT_FALSE(file.check(install::CatalogRowCounts{2, 3}));
    EXPECT_FALSE(file.check(install::CatalogRowCounts{0, 3}));
    const auto lines = file.log.atLevel(1);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Scalony katalog " + file.path + " ma w tabeli Dodatki 3 wierszy, a scalanie zapisało 4.");
    EXPECT_EQ(lines[2], "Scalony katalog " + file.path +
                            " ma w tabeli info_producent 1 wierszy, a scalanie zapisało 2.");
}

TEST(MergedCatalogCheck, AFileThatDoesNotReadBackFails) {
    const std::string bytes = catalogBytes(kMerged);
    CheckedFile garbage(std::string(8192, 'x'));
    EXPECT_FALSE(garbage.check(std::nullopt));
    EXPECT_FALSE(garbage.check(install::CatalogRowCounts{1, 3}));
    EXPECT_EQ(garbage.log.atLevel(1).back(), "Scalonego katalogu " + garbage.path + " nie można odczytać ponownie.");

    CheckedFile locked(bytes);
    locked.fs.unreadable.insert(locked.path);
    EXPECT_FALSE(locked.check(install::CatalogRowCounts{1, 3}));
}

TEST(MergedCatalogCheck, AFileThatCannotBeFlushedFails) {
    CheckedFile file(catalogBytes(kMerged));
    file.fs.readOnlyPaths.insert(file.path);
    EXPECT_FALSE(file.check(install::CatalogRowCounts{1, 3}));
    ASSERT_FALSE(file.log.atLevel(1).empty());
    EXPECT_EQ(file.log.atLevel(1)[0].rfind("Nie można zapisać na dysku scalonego katalogu: ", 0), 0u);
}

TEST(MergedCatalogCheck, AFailedReadBackRollsTheInstallationBack) {
    const CatalogContent user = {{{"Wrzos", "Wrzos (stara nazwa)"}}, {{1, "Szafa stara"}, {9, "Moja półka"}}};
    const std::string userBytes = catalogBytes(user);
    const std::string package = installtest::packageZip("Wrzos", catalogBytes(kMerged));
    // The merge itself opens the catalog it writes; the check flushes it last. A clean run
    // tells which mutation that flush is, so the second run fails only the reading after it.
    std::size_t lastFlush = 0;
    {
        installtest::InstallRun clean;
        clean.writeUserCatalog(userBytes);
        clean.prepare(package);
        ASSERT_TRUE(clean.installEnabled()) << clean.statusLabel();
        const std::string destination = clean.catalog("dodatki.mdb");
        clean.files.failMutation(0);
        clean.files.beforeMutation = [&](std::size_t number, const testsupport::FileMutation& mutation) {
            if (mutation.operation == testsupport::FileOperation::Close && mutation.path == destination)
                lastFlush = number;
        };
        clean.clickInstall();
        ASSERT_TRUE(clean.finished());
        ASSERT_NE(lastFlush, 0u);
    }
    installtest::InstallRun run;
    run.writeUserCatalog(userBytes);
    run.prepare(package);
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    const std::string destination = run.catalog("dodatki.mdb");
    run.files.failMutation(0);
    run.files.beforeMutation = [&](std::size_t number, const testsupport::FileMutation&) {
        if (number == lastFlush) run.files.failOperation(testsupport::FileOperation::OpenRead, destination);
    };
    run.clickInstall();

    EXPECT_FALSE(run.finished());
    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::RolledBack);
    EXPECT_EQ(run.count("Scalonego katalogu " + destination + " nie można odczytać ponownie."), 1);
    EXPECT_EQ(run.statusLabel(), "Wystąpił błąd instalacji. Spróbuj ponownie.");
    run.files.clearFaults();
    EXPECT_EQ(testsupport::readFile(std::filesystem::path(std::u8string(destination.begin(), destination.end()))),
              userBytes);
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_old.mdb")));
    EXPECT_FALSE(run.files.fileExists(run.catalog("item.jpg")));
}

}  // namespace
