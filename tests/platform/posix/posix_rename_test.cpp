// The link-then-unlink fallback, used where a file system refuses RENAME_NOREPLACE. Such a
// file system is rarely at hand in a test run, so the fallback is called directly.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/rename_no_replace.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using platform::posix::renameByLinking;

TEST(PosixRenameFallback, KeepsAnExistingTargetAndMovesToAFreeName) {
    testsupport::TempDir temp;
    const fs::path a = temp.path() / "a", b = temp.path() / "b", c = temp.path() / "c";
    testsupport::writeFile(a, "mine");
    testsupport::writeFile(b, "theirs");

    EXPECT_FALSE(renameByLinking(a, b));
    EXPECT_EQ(testsupport::readFile(a), "mine");
    EXPECT_EQ(testsupport::readFile(b), "theirs");

    EXPECT_TRUE(renameByLinking(a, c));
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(testsupport::readFile(c), "mine");
    EXPECT_EQ(fs::hard_link_count(c), 1u);  // one name only
}

TEST(PosixRenameFallback, FoldersMoveOnlyToAFreeName) {
    testsupport::TempDir temp;
    const fs::path x = temp.path() / "x", y = temp.path() / "y", z = temp.path() / "z";
    fs::create_directory(x);
    fs::create_directory(y);  // empty: a plain rename(2) would replace it
    testsupport::writeFile(x / "inside", "1");

    EXPECT_FALSE(renameByLinking(x, y));
    EXPECT_TRUE(fs::exists(x / "inside"));
    EXPECT_TRUE(fs::is_empty(y));
    EXPECT_TRUE(renameByLinking(x, z));
    EXPECT_TRUE(fs::exists(z / "inside"));
    EXPECT_FALSE(renameByLinking(temp.path() / "missing", temp.path() / "w"));
}

}  // namespace
