// The writer's life: creating and opening files, creating tables, naming them, flushing.
#include "jet/write/database_writer.h"

#include <stdexcept>

#include "jet/jet_error.h"
#include "jet/write/cache_view.h"
#include "jet/write/data_page.h"
#include "jet/write/index_page.h"
#include "jet/write/system_tables.h"
#include "jet/write/table_refused.h"
#include "jet/write/table_shape_check.h"
#include "jet/write/usage_map.h"
#include "platform/source_date.h"
#include "platform/wall_clock.h"

namespace jet::write {

namespace {
// The time written into the system tables: SOURCE_DATE_EPOCH when set, so that the same
// catalog made twice is the same file; the clock otherwise.
double oleDateNow() {
    const platform::SourceDate fixed = platform::sourceDate();
    const double seconds = fixed.state == platform::SourceDate::State::Valid ? static_cast<double>(fixed.seconds)
                                                                             : platform::secondsSince1970();
    return seconds / 86400.0 + 25569.0;
}
}  // namespace

const DatabaseWriter::NamedTable* DatabaseWriter::findTable(std::string_view name) const {
    for (auto it = tables_.rbegin(); it != tables_.rend(); ++it)
        if (sameName(it->name, name)) return &*it;
    return nullptr;
}

DatabaseWriter::DatabaseWriter(std::unique_ptr<PageSource> source)
    : cache_(std::move(source)), allocator_(cache_) {}

DatabaseWriter::~DatabaseWriter() {
    if (closed_) return;
    try {
        if (!cache_.inChange()) cache_.flush();
    } catch (...) {
        // A destructor cannot report; close() is the way to see a failing flush.
    }
}

std::unique_ptr<DatabaseWriter> DatabaseWriter::create(platform::FileSystem& files,
                                                       const std::string& path) {
    auto source = createFileSource(files, path);
    try {
        return createOn(std::move(source), oleDateNow());
    } catch (...) {
        // createOn owned the file and has closed it; the name is ours since createNew made it.
        files.deleteFile(path);
        throw;
    }
}

std::unique_ptr<DatabaseWriter> DatabaseWriter::open(platform::FileSystem& files,
                                                     const std::string& path) {
    return openOn(openFileSource(files, path, OpenMode::ReadWrite));
}

std::unique_ptr<DatabaseWriter> DatabaseWriter::createOn(std::unique_ptr<PageSource> source, double now) {
    std::unique_ptr<DatabaseWriter> db(new DatabaseWriter(std::move(source)));
    if (db->cache_.pageCount() != 0) throwJetError(JetFault::Damaged, db->fileName(), {"the new database file is not empty"});
    db->now_ = now;
    try {
        db->buildNewDatabase(now);
    } catch (...) {
        db->closed_ = true;  // a half-made file is not worth the destructor's flush
        throw;
    }
    return db;
}

std::unique_ptr<DatabaseWriter> DatabaseWriter::openOn(std::unique_ptr<PageSource> source) {
    std::unique_ptr<DatabaseWriter> db(new DatabaseWriter(std::move(source)));
    db->now_ = oleDateNow();
    db->loadCatalog();
    return db;
}

std::vector<std::string> DatabaseWriter::tableNames() {
    std::vector<std::string> names;
    names.reserve(tables_.size());
    for (const NamedTable& table : tables_) names.push_back(table.name);
    return names;
}

DatabaseWriter::OpenTable& DatabaseWriter::openTable(const std::string& name) {
    // Rows mostly come one table at a time: the last one is found without a lookup.
    if (lastTable_ && name == lastName_) return *lastTable_;
    const NamedTable* named = findTable(name);
    if (!named) throw JetError(JetFault::NoSuchTable, fileName(), name, "no such table");
    OpenTable& table = systemTable(named->tdefPage, name);
    table.name = named->name;
    lastName_ = name;
    lastTable_ = &table;
    return table;
}

const TableDefinition& DatabaseWriter::table(const std::string& name) {
    return openTable(name).definition;
}

void DatabaseWriter::createTable(const TableShape& shape) {
    TableDefinition def = definitionForShape(shape, [&](const std::string& name) {
        return findTable(name) != nullptr;
    });
    cache_.begin();
    try {
        const PageNumber page = createTableDefinition(def, shape.name);
        appendUnchecked(systemTable(kCatalogPage, "MSysObjects"),
                        catalogRow(static_cast<std::int32_t>(page), kTablesContainerId, shape.name,
                                   kObjectTable, 0, now_, databaseOwner_));
        if (acesPage_ != 0) {
            OpenTable& aces = systemTable(acesPage_, "MSysACEs");
            for (const auto& sid : tableSids_)
                appendUnchecked(aces, accessRightRow(AccessRight{static_cast<std::int32_t>(page), sid,
                                                                 kUserTableRights, false}));
        }
        cache_.commit();
        ++generation_;
        tables_.push_back({shape.name, page});
    } catch (...) {
        cache_.rollback();
        forgetTableState();
        throw;
    }
}

void DatabaseWriter::forgetTableState() {
    open_.clear();
    lastTable_ = nullptr;
}

PageNumber DatabaseWriter::createTableDefinition(TableDefinition definition, std::string_view tableName) {
    const std::size_t length = encodeTableDefinition(definition).size();
    std::vector<PageNumber> tdefPages;
    for (std::size_t i = 0; i < tableDefinitionPagesNeeded(length); ++i)
        tdefPages.push_back(allocator_.allocate());
    const PageNumber first = tdefPages.front();
    const PageNumber mapPage = allocator_.allocate();
    initDataPage(cache_.modify(mapPage), 0);
    std::vector<PageNumber> roots;
    for (std::size_t i = 0; i < definition.physical.size(); ++i) {
        const PageNumber root = allocator_.allocate();
        IndexPageImage empty;
        encodeIndexPage(cache_.modify(root), first, empty);
        roots.push_back(root);
    }
    auto addMap = [&](std::vector<std::uint8_t> row) {
        Page& page = cache_.modify(mapPage);
        if (!rowFits(page, row.size()))
            throw TableRefused(TableFault::TooManyMaps, tableName);
        return RowAddress{mapPage, addRow(page, Bytes(row))};
    };
    const PageNumber window = mapPage - mapPage % 8;
    definition.owned = addMap(emptyInlineMap(window));
    definition.freeSpace = addMap(emptyInlineMap(window));
    for (std::size_t i = 0; i < definition.physical.size(); ++i) {
        const PageNumber root = roots[i];
        auto row = emptyInlineMap(root - root % 8);
        row[5 + (root % 8) / 8] |= static_cast<std::uint8_t>(1u << (root % 8));
        definition.physical[i].usageMap = addMap(row);
        definition.physical[i].root = root;
    }
    for (auto& column : definition.columns) {
        if (!column.longValue()) continue;
        column.longValueOwned = addMap(emptyInlineMap(window));
        column.longValueFree = addMap(emptyInlineMap(window));
    }
    const auto bytes = encodeTableDefinition(definition);
    const auto pages = layOutTableDefinition(Bytes(bytes), tdefPages);
    for (std::size_t i = 0; i < pages.size(); ++i) cache_.modify(tdefPages[i]) = pages[i];
    return first;
}

std::unique_ptr<PageSource> DatabaseWriter::readView() { return std::make_unique<CacheView>(cache_); }

void DatabaseWriter::flush() { cache_.flush(); }

void DatabaseWriter::close() {
    if (closed_) return;
    cache_.flush();
    closed_ = true;
}

}  // namespace jet::write
