// The real System of the running platform: what can be checked without knowing the machine.
#include "platform/system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/paths.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

fs::path fsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.find_last_of(platform::kSeparator) + 1);
}

TEST(System, ExecutablePathIsThisTestProgram) {
    const std::string exe = platform::realSystem().executablePath();
    EXPECT_TRUE(fs::is_regular_file(fsPath(exe))) << exe;
    EXPECT_TRUE(fsPath(exe).is_absolute()) << exe;
    const std::string name = fileNameOf(exe);
    EXPECT_TRUE(name == "test_platform" || name == "test_platform.exe") << exe;
}

TEST(System, ProcessSnapshotHoldsThisProcessUnderItsFullName) {
    const std::string ownName = fileNameOf(platform::realSystem().executablePath());
    const std::vector<platform::ProcessEntry> processes = platform::realSystem().processSnapshot();
    ASSERT_GT(processes.size(), 1u);
    EXPECT_TRUE(std::any_of(processes.begin(), processes.end(),
                            [&](const platform::ProcessEntry& p) { return p.exeName == ownName; }))
        << ownName;
    for (const platform::ProcessEntry& process : processes) {
        EXPECT_FALSE(process.exeName.empty()) << process.id;
        EXPECT_EQ(process.exeName.find(platform::kSeparator), std::string::npos)
            << process.exeName;
    }
}

TEST(System, CurrentDirectoryIsTheProcessOneWithoutTrailingSeparator) {
    testsupport::TempDir temp;
    testsupport::writeFile(temp.path() / "marker", "");
    const fs::path original = fs::current_path();
    fs::current_path(temp.path());
    const std::string current = platform::realSystem().currentDirectory();
    fs::current_path(original);
    EXPECT_NE(current.back(), platform::kSeparator) << current;
    EXPECT_TRUE(fs::exists(fsPath(current + platform::kSeparator + "marker"))) << current;
}

TEST(System, DriveRootsExistAndEndWithTheSeparator) {
    const std::vector<std::string> roots = platform::realSystem().driveRoots();
    ASSERT_FALSE(roots.empty());
    for (const std::string& root : roots) {
        EXPECT_EQ(root.back(), platform::kSeparator) << root;
    }
    // Every root is listed once.
    std::vector<std::string> sorted = roots;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

// The screen size has a check per system, against what that system says by another way:
// posix/posix_system_test.cpp (the environment or the default), win32/win32_screen_test.cpp.

}  // namespace
