// States a disk really gets into before an installation: a read-only catalog, leftovers
// under the installation's own names, a package member named like them, a package file that
// cannot be replaced. The user's catalog and files survive each, and the package installs
// whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;
using testsupport::FileOperation;

const CatalogContent kPackage = {{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}, {3, "Komoda"}}};
const CatalogContent kUser = {{{"Wrzos", "Wrzos"}}, {{1, "Szafa stara"}, {9, "Moja półka"}}};
const CatalogContent kUserLater = {{{"Wrzos", "Wrzos"}},
                                   {{1, "Szafa"}, {3, "Komoda"}, {9, "Moja półka"}, {10, "Nowa półka"}}};

bool hasRow(const std::vector<std::string>& rows, const std::string& text) {
    for (const std::string& row : rows)
        if (row.find(text) != std::string::npos) return true;
    return false;
}

void writeReadOnlyCatalog(InstallRun& run, const std::string& bytes) {
    run.files.windowsReadOnly = true;
    if (run.files.fileExists(run.catalog("dodatki.mdb"))) run.files.setReadOnly(run.catalog("dodatki.mdb"), false);
    run.writeUserCatalog(bytes);
    ASSERT_TRUE(run.files.setReadOnly(run.catalog("dodatki.mdb"), true));
}

TEST(InstallRecovery, AReadOnlyCatalogIsMergedTwiceAndKeepsItsMark) {
    InstallRun first;
    writeReadOnlyCatalog(first, catalogBytes(kUser));
    first.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(first.installEnabled()) << first.statusLabel();
    first.clickInstall();
    ASSERT_TRUE(first.finished()) << first.statusLabel();
    EXPECT_FALSE(first.files.fileExists(first.catalog("dodatki_old.mdb")));
    EXPECT_EQ(first.files.readOnly(first.catalog("dodatki.mdb")), true);

    // The CAD program adds a row, then the package is installed again.
    InstallRun second;
    second.copyDrivesOf(first);
    writeReadOnlyCatalog(second, catalogBytes(kUserLater));
    second.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(second.installEnabled()) << second.statusLabel();
    second.clickInstall();
    ASSERT_TRUE(second.finished()) << second.statusLabel();
    EXPECT_TRUE(hasRow(installtest::catalogRows(second.catalog("dodatki.mdb")), "Nowa półka"));
    EXPECT_FALSE(second.files.fileExists(second.catalog("dodatki_old.mdb")));
    EXPECT_EQ(second.files.readOnly(second.catalog("dodatki.mdb")), true);
}

TEST(InstallRecovery, ANewCatalogWithoutAnOldOneNeverCostsTheUsersCatalog) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.writeUserCatalog(catalogBytes(kPackage), "dodatki_new.mdb");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.clickInstall();

    ASSERT_TRUE(run.finished()) << run.statusLabel();
    EXPECT_TRUE(hasRow(installtest::catalogRows(run.catalog("dodatki.mdb")), "Moja półka"));
    EXPECT_TRUE(run.files.fileExists(run.catalog("dodatki_new (zachowany 1).mdb")));
}

TEST(InstallRecovery, MembersNamedLikeTheInstallationsFilesAreRefusedBeforeAnyChange) {
    for (const std::string member : {"Wrzos\\dodatki_old.mdb", "Wrzos\\DODATKI_NEW.mdb", "Wrzos\\instalacja.lumor-dziennik", "Wrzos\\Instalacja.LUMOR.TXT",
                                      "Wrzos\\tekstury\\a.jpg.lumor-part", "Wrzos\\item.jpg.lumor-odlozony"}) {
        InstallRun run;
        run.writeUserCatalog(catalogBytes(kUser));
        run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage), {{member, catalogBytes(kPackage)}}));
        ASSERT_TRUE(run.installEnabled()) << member << ": " << run.statusLabel();
        const auto before = run.hostFiles();
        run.clickInstall();

        EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged) << member;
        EXPECT_NE(run.statusLabel().find("`" + member + "`"), std::string::npos) << run.statusLabel();
        EXPECT_EQ(run.hostFiles(), before) << member;
    }
}

TEST(InstallRecovery, AFileThatCannotBeReplacedLeavesEveryEarlierFileAsItWas) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.writeUserCatalog("earlier picture", "item.jpg");
    run.writeFile(run.catalogFolder() + preparationtest::nativePath("tekstury\\a.jpg"), "earlier texture");
    run.writeUserCatalog("the user's own note", "notatka.txt");
    run.files.windowsReadOnly = true;
    // Extracted last: the catalog and the picture are in place by then.
    ASSERT_TRUE(run.files.setReadOnly(run.catalogFolder() + preparationtest::nativePath("tekstury\\a.jpg"), true));
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::RolledBack) << run.statusLabel();
    EXPECT_EQ(run.hostFiles(), before);
}

TEST(InstallRecovery, AFileAddedByAFailedInstallationIsRemoved) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.prepare(installtest::packageZip("Wrzos", "a package catalog that is no database"));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::RolledBack) << run.statusLabel();
    EXPECT_EQ(run.hostFiles(), before);
    EXPECT_FALSE(run.files.fileExists(run.catalog("item.jpg")));
}

TEST(InstallRecovery, AnUnreadableRecordStopsTheInstallationAndIsKept) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.writeUserCatalog("LUMOR-DZIENNIK 1\netap przygo", "instalacja.lumor-dziennik");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_EQ(run.statusLabel().rfind("Nie można odczytać zapisu przerwanej instalacji", 0), 0u) << run.statusLabel();
    EXPECT_EQ(run.hostFiles(), before);
}

}  // namespace

namespace {

TEST(InstallRecovery, ALeftoverThatCannotBeKeptAsideStopsBeforeAnyChange) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.writeUserCatalog(catalogBytes(kPackage), "dodatki_old.mdb");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.files.failOperation(FileOperation::Rename, "*dodatki_old.mdb");
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_EQ(run.statusLabel().rfind("Nie można przenieść pliku " + run.catalog("dodatki_old.mdb"), 0), 0u)
        << run.statusLabel();
    EXPECT_EQ(run.hostFiles(), before);
}

}  // namespace
