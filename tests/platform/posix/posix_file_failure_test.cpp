// errno values become the failure kinds the installer words, and real failing calls carry
// them: a missing file, an existing name, a folder opened as a file, a full device.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/posix/file_failure.h"
#include "tests/platform/file_failure_cases.h"
#include "tests/support/test_paths.h"

namespace {

using platform::FileFailure;

TEST(PosixFileFailure, ErrnoValuesMapOntoTheSharedKinds) {
    const struct {
        int error;
        FileFailure failure;
    } cases[] = {
        {ENOENT, FileFailure::NotFound},      {ENOTDIR, FileFailure::NotFound},
        {EACCES, FileFailure::AccessDenied},  {EPERM, FileFailure::AccessDenied},
        {EISDIR, FileFailure::AccessDenied},  {EROFS, FileFailure::AccessDenied},
        {ETXTBSY, FileFailure::InUse},        {EBUSY, FileFailure::InUse},
        {ENOSPC, FileFailure::DiskFull},      {EDQUOT, FileFailure::DiskFull},
        {EEXIST, FileFailure::Exists},        {EIO, FileFailure::Other},
        {EINVAL, FileFailure::Other},         {0, FileFailure::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::posix::fileFailureOf(c.error), c.failure) << c.error;
}

TEST(PosixFileFailure, TheErrorKeepsTheSystemsTextBesideTheKind) {
    platformtest::expectSystemTextKept(platform::posix::fileError(platform::FileAction::Write, "/x", EIO));
}

TEST(PosixFileFailure, FailingCallsCarryTheirKind) {
    platform::FileSystem& files = platform::realFileSystem();
    testsupport::TempDir temp;
    const std::string existing = temp.folder() + "dodatki.mdb";
    testsupport::writeFile(temp.path() / "dodatki.mdb", "catalog");

    platformtest::expectMissingAndExistingKinds(files, temp.folder(), existing);
    EXPECT_EQ(platformtest::failureOf([&] { files.openRead(temp.folder(), platform::Sharing::ReadOnlyForOthers); }),
              FileFailure::AccessDenied);
    EXPECT_EQ(platformtest::failureOf([&] {
                  auto full = files.createWrite("/dev/full");
                  full->write("x", 1);
              }),
              FileFailure::DiskFull);
}

}  // namespace
