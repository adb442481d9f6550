// A power cut at any moment of an installation: the machine stops before its k-th file
// operation (every k, syncs included), the disk keeps what was flushed and synced and, in a
// second pass with a seeded choice, some of the rest (see DurableDiskModel). Right after the
// cut the user's catalog is whole at "dodatki.mdb" or "dodatki_old.mdb" (or the checked merge
// is at "dodatki.mdb" once the record says so), and the next run settles the record and
// finishes the installation: the merge the rules give, the package's files in, the user's own
// kept, nothing of the installation's left. LUMOR_POWER_LOSS_SEED=N reruns a seed.
#include <gtest/gtest.h>

#include <random>

#include "tests/app/install_expected_merge.h"
#include "tests/app/install_sweep_scenarios.h"
#include "tests/support/random_seed.h"

namespace {

using namespace installtest;
using testsupport::Survival;

std::uint64_t sweepSeed() {
    const std::uint64_t seed =
        testsupport::seedFromEnvironment("LUMOR_POWER_LOSS_SEED").value_or(std::random_device{}());
    testsupport::announceSeed("power loss", seed, "LUMOR_POWER_LOSS_SEED");
    return seed;
}

// The user's catalog as the cut left it: whole at one of its names, or merged and committed.
bool catalogSurvived(const Scenario& scenario, const InstallRun& run, const std::vector<std::string>& merged) {
    const auto atName = bytesAt(run.catalog("dodatki.mdb"));
    const auto aside = bytesAt(run.catalog("dodatki_old.mdb"));
    if (!scenario.user) return true;
    if (atName == scenario.user || aside == scenario.user) return true;
    try {
        return atName && plainCatalogRows(run.catalog("dodatki.mdb")) == merged;
    } catch (const std::exception&) {
        return false;
    }
}

void cutPowerAtEveryOperation(const Scenario& scenario) {
    const std::uint64_t seed = sweepSeed();
    const std::vector<std::string> merged = expectedMergedRows(scenario.userRows, scenario.packageRows);
    const std::size_t count = mutationsOfInstall(scenario);
    ASSERT_GT(count, 10u);
    for (std::size_t k = 1; k <= count; ++k) {
        for (const Survival survival : {Survival::OnlyDurable, Survival::Random}) {
            auto run = prepared(scenario);
            ASSERT_TRUE(run->installEnabled());
            run->files.failMutation(0);
            std::string operation;
            run->files.beforeMutation = [&](std::size_t number, const testsupport::FileMutation& mutation) {
                if (number != k || run->disk.powerIsOff()) return;
                operation = std::string(testsupport::operationName(mutation.operation)) + " " + mutation.path;
                run->disk.cutPower();
            };
            run->clickInstall();
            std::mt19937_64 random(seed ^ (k * 0x9E3779B97F4A7C15ull));
            const std::string kept = run->disk.writeDiskAfterCut(survival, random);
            const std::string context = "power cut before operation " + std::to_string(k) + " of " +
                                        std::to_string(count) + " (" + operation + "), " +
                                        (survival == Survival::OnlyDurable ? "only the durable kept"
                                                                           : "seeded survivors:" + kept);
            EXPECT_TRUE(catalogSurvived(scenario, *run, merged)) << context << ": the user's catalog is lost";
            expectSecondRunFinishes(scenario, *run, context);
            if (::testing::Test::HasFailure()) return;
        }
    }
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
    cutPowerAtEveryOperation(scenario);
}

}  // namespace
