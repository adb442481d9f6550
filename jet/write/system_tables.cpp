// System table definitions and rows of a new database.
#include "jet/write/system_tables.h"

#include <algorithm>
#include <iterator>

namespace jet::write {

namespace {
struct ColumnLine {
    const char* name;
    ColumnType type;
    std::uint16_t length;
};

// Builds a system definition from columns in number order: fixed offsets and variable slots
// in number order, the engine's flags, then entries sorted by name.
TableDefinition systemDefinition(const std::vector<ColumnLine>& lines) {
    TableDefinition t;
    t.tableType = kSystemTable;
    std::uint16_t fixedOffset = 0, slot = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        ColumnDefinition c;
        c.name = lines[n].name;
        c.type = lines[n].type;
        c.number = static_cast<std::uint16_t>(n);
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
            c.flags = c.type == ColumnType::Binary && (c.name == std::string("Owner") ||
                                                       c.name == std::string("SID"))
                          ? 0x32
                          : 0x12;
            c.length = lines[n].length;
            ++slot;
        }
        t.columns.push_back(c);
    }
    t.maxColumns = static_cast<std::uint16_t>(lines.size());
    t.varColumns = slot;
    // An insertion sort: a system table has a score of columns, and std::sort is more code.
    const auto byName = [](const ColumnDefinition& a, const ColumnDefinition& b) { return a.name < b.name; };
    for (auto it = t.columns.begin(); it != t.columns.end(); ++it)
        std::rotate(std::upper_bound(t.columns.begin(), it, *it, byName), it, std::next(it));
    return t;
}

PhysicalIndex physical(std::vector<std::uint16_t> columns, std::uint8_t flags) {
    PhysicalIndex index;
    for (auto c : columns) index.columns.push_back(IndexColumn{c, true});
    index.flags = flags;
    return index;
}

LogicalIndex logical(const char* name, std::uint32_t number, std::uint8_t type) {
    LogicalIndex index;
    index.name = name;
    index.number = number;
    index.physical = number;
    index.type = type;
    return index;
}
}  // namespace

TableDefinition msysObjectsDefinition() {
    TableDefinition t = systemDefinition({
        {"Id", ColumnType::Int32, 4},          {"ParentId", ColumnType::Int32, 4},
        {"Name", ColumnType::Text, 510},       {"Type", ColumnType::Int16, 2},
        {"DateCreate", ColumnType::DateTime, 8}, {"DateUpdate", ColumnType::DateTime, 8},
        {"Owner", ColumnType::Binary, 510},    {"Flags", ColumnType::Int32, 4},
        {"Database", ColumnType::Memo, 0},     {"Connect", ColumnType::Memo, 0},
        {"ForeignName", ColumnType::Text, 510}, {"RmtInfoShort", ColumnType::Binary, 510},
        {"RmtInfoLong", ColumnType::Ole, 0},   {"Lv", ColumnType::Ole, 0},
        {"LvProp", ColumnType::Ole, 0},        {"LvModule", ColumnType::Ole, 0},
        {"LvExtra", ColumnType::Ole, 0},
    });
    t.physical = {physical({1, 2}, 0x81), physical({0}, 0x81)};
    t.logical = {logical("Id", 1, 1), logical("ParentIdName", 0, 0)};
    return t;
}

TableDefinition msysAcesDefinition() {
    TableDefinition t = systemDefinition({{"ObjectId", ColumnType::Int32, 4},
                                          {"SID", ColumnType::Binary, 510},
                                          {"ACM", ColumnType::Int32, 4},
                                          {"FInheritable", ColumnType::Bool, 1}});
    t.physical = {physical({0}, 0x88)};
    t.logical = {logical("ObjectId", 0, 0)};
    return t;
}

TableDefinition msysQueriesDefinition() {
    TableDefinition t = systemDefinition({
        {"ObjectId", ColumnType::Int32, 4}, {"Attribute", ColumnType::Byte, 1},
        {"Order", ColumnType::Binary, 510}, {"Name1", ColumnType::Text, 510},
        {"Name2", ColumnType::Text, 510},   {"Expression", ColumnType::Memo, 0},
        {"Flag", ColumnType::Int16, 2},     {"LvExtra", ColumnType::Int32, 4},
    });
    t.physical = {physical({0, 1, 2}, 0x81)};
    t.logical = {logical("ObjectIdAttribute", 0, 1)};
    return t;
}

TableDefinition msysRelationshipsDefinition() {
    TableDefinition t = systemDefinition({
        {"szRelationship", ColumnType::Text, 510}, {"grbit", ColumnType::Int32, 4},
        {"ccolumn", ColumnType::Int32, 4},         {"icolumn", ColumnType::Int32, 4},
        {"szObject", ColumnType::Text, 510},       {"szColumn", ColumnType::Text, 510},
        {"szReferencedObject", ColumnType::Text, 510},
        {"szReferencedColumn", ColumnType::Text, 510},
    });
    t.physical = {physical({0}, 0x82), physical({4}, 0x82), physical({6}, 0x82)};
    t.logical = {logical("szObject", 1, 0), logical("szReferencedObject", 2, 0),
                 logical("szRelationship", 0, 0)};
    return t;
}

const std::vector<std::uint8_t>& adminOwner() {
    static const std::vector<std::uint8_t> value{0x64, 0x8B};
    return value;
}
const std::vector<std::uint8_t>& creatorOwner() {
    static const std::vector<std::uint8_t> value{0x65, 0x89};
    return value;
}

std::vector<Value> catalogRow(std::int32_t id, std::int32_t parentId, const std::string& name,
                              std::int16_t type, std::int32_t flags, double now,
                              const std::vector<std::uint8_t>& owner) {
    std::vector<Value> row(msys_objects::kColumns);
    row[msys_objects::kId] = Value(id);
    row[msys_objects::kParentId] = Value(parentId);
    row[msys_objects::kName] = Value::text(name);
    row[msys_objects::kType] = Value(type);
    row[msys_objects::kDateCreate] = Value(DateTime{now});
    row[msys_objects::kDateUpdate] = Value(DateTime{now});
    row[msys_objects::kOwner] = Value(Binary{owner});
    row[msys_objects::kFlags] = Value(flags);
    return row;
}

std::vector<AccessRight> initialAccessRights(const std::vector<std::int32_t>& tableIds) {
    const std::vector<std::uint8_t> admin = adminOwner();
    const std::vector<std::uint8_t> group{0x65, 0x8E};
    const std::vector<std::uint8_t> users{0x65, 0x8B};
    const std::int32_t objects = tableIds.at(0), aces = tableIds.at(1), queries = tableIds.at(2),
                       relationships = tableIds.at(3);
    return {
        {objects, admin, 0x60000, false},
        {aces, admin, 0x60000, false},
        {queries, admin, 0x60000, false},
        {relationships, admin, 0xE0000, false},
        {kTablesContainerId, group, 0xF00FE, true},
        {kTablesContainerId, admin, 0x60001, false},
        {kRelationshipsContainerId, group, 0xF00FE, true},
        {kRelationshipsContainerId, admin, 0x60001, false},
        {kDatabasesContainerId, admin, 0x60000, false},
        {kDatabaseObjectId, admin, 0x6000E, false},
        {kDatabaseObjectId, users, 0x0000E, false},
        {queries, users, 0x00014, false},
        {relationships, users, 0x00014, false},
        {objects, users, 0x00014, false},
        {kTablesContainerId, users, 0xFFEFF, true},
        {kRelationshipsContainerId, users, 0xFFFFF, true},
    };
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
