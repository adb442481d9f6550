// A power cut at any moment of an installation: the machine stops before its k-th file
// operation (every k, syncs included, and after the last); the disk keeps what was flushed
// and synced and, as DurableDiskModel allows, some of the rest: every outcome where there are
// few, else the durable image or a seeded choice. Right after the cut the user's catalog is
// whole at one of the names the next run brings back (or the checked merge is at
// "dodatki.mdb"); the next run settles the record and finishes the installation: the merge
// the rules give, the package's files in, the user's own kept, nothing of the installation's
// left. LUMOR_POWER_LOSS_SEED=N reruns a seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "host/host_layout.h"
#include "tests/app/install_expected_merge.h"
#include "tests/app/install_sweep_scenarios.h"
#include "tests/support/random_seed.h"

// The model's rule that a folder sync makes its entries durable is the POSIX one: on Windows
// syncFolder does nothing (only replaceFile is written through; NTFS logs the other entry
// changes in order), so the sweeps run where the rule is the system's.
#ifndef _WIN32
namespace {

using namespace installtest;
using testsupport::Survival;

std::uint64_t sweepSeed() {
    const std::uint64_t seed =
        testsupport::seedFromEnvironment("LUMOR_POWER_LOSS_SEED").value_or(std::random_device{}());
    testsupport::announceSeed("power loss", seed, "LUMOR_POWER_LOSS_SEED");
    return seed;
}

// The user's catalog as the cut left it: whole at one of the names the next run brings back
// (the access check's own, the transaction's), or merged and committed.
bool catalogSurvived(const Scenario& scenario, const InstallRun& run, const std::vector<std::string>& merged) {
    if (!scenario.user) return true;
    const auto atName = bytesAt(run.catalog("dodatki.mdb"));
    for (const std::string_view name : {std::string_view("dodatki.mdb"), std::string_view("dodatki_old.mdb"), host::kAccessTestName})
        if (bytesAt(run.catalog(std::string(name))) == scenario.user) return true;
    try {
        return atName && plainCatalogRows(run.catalog("dodatki.mdb")) == merged;
    } catch (const std::exception&) {
        return false;
    }
}

// Every outcome of the cut when there are at most this many (after the last operation: up to
// kEveryOutcomeAtTheEnd, where a folder synced last and one left behind show), else one:
// nothing unsynced survives (odd k) or a seeded choice (even k), which keeps a sweep under
// ASan within a minute or two.
constexpr std::size_t kEveryOutcomeUpTo = 4;
constexpr std::size_t kEveryOutcomeAtTheEnd = 64;

// The run cut before operation k (after the last when there is none); its disk is written
// afterwards, once for each outcome tried.
struct CutRun {
    std::unique_ptr<InstallRun> run;
    std::string operation = "after the last";
};

CutRun cutRun(const Scenario& scenario, std::size_t k) {
    CutRun cut{prepared(scenario)};
    InstallRun& run = *cut.run;
    run.files.failMutation(0);
    run.files.beforeMutation = [&](std::size_t number, const testsupport::FileMutation& mutation) {
        if (number != k || run.disk.powerIsOff()) return;
        cut.operation = std::string(testsupport::operationName(mutation.operation)) + " " + mutation.path;
        run.disk.cutPower();
    };
    run.clickInstall();
    run.files.beforeMutation = nullptr;
    run.disk.cutPower();
    return cut;
}

std::size_t outcomes(const std::vector<std::size_t>& points) {
    std::size_t product = 1;
    for (std::size_t n : points) product = std::min<std::size_t>(product * n, kEveryOutcomeAtTheEnd + 1);
    return product;
}

// The `index`-th choice vector of `points` (mixed radix).
std::vector<std::size_t> choiceNumber(std::size_t index, const std::vector<std::size_t>& points) {
    std::vector<std::size_t> choice;
    for (std::size_t n : points) {
        choice.push_back(index % n);
        index /= n;
    }
    return choice;
}

// Under the sanitizers the 800-row sweep takes every `stride`-th operation (from an offset the
// seed picks) and the cut after the last: every operation there would take minutes.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kSanitizedStride = 3;
#else
constexpr std::size_t kSanitizedStride = 1;
#endif

void cutPowerAtEveryOperation(const Scenario& scenario, std::size_t stride = 1) {
    const std::uint64_t seed = sweepSeed();
    const std::vector<std::string> merged = expectedMergedRows(scenario.userRows, scenario.packageRows);
    const std::size_t count = mutationsOfInstall(scenario);
    ASSERT_GT(count, 10u);
    std::size_t runs = 0;
    // k = count + 1: the power goes after the installation ended, before the system wrote
    // back what it holds.
    for (std::size_t k = 1; k <= count + 1; ++k) {
        if (k <= count && k % stride != seed % stride) continue;
        // One cut run gives every outcome: the model stays as the cut froze it.
        CutRun cut = cutRun(scenario, k);
        const std::vector<std::size_t> points = cut.run->disk.choicePoints();
        const std::size_t every = outcomes(points);
        const bool all = every <= (k > count ? kEveryOutcomeAtTheEnd : kEveryOutcomeUpTo);
        for (std::size_t t = 0; t < (all ? every : 1); ++t) {
            std::mt19937_64 random(seed ^ (k * 0x9E3779B97F4A7C15ull));
            const Survival survival = all ? Survival::Chosen : k % 2 ? Survival::OnlyDurable : Survival::Random;
            const std::string kept = cut.run->disk.writeDiskAfterCut(survival, random, choiceNumber(t, points));
            const std::string context = "power cut " +
                                        (k > count ? "after the last" : "before operation " + std::to_string(k)) +
                                        " of " + std::to_string(count) + " (" + cut.operation + "), survived:" + kept;
            EXPECT_TRUE(catalogSurvived(scenario, *cut.run, merged)) << context << ": the user's catalog is lost";
            expectSecondRunFinishes(scenario, *cut.run, context);
            ++runs;
            if (::testing::Test::HasFailure()) return;
        }
    }
    std::printf("%zu cuts over %zu operations\n", runs, count + 1);
}

TEST(InstallPowerLoss, AFirstInstallationCutAtAnyOperationIsFinishedByTheNextRun) {
    cutPowerAtEveryOperation(smallFirstInstall());
}

TEST(InstallPowerLoss, AReinstallationCutAtAnyOperationIsFinishedByTheNextRun) {
    cutPowerAtEveryOperation(smallReinstall());
}

TEST(InstallPowerLoss, AReinstallationOverTheUsersFilesCutAtAnyOperationKeepsThemOrReplacesThem) {
    cutPowerAtEveryOperation(filesReinstall());
}

TEST(InstallPowerLoss, AReinstallationWithSplitIndexPagesCutAtAnyOperationIsFinishedByTheNextRun) {
    const Scenario scenario = largeReinstall();
    auto run = prepared(scenario);
    run->clickInstall();
    ASSERT_TRUE(primaryKeySplit(run->catalog("dodatki.mdb")));
    cutPowerAtEveryOperation(scenario, kSanitizedStride);
}

}  // namespace
#endif
