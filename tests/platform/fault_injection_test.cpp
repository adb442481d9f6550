// The test wrapper other suites rely on to prove that a failing step loses no data.
#include "tests/support/fault_injecting_file_system.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/fake_system.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::FaultInjectingFileSystem;
using testsupport::FileOperation;

class FaultInjectionTest : public ::testing::Test {
protected:
    testsupport::TempDir temp;
    const std::string dir = temp.folder();
    FaultInjectingFileSystem files{platform::realFileSystem()};

    // Four mutating operations: create, write, close, rename.
    bool writeAndRename(const std::string& name) {
        try {
            auto out = files.createWrite(dir + name);
            out->write("data", 4);
            out->close();
        } catch (const platform::FileError&) {
            return false;
        }
        return files.renameNoReplace(dir + name, dir + name + ".done");
    }
};

TEST_F(FaultInjectionTest, CountsAndRecordsMutatingOperationsOnly) {
    ASSERT_TRUE(files.createFolder(dir + "d"));
    ASSERT_TRUE(writeAndRename("a"));
    files.fileExists(dir + "a.done");
    files.listSubFolders(dir, "*");
    auto in = files.openRead(dir + "a.done", platform::Sharing::ReadOnlyForOthers);
    char byte;
    in->readAt(0, &byte, 1);
    in.reset();  // Windows keeps an open file from being deleted
    ASSERT_TRUE(files.deleteFile(dir + "a.done"));
    ASSERT_TRUE(files.removeFolder(dir + "d"));

    const std::vector<FileOperation> expected{
        FileOperation::CreateFolder, FileOperation::CreateFile, FileOperation::Write,
        FileOperation::Close,        FileOperation::Rename,     FileOperation::DeleteFile,
        FileOperation::RemoveFolder};
    ASSERT_EQ(files.mutationCount(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(files.mutations()[i].operation, expected[i]) << i;
    EXPECT_EQ(files.mutations()[4].path, dir + "a");
    EXPECT_EQ(files.injectedFailures(), 0u);
}

TEST_F(FaultInjectionTest, FailingTheKthMutationStopsExactlyThatStep) {
    struct Case {
        std::size_t k;
        bool fileLeft;  // "x" exists afterwards
        bool renamed;   // "x.done" exists afterwards
    };
    // Create fails: nothing; write or close fails: a file was made; rename fails: not moved.
    const Case cases[] = {{1, false, false}, {2, true, false}, {3, true, false},
                          {4, true, false},  {5, false, true}};
    for (const Case& c : cases) {
        testsupport::TempDir fresh;
        const std::string d = fresh.folder();
        FaultInjectingFileSystem faulty(platform::realFileSystem());
        faulty.failMutation(c.k);
        bool ok = false;
        try {
            auto out = faulty.createWrite(d + "x");
            out->write("data", 4);
            out->close();
            ok = faulty.renameNoReplace(d + "x", d + "x.done");
        } catch (const platform::FileError& error) {
            EXPECT_NE(std::string(error.what()).find(d + "x"), std::string::npos);
        }
        EXPECT_EQ(ok, c.k > 4) << c.k;
        EXPECT_EQ(platform::realFileSystem().fileExists(d + "x"), c.fileLeft) << c.k;
        EXPECT_EQ(platform::realFileSystem().fileExists(d + "x.done"), c.renamed) << c.k;
        EXPECT_EQ(faulty.injectedFailures(), c.k <= 4 ? 1u : 0u) << c.k;
    }
}

TEST_F(FaultInjectionTest, AFailedWriteWritesNothing) {
    files.failMutation(2);
    auto out = files.createWrite(dir + "packages.zip");
    EXPECT_THROW(out->write("data", 4), platform::FileError);
    out->write("ok", 2);  // only the second mutation failed
    out->close();
    EXPECT_EQ(testsupport::readFile(temp.path() / "packages.zip"), "ok");
}

TEST_F(FaultInjectionTest, FailingFromTheKthOnActsLikeACrash) {
    files.failMutation(2, true);
    ASSERT_TRUE(files.createFolder(dir + "one"));
    EXPECT_FALSE(files.createFolder(dir + "two"));
    EXPECT_FALSE(files.createFolder(dir + "three"));
    EXPECT_FALSE(platform::realFileSystem().folderExists(dir + "two"));
    EXPECT_FALSE(platform::realFileSystem().folderExists(dir + "three"));
    EXPECT_EQ(files.injectedFailures(), 2u);
    files.clearFaults();
    EXPECT_TRUE(files.createFolder(dir + "two"));
}

TEST_F(FaultInjectionTest, CountingRestartsWhenAFaultIsSet) {
    ASSERT_TRUE(files.createFolder(dir + "before"));
    files.failMutation(1);
    EXPECT_FALSE(files.createFolder(dir + "first"));
    EXPECT_TRUE(files.createFolder(dir + "second"));
    EXPECT_EQ(files.mutationCount(), 3u);
}

TEST_F(FaultInjectionTest, NamedOperationFailsOnMatchingPathsOnly) {
    testsupport::writeFile(temp.path() / "dodatki.mdb", "catalog");
    testsupport::writeFile(temp.path() / "other.mdb", "other");
    files.failOperation(FileOperation::Rename, "*" + std::string(1, platform::kSeparator) +
                                                   "DODATKI.mdb");  // ASCII case ignored
    EXPECT_FALSE(files.renameNoReplace(dir + "dodatki.mdb", dir + "dodatki.mdb.old"));
    EXPECT_TRUE(files.renameNoReplace(dir + "other.mdb", dir + "other.mdb.old"));
    EXPECT_TRUE(files.fileExists(dir + "dodatki.mdb"));
    EXPECT_FALSE(files.fileExists(dir + "dodatki.mdb.old"));

    files.failOperation(FileOperation::OpenRead, "*other*");
    EXPECT_THROW(files.openRead(dir + "other.mdb.old", platform::Sharing::ReadOnlyForOthers),
                 platform::FileError);
    EXPECT_NO_THROW(files.openRead(dir + "dodatki.mdb", platform::Sharing::ReadOnlyForOthers));
    EXPECT_EQ(files.injectedFailures(), 2u);
}

TEST_F(FaultInjectionTest, ReadsCanFailOnOpenFiles) {
    testsupport::writeFile(temp.path() / "packages.zip", "PK");
    files.failOperation(FileOperation::Read, "*.zip");
    auto in = files.openRead(dir + "packages.zip", platform::Sharing::ReadOnlyForOthers);
    char buffer[2];
    EXPECT_THROW(in->readAt(0, buffer, 2), platform::FileError);
    EXPECT_EQ(in->size(), 2);
}

TEST_F(FaultInjectionTest, AnUnlistableFolderGivesNothing) {
    ASSERT_TRUE(files.createFolder(dir + "Kavitek"));
    ASSERT_TRUE(files.createFolder(dir + "Kavitek" + platform::kSeparator + "CAD 1"));
    files.failOperation(FileOperation::List, "*Kavitek");
    EXPECT_TRUE(files.listSubFolders(dir + "Kavitek", "*").empty());
    EXPECT_EQ(files.listSubFolders(dir, "*"), std::vector<std::string>{"Kavitek"});
    EXPECT_EQ(files.mutationCount(), 2u);
}

TEST(FakeSystem, GivesWhatTheTestSetAndFailsTheSnapshotOnRequest) {
    testsupport::FakeSystem system;
    system.roots = {"C:\\", "D:\\"};
    system.addProcess("explorer.exe");
    system.addProcess("CADLumorPro.exe");
    system.screen = {800, 600};
    EXPECT_EQ(system.driveRoots(), (std::vector<std::string>{"C:\\", "D:\\"}));
    const auto processes = system.processSnapshot();
    ASSERT_EQ(processes.size(), 2u);
    EXPECT_NE(processes[0].id, processes[1].id);
    EXPECT_EQ(processes[1].exeName, "CADLumorPro.exe");
    EXPECT_EQ(system.primaryScreenSize().width, 800);

    system.snapshotFails = true;
    EXPECT_THROW(system.processSnapshot(), std::runtime_error);
    EXPECT_EQ(system.snapshotCalls, 2);
}

}  // namespace
