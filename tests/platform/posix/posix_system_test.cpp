// What only the POSIX System does: names from /proc, drive roots, the screen from the
// environment.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/posix/drive_roots.h"
#include "platform/posix/process_list.h"
#include "platform/system.h"
#include "tests/support/test_paths.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(PosixProcesses, NamesAreTheFullExecutableNameNotTheCutComm) {
    testsupport::TempDir temp;
    const std::string longName = "CADLumorPro-long-program-name";  // 29 characters
    const fs::path copy = temp.path() / longName;
    fs::copy_file("/bin/sleep", copy);
    fs::permissions(copy, fs::perms::owner_all);

    pid_t child = 0;
    char arg0[] = "renamed-argv0";  // the name must come from the file, not from argv
    char arg1[] = "30";
    char* argv[] = {arg0, arg1, nullptr};
    ASSERT_EQ(::posix_spawn(&child, copy.c_str(), nullptr, nullptr, argv, environ), 0);

    // Until exec has happened the child still runs this test's program.
    bool found = false;
    for (int attempt = 0; attempt < 500 && !found; ++attempt) {
        for (const platform::ProcessEntry& process : platform::realSystem().processSnapshot())
            if (process.id == static_cast<std::uint32_t>(child) && process.exeName == longName)
                found = true;
        if (!found) ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(found) << "no process " << child << " named " << longName;
}

TEST(PosixProcesses, FileNameComesFromTheLinkTarget) {
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/usr/bin/CAD Pro 2.0", "CAD Pro 2.0"},
        {"/opt/x/a-very-long-executable-name (deleted)", "a-very-long-executable-name"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::posix::executableFileName(c.path), c.name);
}

TEST(PosixDriveRoots, MediaMountPointsComeFromTheMountTable) {
    const char* table =
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/anna/DYSK\\040D vfat rw 0 0\n"
        "/dev/sdc1 /mnt/win ntfs3 rw 0 0\n"
        "/dev/sdd1 /run/media/jan/USB vfat rw 0 0\n"
        "tmpfs /mnt tmpfs rw 0 0\n"
        "/dev/sde1 /home/mnt/x ext4 rw 0 0\n"
        "broken-line\n";
    EXPECT_EQ(platform::posix::mediaMountPoints(table),
              (std::vector<std::string>{"/media/anna/DYSK D", "/mnt/win", "/run/media/jan/USB"}));
}

TEST(PosixDriveRoots, RootFirstThenTheWinePrefixDriveC) {
    testsupport::TempDir prefix;
    fs::create_directory(prefix.path() / "drive_c");
    testsupport::TempDir home;  // no .wine in it
    ScopedEnv wine("WINEPREFIX", prefix.path().c_str());
    ScopedEnv homeEnv("HOME", home.path().c_str());

    const std::vector<std::string> roots = platform::realSystem().driveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front(), "/");
    EXPECT_EQ(roots.back(), prefix.path().string() + "/drive_c/");
}

TEST(PosixDriveRoots, AMissingPrefixAndTheSameFolderTwiceAddNothing) {
    testsupport::TempDir home;
    fs::create_directories(home.path() / ".wine" / "drive_c");
    ScopedEnv homeEnv("HOME", home.path().c_str());
    const std::string expected = home.path().string() + "/.wine/drive_c/";
    {
        ScopedEnv wine("WINEPREFIX", (home.path().string() + "/.wine").c_str());
        const std::vector<std::string> roots = platform::realSystem().driveRoots();
        EXPECT_EQ(std::count(roots.begin(), roots.end(), expected), 1);
    }
    {
        ScopedEnv wine("WINEPREFIX", "/nonexistent-prefix");
        const std::vector<std::string> roots = platform::realSystem().driveRoots();
        EXPECT_EQ(roots.back(), expected);
        EXPECT_EQ(std::count_if(roots.begin(), roots.end(),
                                [](const std::string& r) { return r.find("/nonexistent-prefix") == 0; }),
                  0);
    }
}

TEST(PosixScreen, SizeComesFromTheEnvironmentOrTheDefault) {
    struct Case {
        const char* value;
        int width;
        int height;
    };
    const Case cases[] = {{"1280x800", 1280, 800}, {"640X480", 640, 480},
                          {nullptr, 1920, 1080},   {"", 1920, 1080},
                          {"1280", 1920, 1080},    {"0x800", 1920, 1080},
                          {"12x34junk", 1920, 1080}, {"-5x10", 1920, 1080}};
    for (const Case& c : cases) {
        ScopedEnv env("LUMOR_SCREEN_SIZE", c.value);
        const platform::ScreenSize screen = platform::realSystem().primaryScreenSize();
        EXPECT_EQ(screen.width, c.width) << (c.value ? c.value : "(unset)");
        EXPECT_EQ(screen.height, c.height) << (c.value ? c.value : "(unset)");
    }
}

}  // namespace
