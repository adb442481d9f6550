#include "tests/app/install_fixture.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "archive/zip/zip_writer.h"
#include "catalog/catalog_creation.h"
#include "catalog/catalog_schema.h"
#include "catalog/connection.h"
#include "catalog/connection_string.h"
#include "catalog/field_value.h"
#include "catalog/table.h"
#include "jet/database.h"
#include "platform/paths.h"
#include "tests/support/recording_log.h"
#include "tests/support/test_paths.h"

namespace installtest {

namespace {

void insertRow(catalog::Table& table, const std::vector<std::pair<const char*, jet::Value>>& values) {
    table.insert();
    for (const auto& [name, value] : values) table.fieldByName(name).setValue(value);
    table.post();
}

}  // namespace

std::string catalogBytes(const CatalogContent& content) {
    testsupport::TempDir dir;
    const std::string path = dir.folder() + "dodatki.mdb";
    testsupport::RecordingLog log;
    catalog::CatalogCreation creation(log, platform::realFileSystem());
    if (!creation.MDBCreate(path)) throw std::runtime_error("catalog fixture: MDBCreate failed");
    {
        catalog::Connection connection(platform::realFileSystem());
        connection.setConnectionString(catalog::openConnectionString(path));
        connection.connect();
        catalog::Table makers;
        makers.setConnection(&connection);
        makers.setTableName("info_producent");
        makers.open();
        for (const Maker& m : content.makers)
            insertRow(makers, {{"Producent", jet::Value::text(m.producent)}, {"Nazwa", jet::Value::text(m.nazwa)}});
        makers.close();
        catalog::Table items;
        items.setConnection(&connection);
        items.setTableName("Dodatki");
        items.open();
        for (const Item& item : content.items)
            insertRow(items, {{"ID", jet::Value(item.id)},
                              {"Producent", jet::Value::text("Wrzos")},
                              {"Nazwa", jet::Value::text(item.nazwa)},
                              {"Opis_Produktu", jet::Value::text(item.opis)},
                              {"Dodatek_wst", jet::Value(false)}});
        items.close();
        connection.disconnect();
    }
    return testsupport::readFile(dir.path() / "dodatki.mdb");
}

std::vector<std::string> catalogRows(const std::string& path) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), path);
    std::vector<std::string> rows;
    for (const char* name : {"info_producent", "Dodatki"}) {
        jet::Table table = database.table(name);
        jet::RowCursor cursor = table.rows();
        while (cursor.next()) {
            std::string line = name;
            for (const jet::Value& value : cursor.values()) line += "|" + catalog::valueAsText(value);
            rows.push_back(line);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string packageZip(const std::string& name, const std::string& catalogFile,
                       const std::vector<std::pair<std::string, std::string>>& extra) {
    std::vector<std::pair<std::string, std::string>> members = {
        {name + "\\dodatki.mdb", catalogFile},
        {name + "\\item.jpg", preparationtest::coverJpeg()},
        {name + "\\tekstury\\a.jpg", "texture of " + name},
        {name + ".txt", name + "\r\n"},
        {name + ".jpg", preparationtest::coverJpeg()},
    };
    members.insert(members.end(), extra.begin(), extra.end());
    return zip::makeZip(members);
}

std::string storedPayload(const std::string& marker, std::size_t size) {
    std::mt19937 random(7);
    std::string bytes = marker;
    while (bytes.size() < size) bytes.push_back(static_cast<char>(random() & 0xFF));
    return bytes;
}

// Small files as they are, large ones by size and a hash, so a failed comparison stays readable.
std::string shortForm(const std::string& bytes) {
    if (bytes.size() <= 64) return bytes;
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return std::to_string(bytes.size()) + " bytes, FNV-1a " + std::to_string(hash);
}

std::map<std::string, std::string> filesBelow(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path root(std::u8string(folder.begin(), folder.end()));
    std::map<std::string, std::string> files;
    if (!fs::exists(root)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::u8string name = fs::relative(entry.path(), root).generic_u8string();
        std::string key(name.begin(), name.end());
        if (entry.is_directory()) files[key + "/"] = "";
        else files[key] = shortForm(testsupport::readFile(entry.path()));
    }
    return files;
}

void InstallRun::copyDrivesOf(const InstallRun& earlier) {
    namespace fs = std::filesystem;
    // File by file: a folder copied onto an existing one fails with some libraries.
    for (const auto& entry : fs::recursive_directory_iterator(earlier.drives.path())) {
        const fs::path target = drives.path() / fs::relative(entry.path(), earlier.drives.path());
        if (entry.is_directory()) fs::create_directories(target);
        else fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    }
}

InstallRun::InstallRun(const std::string& name) : packageName(name) {
    host = makeHost("C", "CAD 2.0");
    system.roots = {drive("C")};
}

std::string InstallRun::catalogFolder() const {
    return host + "dodatki" + platform::kSeparator + packageName + platform::kSeparator;
}

void InstallRun::writeUserCatalog(const std::string& bytes, const std::string& name) {
    writeFile(catalog(name), bytes);
}

void InstallRun::prepare(const std::string& archive, const std::vector<std::string>& args) {
    writeInstaller(archive);
    run(args);
}

void InstallRun::clickInstall() {
    backend.moveMouseOnto("bnInstallNormal");
    backend.click();
    backend.run(form->window);
}

bool InstallRun::finished() const {
    return form->BGfinish.visible() && !form->BG.visible() && !form->InfoLabel.visible() &&
           !form->gauge.visible() && form->installOutcome == app::InstallOutcome::Finished;
}

bool InstallRun::installGone() const {
    for (const toolkit::Picture* p : {&form->bnInstallNormal, &form->bnInstallHover,
                                      &form->bnInstallActive, &form->bnInstallDisable})
        if (p->visible()) return false;
    return true;
}

}  // namespace installtest
