// Whole installations headless: preparation, the pointer over Install, the click, and the
// host folder and window afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "install/free_space_check.h"
#include "app/headless_install_streams.h"
#include "platform/paths.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;
using testsupport::FileOperation;

const CatalogContent kPackage = {{{"Wrzos", "Wrzos sp. z o.o."}},
                              {{1, "Szafa"}, {2, "DELETE"}, {3, "Komoda"}}};
const CatalogContent kUser = {{{"Wrzos", "Wrzos (stara nazwa)"}},
                           {{1, "Szafa stara"}, {2, "Regał wycofany"}, {9, "Moja półka"}}};
const CatalogContent kMerged = {{{"Wrzos", "Wrzos sp. z o.o."}},
                             {{1, "Szafa"}, {3, "Komoda"}, {9, "Moja półka"}}};
const CatalogContent kPackageAlone = {{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}, {3, "Komoda"}}};

std::vector<std::string> rowsOf(const CatalogContent& content) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.path() / "c.mdb", catalogBytes(content));
    return installtest::catalogRows(dir.folder() + "c.mdb");
}

std::string bytesAt(const std::string& path) {
    return testsupport::readFile(std::filesystem::path(std::u8string(path.begin(), path.end())));
}

bool hasLine(const InstallRun& run, const std::string& line) {
    const auto lines = run.logBox();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Install, FirstInstallationWritesThePackageCatalogWithoutMarkers) {
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.clickInstall();

    EXPECT_TRUE(run.backend.errorReports().empty());
    EXPECT_TRUE(run.finished());
    EXPECT_TRUE(run.installGone());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_FALSE(run.form->Edit1.visible());
    EXPECT_FALSE(run.form->StaticText1.visible());
    EXPECT_EQ(run.count("SET FINISH na objektach"), 2);
    EXPECT_EQ(run.count("Brak pliku docelowego. Tworzymy nowy."), 1);
    EXPECT_EQ(run.count("zmieniamy " + run.catalog("dodatki.mdb") + " na dodatki_old.mdb"), 0);
    EXPECT_EQ(installtest::catalogRows(run.catalog("dodatki.mdb")), rowsOf(kPackageAlone));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_old.mdb")));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));
    // Package files land below the add-on folder; the cover and text members do not.
    EXPECT_TRUE(run.files.fileExists(run.catalog("item.jpg")));
    EXPECT_TRUE(run.files.fileExists(run.catalogFolder() + preparationtest::nativePath("tekstury\\a.jpg")));
    EXPECT_FALSE(run.files.fileExists(run.host + preparationtest::nativePath("dodatki\\Wrzos.jpg")));
    EXPECT_FALSE(run.files.fileExists(run.host + preparationtest::nativePath("dodatki\\Wrzos.txt")));
    EXPECT_EQ(run.form->gauge.progress(), run.form->gauge.maxValue());
}

TEST(Install, ReinstallationMergesAndDeletesTheAsideCopies) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser));
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.clickInstall();

    EXPECT_TRUE(run.finished());
    EXPECT_EQ(installtest::catalogRows(run.catalog("dodatki.mdb")), rowsOf(kMerged));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_old.mdb")));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));
    EXPECT_TRUE(hasLine(run, "zmieniamy " + run.catalog("dodatki.mdb") + " na dodatki_old.mdb"));
    EXPECT_TRUE(hasLine(run, "Kasujemy niepotrzebny plik dodatki_old.mdb"));
    EXPECT_TRUE(hasLine(run, "Sprawdzono scalony katalog: info_producent 1, Dodatki 3 wierszy."));
}

TEST(Install, FailedMergeGivesBackTheUsersExactBytes) {
    // The user's catalog is damaged, so the merge cannot read it.
    const std::string user = "not a catalog, yet the user's own bytes";
    InstallRun run;
    run.writeUserCatalog(user);
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.clickInstall();

    EXPECT_FALSE(run.finished());
    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::RolledBack);
    EXPECT_EQ(run.statusLabel(), "Wystąpił błąd instalacji. Spróbuj ponownie.");
    EXPECT_EQ(bytesAt(run.catalog("dodatki.mdb")), user);
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_old.mdb")));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));
    EXPECT_TRUE(run.installGone());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_FALSE(run.form->gauge.visible());
    EXPECT_TRUE(run.form->BG.visible());
    EXPECT_EQ(run.count("SET FINISH na objektach"), 0);
}

