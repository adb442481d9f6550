// The real file system of the running platform, in a fresh temporary folder per test.
#include "platform/file_system.h"

#include "platform/paths.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using platform::Sharing;

fs::path fsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string readAll(platform::ReadableFile& file) {
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    bytes.resize(file.readAt(0, bytes.data(), bytes.size()));
    return bytes;
}

class FileSystemTest : public ::testing::Test {
protected:
    platform::FileSystem& files = platform::realFileSystem();
    testsupport::TempDir temp;
    const std::string dir = temp.folder();

    void makeFile(const std::string& name, const std::string& bytes) {
        testsupport::writeFile(fsPath(dir + name), bytes);
    }
    std::string contentOf(const std::string& name) {
        return testsupport::readFile(fsPath(dir + name));
    }
};

TEST_F(FileSystemTest, RenameNeverReplacesAnExistingFile) {
    makeFile("a.mdb", "mine");
    makeFile("b.mdb", "theirs");
    EXPECT_FALSE(files.renameNoReplace(dir + "a.mdb", dir + "b.mdb"));
    EXPECT_EQ(contentOf("a.mdb"), "mine");
    EXPECT_EQ(contentOf("b.mdb"), "theirs");
}

TEST_F(FileSystemTest, RenameMovesAFileToAFreeName) {
    makeFile("dodatki.mdb", "catalog");
    EXPECT_TRUE(files.renameNoReplace(dir + "dodatki.mdb", dir + "dodatki.mdb.old"));
    EXPECT_FALSE(files.fileExists(dir + "dodatki.mdb"));
    EXPECT_EQ(contentOf("dodatki.mdb.old"), "catalog");
}

TEST_F(FileSystemTest, RenameRefusesAMissingSourceAndExistingFolders) {
    EXPECT_FALSE(files.renameNoReplace(dir + "missing", dir + "other"));
    EXPECT_FALSE(files.fileExists(dir + "other"));

    ASSERT_TRUE(files.createFolder(dir + "x"));
    ASSERT_TRUE(files.createFolder(dir + "y"));  // empty: rename(2) alone would replace it
    makeFile("x-file", "1");
    EXPECT_FALSE(files.renameNoReplace(dir + "x", dir + "y"));
    EXPECT_TRUE(files.folderExists(dir + "x"));
    EXPECT_FALSE(files.renameNoReplace(dir + "x-file", dir + "y"));
    EXPECT_EQ(contentOf("x-file"), "1");
    EXPECT_TRUE(files.renameNoReplace(dir + "x", dir + "z"));
    EXPECT_TRUE(files.folderExists(dir + "z"));
}

TEST_F(FileSystemTest, ExistenceTellsFilesFromFolders) {
    makeFile("f", "");
    ASSERT_TRUE(files.createFolder(dir + "d"));
    EXPECT_TRUE(files.fileExists(dir + "f"));
    EXPECT_FALSE(files.folderExists(dir + "f"));
    EXPECT_TRUE(files.folderExists(dir + "d"));
    EXPECT_FALSE(files.fileExists(dir + "d"));
    EXPECT_FALSE(files.fileExists(dir + "none"));
    EXPECT_FALSE(files.folderExists(dir + "none"));
}

TEST_F(FileSystemTest, FolderCreationIsOneLevelAndFailsOnAnExistingName) {
    EXPECT_TRUE(files.createFolder(dir + "tmp"));
    EXPECT_FALSE(files.createFolder(dir + "tmp"));
    EXPECT_FALSE(files.createFolder(dir + "a" + platform::kSeparator + "b"));
    EXPECT_FALSE(files.folderExists(dir + "a"));
}

TEST_F(FileSystemTest, DeleteFileRemovesFilesOnly) {
    makeFile("cover.jpg", "x");
    ASSERT_TRUE(files.createFolder(dir + "d"));
    EXPECT_TRUE(files.deleteFile(dir + "cover.jpg"));
    EXPECT_FALSE(files.fileExists(dir + "cover.jpg"));
    EXPECT_FALSE(files.deleteFile(dir + "cover.jpg"));
    EXPECT_FALSE(files.deleteFile(dir + "d"));
    EXPECT_TRUE(files.folderExists(dir + "d"));
}

