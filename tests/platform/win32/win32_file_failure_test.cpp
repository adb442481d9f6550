// GetLastError codes become the failure kinds the installer words, and real failing calls
// carry them: a missing file or folder, an existing name, a file another handle keeps.
#include <windows.h>

#include <gtest/gtest.h>


#include "platform/file_system.h"
#include "platform/win32/file_failure.h"
#include "tests/platform/file_failure_cases.h"
#include "tests/support/test_paths.h"

namespace {

using platform::FileFailure;

TEST(Win32FileFailure, ErrorCodesMapOntoTheSharedKinds) {
    const struct {
        DWORD error;
        FileFailure failure;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, FileFailure::NotFound},    {ERROR_PATH_NOT_FOUND, FileFailure::NotFound},
        {ERROR_INVALID_DRIVE, FileFailure::NotFound},     {ERROR_BAD_NETPATH, FileFailure::NotFound},
        {ERROR_ACCESS_DENIED, FileFailure::AccessDenied}, {ERROR_WRITE_PROTECT, FileFailure::AccessDenied},
        {ERROR_SHARING_VIOLATION, FileFailure::InUse},    {ERROR_LOCK_VIOLATION, FileFailure::InUse},
        {ERROR_DISK_FULL, FileFailure::DiskFull},         {ERROR_HANDLE_DISK_FULL, FileFailure::DiskFull},
        {ERROR_FILE_EXISTS, FileFailure::Exists},         {ERROR_ALREADY_EXISTS, FileFailure::Exists},
        {ERROR_CRC, FileFailure::Other},                  {ERROR_NEGATIVE_SEEK, FileFailure::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::win32::fileFailureOf(c.error), c.failure) << c.error;
}

TEST(Win32FileFailure, TheErrorKeepsTheSystemsTextBesideTheKind) {
    platformtest::expectSystemTextKept(platform::win32::fileError(platform::FileAction::Read, "C:\\x", ERROR_CRC));
}

TEST(Win32FileFailure, FailingCallsCarryTheirKind) {
    platform::FileSystem& files = platform::realFileSystem();
    testsupport::TempDir temp;
    const std::string existing = temp.folder() + "dodatki.mdb";
    testsupport::writeFile(temp.path() / "dodatki.mdb", "catalog");

    platformtest::expectMissingAndExistingKinds(files, temp.folder(), existing);
    EXPECT_EQ(platformtest::failureOf([&] { files.createWrite(temp.folder() + "brak\\x.mdb"); }), FileFailure::NotFound);
    auto reader = files.openRead(existing, platform::Sharing::ReadOnlyForOthers);
    EXPECT_EQ(platformtest::failureOf([&] { files.openReadWrite(existing, platform::Sharing::ReadWriteForOthers); }),
              FileFailure::InUse);
}

}  // namespace
