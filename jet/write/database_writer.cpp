// Creating databases and tables, appending rows.
#include "jet/write/database_writer.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <stdexcept>

#include "jet/jet_error.h"
#include "jet/write/data_page.h"
#include "jet/write/header_page.h"
#include "jet/write/index_key.h"
#include "jet/write/row_decoder.h"
#include "jet/write/row_encoder.h"
#include "jet/write/system_tables.h"
#include "jet/write/text_encoding.h"
#include "jet/write/usage_map.h"

namespace jet::write {

namespace {
constexpr PageNumber kCatalogPage = 2;
constexpr std::size_t kDirtyPagesBeforeFlush = 2048;
constexpr std::size_t kMaxNameLength = 64;

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

double oleDateNow() {
    using namespace std::chrono;
    const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return seconds / 86400.0 + 25569.0;
}

std::string quoted(const std::string& name) { return "`" + name + "`"; }

std::string kindName(Value::Kind kind) {
    switch (kind) {
    case Value::Kind::Bool: return "wartość tak/nie";
    case Value::Kind::Byte:
    case Value::Kind::Int16:
    case Value::Kind::Int32: return "liczbę całkowitą";
    case Value::Kind::Text:
    case Value::Kind::Memo: return "tekst";
    case Value::Kind::Binary:
    case Value::Kind::Ole: return "dane binarne";
    case Value::Kind::DateTime: return "datę";
    default: return "liczbę";
    }
}

std::string typeName(ColumnType type) {
    switch (type) {
    case ColumnType::Bool: return "wartości tak/nie";
    case ColumnType::Int32: return "liczby całkowite (długie)";
    case ColumnType::Int16: return "liczby całkowite";
    case ColumnType::Byte: return "bajty";
    case ColumnType::Text: return "tekst";
    case ColumnType::Binary: return "dane binarne";
    case ColumnType::DateTime: return "daty";
    default: return std::string("wartości typu ") + std::string(columnTypeName(type));
    }
}

std::string valueText(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Null: return "NULL";
    case Value::Kind::Bool: return v.asBool() ? "tak" : "nie";
    case Value::Kind::Byte:
    case Value::Kind::Int16:
    case Value::Kind::Int32: return std::to_string(v.asInteger());
    case Value::Kind::Text:
    case Value::Kind::Memo: return "\"" + v.asString() + "\"";
    default: return "?";
    }
}

// Widens integer kinds to the column's width; other kinds pass as they are.
Value fitInteger(const Value& v, ColumnType type) {
    if (v.kind() != Value::Kind::Byte && v.kind() != Value::Kind::Int16 && v.kind() != Value::Kind::Int32)
        return v;
    const std::int64_t n = v.asInteger();
    if (type == ColumnType::Int32) return Value(static_cast<std::int32_t>(n));
    if (type == ColumnType::Int16 && n >= INT16_MIN && n <= INT16_MAX)
        return Value(static_cast<std::int16_t>(n));
    if (type == ColumnType::Byte && n >= 0 && n <= 255) return Value(static_cast<std::uint8_t>(n));
    return v;
}

bool kindSuits(Value::Kind kind, ColumnType type) {
    switch (type) {
    case ColumnType::Bool: return kind == Value::Kind::Bool;
    case ColumnType::Byte: return kind == Value::Kind::Byte;
    case ColumnType::Int16: return kind == Value::Kind::Int16;
    case ColumnType::Int32: return kind == Value::Kind::Int32;
    case ColumnType::Text: return kind == Value::Kind::Text || kind == Value::Kind::Memo;
    case ColumnType::Binary: return kind == Value::Kind::Binary;
    case ColumnType::DateTime: return kind == Value::Kind::DateTime;
    case ColumnType::Double: return kind == Value::Kind::Double;
    case ColumnType::Float: return kind == Value::Kind::Float;
    case ColumnType::Currency: return kind == Value::Kind::Currency;
    case ColumnType::Guid: return kind == Value::Kind::Guid;
    default: return false;  // long values are written as null only
    }
}
}  // namespace

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
    if (db->cache_.pageCount() != 0) throw JetError(db->fileName(), "the new database file is not empty");
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

