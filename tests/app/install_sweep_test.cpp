// The user's catalog is never lost: every mutating file operation of a whole installation
// fails once in turn (and afterwards the catalog is at "dodatki.mdb", or at
// "dodatki_old.mdb" with a message naming it, and a clean second run finishes the merge),
// and the installer is killed at every one in turn (the catalog was at one of the two names
// when it died, and a second run finishes the merge).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "tests/app/install_expected_merge.h"
#include "tests/app/install_sweep_scenarios.h"

namespace {

using namespace installtest;

void failEveryMutation(const Scenario& scenario) {
    const std::vector<std::string> merged = expectedMergedRows(scenario.userRows, scenario.packageRows);
    const std::size_t count = mutationsOfInstall(scenario);
    ASSERT_GT(count, 10u);
    for (std::size_t k = 1; k <= count; ++k) {
        const std::string context = "failing mutation " + std::to_string(k) + " of " + std::to_string(count);
        auto run = prepared(scenario);
        ASSERT_TRUE(run->installEnabled()) << context;
        const auto before = run->hostFiles();
        run->files.failMutation(k);
        run->clickInstall();
        const std::string what = context + " (" +
                                 (run->files.mutationCount() >= k ? testsupport::operationName(
                                      run->files.mutations()[run->files.mutations().size() - 1].operation) : "-") +
                                 "): " + run->statusLabel();
        EXPECT_EQ(run->files.injectedFailures(), 1u) << what;
        EXPECT_TRUE(run->backend.errorReports().empty()) << what;
        EXPECT_TRUE(run->installGone()) << what;
        EXPECT_TRUE(run->form->bnCloseNormal.visible()) << what;
        EXPECT_FALSE(bytesAt(run->catalog("dodatki_new.mdb"))) << what;
        const app::InstallOutcome outcome = run->form->installOutcome;
        if (outcome == app::InstallOutcome::RolledBack || outcome == app::InstallOutcome::NothingChanged) {
            EXPECT_EQ(run->hostFiles(), before) << what << ": the host folder is not as it was";
        }
        if (run->finished()) {
            EXPECT_EQ(plainCatalogRows(run->catalog("dodatki.mdb")), merged) << what;
        } else {
            EXPECT_FALSE(run->form->gauge.visible()) << what;
            EXPECT_FALSE(run->form->BGfinish.visible()) << what;
            if (scenario.user) {
                const bool atDestination = bytesAt(run->catalog("dodatki.mdb")) == scenario.user &&
                                           !bytesAt(run->catalog("dodatki_old.mdb"));
                const bool asideAndNamed =
                    bytesAt(run->catalog("dodatki_old.mdb")) == scenario.user &&
                    run->statusLabel().find(run->catalog("dodatki_old.mdb")) != std::string::npos;
                EXPECT_TRUE(atDestination || asideAndNamed) << what;
            }
        }
        expectSecondRunFinishes(scenario, *run, context);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(InstallFaults, EveryFailingOperationOfAReinstallationKeepsTheUsersCatalog) {
    failEveryMutation(smallReinstall());
}

TEST(InstallFaults, EveryFailingOperationOfAFirstInstallationLeavesAFolderTheNextRunFinishes) {
    failEveryMutation(smallFirstInstall());
}

#ifndef _WIN32
// Kills the installer (a child process, no clean-up of any kind) just before mutation k.
// Exit codes of the child: 0 died with the user's catalog in place, 1 it was not, 2 the
// installation ended before mutation k.
void crashAtEveryMutation(const Scenario& scenario) {
    const std::vector<std::string> merged = expectedMergedRows(scenario.userRows, scenario.packageRows);
    const std::size_t count = mutationsOfInstall(scenario);
    ASSERT_GT(count, 10u);
    for (std::size_t k = 1; k <= count; ++k) {
        const std::string context = "crash at mutation " + std::to_string(k) + " of " + std::to_string(count);
        auto run = prepared(scenario);
        ASSERT_TRUE(run->installEnabled()) << context;
        run->files.failMutation(0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            run->files.beforeMutation = [&](std::size_t number, const testsupport::FileMutation&) {
                if (number != k) return;
                bool inPlace = true;
                if (scenario.user) {
                    inPlace = bytesAt(run->catalog("dodatki.mdb")) == scenario.user ||
                              bytesAt(run->catalog("dodatki_old.mdb")) == scenario.user;
                    // After the old catalog's deletion only the checked merge is left.
                    if (!inPlace && !bytesAt(run->catalog("dodatki_old.mdb")))
                        inPlace = plainCatalogRows(run->catalog("dodatki.mdb")) == merged;
                }
                _exit(inPlace ? 0 : 1);
            };
            run->clickInstall();
            _exit(2);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << context;
        EXPECT_EQ(WEXITSTATUS(status), 0) << context << ": the user's catalog was at neither name";
        expectSecondRunFinishes(scenario, *run, context);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(InstallCrashes, AReinstallationKilledAtAnyOperationIsFinishedByTheNextRun) {
    crashAtEveryMutation(smallReinstall());
}

TEST(InstallCrashes, AFirstInstallationKilledAtAnyOperationIsFinishedByTheNextRun) {
    crashAtEveryMutation(smallFirstInstall());
}

TEST(InstallCrashes, AReinstallationWithSplitIndexPagesKilledAtAnyOperationIsFinishedByTheNextRun) {
    const Scenario scenario = largeReinstall();
    auto run = prepared(scenario);
    run->clickInstall();
    ASSERT_TRUE(primaryKeySplit(run->catalog("dodatki.mdb")));
    crashAtEveryMutation(scenario);
}
#endif

}  // namespace
