// The placement finds every listed member however the record orders them and however the
// names spell their separators, and refuses a name the record does not list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "install/journal_replay.h"
#include "install/keep_aside_placement.h"
#include "platform/file_system.h"
#include "tests/support/random_seed.h"
#include "tests/support/test_paths.h"

namespace {

void createEmpty(platform::FileSystem& fs, const std::string& path) { fs.createWrite(path)->close(); }

TEST(KeepAsidePlacement, EveryListedMemberIsFoundInAnyOrderAndNoOtherName) {
    const std::uint64_t seed = testsupport::seedFromEnvironment("LUMOR_KEEP_ASIDE_SEED").value_or(std::random_device{}());
    testsupport::announceSeed("keep-aside placement", seed, "LUMOR_KEEP_ASIDE_SEED");
    std::mt19937_64 random(seed);
    testsupport::TempDir dir;
    platform::FileSystem& fs = platform::realFileSystem();
    host::HostLayout layout;
    layout.destinationDir = dir.folder();
    layout.destination = layout.destinationDir + "dodatki.mdb";
    ASSERT_TRUE(fs.createFolder(install::memberPath(layout, "Wrzos")));

    // Short names from few characters: many share prefixes, the order's hard cases. One case
    // of letters only: under Windows "a" and "A" would be one file.
    std::set<std::string> paths;
    std::vector<std::string> names;
    while (names.size() < 400) {
        std::string name;
        for (std::size_t n = 1 + random() % 6; n > 0; --n) name += "ab_-"[random() % 4];
        name += ".jpg";
        const int folder = static_cast<int>(random() % 3);
        if (folder > 0) name = (folder == 1 ? "Wrzos/" : "Wrzos\\") + name;
        if (paths.insert(install::memberPath(layout, name)).second) names.push_back(name);
    }
    std::shuffle(names.begin(), names.end(), random);
    const std::size_t listed = names.size() - 20;
    install::Journal journal;
    for (std::size_t i = 0; i < names.size(); ++i) journal.members.push_back({names[i], i % 7 == 0});
    // The last ones stay out of the record.
    install::Journal record;
    for (std::size_t i = 0; i < listed; ++i) record.members.push_back(journal.members[i]);

    install::KeepAsidePlacement placement(fs, layout, record);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string target = install::memberPath(layout, names[i]);
        const std::string partial = target + ".lumor-part";
        createEmpty(fs, partial);
        if (i >= listed) {
            EXPECT_FALSE(placement.place(partial, target)) << names[i];
            continue;
        }
        const bool replaces = journal.members[i].replaces;
        if (replaces) createEmpty(fs, target);
        EXPECT_TRUE(placement.place(partial, target)) << names[i];
        EXPECT_TRUE(fs.fileExists(target)) << names[i];
        EXPECT_EQ(fs.fileExists(target + ".lumor-odlozony"), replaces) << names[i];
    }
}

}  // namespace