TEST_F(FileSystemTest, ListingGivesMatchingSubFoldersOnly) {
    for (const char* name : {"CAD 2.0", "cad pro", "CADPRO", "Inne", ".ukryty", "CAD ł"})
        ASSERT_TRUE(files.createFolder(dir + name)) << name;
    makeFile("CAD plik.txt", "a file, not a folder");
    ASSERT_TRUE(files.createFolder(dir + "CAD 2.0" + platform::kSeparator + "CAD deeper"));

    std::vector<std::string> found = files.listSubFolders(dir, "CAD *");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"CAD 2.0", "CAD ł", "cad pro"}));

    std::vector<std::string> all = files.listSubFolders(dir, "*");
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{".ukryty", "CAD 2.0", "CAD ł", "CADPRO", "Inne",
                                             "cad pro"}));
}

TEST_F(FileSystemTest, ListingWorksWithOrWithoutTrailingSeparator) {
    ASSERT_TRUE(files.createFolder(dir + "Kavitek"));
    ASSERT_TRUE(files.createFolder(dir + "Kavitek" + platform::kSeparator + "CAD 1"));
    const std::vector<std::string> expected{"CAD 1"};
    EXPECT_EQ(files.listSubFolders(dir + "Kavitek", "CAD *"), expected);
    EXPECT_EQ(files.listSubFolders(dir + "Kavitek" + platform::kSeparator, "CAD *"), expected);
}

TEST_F(FileSystemTest, ListingAMissingFolderGivesNothing) {
    EXPECT_TRUE(files.listSubFolders(dir + "none", "*").empty());
}

TEST_F(FileSystemTest, EmptinessAndRemovalOfFolders) {
    const std::string work = dir + "tmp";
    ASSERT_TRUE(files.createFolder(work));
    EXPECT_TRUE(files.folderIsEmpty(work));

    makeFile(std::string("tmp") + platform::kSeparator + "NODELETE", "");
    EXPECT_FALSE(files.folderIsEmpty(work));
    EXPECT_FALSE(files.removeFolder(work));
    EXPECT_TRUE(files.folderExists(work));
    ASSERT_TRUE(files.deleteFile(work + platform::kSeparator + "NODELETE"));

    ASSERT_TRUE(files.createFolder(work + platform::kSeparator + "sub"));
    EXPECT_FALSE(files.folderIsEmpty(work));
    EXPECT_FALSE(files.removeFolder(work));
    ASSERT_TRUE(files.removeFolder(work + platform::kSeparator + "sub"));

    EXPECT_TRUE(files.folderIsEmpty(work));
    EXPECT_TRUE(files.removeFolder(work));
    EXPECT_FALSE(files.folderExists(work));
    EXPECT_FALSE(files.folderIsEmpty(work));  // a missing folder is not known to be empty
    EXPECT_FALSE(files.removeFolder(work));
}