TEST(Install, DamagedPackageCatalogRollsBackAndASecondClickDoesNothing) {
    InstallRun run;
    const std::string user = catalogBytes(kUser);
    run.writeUserCatalog(user);
    run.prepare(installtest::packageZip("Wrzos", "a package catalog that is no database"));
    ASSERT_TRUE(run.installEnabled());
    run.clickInstall();

    EXPECT_EQ(bytesAt(run.catalog("dodatki.mdb")), user);
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));
    const std::size_t lines = run.logBox().size();
    run.backend.moveMouseOnto("bnInstallNormal");
    run.backend.click();
    run.backend.run(run.form->window);
    EXPECT_EQ(run.logBox().size(), lines);
    EXPECT_TRUE(run.backend.errorReports().empty());
}

TEST(Install, BlanksAroundTheHostFolderAreRemovedBeforeDodatki) {
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled());
    // The field's own check refuses the padded text; the transaction trims it regardless.
    run.form->Edit1.setText(" \t" + run.host + "  ");
    run.form->ButtonInstallClick();

    EXPECT_TRUE(run.finished());
    EXPECT_TRUE(hasLine(run, "MDB: " + run.catalog("dodatki.mdb")));
    EXPECT_EQ(installtest::catalogRows(run.catalog("dodatki.mdb")), rowsOf(kPackageAlone));
}

TEST(Install, HeldCatalogStopsBeforeAnythingChanges) {
    InstallRun run;
    const std::string user = catalogBytes(kUser);
    run.writeUserCatalog(user);
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled());
    run.files.failOperation(FileOperation::Rename, "*dodatki.mdb");
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_EQ(run.statusLabel(), "Błąd zmiany nazwy pliku dodatki.mdb na dodatki_old.mdb");
    EXPECT_EQ(bytesAt(run.catalog("dodatki.mdb")), user);
    EXPECT_FALSE(run.files.fileExists(run.catalog("item.jpg")));
    EXPECT_EQ(run.hostFiles(), before);  // the record made and removed again
    EXPECT_TRUE(run.installGone());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
}

TEST(Install, DamagedMemberIsFoundBeforeTheHostChanges) {
    InstallRun run;
    const std::string user = catalogBytes(kUser);
    run.writeUserCatalog(user);
    const std::string marker = "DAMAGE-HERE";
    std::string zip = installtest::packageZip("Wrzos", catalogBytes(kPackage),
                                              {{"Wrzos\\zz.dwx", installtest::storedPayload(marker, 4000)}});
    // A flipped bit in the archive the installer carries (a download damaged on its way):
    // the preparation reads only the directory and the cover, the copy held is damaged.
    zip[zip.find(marker) + 100] ^= 0x10;
    run.prepare(zip);
    ASSERT_TRUE(run.installEnabled());
    const std::size_t before = run.files.mutationCount();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_EQ(run.statusLabel(),
              "Suma kontrolna pliku `Wrzos\\zz.dwx` w archiwum ZIP jest błędna. Pobierz instalator ponownie.");
    EXPECT_EQ(run.files.mutationCount(), before);
    EXPECT_EQ(bytesAt(run.catalog("dodatki.mdb")), user);
    EXPECT_TRUE(run.installGone());
}

