#include "host/check_installation_enabled.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/host/host_fixture.h"

namespace {

using hosttest::contents;
using hosttest::exists;
using hosttest::nativePath;
using testsupport::FileOperation;

class CheckInstallationEnabledTest : public ::testing::Test {
protected:
    CheckInstallationEnabledTest() : files(platform::realFileSystem()) {
        state.formCover = true;
        state.pack = true;
        state.packageName = "Meble Nowak";
        drives.makeFolder("C", "Kavitek\\CAD 2.0\\dodatki");
        hostFolder = drives.root("C") + nativePath("Kavitek\\CAD 2.0\\");
        packageFolder = hostFolder + nativePath("dodatki\\Meble Nowak\\");
        catalog = packageFolder + "dodatki.mdb";
        aside = packageFolder + "dodatki.mdb.old";
    }

    void installedCatalog() { drives.makeFile("C", "Kavitek\\CAD 2.0\\dodatki\\Meble Nowak\\dodatki.mdb", "user"); }
    void staleAside() { drives.makeFile("C", "Kavitek\\CAD 2.0\\dodatki\\Meble Nowak\\dodatki.mdb.old", "stale"); }

    // Runs the check with the folder field holding `fieldText`; true when it enabled Install.
    bool check(const std::string& fieldText) {
        bool enabled = false;
        host::CheckInstallationEnabled(log, state, files, system, fieldText,
                                       [&] { enabled = true; });
        return enabled;
    }
    bool check() { return check(hostFolder); }

