// Whole installations for tests: catalogs built in code with the installer's own creation and
// table objects, package archives holding one, and a prepared installer whose Install button
// is clicked the way a user clicks it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/app/preparation_fixture.h"

namespace installtest {

struct Maker {
    std::string producent;
    std::string nazwa;
};

struct Item {
    std::int32_t id;
    std::string nazwa;  // "DELETE" makes a deletion marker
    std::string opis = "";
};

struct CatalogContent {
    std::vector<Maker> makers;
    std::vector<Item> items;
};

// The bytes of a Jet 4 catalog with the installer's schema holding `content`'s rows.
std::string catalogBytes(const CatalogContent& content);

// Every row of both tables of the catalog at `path`, one line each ("Dodatki|7|Szafa|..."),
// sorted, so that two catalogs compare by content whatever their row order.
std::vector<std::string> catalogRows(const std::string& path);

// A package archive: NAME\dodatki.mdb with `catalogFile`, NAME\item.jpg, NAME\tekstury\a.jpg,
// the cover NAME.jpg and the text NAME.txt. `extra` members are added as they are.
std::string packageZip(const std::string& name, const std::string& catalogFile,
                       const std::vector<std::pair<std::string, std::string>>& extra = {});

// Incompressible bytes (stored, not deflated, in an archive) that begin with `marker`, so a
// test can find them in the installer and damage them.
std::string storedPayload(const std::string& marker, std::size_t size);

// Every file below `folder` by its path relative to it (folders end with '/'), with its bytes
// (above 64 bytes: its size and a hash).
std::map<std::string, std::string> filesBelow(const std::string& folder);

struct InstallRun : preparationtest::PreparationRun {
    // Host "CAD 2.0" on drive C; the package's catalog folder is made when `userCatalog` is
    // not empty and holds it as "dodatki.mdb".
    explicit InstallRun(const std::string& packageName = "Wrzos");

    std::string host;
    std::string packageName;
    std::string catalogFolder() const;  // host + dodatki + package, ending with the separator
    std::string catalog(const std::string& name) const { return catalogFolder() + name; }
    void writeUserCatalog(const std::string& bytes, const std::string& name = "dodatki.mdb");
    // The drives exactly as `earlier` left them: a later run on the same machine.
    void copyDrivesOf(const InstallRun& earlier);
    std::map<std::string, std::string> hostFiles() const { return filesBelow(host); }

    // The installer holding `archive`, then start-up and preparation (the timer's tick).
    void prepare(const std::string& archive, const std::vector<std::string>& args = {"/d"});
    // The pointer enters the Install button, then clicks its Hover picture.
    void clickInstall();

    bool finished() const;
    // No picture of the Install button is visible.
    bool installGone() const;
};

}  // namespace installtest
