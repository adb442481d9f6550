// The working folder and its copies: what the preparation makes there, holds and reads, what
// it refuses to write through, and how every way of closing the window cleans it up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/paths.h"
#include "tests/app/preparation_fixture.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using preparationtest::packageZip;
using preparationtest::PreparationRun;
using testsupport::FileOperation;

constexpr bool kWindows = platform::kSeparator == '\\';

fs::path u8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

// A run whose installer carries package "P" and whose host "CAD 2.0" is on drive C.
struct PreparedRun : PreparationRun {
    PreparedRun() {
        makeHost("C", "CAD 2.0");
        system.roots = {drive("C")};
        writeInstaller(packageZip("P"));
    }
    std::string zip() const { return workDir() + "packages.zip"; }
    std::string cover() const { return workDir() + "cover.jpg"; }
};

// Symbolic links need a privilege on Windows; where they cannot be made the test says so.
bool makeLink(const fs::path& target, const fs::path& link, bool folder) {
    std::error_code ec;
    if (folder)
        fs::create_directory_symlink(target, link, ec);
    else
        fs::create_symlink(target, link, ec);
    return !ec;
}

TEST(WorkingCopy, IsHeldFromCopyOutAndOthersCannotChangeItOnWindows) {
    PreparedRun run;
    run.run();
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    ASSERT_NE(run.form->state.heldArchive, nullptr);
    EXPECT_EQ(run.form->state.heldArchive->path(), run.zip());
    ASSERT_NE(run.form->state.heldCover, nullptr);
    EXPECT_EQ(run.form->state.heldCover->path(), run.cover());
    // POSIX has no share modes: there reads go through the held handle (install_working_copy_test).
    if (!kWindows) return;

    platform::FileSystem& other = platform::realFileSystem();
    for (const std::string& path : {run.zip(), run.cover()}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(other.createWrite(path), platform::FileError);
        EXPECT_THROW(other.openReadWrite(path, platform::Sharing::ReadWriteForOthers), platform::FileError);
        EXPECT_FALSE(other.renameNoReplace(path, path + ".moved"));
        EXPECT_FALSE(other.deleteFile(path));
        // Another program putting a file of its own in its place.
        const std::string before = testsupport::readFile(u8(path));
        testsupport::writeFile(u8(run.workDir() + "obcy.zip"), "another archive");
        std::error_code ec;
        fs::rename(u8(run.workDir() + "obcy.zip"), u8(path), ec);
        EXPECT_TRUE(ec);
        EXPECT_EQ(testsupport::readFile(u8(path)), before);
    }
    // Reading stays open to others.
    EXPECT_NO_THROW(other.openRead(run.zip(), platform::Sharing::ReadWriteForOthers));
}

// Whatever lies at "packages.zip" before the copy-out goes first: writing through it (a
// link to a file elsewhere) would overwrite another file, and reusing it would read what
// this installer does not carry.
TEST(WorkingCopy, AFileOrLinkPlantedAtItsNameIsReplacedNotWrittenThrough) {
    PreparedRun run;
    testsupport::TempDir elsewhere;
    const fs::path victim = elsewhere.path() / "dokument.txt";
    testsupport::writeFile(victim, "someone's document");
    fs::create_directories(u8(run.workDir()));
    if (!makeLink(victim, u8(run.zip()), false)) GTEST_SKIP() << "no symbolic links here";
    run.run();

    EXPECT_EQ(testsupport::readFile(victim), "someone's document");
    EXPECT_FALSE(fs::is_symlink(u8(run.zip())));
    EXPECT_TRUE(run.installEnabled()) << run.statusLabel();
}