// Flips a byte in the middle of `member`'s data in the archive file at `path`, in place (the
// installer holds the file open and reads it again to install).
void damageMemberData(const std::string& path, const std::string& member) {
    const std::filesystem::path file(std::u8string(path.begin(), path.end()));
    std::string bytes = testsupport::readFile(file);
    const std::string local = std::string("PK\x03\x04", 4);
    for (std::size_t at = bytes.find(local); at != std::string::npos; at = bytes.find(local, at + 4)) {
        auto u16 = [&](std::size_t o) { return std::size_t(std::uint8_t(bytes[o])) | std::size_t(std::uint8_t(bytes[o + 1])) << 8; };
        const std::size_t nameLength = u16(at + 26), extraLength = u16(at + 28);
        if (bytes.compare(at + 30, nameLength, member) != 0) continue;
        const std::size_t compressed = u16(at + 18) | u16(at + 20) << 16;
        bytes[at + 30 + nameLength + extraLength + compressed / 2] ^= 0x10;
        std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    FAIL() << member << " not in " << path;
}

TEST(Install, DamagedCoverOrTextStopsBeforeTheHostChanges) {
    // They are not installed, yet a damaged one means a damaged download like any other.
    // Windows lets nobody write the held working copy (preparation_working_copy_test), so
    // only POSIX can damage it after the preparation.
    if (platform::kSeparator == '\\') return;
    for (const std::string member : {"Wrzos.jpg", "Wrzos.txt"}) {
        SCOPED_TRACE(member);
        InstallRun run;
        const std::string user = catalogBytes(kUser);
        run.writeUserCatalog(user);
        run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
        ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
        damageMemberData(run.form->state.sourceZip, member);
        const std::size_t before = run.files.mutationCount();
        run.clickInstall();

        EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
        EXPECT_NE(run.statusLabel().find("Pobierz instalator ponownie."), std::string::npos) << run.statusLabel();
        EXPECT_EQ(run.files.mutationCount(), before);
        EXPECT_EQ(bytesAt(run.catalog("dodatki.mdb")), user);
    }
}

TEST(Install, TooLittleFreeSpaceNamesTheDriveAndSizes) {
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled());
    run.files.setFreeSpace(1000);
    const std::size_t before = run.files.mutationCount();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    const std::string label = run.statusLabel();
    EXPECT_EQ(label.rfind("Za mało miejsca na dysku " + install::driveOf(run.host + "dodatki" + platform::kSeparator) + ". Instalacja potrzebuje ", 0), 0u)
        << label;
    EXPECT_NE(label.find("wolne jest 0,0 MB (1 000 B)."), std::string::npos) << label;
    EXPECT_EQ(run.files.mutationCount(), before);
    EXPECT_FALSE(run.files.folderExists(run.catalogFolder()));
}

TEST(Install, LeftoversWithoutARecordAreKeptUnderNewNamesAndTheUsersCatalogIsMerged) {
    InstallRun run;
    // Left by an older installer, or by anybody: nothing proves what they are.
    run.writeUserCatalog(catalogBytes(kUser));
    const std::string stale = catalogBytes(kPackageAlone);
    run.writeUserCatalog(stale, "dodatki_old.mdb");
    run.writeUserCatalog("not ours to judge", "dodatki_new.mdb");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    run.clickInstall();

    EXPECT_TRUE(run.finished());
    EXPECT_EQ(installtest::catalogRows(run.catalog("dodatki.mdb")), rowsOf(kMerged));
    EXPECT_EQ(bytesAt(run.catalog("dodatki_old (zachowany 1).mdb")), stale);
    EXPECT_EQ(bytesAt(run.catalog("dodatki_new (zachowany 1).mdb")), "not ours to judge");
    EXPECT_TRUE(hasLine(run, "Plik " + run.catalog("dodatki_old.mdb") +
                                 " pozostał po wcześniejszej instalacji; zachowano go jako " +
                                 run.catalog("dodatki_old (zachowany 1).mdb") + "."));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_old.mdb")));
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));
}

TEST(Install, AnOldCatalogWithoutTheCatalogStopsBeforeAnyChange) {
    InstallRun run;
    run.writeUserCatalog(catalogBytes(kUser), "dodatki_old.mdb");
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    const auto before = run.hostFiles();
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::NothingChanged);
    EXPECT_EQ(run.statusLabel().rfind("W katalogu " + run.catalogFolder() + " jest plik dodatki_old.mdb", 0), 0u)
        << run.statusLabel();
    EXPECT_EQ(run.hostFiles(), before);
}

TEST(Install, FailedMoveBackKeepsTheAsideCatalogAndNamesIt) {
    InstallRun run;
    const std::string user = catalogBytes(kUser);
    run.writeUserCatalog(user);
    run.prepare(installtest::packageZip("Wrzos", "a package catalog that is no database"));
    ASSERT_TRUE(run.installEnabled());
    run.files.failOperation(FileOperation::Rename, "*dodatki_old.mdb");
    run.clickInstall();

    EXPECT_EQ(run.form->installOutcome, app::InstallOutcome::CatalogLeftAside);
    EXPECT_EQ(run.statusLabel(), "Nie udało się przywrócić katalogu dodatki.mdb. Twój katalog jest zachowany w pliku " +
                                     run.catalog("dodatki_old.mdb") + ".");
    EXPECT_EQ(bytesAt(run.catalog("dodatki_old.mdb")), user);
    EXPECT_FALSE(run.files.fileExists(run.catalog("dodatki_new.mdb")));

    // The record stays; from it the next run puts the catalog back, then installs.
    EXPECT_TRUE(run.files.fileExists(run.catalog("instalacja.lumor-dziennik")));
    InstallRun again;
    again.copyDrivesOf(run);
    again.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    again.clickInstall();
    EXPECT_TRUE(again.finished());
    EXPECT_EQ(installtest::catalogRows(again.catalog("dodatki.mdb")), rowsOf(kMerged));
}

