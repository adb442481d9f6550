// Share modes on Windows: a file read with writers denied cannot be written, renamed or
// deleted by anyone else while it is open. The host's catalog check relies on that.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_system.h"
#include "platform/system.h"
#include "tests/support/test_paths.h"

namespace {

using platform::Sharing;

class Win32SharingTest : public ::testing::Test {
protected:
    platform::FileSystem& files = platform::realFileSystem();
    testsupport::TempDir temp;
    const std::string path = temp.folder() + "dodatki.mdb";

    void SetUp() override { testsupport::writeFile(temp.path() / "dodatki.mdb", "catalog"); }
};

TEST_F(Win32SharingTest, AReaderWithWritersDeniedKeepsEveryWriterOut) {
    auto reader = files.openRead(path, Sharing::ReadOnlyForOthers);

    EXPECT_NO_THROW(files.openRead(path, Sharing::ReadOnlyForOthers));  // readers share
    EXPECT_THROW(files.createWrite(path), platform::FileError);
    EXPECT_THROW(files.openReadWrite(path, Sharing::ReadWriteForOthers), platform::FileError);
    EXPECT_FALSE(files.renameNoReplace(path, path + ".old"));
    EXPECT_FALSE(files.deleteFile(path));
    EXPECT_TRUE(files.fileExists(path));
    EXPECT_EQ(testsupport::readFile(temp.path() / "dodatki.mdb"), "catalog");

    reader.reset();
    EXPECT_TRUE(files.renameNoReplace(path, path + ".old"));
}

// The installer's working copy: made with createNew and kept open for the whole run.
TEST_F(Win32SharingTest, AFileMadeWithWritersDeniedKeepsEveryoneButReadersOut) {
    const std::string copy = temp.folder() + "packages.zip";
    auto held = files.createNew(copy, Sharing::ReadOnlyForOthers);
    held->writeAt(0, "archive", 7);
    testsupport::writeFile(temp.path() / "other.zip", "another archive");

    EXPECT_THROW(files.createWrite(copy), platform::FileError);
    EXPECT_THROW(files.openReadWrite(copy, Sharing::ReadWriteForOthers), platform::FileError);
    EXPECT_FALSE(files.renameNoReplace(copy, copy + ".old"));
    EXPECT_FALSE(files.deleteFile(copy));
    EXPECT_FALSE(files.replaceFile(temp.folder() + "other.zip", copy));
    EXPECT_FALSE(MoveFileExW((temp.path() / "other.zip").c_str(), (temp.path() / "packages.zip").c_str(),
                             MOVEFILE_REPLACE_EXISTING));
    EXPECT_NO_THROW(files.openRead(copy, Sharing::ReadWriteForOthers));  // readers allowing the writer
    EXPECT_EQ(testsupport::readFile(temp.path() / "packages.zip"), "archive");

    held.reset();
    EXPECT_TRUE(files.deleteFile(copy));
}

TEST_F(Win32SharingTest, AReaderAllowingWritersLetsThemIn) {
    auto reader = files.openRead(path, Sharing::ReadWriteForOthers);
    auto writer = files.openReadWrite(path, Sharing::ReadWriteForOthers);
    writer->writeAt(0, "C", 1);
    char first = 0;
    ASSERT_EQ(reader->readAt(0, &first, 1), 1u);
    EXPECT_EQ(first, 'C');
}

TEST_F(Win32SharingTest, AFileOpenForWritingCannotBeReadWithWritersDenied) {
    auto writer = files.openReadWrite(path, Sharing::ReadWriteForOthers);
    EXPECT_THROW(files.openRead(path, Sharing::ReadOnlyForOthers), platform::FileError);
    EXPECT_NO_THROW(files.openRead(path, Sharing::ReadWriteForOthers));
}

TEST_F(Win32SharingTest, ErrorsCarryTheSystemsReason) {
    auto reader = files.openRead(path, Sharing::ReadOnlyForOthers);
    try {
        files.createWrite(path);
        FAIL() << "a denied writer got in";
    } catch (const platform::FileError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        // FormatMessageW knows ERROR_SHARING_VIOLATION; the bare-number form means it did not.
        EXPECT_EQ(message.find("błąd systemu"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

TEST(Win32Folders, HiddenAndSystemFoldersAreListed) {
    testsupport::TempDir temp;
    const std::string dir = temp.folder();
    platform::FileSystem& files = platform::realFileSystem();
    ASSERT_TRUE(files.createFolder(dir + "CAD ukryty"));
    ASSERT_TRUE(files.createFolder(dir + "CAD systemowy"));
    ASSERT_TRUE(SetFileAttributesW((temp.path() / "CAD ukryty").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((temp.path() / "CAD systemowy").c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    std::vector<std::string> found = files.listSubFolders(dir, "CAD *");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"CAD systemowy", "CAD ukryty"}));
}

// A working folder must not lead elsewhere: symbolic links and junctions are reparse points.
TEST(Win32Folders, ALinkToAFolderIsAReparsePoint) {
    testsupport::TempDir temp;
    const std::string dir = temp.folder();
    platform::FileSystem& files = platform::realFileSystem();
    ASSERT_TRUE(files.createFolder(dir + "cel"));
    if (!CreateSymbolicLinkW((temp.path() / "tmp").c_str(), (temp.path() / "cel").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "CreateSymbolicLinkW failed with " << GetLastError();
    // Wine 8 answers TRUE and makes nothing (it reports links made on the Unix side as
    // reparse points, which the same code reads).
    if (GetFileAttributesW((temp.path() / "tmp").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "CreateSymbolicLinkW made no link";
    EXPECT_TRUE(files.isLink(dir + "tmp"));
    EXPECT_TRUE(files.isLink(dir + "tmp\\"));
    EXPECT_FALSE(files.isLink(dir + "cel\\"));
    EXPECT_FALSE(files.isLink("C:\\"));
}

TEST(Win32System, DriveRootsAreLettersWithColonAndBackslash) {
    const std::vector<std::string> roots = platform::realSystem().driveRoots();
    ASSERT_FALSE(roots.empty());
    for (const std::string& root : roots) {
        ASSERT_EQ(root.size(), 3u) << root;
        EXPECT_TRUE(root[0] >= 'A' && root[0] <= 'Z') << root;
        EXPECT_EQ(root.substr(1), ":\\") << root;
    }
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
}

}  // namespace