TEST(WorkingCopy, AnOldArchiveThatCannotBeDeletedStopsThePreparationInPolish) {
    PreparedRun run;
    run.writeFile(run.zip(), packageZip("Obcy"));
    run.files.failOperation(FileOperation::DeleteFile, "*packages.zip");
    run.run();

    ASSERT_EQ(run.backend.errorReports().size(), 1u);
    EXPECT_EQ(run.backend.errorReports()[0],
              "Nie można usunąć starego pliku " + run.zip() +
                  " z folderu roboczego. Usuń go i uruchom instalator ponownie.");
    EXPECT_EQ(run.form->state.heldArchive, nullptr);
    EXPECT_EQ(run.form->state.packageName, "");
    EXPECT_FALSE(run.installEnabled());
    EXPECT_TRUE(run.form->bnCloseNormal.visible());
}

// An installer without a package of its own reads the archive an earlier run left (debug mode
// or "NODELETE"), held from that moment like a copy of its own.
TEST(WorkingCopy, AnEarlierRunsArchiveIsHeldWhenTheInstallerCarriesNone) {
    PreparedRun run;
    run.writeInstallerEndingWith(preparationtest::offsetField(0));
    run.writeFile(run.zip(), packageZip("P"));
    run.run();

    ASSERT_NE(run.form->state.heldArchive, nullptr);
    EXPECT_EQ(run.form->state.packageName, "P");
    EXPECT_TRUE(run.installEnabled()) << run.statusLabel();
}

TEST(WorkingFolder, ALinkToAnotherFolderIsRefusedAndNothingIsWrittenOrDeletedThere) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"/d"}}) {
        PreparedRun run;
        testsupport::TempDir elsewhere;
        testsupport::writeFile(elsewhere.path() / "cover.jpg", "someone's picture");
        std::string work = run.workDir();
        work.pop_back();
        if (!makeLink(elsewhere.path(), u8(work), true)) GTEST_SKIP() << "no symbolic links here";
        run.run(args);

        const std::string refusal = "Folder roboczy " + run.workDir() +
                                    " jest dowiązaniem do innego miejsca, więc instalator nie zapisze w nim "
                                    "plików. Usuń go i uruchom instalator ponownie.";
        EXPECT_EQ(run.statusLabel(), refusal);
        EXPECT_EQ(run.count(refusal), 1);
        EXPECT_EQ(run.count("Brak danych pakietu !"), 0);
        EXPECT_FALSE(run.installEnabled());
        EXPECT_FALSE(run.form->ActivityIndicator.visible());
        EXPECT_TRUE(run.backend.errorReports().empty());
        EXPECT_FALSE(fs::exists(elsewhere.path() / "packages.zip"));
        EXPECT_FALSE(fs::exists(elsewhere.path() / "zip-offset.txt"));

        run.backend.clickOn("bnCloseNormal");
        EXPECT_TRUE(run.backend.closed());
        EXPECT_EQ(testsupport::readFile(elsewhere.path() / "cover.jpg"), "someone's picture");
        EXPECT_TRUE(fs::is_symlink(u8(work)));
    }
}

// Close, and a close from outside (Alt+F4, the end of the session), after a whole preparation:
// the held copies are let go before they are deleted, or Windows would keep them.
TEST(WorkingFolder, EveryWayOfClosingRemovesTheWorkingFilesInNormalModeOnly) {
    struct Case {
        const char* what;
        bool viaCloseButton;
        std::vector<std::string> args;
        bool nodelete;
        bool removed;
    };
    const Case cases[] = {
        {"Close button", true, {}, false, true},
        {"close request", false, {}, false, true},
        {"close request, debug mode", false, {"/d"}, false, false},
        {"close request, NODELETE", false, {}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PreparedRun run;
        if (c.nodelete) run.writeFile(run.workDir() + "NODELETE", "");
        run.run(c.args);
        ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
        if (c.viaCloseButton)
            run.backend.clickOn("bnCloseNormal");
        else
            run.backend.requestClose();

        EXPECT_TRUE(run.backend.closed());
        EXPECT_TRUE(run.backend.errorReports().empty());
        EXPECT_EQ(run.files.fileExists(run.zip()), !c.removed);
        EXPECT_EQ(run.files.fileExists(run.cover()), !c.removed);
        EXPECT_EQ(run.files.folderExists(run.workDir()), !c.removed);
    }
}

}  // namespace