void DatabaseWriter::buildNewDatabase(double now) {
    cache_.append();
    cache_.modify(0) = buildHeaderPage(kReferenceCreationDate, kReferenceEngineBuild);
    const PageNumber mapPage = cache_.append();
    Page& globalMap = cache_.modify(mapPage);
    initDataPage(globalMap, 1);
    std::vector<std::uint8_t> freePages = emptyInlineMap(0);
    std::fill(freePages.begin() + 5, freePages.end(), 0xFF);
    freePages[5] = 0xFC;  // pages 0 and 1 are in use
    addRow(globalMap, Bytes(freePages));
    const auto spare = emptyInlineMap(0);
    addRow(globalMap, Bytes(spare));

    const PageNumber objects = createTableDefinition(msysObjectsDefinition());
    if (objects != kCatalogPage) throw std::logic_error("MSysObjects must be defined on page 2");
    const PageNumber aces = createTableDefinition(msysAcesDefinition());
    const PageNumber queries = createTableDefinition(msysQueriesDefinition());
    const PageNumber relationships = createTableDefinition(msysRelationshipsDefinition());
    acesPage_ = aces;

    OpenTable& catalog = systemTable(objects, "MSysObjects");
    const auto& creator = creatorOwner();
    const auto& admin = adminOwner();
    auto add = [&](std::int32_t id, std::int32_t parent, const char* name, std::int16_t type,
                   const std::vector<std::uint8_t>& owner) {
        appendUnchecked(catalog, catalogRow(id, parent, name, type, kSystemObjectFlags, now, owner));
    };
    add(kTablesContainerId, kRootContainerId, "Tables", kObjectContainer, creator);
    add(kDatabasesContainerId, kRootContainerId, "Databases", kObjectContainer, creator);
    add(kRelationshipsContainerId, kRootContainerId, "Relationships", kObjectContainer, creator);
    add(kDatabaseObjectId, kDatabasesContainerId, "MSysDb", kObjectDatabase, admin);
    const std::vector<std::int32_t> ids{std::int32_t(objects), std::int32_t(aces),
                                        std::int32_t(queries), std::int32_t(relationships)};
    const char* names[] = {"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
    for (std::size_t i = 0; i < ids.size(); ++i)
        add(ids[i], kTablesContainerId, names[i], kObjectTable, creator);

    OpenTable& rights = systemTable(aces, "MSysACEs");
    for (const AccessRight& right : initialAccessRights(ids)) {
        appendUnchecked(rights, accessRightRow(right));
        if (right.objectId == kTablesContainerId &&
            std::find(tableSids_.begin(), tableSids_.end(), right.sid) == tableSids_.end())
            tableSids_.push_back(right.sid);
    }
    databaseOwner_ = admin;
    cache_.flush();
}

PageNumber DatabaseWriter::createTableDefinition(TableDefinition definition) {
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
            throw std::invalid_argument("tabela ma zbyt wiele indeksów i kolumn długich");
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

DatabaseWriter::OpenTable& DatabaseWriter::systemTable(PageNumber tdefPage, const std::string& name) {
    auto it = open_.find(tdefPage);
    if (it != open_.end()) return it->second;
    OpenTable table;
    table.name = name;
    table.tdefPage = tdefPage;
    table.definition = decodeTableDefinition(Bytes(readTableDefinition(cache_, tdefPage)));
    return open_.emplace(tdefPage, std::move(table)).first->second;
}

void DatabaseWriter::loadCatalog() {
    if (cache_.pageCount() < 3) throw JetError(JetFault::NotJet4, fileName(), "the file is too short for a Jet 4 database");
    const Page& header = cache_.read(0);
    static const char engine[] = "Standard Jet DB";
    if (!std::equal(engine, engine + sizeof engine, header.begin() + 4) || header[0x14] != 1)
        throw JetError(JetFault::NotJet4, fileName(), "not a Jet 4 database");
    OpenTable& catalog = systemTable(kCatalogPage, "MSysObjects");
    const TableDefinition& def = catalog.definition;
    std::int32_t tablesId = kTablesContainerId;
    struct Object {
        std::int32_t id, parent, flags;
        std::int16_t type;
        std::string name;
    };
    std::vector<Object> objects;
    for (PageNumber page : usageMapPages(cache_, def.owned)) {
        if (page >= cache_.pageCount()) continue;
        const Page& p = cache_.read(page);
        if (p[0] != static_cast<std::uint8_t>(PageType::Data) || dataPageOwner(p) != kCatalogPage) continue;
        for (std::size_t r = 0; r < dataPageRowCount(p); ++r) {
            const RowSpan span = rowSpan(p, r);
            if (span.flags & 0x4000 || span.flags == 0xC000) continue;
            const auto values = decodeRow(def, bytesOf(p).subspan(span.begin, span.end - span.begin));
            auto intOf = [&](std::uint16_t n) {
                return values[n].kind() == Value::Kind::Int32 ? values[n].asInt32() : 0;
            };
            Object o{intOf(msys_objects::kId), intOf(msys_objects::kParentId), intOf(msys_objects::kFlags),
                     values[msys_objects::kType].kind() == Value::Kind::Int16 ? values[msys_objects::kType].asInt16()
                                                                           : std::int16_t(0),
                     values[msys_objects::kName].kind() == Value::Kind::Text ? values[msys_objects::kName].asString()
                                                                          : std::string()};
            if (o.id == kDatabaseObjectId && values[msys_objects::kOwner].kind() == Value::Kind::Binary)
                databaseOwner_ = values[msys_objects::kOwner].asBytes();
            if (o.parent == kRootContainerId && o.name == "Tables") tablesId = o.id;
            objects.push_back(o);
        }
    }
    for (const Object& o : objects) {
        if (o.type != kObjectTable || o.parent != tablesId) continue;
        const PageNumber page = static_cast<PageNumber>(o.id) & 0x00FFFFFF;
        if (o.name == "MSysACEs") acesPage_ = page;
        if (static_cast<std::uint32_t>(o.flags) & 0x80000002u) continue;
        tablePages_[lower(o.name)] = page;
        tableOrder_.push_back(o.name);
    }
    if (databaseOwner_.empty()) databaseOwner_ = adminOwner();
    if (acesPage_ == 0) return;
    OpenTable& aces = systemTable(acesPage_, "MSysACEs");
    for (PageNumber page : usageMapPages(cache_, aces.definition.owned)) {
        if (page >= cache_.pageCount()) continue;
        const Page& p = cache_.read(page);
        if (p[0] != static_cast<std::uint8_t>(PageType::Data) || dataPageOwner(p) != acesPage_) continue;
        for (std::size_t r = 0; r < dataPageRowCount(p); ++r) {
            const RowSpan span = rowSpan(p, r);
            if (span.flags & 0x4000 || span.flags == 0xC000) continue;
            const auto values = decodeRow(aces.definition, bytesOf(p).subspan(span.begin, span.end - span.begin));
            if (values[msys_aces::kObjectId].kind() != Value::Kind::Int32 ||
                values[msys_aces::kObjectId].asInt32() != tablesId ||
                values[msys_aces::kSid].kind() != Value::Kind::Binary)
                continue;
            const auto& sid = values[msys_aces::kSid].asBytes();
            if (std::find(tableSids_.begin(), tableSids_.end(), sid) == tableSids_.end())
                tableSids_.push_back(sid);
        }
    }
}

std::vector<std::string> DatabaseWriter::tableNames() { return tableOrder_; }

DatabaseWriter::OpenTable& DatabaseWriter::openTable(const std::string& name) {
    auto it = tablePages_.find(lower(name));
    if (it == tablePages_.end())
        throw JetError(JetFault::NoSuchTable, fileName(), name, "no such table");
    OpenTable& table = systemTable(it->second, name);
    for (const std::string& known : tableOrder_)
        if (lower(known) == lower(name)) table.name = known;
    return table;
}

const TableDefinition& DatabaseWriter::table(const std::string& name) {
    return openTable(name).definition;
}

void DatabaseWriter::createTable(const TableShape& shape) {
    auto refuse = [&](const std::string& why) {
        throw std::invalid_argument("Nie można utworzyć tabeli " + quoted(shape.name) + ": " + why + ".");
    };
    if (shape.name.empty() || shape.name.size() > kMaxNameLength) refuse("nazwa jest pusta lub za długa");
    if (!generalTextKey(shape.name)) refuse("nazwa może zawierać tylko litery A-Z, cyfry, spację, '_' i '.'");
    if (tablePages_.count(lower(shape.name)) || lower(shape.name).rfind("msys", 0) == 0)
        refuse("tabela o tej nazwie już istnieje");
    if (shape.columns.empty() || shape.columns.size() > 255) refuse("tabela musi mieć od 1 do 255 kolumn");
    TableDefinition def;
    def.tableType = kUserTable;
    std::set<std::string> seen;
    std::uint16_t fixedOffset = 0, slot = 0;
    for (std::size_t n = 0; n < shape.columns.size(); ++n) {
        const ColumnShape& s = shape.columns[n];
        if (s.name.empty() || s.name.size() > kMaxNameLength || !utf8ToUtf16Strict(s.name))
            refuse("kolumna nr " + std::to_string(n + 1) + " ma złą nazwę");
        if (!seen.insert(lower(s.name)).second) refuse("kolumna " + quoted(s.name) + " powtarza się");
        ColumnDefinition c;
        c.name = s.name;
        c.type = s.type;
        c.number = c.numberAgain = static_cast<std::uint16_t>(n);
        c.varIndex = slot;
        switch (s.type) {
        case ColumnType::Int32:
            c.flags = column_flags::kFixed | column_flags::kUpdatable;
            c.fixedOffset = fixedOffset;
            c.length = 4;
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + 4);
            break;
        case ColumnType::Bool:
            c.flags = column_flags::kFixed | column_flags::kUpdatable;
            c.length = 1;
            break;
        case ColumnType::Text:
            if (s.size < 1 || s.size > 255)
                refuse("kolumna tekstowa " + quoted(s.name) + " musi mieć od 1 do 255 znaków");
            c.flags = column_flags::kUpdatable;
            c.extFlags = 0x01;
            c.length = static_cast<std::uint16_t>(2 * s.size);
            ++slot;
            break;
        default:
            refuse("kolumna " + quoted(s.name) + " ma typ, którego nie obsługujemy");
        }
        def.columns.push_back(c);
    }
    def.maxColumns = static_cast<std::uint16_t>(def.columns.size());
    def.varColumns = slot;
    if (shape.primaryKey) {
        const ColumnDefinition* key = def.columnByName(shape.primaryKey->column);
        if (!key || key->type != ColumnType::Int32)
            refuse("klucz podstawowy musi obejmować kolumnę liczb całkowitych tej tabeli");
        if (shape.primaryKey->name.empty() || shape.primaryKey->name.size() > kMaxNameLength)
            refuse("klucz podstawowy musi mieć nazwę");
        PhysicalIndex index;
        index.columns = {IndexColumn{key->number, true}};
        index.flags = index_flags::kAccess | index_flags::kRequired | index_flags::kUnique;
        def.physical.push_back(index);
        LogicalIndex logical;
        logical.name = shape.primaryKey->name;
        logical.type = 1;
        def.logical.push_back(logical);
    }
    if (encodeRow(def, {}).size() > kMaxRowLength) refuse("wiersz tabeli byłby za długi");

    cache_.begin();
    try {
        const PageNumber page = createTableDefinition(def);
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
        tablePages_[lower(shape.name)] = page;
        tableOrder_.push_back(shape.name);
    } catch (...) {
        cache_.rollback();
        forgetTableState();
        throw;
    }
}

void DatabaseWriter::forgetTableState() { open_.clear(); }

IndexTree& DatabaseWriter::tree(OpenTable& table, std::size_t index) {
    if (table.trees.size() != table.definition.physical.size())
        table.trees.resize(table.definition.physical.size());
    auto& slot = table.trees[index];
    if (!slot) {
        const PhysicalIndex& def = table.definition.physical[index];
        slot = std::make_unique<IndexTree>(allocator_, table.tdefPage, def.usageMap, def.root);
    }
    return *slot;
}

void DatabaseWriter::findCurrentPage(OpenTable& table) {
    table.currentPage = 0;
    for (PageNumber page : usageMapPages(cache_, table.definition.owned)) {
        if (page >= cache_.pageCount()) continue;
        const Page& p = cache_.read(page);
        if (p[0] == static_cast<std::uint8_t>(PageType::Data) && dataPageOwner(p) == table.tdefPage)
            table.currentPage = std::max(table.currentPage, page);
    }
    table.currentPageKnown = true;
}

std::vector<std::uint8_t> DatabaseWriter::checkRow(OpenTable& table, const std::vector<Value>& values) {
    const TableDefinition& def = table.definition;
    // The row's key as the messages name it: the primary key's values, or the row's place.
    std::string keyText = "nr " + std::to_string(def.rowCount + 1);
    for (const LogicalIndex& li : def.logical) {
        if (li.type != 1 || li.physical >= def.physical.size()) continue;
        std::string text;
        for (const IndexColumn& ic : def.physical[li.physical].columns) {
            const ColumnDefinition* c = def.columnByNumber(ic.column);
            if (!c) continue;
            if (!text.empty()) text += ", ";
            text += c->name + " = " + valueText(ic.column < values.size() ? values[ic.column] : Value());
        }
        keyText = "o kluczu " + text;
    }
    const std::string where = "Tabela " + quoted(table.name) + ", wiersz " + keyText + ": ";
    for (const ColumnDefinition& c : def.columns) {
        const Value& v = values[c.number];
        if (v.isNull()) continue;
        if (!kindSuits(v.kind(), c.type))
            throw RowRefused(table.name, c.name,
                             where + "kolumna " + quoted(c.name) + " przyjmuje " + typeName(c.type) +
                                 ", a podano " + kindName(v.kind()) + ".");
        if (c.type == ColumnType::Text) {
            const auto units = utf16Length(v.asString());
            if (!units)
                throw RowRefused(table.name, c.name,
                                 where + "tekst w kolumnie " + quoted(c.name) + " nie jest poprawnym UTF-8.");
            if (*units > c.length / 2u)
                throw RowRefused(table.name, c.name,
                                 where + "tekst w kolumnie " + quoted(c.name) + " ma " +
                                     std::to_string(*units) + " znaków, a kolumna mieści " +
                                     std::to_string(c.length / 2) + ".");
        }
        if (c.type == ColumnType::Binary && v.asBytes().size() > c.length)
            throw RowRefused(table.name, c.name, where + "dane w kolumnie " + quoted(c.name) + " są za długie.");
    }
    for (std::size_t i = 0; i < def.physical.size(); ++i) {
        const PhysicalIndex& index = def.physical[i];
        std::string indexName = "nr " + std::to_string(i);
        for (const LogicalIndex& li : def.logical)
            if (li.physical == i) indexName = li.name;
        std::string columns;
        for (const IndexColumn& ic : index.columns) {
            const ColumnDefinition* c = def.columnByNumber(ic.column);
            if (!c) continue;
            if (!columns.empty()) columns += ", ";
            columns += quoted(c->name);
            if ((index.flags & index_flags::kRequired) && values[ic.column].isNull())
                throw RowRefused(table.name, c->name,
                                 where + "klucz " + quoted(indexName) + " wymaga wartości w kolumnie " +
                                     quoted(c->name) + ".");
        }
        if (!index.unique()) continue;
        IndexKey key;
        try {
            key = encodeIndexKey(def, index, values);
        } catch (const std::invalid_argument& e) {
            throw RowRefused(table.name, columns, where + e.what());
        }
        if (tree(table, i).contains(key))
            throw RowRefused(table.name, columns,
                             where + "klucz " + quoted(indexName) + " ma już wiersz z tą wartością w kolumnie " +
                                 columns + "; wiersza nie dopisano.");
    }
    auto row = encodeRow(def, values);
    if (row.size() > kMaxRowLength)
        throw RowRefused(table.name, "", where + "wiersz jest dłuższy niż " + std::to_string(kMaxRowLength) +
                                             " bajtów, które mieści strona bazy.");
    return row;
}

void DatabaseWriter::appendRow(const std::string& tableName, const std::vector<Value>& given) {
    if (closed_) throw std::logic_error("database writer used after close");
    OpenTable& table = openTable(tableName);
    const TableDefinition& def = table.definition;
    if (given.size() > def.maxColumns)
        throw RowRefused(table.name, "", "Tabela " + quoted(table.name) + " ma " + std::to_string(def.columns.size()) +
                                             " kolumn, a wiersz podaje " + std::to_string(given.size()) + " wartości.");
    std::vector<Value> values(def.maxColumns);
    for (std::size_t i = 0; i < given.size(); ++i) values[i] = given[i];
    for (const ColumnDefinition& c : def.columns)
        if (c.number < values.size()) values[c.number] = fitInteger(values[c.number], c.type);
    const auto row = checkRow(table, values);
    // Waiting pages go out before the row is added, not after: a failing write then refuses
    // this row (which is not in the file) instead of reporting a committed row as failed.
    if (cache_.dirtyPages() > kDirtyPagesBeforeFlush) cache_.flush();
    cache_.begin();
    try {
        appendUnchecked(table, values, &row);
        cache_.commit();
        ++generation_;
    } catch (...) {
        cache_.rollback();
        forgetTableState();
        throw;
    }
}

void DatabaseWriter::appendUnchecked(OpenTable& table, const std::vector<Value>& values,
                                     const std::vector<std::uint8_t>* encoded) {
    TableDefinition& def = table.definition;
    const auto row = encoded ? *encoded : encodeRow(def, values);
    if (!table.currentPageKnown) findCurrentPage(table);
    if (table.currentPage == 0 || !rowFits(cache_.read(table.currentPage), row.size())) {
        const PageNumber page = allocator_.allocate();
        initDataPage(cache_.modify(page), table.tdefPage);
        usageMapAdd(allocator_, def.owned, page, WhenOutside::Keep);
        if (def.freeSpace.page != 0) {
            if (table.currentPage != 0) usageMapRemove(cache_, def.freeSpace, table.currentPage);
            usageMapAdd(allocator_, def.freeSpace, page, WhenOutside::Forget);
        }
        table.currentPage = page;
    }
    const std::uint8_t rowNumber = addRow(cache_.modify(table.currentPage), Bytes(row));
    const RowAddress address{table.currentPage, rowNumber};
    for (std::size_t i = 0; i < def.physical.size(); ++i) {
        PhysicalIndex& index = def.physical[i];
        const IndexKey key = encodeIndexKey(def, index, values);
        IndexTree& indexTree = tree(table, i);
        const bool known = !index.unique() && indexTree.contains(key);
        indexTree.insert(key, address);
        if (!known) {
            ++index.distinctKeys;
            storeTableDefinitionU32(cache_, table.tdefPage, tdefDistinctKeysOffset(i), index.distinctKeys);
        }
    }
    ++def.rowCount;
    storeTableDefinitionU32(cache_, table.tdefPage, kTdefRowCount, def.rowCount);
    // A counter column given its value explicitly: the engine's next number must follow it.
    for (const ColumnDefinition& c : def.columns) {
        if (!(c.flags & column_flags::kAutoNumber) || c.type != ColumnType::Int32) continue;
        const Value& v = values[c.number];
        if (v.kind() != Value::Kind::Int32 || v.asInt32() <= 0) continue;
        const auto n = static_cast<std::uint32_t>(v.asInt32());
        if (n > def.autoNumber) {
            def.autoNumber = n;
            storeTableDefinitionU32(cache_, table.tdefPage, kTdefAutoNumber, n);
        }
    }
}

void DatabaseWriter::flush() { cache_.flush(); }

namespace {
// Pages as the writer's cache holds them, for the reader.
class CacheView final : public PageSource {
public:
    explicit CacheView(PageCache& cache) : cache_(cache) {}
    const std::string& name() const override { return cache_.fileName(); }
    std::uint64_t size() const override { return std::uint64_t(cache_.pageCount()) * kPageSize; }
    void read(std::uint64_t offset, MutableBytes out) override {
        if (offset > size() || out.size() > size() - offset)
            throw JetError(name(), "read past the end of the database");
        std::size_t done = 0;
        while (done < out.size()) {
            const std::uint64_t at = offset + done;
            const Page& page = cache_.read(static_cast<PageNumber>(at / kPageSize));
            const std::size_t from = static_cast<std::size_t>(at % kPageSize);
            const std::size_t count = std::min(out.size() - done, kPageSize - from);
            std::copy(page.begin() + from, page.begin() + from + count, out.begin() + done);
            done += count;
        }
    }
    bool writable() const override { return false; }
    void write(std::uint64_t, Bytes) override { throw JetError(JetFault::ReadOnly, name(), "the view is read-only"); }
    void flush() override {}

private:
    PageCache& cache_;
};
}  // namespace

std::unique_ptr<PageSource> DatabaseWriter::readView() { return std::make_unique<CacheView>(cache_); }

void DatabaseWriter::close() {
    if (closed_) return;
    cache_.flush();
    closed_ = true;
}

}  // namespace jet::write
