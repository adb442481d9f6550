// The installer installs only what it carries: an archive put in place of the working copy
// while the window waits is never read, neither by the CRC check nor by the extraction.
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using installtest::catalogBytes;
using installtest::InstallRun;

constexpr bool kWindows = platform::kSeparator == '\\';

fs::path u8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

TEST(InstallWorkingCopy, AnArchiveRenamedOverTheCopyWhileTheWindowWaitsIsNotInstalled) {
    const std::string catalog = catalogBytes({{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}}});
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalog));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();

    // Another program (another user of a shared folder) writes a new file and renames it over
    // the copy, as an atomic replacement does: same package name, other contents.
    const std::string sourceZip = run.form->state.sourceZip;
    const std::string intruder = installtest::packageZip(
        "Wrzos", catalog, {{"Wrzos\\obcy.exe", "MZ not the publisher's"}});
    testsupport::writeFile(u8(run.workDir() + "nowy.zip"), intruder);
    std::error_code ec;
    fs::rename(u8(run.workDir() + "nowy.zip"), u8(sourceZip), ec);
    // Windows refuses while the copy is held; POSIX replaces the name, but not the held file.
    EXPECT_EQ(static_cast<bool>(ec), kWindows) << ec.message();
    if (!kWindows) {
        ASSERT_EQ(testsupport::readFile(u8(sourceZip)), intruder);
    }
    run.clickInstall();

    EXPECT_TRUE(run.finished()) << run.statusLabel();
    const std::string installed = run.catalogFolder();
    EXPECT_FALSE(run.files.fileExists(installed + "obcy.exe"));
    EXPECT_EQ(testsupport::readFile(u8(installed + "tekstury" + platform::kSeparator + "a.jpg")),
              "texture of Wrzos");
    EXPECT_EQ(testsupport::readFile(u8(installed + "item.jpg")), preparationtest::coverJpeg());
}

// The same replacement by a damaged archive: the check reads the held copy, which is whole.
TEST(InstallWorkingCopy, ADamagedFileInPlaceOfTheCopyDoesNotStopTheInstallation) {
    const std::string catalog = catalogBytes({{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa"}}});
    InstallRun run;
    run.prepare(installtest::packageZip("Wrzos", catalog));
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    testsupport::writeFile(u8(run.workDir() + "nowy.zip"), "PK damaged");
    std::error_code ec;
    fs::rename(u8(run.workDir() + "nowy.zip"), u8(run.form->state.sourceZip), ec);
    run.clickInstall();

    EXPECT_TRUE(run.finished()) << run.statusLabel();
    EXPECT_EQ(installtest::catalogRows(run.catalog("dodatki.mdb")).size(), 2u);
}

}  // namespace