TEST(Install, MissingArchiveLeavesTheGaugeAtZero) {
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalogBytes(kPackage)));
    ASSERT_TRUE(run.installEnabled());
    // The copy is held open from its making: Windows refuses to delete it, POSIX only takes
    // its name away.
    const bool deleted = run.files.deleteFile(run.form->state.sourceZip);
    ASSERT_EQ(deleted, platform::kSeparator == '/');
    if (!deleted) return;  // checked above: on Windows a missing copy cannot happen
    run.clickInstall();

    EXPECT_EQ(run.statusLabel(), "Wystąpił błąd instalacji. Brak pliku: " + run.form->state.sourceZip);
    EXPECT_TRUE(run.form->gauge.visible());
    EXPECT_EQ(run.form->gauge.progress(), 0);
    EXPECT_TRUE(run.installGone());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_FALSE(run.files.folderExists(run.catalogFolder()));
}

// pakiet install: the same run with a click, answered with distinct exit codes.
struct HeadlessInstall {
    InstallRun run;
    std::ostringstream out, err;

    int install(const std::string& packageCatalog, bool debug = true) {
        run.writeInstaller(installtest::packageZip("Wrzos", packageCatalog));
        std::string current = run.currentDir.folder();
        current.pop_back();
        run.system.currentDir = current;
        app::HeadlessInstallOptions options;
        options.installer = run.installer;
        options.logLevel = debug ? session::LogLevel::Debug : session::LogLevel::Normal;
        return app::runHeadlessInstall(options, run.files, run.system, run.decoder.get(), out, err);
    }
};

TEST(PakietInstall, FinishedInstallationExitsZeroAndPrintsTheLog) {
    HeadlessInstall h;
    h.run.writeUserCatalog(catalogBytes(kUser));
    EXPECT_EQ(h.install(catalogBytes(kPackage)), app::kExitInstalled) << h.err.str();
    EXPECT_NE(h.out.str().find("SET FINISH na objektach\n"), std::string::npos);
    EXPECT_EQ(h.err.str(), "");
    EXPECT_EQ(installtest::catalogRows(h.run.catalog("dodatki.mdb")), rowsOf(kMerged));
    // Close ran; debug mode keeps the working files, a normal run's Close removes them.
    EXPECT_TRUE(h.run.files.fileExists(h.run.workDir() + "packages.zip"));
    HeadlessInstall normal;
    normal.run.writeUserCatalog(catalogBytes(kUser));
    EXPECT_EQ(normal.install(catalogBytes(kPackage), false), app::kExitInstalled) << normal.err.str();
    EXPECT_FALSE(normal.run.files.fileExists(normal.run.workDir() + "packages.zip"));
}

TEST(PakietInstall, InstallNeverEnabledAndFailedInstallationHaveTheirOwnCodes) {
    HeadlessInstall noHost;
    noHost.run.system.roots = {noHost.run.drive("D")};
    EXPECT_EQ(noHost.install(catalogBytes(kPackage), false), app::kExitInstallNotEnabled);
    EXPECT_FALSE(noHost.run.files.folderExists(noHost.run.catalogFolder()));

    HeadlessInstall failed;
    const std::string user = catalogBytes(kUser);
    failed.run.writeUserCatalog(user);
    EXPECT_EQ(failed.install("no database", false), app::kExitInstallFailed);
    EXPECT_EQ(failed.err.str(), "Wystąpił błąd instalacji. Spróbuj ponownie.\n");
    EXPECT_EQ(bytesAt(failed.run.catalog("dodatki.mdb")), user);
    // Normal mode prints the level-1 lines only.
    EXPECT_EQ(failed.out.str().find("SET "), std::string::npos);

    HeadlessInstall aside;
    aside.run.writeUserCatalog(user);
    aside.run.files.failOperation(FileOperation::Rename, "*dodatki_old.mdb");
    EXPECT_EQ(aside.install("no database", false), app::kExitCatalogLeftAside);
    EXPECT_NE(aside.err.str().find(aside.run.catalog("dodatki_old.mdb")), std::string::npos);
}

}  // namespace