    hosttest::Drives drives;
    testsupport::FaultInjectingFileSystem files;
    testsupport::FakeSystem system;
    hosttest::RecordingLog log;
    session::InstallerState state;
    std::string hostFolder, packageFolder, catalog, aside;
};

TEST_F(CheckInstallationEnabledTest, WithoutPackageOrCoverTouchesNothing) {
    installedCatalog();
    for (auto [cover, pack] : {std::pair{false, true}, {true, false}, {false, false}}) {
        state.formCover = cover;
        state.pack = pack;
        log.lines.clear();
        EXPECT_FALSE(check());
        EXPECT_EQ(log.texts(), std::vector<std::string>{"Kontrola możliwości instalacji."});
    }
    EXPECT_EQ(files.mutationCount(), 0u);
    EXPECT_EQ(system.snapshotCalls, 0);
}

TEST_F(CheckInstallationEnabledTest, EmptyPackageNameLeavesTheAddOnFolderCatalogAlone) {
    drives.makeFile("C", "Kavitek\\CAD 2.0\\dodatki\\dodatki.mdb", "catalog");
    state.packageName.clear();
    EXPECT_FALSE(check());
    EXPECT_EQ(log.texts(), std::vector<std::string>{"Kontrola możliwości instalacji."});
    EXPECT_EQ(files.mutationCount(), 0u);
}

TEST_F(CheckInstallationEnabledTest, FirstInstallationIsGrantedWithoutAnyRename) {
    EXPECT_TRUE(check());
    const std::vector<hosttest::LogLine> expected = {
        {2, "Kontrola możliwości instalacji."},
        {2, "Sprawdzamy dostęp do pliku: " + catalog},
        {2, "Dostęp do MDB poprawny"},
        {2, "Sprawdzamy uruchomienie applikacji CAD."},
        {2, "Nie znaleziono uruchomionej applikacji CAD."},
    };
    EXPECT_EQ(log.lines, expected);
    EXPECT_FALSE(exists(catalog));
    EXPECT_FALSE(exists(aside));
}

TEST_F(CheckInstallationEnabledTest, InstalledCatalogGoesAsideAndComesBackUnchanged) {
    installedCatalog();
    EXPECT_TRUE(check());
    EXPECT_EQ(contents(catalog), "user");
    EXPECT_FALSE(exists(aside));
    ASSERT_EQ(files.mutations().size(), 2u);
    EXPECT_EQ(files.mutations()[0].path, catalog);
    EXPECT_EQ(files.mutations()[1].path, aside);
}

TEST_F(CheckInstallationEnabledTest, RepeatedChecksGiveTheSameResult) {
    installedCatalog();
    EXPECT_TRUE(check());
    const auto first = log.lines;
    log.lines.clear();
    EXPECT_TRUE(check());
    EXPECT_EQ(log.lines, first);
    EXPECT_EQ(contents(catalog), "user");
}

TEST_F(CheckInstallationEnabledTest, HeldCatalogAsksToCloseTheHost) {
    installedCatalog();
    files.failOperation(FileOperation::Rename, "*" + std::string(1, platform::kSeparator) + "dodatki.mdb");
    EXPECT_FALSE(check());
    EXPECT_EQ(log.userMessages(),
              std::vector<std::string>{"Wyłącz program CAD LUMOR i spróbuj ponownie."});
    EXPECT_FALSE(log.has("Dostęp do MDB poprawny"));
    EXPECT_EQ(system.snapshotCalls, 0);
    EXPECT_EQ(contents(catalog), "user");
}

TEST_F(CheckInstallationEnabledTest, StaleAsideCopyIsDeletedBeforeTheTest) {
    installedCatalog();
    staleAside();
    EXPECT_TRUE(check());
    EXPECT_TRUE(log.has("Kasujemy poprzednią kopię pliku dodatki.mdb"));
    EXPECT_EQ(contents(catalog), "user");
    EXPECT_FALSE(exists(aside));
}

TEST_F(CheckInstallationEnabledTest, StaleAsideThatCannotBeDeletedMakesTheRenameFail) {
    installedCatalog();
    staleAside();
    files.failOperation(FileOperation::DeleteFile, "*dodatki.mdb.old");
    EXPECT_FALSE(check());
    EXPECT_EQ(log.userMessages(),
              std::vector<std::string>{"Wyłącz program CAD LUMOR i spróbuj ponownie."});
    EXPECT_EQ(contents(catalog), "user");
    EXPECT_EQ(contents(aside), "stale");
}

TEST_F(CheckInstallationEnabledTest, AsideCopyWithoutCatalogIsRestoredNotDeleted) {
    // A check cut short between its renames leaves the user's catalog under the aside name.
    drives.makeFile("C", "Kavitek\\CAD 2.0\\dodatki\\Meble Nowak\\dodatki.mdb.old", "user");
    EXPECT_TRUE(check());
    EXPECT_FALSE(log.has("Kasujemy poprzednią kopię pliku dodatki.mdb"));
    EXPECT_EQ(contents(catalog), "user");
    EXPECT_FALSE(exists(aside));
}

TEST_F(CheckInstallationEnabledTest, CatalogThatCannotComeBackIsNotTakenAsAccessible) {
    installedCatalog();
    files.failOperation(FileOperation::Rename, "*dodatki.mdb.old");
    EXPECT_FALSE(check());
    EXPECT_EQ(log.userMessages(),
              std::vector<std::string>{"Wyłącz program CAD LUMOR i spróbuj ponownie."});
    // The next check, with the fault gone, puts the catalog back.
    files.clearFaults();
    log.lines.clear();
    EXPECT_TRUE(check());
    EXPECT_EQ(contents(catalog), "user");
    EXPECT_FALSE(exists(aside));
}

TEST_F(CheckInstallationEnabledTest, ConflictingProgramKeepsInstallDisabled) {
    installedCatalog();
    system.addProcess("explorer.exe");
    system.addProcess("CADLumorPro.exe");
    EXPECT_FALSE(check());
    EXPECT_TRUE(log.has("Dostęp do MDB poprawny"));
    EXPECT_EQ(log.userMessages(),
              std::vector<std::string>{"Wyłącz program CADLumorPro.exe i spróbuj ponownie."});
    EXPECT_EQ(contents(catalog), "user");
}

TEST_F(CheckInstallationEnabledTest, FieldTextIsTrimmedBeforeBuildingPaths) {
    installedCatalog();
    EXPECT_TRUE(check("  " + hostFolder + " \t"));
    EXPECT_TRUE(log.has("Sprawdzamy dostęp do pliku: " + catalog));
}

}  // namespace
