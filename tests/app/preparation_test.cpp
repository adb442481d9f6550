// Whole preparation runs: start-up, the timer's tick and AfterShow against stand-in drives.
#include <gtest/gtest.h>

#include "archive/zip/zip_writer.h"
#include "catalog/catalog_creation.h"
#include "jet/database.h"
#include "tests/support/recording_log.h"
#include "tests/app/preparation_fixture.h"

namespace {

using preparationtest::nativePath;
using preparationtest::packageZip;
using preparationtest::PreparationRun;
using testsupport::FileOperation;

const std::vector<std::string> kDebug = {"/d"};

TEST(Preparation, OneHostWithItsAddOnFolderEnablesInstall) {
    PreparationRun run;
    const std::string host = run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C"), run.drive("D")};
    run.writeInstaller(packageZip("Meble Nowak"));
    run.run(kDebug);

    EXPECT_TRUE(run.backend.errorReports().empty());
    EXPECT_TRUE(run.installEnabled());
    EXPECT_EQ(run.form->Edit1.text(), host);
    EXPECT_TRUE(run.form->Edit1.visible());
    EXPECT_TRUE(run.form->StaticText1.visible());
    EXPECT_FALSE(run.form->ActivityIndicator.visible());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_EQ(run.form->state.packageName, "Meble Nowak");
    EXPECT_TRUE(run.form->state.pack);
    EXPECT_TRUE(run.form->state.formCover);
    EXPECT_EQ(run.form->BG.image().width, 40);
    EXPECT_EQ(run.form->BG.image().height, 30);
    // Once from the proposal's change of the field, once more from the sequence itself.
    EXPECT_EQ(run.count("Kontrola możliwości instalacji."), 2);
    EXPECT_EQ(run.count("HDD: [" + run.drive("C") + "]"), 1);
    EXPECT_EQ(run.count("HDD: [" + run.drive("D") + "]"), 1);
    EXPECT_EQ(run.count("Znaleziono: `packages.zip`"), 1);

    // The working folder holds the archive and the renamed cover, nothing else.
    EXPECT_TRUE(run.files.fileExists(run.workDir() + "packages.zip"));
    EXPECT_TRUE(run.files.fileExists(run.workDir() + "cover.jpg"));
    EXPECT_FALSE(run.files.fileExists(run.workDir() + "Meble Nowak.jpg"));
    EXPECT_FALSE(run.files.fileExists(run.workDir() + "zip-offset.txt"));
}

TEST(Preparation, TwoHostsOnTwoDrivesProposeTheFirstAndTellTheUser) {
    PreparationRun run;
    const std::string first = run.makeHost("C", "CAD 2.0");
    run.makeHost("D", "CAD 3.0");
    run.system.roots = {run.drive("C"), run.drive("D")};
    run.writeInstaller(packageZip("P"));
    run.run();

    EXPECT_TRUE(run.installEnabled());
    EXPECT_EQ(run.form->Edit1.text(), first);
    EXPECT_EQ(run.statusLabel(), "Wybrano pierwszą z 2 znalezionych instalacji. Możesz zmienić.");
    // Normal mode: the log box holds the level-1 lines only.
    EXPECT_EQ(run.logBox(), std::vector<std::string>{
                                "Wybrano pierwszą z 2 znalezionych instalacji. Możesz zmienić."});
}

TEST(Preparation, OnlyCadFoldersWithABlankCountUnderTheMakerFolder) {
    PreparationRun run;
    for (const char* name : {"CAD 2.0", "cad pro", "CADPRO", "Inne", "CAD", "xCAD 1"})
        run.makeFolder("C", std::string("Kavitek\\") + name + "\\dodatki");
    run.makeFolder("C", "Kavitek\\Inne\\CAD 9");  // deeper folders are never listed
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P"));
    run.run(kDebug);

    EXPECT_EQ(run.count("Znaleziono 2 instalacji oprogramowania CAD."), 1);
    const std::string maker = run.drive("C") + nativePath("Kavitek\\");
    EXPECT_EQ(run.count("Znaleziono instalację oprogramowania CAD LUMOR: " + maker + "CAD 2.0"), 1);
    EXPECT_EQ(run.count("Znaleziono instalację oprogramowania CAD LUMOR: " + maker + "cad pro"), 1);
    EXPECT_TRUE(run.installEnabled());
}

TEST(Preparation, HeldCatalogAsksToCloseTheHost) {
    PreparationRun run;
    const std::string host = run.makeHost("C", "CAD 2.0");
    run.writeFile(host + nativePath("dodatki\\P\\dodatki.mdb"), "user catalog");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P"));
    run.files.failOperation(FileOperation::Rename, "*dodatki.mdb");
    run.run();

    EXPECT_FALSE(run.installEnabled());
    EXPECT_TRUE(run.form->bnInstallDisable.visible());
    EXPECT_EQ(run.statusLabel(), "Wyłącz program CAD LUMOR i spróbuj ponownie.");
    EXPECT_TRUE(run.files.fileExists(host + nativePath("dodatki\\P\\dodatki.mdb")));
}

TEST(Preparation, ConflictingProcessIsNamedInTheStatusLine) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.system.addProcess("explorer.exe");
    run.system.addProcess("CADTool.exe");
    run.system.addProcess("runcad.exe");
    run.writeInstaller(packageZip("P"));
    run.run();

