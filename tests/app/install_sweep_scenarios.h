// The installations the sweeps interrupt at every operation: a user's catalog (or none), the
// package, the files already in the package's folder; a run prepared on them or on what an
// interrupted run left; and what a later, uninterrupted run must make of it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/app/install_fixture.h"

namespace installtest {

struct Scenario {
    std::optional<CatalogContent> userRows;  // none: a first installation
    CatalogContent packageRows;
    std::optional<std::string> user;  // the user's catalog bytes
    std::string archive;              // the package archive
    // Files in the package's folder before the installation (names in it, with their bytes):
    // one the package replaces, one only the user has.
    std::map<std::string, std::string> earlier = {{"item.jpg", "earlier picture"},
                                                  {"notatka.txt", "the user's own note"}};
};

// Items from..to of the maker "Wrzos", named `name` + ID; every `markerEvery`-th is "DELETE".
CatalogContent items(std::int32_t from, std::int32_t to, const std::string& name, std::int32_t markerEvery = 0);
Scenario scenario(std::optional<CatalogContent> user, CatalogContent package);

Scenario smallReinstall();
Scenario smallFirstInstall();
// Enough rows that the primary key's index pages split in the merged catalog.
Scenario largeReinstall();
// The package replaces files in the folder and in a sub-folder (all kept aside while it runs).
Scenario filesReinstall();

// The primary key's root of the catalog's Dodatki is an inner node: its leaves have split.
bool primaryKeySplit(const std::string& path);

std::optional<std::string> bytesAt(const std::string& path);

// A prepared installer on a host holding the scenario's files, or a copy of another run's
// drives (the same host folder after an earlier attempt). Its drives are followed by the
// power-loss model, which keeps flushes and syncs from the real disk (and so the sweeps fast).
std::unique_ptr<InstallRun> prepared(const Scenario& scenario, const InstallRun* after = nullptr);

// Mutating operations of the click in a faultless installation.
std::size_t mutationsOfInstall(const Scenario& scenario);

// A second installation without faults on what `run` left finishes with the expected merge
// (the rules' result, not a run's), the package's files in, the user's own kept, nothing of
// the installation's left.
void expectSecondRunFinishes(const Scenario& scenario, const InstallRun& run, const std::string& context);

}  // namespace installtest
