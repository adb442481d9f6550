// A package past the classic ZIP limits: more than 65,535 members make the archive ZIP64. The
// whole installation runs as for a small one: every member lands in the host folder, the
// gauge repaints once per percentage point and ends at its maximum.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/install_fixture.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;

const CatalogContent kPackage{{{"Wrzos", "Wrzos sp. z o.o."}}, {{1, "Szafa", "opis"}, {2, "Stół", "opis"}}};

}  // namespace

TEST(InstallLargePackage, SeventyThousandMembersInstallThroughZip64) {
    constexpr int kMembers = 70000;
    std::vector<std::pair<std::string, std::string>> extra;
    for (int i = 0; i < kMembers; ++i)
        extra.emplace_back("Wrzos\\g" + std::to_string(i / 1000) + "\\p" + std::to_string(i) + ".txt", std::to_string(i));
    const std::string archive = installtest::packageZip("Wrzos", catalogBytes(kPackage), extra);
    ASSERT_NE(archive.find(std::string("PK\x06\x06", 4)), std::string::npos) << "the archive needs ZIP64";

    InstallRun run;
    run.prepare(archive);
    ASSERT_TRUE(run.installEnabled()) << run.statusLabel();
    std::vector<int> positions;
    run.form->gauge.setImmediateRepaint([&](toolkit::Gauge& g) { positions.push_back(g.progress()); });
    run.clickInstall();

    EXPECT_TRUE(run.finished()) << run.statusLabel();
    EXPECT_TRUE(run.files.fileExists(run.catalog(preparationtest::nativePath("g0\\p0.txt"))));
    EXPECT_TRUE(run.files.fileExists(run.catalog(preparationtest::nativePath("g69\\p69999.txt"))));
    const auto below = installtest::filesBelow(run.catalogFolder());
    const auto files = std::count_if(below.begin(), below.end(), [](const auto& f) { return f.first.back() != '/'; });
    // and the catalog, item.jpg, tekstury\a.jpg and the install record
    EXPECT_EQ(files, kMembers + 4);
    EXPECT_EQ(run.form->gauge.progress(), run.form->gauge.maxValue());
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_LE(positions.size(), 101u) << "one repaint per percentage point";
}