    EXPECT_FALSE(run.installEnabled());
    EXPECT_EQ(run.statusLabel(), "Wyłącz program CADTool.exe i spróbuj ponownie.");
}

TEST(Preparation, DamagedTrailerWithoutEarlierArchiveGivesThreeMessagesInOrder) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstallerEndingWith("17492252            ");  // left-aligned: not a number
    run.run();

    EXPECT_EQ(run.logBox(), (std::vector<std::string>{"Brak zawartego pakietu!",
                                                      "Brak danych pakietu !",
                                                      "Brak pakietu do instalacji !"}));
    EXPECT_EQ(run.statusLabel(), "Brak pakietu do instalacji !");
    EXPECT_FALSE(run.form->Edit1.visible());
    EXPECT_FALSE(run.form->StaticText1.visible());
    EXPECT_FALSE(run.installEnabled());
    EXPECT_FALSE(run.form->ActivityIndicator.visible());
    EXPECT_TRUE(run.backend.errorReports().empty());
}

TEST(Preparation, PackageWithoutItsCoverCannotBeInstalled) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P", /*withCover=*/false));
    run.run();

    EXPECT_EQ(run.logBox(), (std::vector<std::string>{"Brak okładki pakietu !",
                                                      "Brak pakietu do instalacji !"}));
    EXPECT_FALSE(run.form->state.formCover);
    EXPECT_FALSE(run.form->Edit1.visible());
    EXPECT_FALSE(run.installEnabled());
}

TEST(Preparation, ArchiveWithTwoPackagesEndsAsAMissingCover) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(zip::makeZip({{"A\\dodatki.mdb", "a"}, {"B\\dodatki.mdb", "b"},
                                     {"A.jpg", preparationtest::coverJpeg()}}));
    run.run();

    EXPECT_EQ(run.logBox(), (std::vector<std::string>{"Błędna zawartość pliku ZIP! (2 katalogów)",
                                                      "Brak okładki pakietu !",
                                                      "Brak pakietu do instalacji !"}));
    EXPECT_FALSE(run.installEnabled());
}

// A root member named ".jpg" once passed as the cover of the empty package name: the host
// search ran, the check tested the add-on folder's own catalog and Install came on.
TEST(Preparation, TwoPackagesWithARootDotJpgSeekNoHostAndNeverEnableInstall) {
    PreparationRun run;
    const std::string host = run.makeHost("C", "CAD 2.0");
    run.writeFile(host + nativePath("dodatki\\dodatki.mdb"), "catalog");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(zip::makeZip({{"A\\dodatki.mdb", "a"}, {"B\\dodatki.mdb", "b"},
                                     {".jpg", preparationtest::coverJpeg()}}));
    run.run(kDebug);

    EXPECT_TRUE(run.form->state.pack);
    EXPECT_EQ(run.form->state.packageName, "");
    EXPECT_EQ(run.count("Brak okładki pakietu !"), 1);
    EXPECT_EQ(run.count("Wyszukiwanie zainstalowanego oprogramowania CAD LUMOR."), 0);
    EXPECT_EQ(run.count("Kontrola możliwości instalacji."), 0);
    EXPECT_EQ(run.statusLabel(), "Brak pakietu do instalacji !");
    EXPECT_FALSE(run.form->Edit1.visible());
    EXPECT_FALSE(run.installEnabled());
    EXPECT_FALSE(run.files.fileExists(run.workDir() + "cover.jpg"));
}

TEST(Preparation, CoverLeftByAnEarlierRunIsShownButNoHostIsSought) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstallerEndingWith(preparationtest::offsetField(0));  // a valid "no archive"
    run.writeFile(run.workDir() + "cover.jpg", preparationtest::coverJpeg());
    run.run(kDebug);

    EXPECT_TRUE(run.form->state.formCover);
    EXPECT_FALSE(run.form->state.pack);
    EXPECT_EQ(run.form->BG.image().width, 40);
    EXPECT_EQ(run.count("Brak danych pakietu !"), 1);
    EXPECT_EQ(run.count("Brak pakietu do instalacji !"), 0);
    EXPECT_EQ(run.count("Wyszukiwanie zainstalowanego oprogramowania CAD LUMOR."), 0);
    EXPECT_EQ(run.statusLabel(), "Brak danych pakietu !");
    EXPECT_FALSE(run.form->Edit1.visible());
    EXPECT_FALSE(run.installEnabled());
}

