// System table definitions and rows of a new database.
#include "jet/write/system_tables.h"

#include <algorithm>
#include <iterator>
#include <span>

namespace jet::write {

namespace {
struct ColumnLine {
    const char* name;
    ColumnType type;
    std::uint16_t length;
};

// The security identifiers the engine grants rights to; the admin's owns the database.
enum Sid : std::uint8_t { Admin, Group, Users };
constexpr std::uint8_t kSids[][2] = {{0x64, 0x8B}, {0x65, 0x8E}, {0x65, 0x8B}};

// A logical index with the physical index of the same number: the columns it sorts by
// (ascending) and the physical index's flags.
struct IndexLine {
    const char* name;
    std::uint32_t number;
    std::uint8_t type;
    std::uint8_t flags;
    std::initializer_list<std::uint16_t> columns;
};

// Builds a system definition from columns in number order: fixed offsets and variable slots
// in number order, the engine's flags, then entries sorted by name. Indexes come in their
// logical order. The tables are constant data, so that the four definitions share this one
// function and build no lists on the stack.
TableDefinition systemDefinition(std::span<const ColumnLine> lines, std::span<const IndexLine> indexes) {
    TableDefinition t;
    t.tableType = kSystemTable;
    std::uint16_t fixedOffset = 0, slot = 0, number = 0;
    for (const ColumnLine& line : lines) {
        ColumnDefinition c;
        c.name = line.name;
        c.type = line.type;
        c.number = number++;
        c.numberAgain = 0;
        const unsigned fixedSize = fixedSizeOf(c.type);
        const bool fixed = c.type == ColumnType::Bool || fixedSize > 0;
        c.varIndex = slot;
        if (fixed) {
            c.flags = 0x13;
            c.length = c.type == ColumnType::Bool ? 1 : static_cast<std::uint16_t>(fixedSize);
            if (c.type != ColumnType::Bool) {
                c.fixedOffset = fixedOffset;
                fixedOffset = static_cast<std::uint16_t>(fixedOffset + fixedSize);
            }
        } else {
            c.flags = c.type == ColumnType::Binary && (c.name == "Owner" || c.name == "SID") ? 0x32 : 0x12;
            c.length = line.length;
            ++slot;
        }
        t.columns.push_back(std::move(c));
    }
    t.maxColumns = number;
    t.varColumns = slot;
    // An insertion sort: a system table has a score of columns, and std::sort is more code.
    const auto byName = [](const ColumnDefinition& a, const ColumnDefinition& b) { return a.name < b.name; };
    for (auto it = t.columns.begin(); it != t.columns.end(); ++it)
        std::rotate(std::upper_bound(t.columns.begin(), it, *it, byName), it, std::next(it));

    t.physical.resize(indexes.size());
    for (const IndexLine& line : indexes) {
        PhysicalIndex& physical = t.physical[line.number];
        for (std::uint16_t c : line.columns) physical.columns.push_back(IndexColumn{c, true});
        physical.flags = line.flags;
        LogicalIndex logical;
        logical.name = line.name;
        logical.number = line.number;
        logical.physical = line.number;
        logical.type = line.type;
        t.logical.push_back(std::move(logical));
    }
    return t;
}
}  // namespace

TableDefinition msysObjectsDefinition() {
    static constexpr ColumnLine kColumns[] = {
        {"Id", ColumnType::Int32, 4},          {"ParentId", ColumnType::Int32, 4},
        {"Name", ColumnType::Text, 510},       {"Type", ColumnType::Int16, 2},
        {"DateCreate", ColumnType::DateTime, 8}, {"DateUpdate", ColumnType::DateTime, 8},
        {"Owner", ColumnType::Binary, 510},    {"Flags", ColumnType::Int32, 4},
        {"Database", ColumnType::Memo, 0},     {"Connect", ColumnType::Memo, 0},
        {"ForeignName", ColumnType::Text, 510}, {"RmtInfoShort", ColumnType::Binary, 510},
        {"RmtInfoLong", ColumnType::Ole, 0},   {"Lv", ColumnType::Ole, 0},
        {"LvProp", ColumnType::Ole, 0},        {"LvModule", ColumnType::Ole, 0},
        {"LvExtra", ColumnType::Ole, 0},
    };
    static constexpr IndexLine kIndexes[] = {{"Id", 1, 1, 0x81, {0}}, {"ParentIdName", 0, 0, 0x81, {1, 2}}};
    return systemDefinition(kColumns, kIndexes);
}

TableDefinition msysAcesDefinition() {
    static constexpr ColumnLine kColumns[] = {
        {"ObjectId", ColumnType::Int32, 4}, {"SID", ColumnType::Binary, 510},
        {"ACM", ColumnType::Int32, 4},      {"FInheritable", ColumnType::Bool, 1},
    };
    static constexpr IndexLine kIndexes[] = {{"ObjectId", 0, 0, 0x88, {0}}};
    return systemDefinition(kColumns, kIndexes);
}

TableDefinition msysQueriesDefinition() {
    static constexpr ColumnLine kColumns[] = {
        {"ObjectId", ColumnType::Int32, 4}, {"Attribute", ColumnType::Byte, 1},
        {"Order", ColumnType::Binary, 510}, {"Name1", ColumnType::Text, 510},
        {"Name2", ColumnType::Text, 510},   {"Expression", ColumnType::Memo, 0},
        {"Flag", ColumnType::Int16, 2},     {"LvExtra", ColumnType::Int32, 4},
    };
    static constexpr IndexLine kIndexes[] = {{"ObjectIdAttribute", 0, 1, 0x81, {0, 1, 2}}};
    return systemDefinition(kColumns, kIndexes);
}

TableDefinition msysRelationshipsDefinition() {
    static constexpr ColumnLine kColumns[] = {
        {"szRelationship", ColumnType::Text, 510}, {"grbit", ColumnType::Int32, 4},
        {"ccolumn", ColumnType::Int32, 4},         {"icolumn", ColumnType::Int32, 4},
        {"szObject", ColumnType::Text, 510},       {"szColumn", ColumnType::Text, 510},
        {"szReferencedObject", ColumnType::Text, 510},
        {"szReferencedColumn", ColumnType::Text, 510},
    };
    static constexpr IndexLine kIndexes[] = {
        {"szObject", 1, 0, 0x82, {4}},
        {"szReferencedObject", 2, 0, 0x82, {6}},
        {"szRelationship", 0, 0, 0x82, {0}},
    };
    return systemDefinition(kColumns, kIndexes);
}

// Made at start-up rather than on first use: a function's static would bring the C++ runtime's
// guards into the installer.
const std::vector<std::uint8_t> kAdminOwner(std::begin(kSids[Admin]), std::end(kSids[Admin]));
const std::vector<std::uint8_t> kCreatorOwner{0x65, 0x89};

const std::vector<std::uint8_t>& adminOwner() { return kAdminOwner; }
const std::vector<std::uint8_t>& creatorOwner() { return kCreatorOwner; }

std::vector<Value> catalogRow(std::int32_t id, std::int32_t parentId, std::string_view name,
                              std::int16_t type, std::int32_t flags, double now,
                              const std::vector<std::uint8_t>& owner) {
    std::vector<Value> row(msys_objects::kColumns);
    row[msys_objects::kId] = Value(id);
    row[msys_objects::kParentId] = Value(parentId);
    row[msys_objects::kName] = Value::text(std::string(name));
    row[msys_objects::kType] = Value(type);
    row[msys_objects::kDateCreate] = Value(DateTime{now});
    row[msys_objects::kDateUpdate] = Value(DateTime{now});
    row[msys_objects::kOwner] = Value(Binary{owner});
    row[msys_objects::kFlags] = Value(flags);
    return row;
}

std::vector<AccessRight> initialAccessRights(const std::vector<std::int32_t>& tableIds) {
    // One line per row, as data: `table` picks the object from tableIds (0 MSysObjects,
    // 1 MSysACEs, 2 MSysQueries, 3 MSysRelationships), or is kFixed for `objectId`.
    constexpr std::uint8_t kFixed = 0xFF;
    struct Line {
        std::uint8_t table;
        std::int32_t objectId;
        Sid sid;
        std::int32_t rights;
        bool inheritable;
    };
    static constexpr Line kLines[] = {
        {0, 0, Admin, 0x60000, false},
        {1, 0, Admin, 0x60000, false},
        {2, 0, Admin, 0x60000, false},
        {3, 0, Admin, 0xE0000, false},
        {kFixed, kTablesContainerId, Group, 0xF00FE, true},
        {kFixed, kTablesContainerId, Admin, 0x60001, false},
        {kFixed, kRelationshipsContainerId, Group, 0xF00FE, true},
        {kFixed, kRelationshipsContainerId, Admin, 0x60001, false},
        {kFixed, kDatabasesContainerId, Admin, 0x60000, false},
        {kFixed, kDatabaseObjectId, Admin, 0x6000E, false},
        {kFixed, kDatabaseObjectId, Users, 0x0000E, false},
        {2, 0, Users, 0x00014, false},
        {3, 0, Users, 0x00014, false},
        {0, 0, Users, 0x00014, false},
        {kFixed, kTablesContainerId, Users, 0xFFEFF, true},
        {kFixed, kRelationshipsContainerId, Users, 0xFFFFF, true},
    };
    const std::int32_t objects[] = {tableIds.at(0), tableIds.at(1), tableIds.at(2), tableIds.at(3)};
    // Sized once and filled in place: no growth code for this one vector of rights.
    std::vector<AccessRight> rights(std::size(kLines));
    for (std::size_t i = 0; i < rights.size(); ++i) {
        const Line& line = kLines[i];
        const auto& sid = kSids[line.sid];
        rights[i].objectId = line.table == kFixed ? line.objectId : objects[line.table];
        rights[i].sid.assign(std::begin(sid), std::end(sid));
        rights[i].rights = line.rights;
        rights[i].inheritable = line.inheritable;
    }
    return rights;
}

std::vector<Value> accessRightRow(const AccessRight& right) {
    std::vector<Value> row(msys_aces::kColumns);
    row[msys_aces::kObjectId] = Value(right.objectId);
    row[msys_aces::kSid] = Value(Binary{right.sid});
    row[msys_aces::kAcm] = Value(right.rights);
    row[msys_aces::kInheritable] = Value(right.inheritable);
    return row;
}

}  // namespace jet::write
