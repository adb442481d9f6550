// A package past the classic ZIP limits: more than 65,535 members make the archive ZIP64. The
// whole installation runs as for a small one: every member lands in the host folder, the
// gauge repaints once per percentage point and ends at its maximum. What the installation
// holds per member stays small: the heap it adds while it runs is counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/app/install_fixture.h"
#include "tests/app/live_heap.h"

namespace {

using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;

constexpr std::size_t kHeapPerMember = 400;

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
    positions.reserve(200);
    run.form->gauge.setImmediateRepaint([&](toolkit::Gauge& g) { positions.push_back(g.progress()); });
    run.files.keepRecord = false;  // the test's own record of 300,000 operations is not the installation's
    const std::size_t before = testsupport::liveHeapBytes();
    testsupport::resetPeakHeapBytes();
    run.clickInstall();
    const std::size_t added = testsupport::peakHeapBytes() - before;
    std::fprintf(stderr, "heap added at the peak: %zu bytes, %zu per member\n", added, added / kMembers);
    // The reader's directory entries (about 150 bytes each), the record's names and a few
    // bytes of checks per member; a copy of each name or path per structure was 700 and more.
    EXPECT_LT(added / kMembers, kHeapPerMember) << "bytes per member at the peak";

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
