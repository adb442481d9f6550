// The user's catalog is never lost: every mutating file operation of a whole installation
// fails once in turn (and afterwards the catalog is at "dodatki.mdb", or at
// "dodatki_old.mdb" with a message naming it, and a clean second run finishes the merge),
// and the installer is killed at every one in turn (the catalog was at one of the two names
// when it died, and a second run finishes the merge).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "jet/database.h"
#include "platform/file_system.h"
#include "tests/app/install_fixture.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using installtest::catalogBytes;
using installtest::CatalogContent;
using installtest::InstallRun;

fs::path u8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::optional<std::string> bytesAt(const std::string& path) {
    if (!fs::exists(u8(path))) return std::nullopt;
    return testsupport::readFile(u8(path));
}

struct Scenario {
    std::optional<std::string> user;  // the user's catalog bytes; none: a first installation
    std::string archive;              // the package archive
    // Files in the package's folder before the installation (names in it, with their bytes):
    // one the package replaces, one only the user has.
    std::map<std::string, std::string> earlier = {{"item.jpg", "earlier picture"},
                                                  {"notatka.txt", "the user's own note"}};
};

CatalogContent items(std::int32_t from, std::int32_t to, const std::string& name, std::int32_t markerEvery = 0) {
    CatalogContent content{{{"Wrzos", name}}, {}};
    for (std::int32_t id = from; id <= to; ++id)
        content.items.push_back({id, markerEvery && id % markerEvery == 0 ? "DELETE" : name + std::to_string(id)});
    return content;
}

Scenario smallReinstall() {
    return {catalogBytes(items(1, 6, "stary")),
            installtest::packageZip("Wrzos", catalogBytes(items(4, 9, "nowy", 5)))};
}

Scenario smallFirstInstall() {
    return {std::nullopt, installtest::packageZip("Wrzos", catalogBytes(items(1, 5, "nowy", 4)))};
}

// A prepared installer on a host holding the scenario's user catalog, or a copy of another
// run's drives (the same host folder after an earlier attempt).
std::unique_ptr<InstallRun> prepared(const Scenario& scenario, const InstallRun* after = nullptr) {
    auto run = std::make_unique<InstallRun>();
    if (after) {
        run->copyDrivesOf(*after);
    } else {
        if (scenario.user) run->writeUserCatalog(*scenario.user);
        for (const auto& [name, bytes] : scenario.earlier) run->writeUserCatalog(bytes, name);
    }
    run->prepare(scenario.archive, {});
    return run;
}

std::vector<std::string> mergedRows(const Scenario& scenario) {
    auto run = prepared(scenario);
    run->clickInstall();
    EXPECT_TRUE(run->finished()) << run->statusLabel();
    return installtest::catalogRows(run->catalog("dodatki.mdb"));
}

// Mutating operations of the click in a faultless installation.
std::size_t mutationsOfInstall(const Scenario& scenario) {
    auto run = prepared(scenario);
    const std::size_t before = run->files.mutationCount();
    run->clickInstall();
    return run->files.mutationCount() - before;
}

// A second installation without faults on what `run` left finishes with the right merge.
void expectSecondRunFinishes(const Scenario& scenario, const InstallRun& run,
                             const std::vector<std::string>& merged, const std::string& context) {
    auto again = prepared(scenario, &run);
    ASSERT_TRUE(again->installEnabled()) << context << ": " << again->statusLabel();
    again->clickInstall();
    EXPECT_TRUE(again->finished()) << context << ": " << again->statusLabel();
    EXPECT_EQ(installtest::catalogRows(again->catalog("dodatki.mdb")), merged) << context;
    EXPECT_FALSE(bytesAt(again->catalog("dodatki_old.mdb"))) << context;
    EXPECT_FALSE(bytesAt(again->catalog("dodatki_new.mdb"))) << context;
    // The package's files in, the user's own kept, nothing of the installation's left.
    EXPECT_EQ(bytesAt(again->catalog("item.jpg")), preparationtest::coverJpeg()) << context;
    EXPECT_EQ(bytesAt(again->catalog("notatka.txt")), scenario.earlier.at("notatka.txt")) << context;
    EXPECT_EQ(bytesAt(again->catalogFolder() + preparationtest::nativePath("tekstury\\a.jpg")), "texture of Wrzos")
        << context;
    for (const auto& [name, bytes] : again->hostFiles())
        EXPECT_EQ(name.find(".lumor-"), std::string::npos) << context << ": " << name << " left";
}

void failEveryMutation(const Scenario& scenario) {
    const std::vector<std::string> merged = mergedRows(scenario);
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
            EXPECT_EQ(installtest::catalogRows(run->catalog("dodatki.mdb")), merged) << what;
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
        expectSecondRunFinishes(scenario, *run, merged, context);
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
// Enough rows that the primary key's index pages split in the merged catalog.
Scenario largeReinstall() {
    return {catalogBytes(items(1, 500, "u")),
            installtest::packageZip("Wrzos", catalogBytes(items(400, 800, "p", 97)))};
}

// The primary key's root is an inner node: its leaves have split.
bool primaryKeySplit(const std::string& path) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), path);
    const jet::Table table = database.table("Dodatki");
    for (const jet::Index& index : table.indexes()) {
        if (index.kind != jet::IndexKind::PrimaryKey) continue;
        try {
            database.pages().page(table.physicalIndex(index).rootPage, jet::PageType::IndexNode, "root");
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    return false;
}

// Kills the installer (a child process, no clean-up of any kind) just before mutation k.
// Exit codes of the child: 0 died with the user's catalog in place, 1 it was not, 2 the
// installation ended before mutation k.
void crashAtEveryMutation(const Scenario& scenario) {
    const std::vector<std::string> merged = mergedRows(scenario);
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
                        inPlace = installtest::catalogRows(run->catalog("dodatki.mdb")) == merged;
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
        expectSecondRunFinishes(scenario, *run, merged, context);
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