TEST(Preparation, OldCoverThatCannotBeDeletedStaysAndIsShown) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P"));
    run.writeFile(run.workDir() + "cover.jpg", preparationtest::coverJpeg());
    run.files.failOperation(FileOperation::DeleteFile, "*cover.jpg");
    run.run(kDebug);

    EXPECT_EQ(run.count("Usunięto stary plik okładki. [cover.jpg]"), 0);
    EXPECT_TRUE(run.form->state.formCover);
    EXPECT_TRUE(run.files.fileExists(run.workDir() + "P.jpg"));  // the rename failed silently
    EXPECT_TRUE(run.installEnabled());
}

TEST(Preparation, UnreadableCoverEndsTheSequenceInTheErrorReport) {
    PreparationRun run;
    run.makeHost("C", "CAD 2.0");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(zip::makeZip({{"P\\dodatki.mdb", "c"}, {"P.jpg", "not a picture"}}));
    run.run();

    ASSERT_EQ(run.backend.errorReports().size(), 1u);
    EXPECT_FALSE(run.form->state.formCover);
    EXPECT_TRUE(run.form->ActivityIndicator.visible());
    EXPECT_FALSE(run.installEnabled());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
    EXPECT_FALSE(run.form->Edit1.visible());
    // The window stays open and Close still works.
    EXPECT_FALSE(run.backend.closed());
    run.backend.clickOn("bnCloseNormal");
    EXPECT_TRUE(run.backend.closed());
}

TEST(Preparation, HostTypedAfterAFailedSearchEnablesInstall) {
    PreparationRun run;
    const std::string host = run.makeHost("E", "Moja instalacja");  // no "CAD *" name
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P"));
    run.run();
    EXPECT_EQ(run.statusLabel(), "Nie znaleziono oprogramowania CAD. Wskaż poprawny katalog.");
    EXPECT_FALSE(run.installEnabled());

    run.backend.typeInto("Edit1", host.substr(0, host.size() - 1));  // no final separator
    EXPECT_FALSE(run.installEnabled());
    run.backend.typeInto("Edit1", host);
    EXPECT_TRUE(run.installEnabled());
    EXPECT_TRUE(run.form->state.destination);
}

// A Windows user's library folder and a package named with Polish letters: the search, the
// catalog's rename test and the catalog itself work on those names.
TEST(Preparation, PolishLettersInTheHostFolderAndThePackageName) {
    PreparationRun run;
    const std::string host = run.makeFolder("E", "Biblioteki\\Łazienki Żółte\\Kavitek\\CAD 2.0");
    const std::string catalogFolder = run.makeFolder("E", "Biblioteki\\Łazienki Żółte\\Kavitek\\CAD 2.0\\dodatki\\Łazienki_2026");
    testsupport::RecordingLog creationLog;
    ASSERT_TRUE(catalog::CatalogCreation(creationLog, run.files).MDBCreate(catalogFolder + "dodatki.mdb"));
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("Łazienki_2026"));
    run.run(kDebug);
    EXPECT_EQ(run.form->state.packageName, "Łazienki_2026");
    EXPECT_FALSE(run.installEnabled());  // the host is not below a drive root's maker folder

    run.backend.typeInto("Edit1", host);
    EXPECT_TRUE(run.backend.errorReports().empty());
    EXPECT_TRUE(run.installEnabled());
    // The rename test put the catalog back under its own name, whole.
    EXPECT_FALSE(run.files.fileExists(catalogFolder + "dodatki.mdb.old"));
    EXPECT_EQ(jet::Database::open(run.files, catalogFolder + "dodatki.mdb").tableNames(),
              (std::vector<std::string>{"info_producent", "Dodatki"}));
}

TEST(Preparation, FolderPickedInsideThePackageFolderLeadsBackToTheHost) {
    PreparationRun run;
    const std::string host = run.makeHost("E", "Inny");
    run.makeFolder("E", "Kavitek\\Inny\\dodatki\\P");
    run.system.roots = {run.drive("C")};
    run.writeInstaller(packageZip("P"));
    run.run();

    run.backend.answerFolderChooser(host + nativePath("dodatki\\P\\"));
    run.backend.clickEdit("Edit1");
    ASSERT_EQ(run.backend.folderChooserCalls().size(), 1u);
    EXPECT_EQ(run.backend.folderChooserCalls()[0].first, "Wybierz folder instalacji biblioteki");
    EXPECT_EQ(run.backend.folderChooserCalls()[0].second, "C:\\");
    EXPECT_EQ(run.form->Edit1.text(), host);
    EXPECT_EQ(run.form->state.strFolder, host + nativePath("dodatki\\P\\"));
    EXPECT_TRUE(run.installEnabled());

    // Cancelling the next pick changes nothing and opens where the last pick left.
    run.backend.answerFolderChooser(std::nullopt);
    run.backend.clickEdit("Edit1");
    EXPECT_EQ(run.backend.folderChooserCalls()[1].second, host + nativePath("dodatki\\P\\"));
    EXPECT_EQ(run.form->Edit1.text(), host);
}

}  // namespace