TEST_F(FileSystemTest, WrittenBytesReadBackAndReadsStopAtTheEnd) {
    auto out = files.createWrite(dir + "packages.zip");
    out->write("PK\3\4", 4);
    out->write("rest", 4);
    out->close();

    auto in = files.openRead(dir + "packages.zip", Sharing::ReadOnlyForOthers);
    EXPECT_EQ(in->size(), 8);
    char buffer[16] = {};
    EXPECT_EQ(in->readAt(4, buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "rest");
    EXPECT_EQ(in->readAt(8, buffer, sizeof buffer), 0u);
    EXPECT_EQ(in->readAt(100, buffer, sizeof buffer), 0u);
    EXPECT_THROW(in->readAt(-1, buffer, 1), platform::FileError);
}

TEST_F(FileSystemTest, CreatingTruncatesAnExistingFile) {
    makeFile("zip-offset.txt", "a long earlier content");
    auto out = files.createWrite(dir + "zip-offset.txt");
    out->write("20", 2);
    out->close();
    EXPECT_EQ(contentOf("zip-offset.txt"), "20");
}

TEST_F(FileSystemTest, OpeningFailuresNameThePath) {
    const std::string missing = dir + "brak.mdb";
    try {
        files.openRead(missing, Sharing::ReadOnlyForOthers);
        FAIL() << "opened a missing file";
    } catch (const platform::FileError& error) {
        EXPECT_EQ(error.path(), missing);
        const std::string message = error.what();
        EXPECT_NE(message.find(missing), std::string::npos) << message;
        // The system's reason follows the path, and is kept apart for wording.
        EXPECT_GT(message.size(), message.find(missing) + missing.size() + 3) << message;
        EXPECT_EQ(error.action(), platform::FileAction::Open);
        EXPECT_FALSE(error.reason().empty());
        EXPECT_NE(message.find(error.reason()), std::string::npos) << message;
    }
    EXPECT_THROW(files.openReadWrite(missing, Sharing::ReadOnlyForOthers), platform::FileError);
    EXPECT_FALSE(files.fileExists(missing));
    EXPECT_THROW(files.createWrite(dir + "no-folder" + platform::kSeparator + "x"),
                 platform::FileError);
    ASSERT_TRUE(files.createFolder(dir + "folder"));
    EXPECT_THROW(files.openRead(dir + "folder", Sharing::ReadWriteForOthers), platform::FileError);
}

TEST_F(FileSystemTest, RandomAccessWritesInPlaceAndGrows) {
    makeFile("page.mdb", "0123456789");
    auto file = files.openReadWrite(dir + "page.mdb", Sharing::ReadOnlyForOthers);
    file->writeAt(2, "ab", 2);
    file->writeAt(12, "Z", 1);
    file->flush();
    EXPECT_EQ(file->size(), 13);
    file.reset();
    EXPECT_EQ(contentOf("page.mdb"), std::string("01ab456789\0\0Z", 13));

    auto created = files.openReadWrite(dir + "new.mdb", Sharing::ReadOnlyForOthers, true);
    EXPECT_EQ(created->size(), 0);
}

TEST_F(FileSystemTest, AFlushBatchTakesTheFilesItNamesAndRefusesOneThatIsGone) {
    makeFile("a.txt", "a");
    makeFile("b.txt", "b");
    auto batch = files.flushBatch();
    batch->add(dir + "a.txt");
    batch->add(dir + "b.txt");
    try {
        batch->add(dir + "gone.txt");
        ADD_FAILURE() << "a missing file was taken";
    } catch (const platform::FileError& error) {
        EXPECT_EQ(error.path(), dir + "gone.txt");
        EXPECT_EQ(error.failure(), platform::FileFailure::NotFound);
    }
    EXPECT_NO_THROW(batch->finish());
    EXPECT_EQ(contentOf("a.txt"), "a");
}

TEST_F(FileSystemTest, PositionsBeyondFourGigabytes) {
    // A sparse file: only the last bytes are written, the file system keeps the hole free.
    const std::int64_t offset = (std::int64_t{5} << 30) + 123;
    {
        auto file = files.openReadWrite(dir + "big.bin", Sharing::ReadOnlyForOthers, true);
        file->writeAt(offset, "far", 3);
        file->writeAt(7, "near", 4);
        EXPECT_EQ(file->size(), offset + 3);
    }
    auto in = files.openRead(dir + "big.bin", Sharing::ReadOnlyForOthers);
    EXPECT_EQ(in->size(), offset + 3);
    char buffer[8] = {};
    ASSERT_EQ(in->readAt(offset - 1, buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), std::string("\0far", 4));
    // The same offset cut to 32 bits must not alias the far bytes.
    ASSERT_EQ(in->readAt(offset & 0xFFFFFFFF, buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), std::string(3, '\0'));
    ASSERT_EQ(in->readAt(7, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "near");
}

TEST_F(FileSystemTest, PolishNamesSurviveTheSystemBoundary) {
    const std::string folder = dir + "Żółć gęślą";
    const std::string file = folder + platform::kSeparator + "zażółć jaźń.mdb";
    ASSERT_TRUE(files.createFolder(folder));
    auto out = files.createWrite(file);
    out->write("ąę", 4);
    out->close();

    // Another route to the same names: the standard library's own UTF-8 path conversion.
    EXPECT_TRUE(fs::is_directory(fsPath(folder)));
    EXPECT_EQ(testsupport::readFile(fsPath(file)), "ąę");
    EXPECT_EQ(files.listSubFolders(dir, "Ż*"), std::vector<std::string>{"Żółć gęślą"});
    EXPECT_TRUE(files.fileExists(file));
    EXPECT_TRUE(files.renameNoReplace(file, file + ".old"));
    EXPECT_TRUE(fs::exists(fsPath(file + ".old")));
}

TEST_F(FileSystemTest, PathsLongerThanTheClassicWindowsLimitWork) {
    // Deep package members end up in paths beyond 260 characters.
    std::string folder = dir;
    std::vector<std::string> folders;
    while (folder.size() < 320) {
        folder += "katalog-producenta-ąę-0123456789";
        ASSERT_TRUE(files.createFolder(folder)) << folder.size();
        folders.push_back(folder);
        folder += platform::kSeparator;
    }
    const std::string file = folder + "dodatki.mdb";
    auto out = files.createWrite(file);
    out->write("deep", 4);
    out->close();
    EXPECT_TRUE(files.fileExists(file));
    EXPECT_EQ(readAll(*files.openRead(file, Sharing::ReadOnlyForOthers)), "deep");
    EXPECT_TRUE(files.renameNoReplace(file, file + ".old"));
    EXPECT_FALSE(files.folderIsEmpty(folders.back()));
    EXPECT_EQ(files.listSubFolders(folders[folders.size() - 2], "*").size(), 1u);
    EXPECT_TRUE(files.deleteFile(file + ".old"));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        EXPECT_TRUE(files.removeFolder(*it)) << it->size();
}

TEST_F(FileSystemTest, AFileBeingWrittenCanBeReadWhenWritersAreAllowed) {
    auto out = files.createWrite(dir + "log.txt");
    out->write("first", 5);
    auto in = files.openRead(dir + "log.txt", Sharing::ReadWriteForOthers);
    EXPECT_EQ(readAll(*in), "first");
    out->write(" second", 7);
    EXPECT_EQ(readAll(*in), "first second");
}

TEST(RunningExecutable, CanBeReadWithWritersDenied) {
    // The installer reads its own file, which the system holds open while it runs.
    const std::string exe = platform::realSystem().executablePath();
    auto in = platform::realFileSystem().openRead(exe, Sharing::ReadOnlyForOthers);
    EXPECT_EQ(in->size(), static_cast<std::int64_t>(fs::file_size(fsPath(exe))));
    char magic[4] = {};
    ASSERT_EQ(in->readAt(0, magic, 4), 4u);
    const std::string head(magic, 4);
    EXPECT_TRUE(head.substr(0, 2) == "MZ" || head == "\x7f" "ELF") << head;
}

}  // namespace

namespace {

TEST_F(FileSystemTest, ReplaceFilePutsTheNewFileInPlaceInOneStep) {
    makeFile("dodatki.mdb", "old");
    makeFile("dodatki.mdb.lumor-part", "new");
    EXPECT_TRUE(files.replaceFile(dir + "dodatki.mdb.lumor-part", dir + "dodatki.mdb"));
    EXPECT_EQ(contentOf("dodatki.mdb"), "new");
    EXPECT_FALSE(files.fileExists(dir + "dodatki.mdb.lumor-part"));
    // A missing target is simply made.
    makeFile("ł.part", "x");
    EXPECT_TRUE(files.replaceFile(dir + "ł.part", dir + "Łazienki.jpg"));
    EXPECT_EQ(contentOf("Łazienki.jpg"), "x");
    // The same, with the folder's sync left for later; a sync of a missing folder is harmless.
    makeFile("y.part", "y");
    EXPECT_TRUE(files.replaceFileUnsynced(dir + "y.part", dir + "Łazienki.jpg"));
    EXPECT_FALSE(files.replaceFileUnsynced(dir + "y.part", dir + "Łazienki.jpg"));
    files.syncFolder(dir);
    files.syncFolder(dir + "missing");
    EXPECT_EQ(contentOf("Łazienki.jpg"), "y");
}

TEST_F(FileSystemTest, ReplaceFileRefusedChangesNothing) {
    makeFile("target", "kept");
    EXPECT_FALSE(files.replaceFile(dir + "missing", dir + "target"));
    EXPECT_EQ(contentOf("target"), "kept");
    ASSERT_TRUE(files.createFolder(dir + "folder"));
    EXPECT_FALSE(files.replaceFile(dir + "folder", dir + "target"));
    EXPECT_EQ(contentOf("target"), "kept");
    makeFile("source", "s");
    EXPECT_FALSE(files.replaceFile(dir + "source", dir + "folder"));
    EXPECT_TRUE(files.folderExists(dir + "folder"));
    EXPECT_EQ(contentOf("source"), "s");
}

TEST_F(FileSystemTest, CreateNewNeverTouchesAnExistingFile) {
    makeFile("dodatki.mdb", "publisher's catalog");
    EXPECT_THROW(files.createNew(dir + "dodatki.mdb", Sharing::ReadWriteForOthers), platform::FileError);
    EXPECT_EQ(contentOf("dodatki.mdb"), "publisher's catalog");
    ASSERT_TRUE(files.createFolder(dir + "Żółte"));
    EXPECT_THROW(files.createNew(dir + "Żółte", Sharing::ReadWriteForOthers), platform::FileError);

    auto made = files.createNew(dir + "Żółte" + platform::kSeparator + "nowy.mdb", Sharing::ReadWriteForOthers);
    EXPECT_EQ(made->size(), 0);
    made->writeAt(0, "abc", 3);
    made->flush();
    made.reset();
    EXPECT_EQ(contentOf("Żółte" + std::string(1, platform::kSeparator) + "nowy.mdb"), "abc");
}

// Links are told by the entry itself, whatever they point at; Windows junctions and symbolic
// links are reparse points and count the same.
TEST_F(FileSystemTest, LinksAreToldFromWhatTheyPointAt) {
    ASSERT_TRUE(files.createFolder(dir + "tmp"));
    makeFile("plik", "x");
    std::error_code ec;
    fs::create_directory_symlink(fsPath(dir + "tmp"), fsPath(dir + "łącze"), ec);
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
    fs::create_symlink(fsPath(dir + "plik"), fsPath(dir + "do pliku"), ec);
    ASSERT_FALSE(ec) << ec.message();
    fs::create_directory_symlink(fsPath(dir + "brak"), fsPath(dir + "zerwane"), ec);
    ASSERT_FALSE(ec) << ec.message();

    const std::string sep(1, platform::kSeparator);
    EXPECT_TRUE(files.isLink(dir + "łącze"));
    EXPECT_TRUE(files.isLink(dir + "łącze" + sep));  // a trailing separator does not follow it
    EXPECT_TRUE(files.folderExists(dir + "łącze" + sep));
    EXPECT_TRUE(files.isLink(dir + "do pliku"));
    EXPECT_TRUE(files.isLink(dir + "zerwane"));
    EXPECT_FALSE(files.isLink(dir + "tmp"));
    EXPECT_FALSE(files.isLink(dir + "tmp" + sep));
    EXPECT_FALSE(files.isLink(dir + "plik"));
    EXPECT_FALSE(files.isLink(dir + "nie ma"));
}

}  // namespace
