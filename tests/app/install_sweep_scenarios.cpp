#include "tests/app/install_sweep_scenarios.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "jet/database.h"
#include "platform/file_system.h"
#include "tests/app/install_expected_merge.h"
#include "tests/support/test_paths.h"

namespace installtest {

namespace fs = std::filesystem;

CatalogContent items(std::int32_t from, std::int32_t to, const std::string& name, std::int32_t markerEvery) {
    CatalogContent content{{{"Wrzos", name}}, {}};
    for (std::int32_t id = from; id <= to; ++id)
        content.items.push_back({id, markerEvery && id % markerEvery == 0 ? "DELETE" : name + std::to_string(id)});
    return content;
}

Scenario scenario(std::optional<CatalogContent> user, CatalogContent package) {
    Scenario s;
    if (user) s.user = catalogBytes(*user);
    s.archive = packageZip("Wrzos", catalogBytes(package));
    s.userRows = std::move(user);
    s.packageRows = std::move(package);
    return s;
}

Scenario smallReinstall() { return scenario(items(1, 6, "stary"), items(4, 9, "nowy", 5)); }

Scenario smallFirstInstall() { return scenario(std::nullopt, items(1, 5, "nowy", 4)); }

Scenario largeReinstall() { return scenario(items(1, 500, "u"), items(400, 800, "p", 97)); }

Scenario filesReinstall() {
    Scenario s = scenario(items(1, 3, "stary"), items(2, 4, "nowy"));
    s.earlier[preparationtest::nativePath("tekstury\\a.jpg")] = "the user's earlier texture";
    s.earlier[preparationtest::nativePath("tekstury\\b.jpg")] = "a texture only the user has";
    return s;
}

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

std::optional<std::string> bytesAt(const std::string& path) {
    const fs::path native(std::u8string(path.begin(), path.end()));
    if (!fs::exists(native)) return std::nullopt;
    return testsupport::readFile(native);
}

std::unique_ptr<InstallRun> prepared(const Scenario& scenario, const InstallRun* after) {
    auto run = std::make_unique<InstallRun>();
    if (after) {
        run->copyDrivesOf(*after);
    } else {
        if (scenario.user) run->writeUserCatalog(*scenario.user);
        for (const auto& [name, bytes] : scenario.earlier) run->writeUserCatalog(bytes, name);
    }
    run->disk.track(run->drives.folder());
    run->prepare(scenario.archive, {});
    return run;
}

std::size_t mutationsOfInstall(const Scenario& scenario) {
    auto run = prepared(scenario);
    const std::size_t before = run->files.mutationCount();
    run->clickInstall();
    return run->files.mutationCount() - before;
}

void expectSecondRunFinishes(const Scenario& scenario, const InstallRun& run, const std::string& context) {
    auto again = prepared(scenario, &run);
    ASSERT_TRUE(again->installEnabled()) << context << ": " << again->statusLabel();
    again->clickInstall();
    EXPECT_TRUE(again->finished()) << context << ": " << again->statusLabel();
    EXPECT_EQ(plainCatalogRows(again->catalog("dodatki.mdb")), expectedMergedRows(scenario.userRows, scenario.packageRows))
        << context;
    EXPECT_FALSE(bytesAt(again->catalog("dodatki_old.mdb"))) << context;
    EXPECT_FALSE(bytesAt(again->catalog("dodatki_new.mdb"))) << context;
    EXPECT_EQ(bytesAt(again->catalog("item.jpg")), preparationtest::coverJpeg()) << context;
    EXPECT_EQ(bytesAt(again->catalogFolder() + preparationtest::nativePath("tekstury\\a.jpg")), "texture of Wrzos")
        << context;
    for (const auto& [name, bytes] : scenario.earlier) {
        if (name.find("item.jpg") != std::string::npos || name.find("a.jpg") != std::string::npos) continue;
        EXPECT_EQ(bytesAt(again->catalog(name)), bytes) << context << ": the user's " << name;
    }
    for (const auto& [name, bytes] : again->hostFiles()) {
        EXPECT_EQ(name.find(".lumor-"), std::string::npos) << context << ": " << name << " left";
        EXPECT_EQ(name.find("zachowany"), std::string::npos) << context << ": " << name << " kept aside";
    }
}

}  // namespace installtest
