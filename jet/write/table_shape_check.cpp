// Table shapes checked and laid out.
#include "jet/write/table_shape_check.h"

#include "jet/write/data_page.h"
#include "jet/write/index_key.h"
#include "jet/write/row_encoder.h"
#include "jet/write/table_refused.h"
#include "jet/write/text_encoding.h"

namespace jet::write {

namespace {
constexpr std::size_t kMaxNameLength = 64;

void checkTableName(const TableShape& shape,
                    platform::FunctionRef<bool(const std::string&)> nameTaken) {
    if (shape.name.empty() || shape.name.size() > kMaxNameLength) throw TableRefused(TableFault::BadName, shape.name);
    if (!generalTextKey(shape.name)) throw TableRefused(TableFault::NameNotSortable, shape.name);
    const bool systemName = shape.name.size() >= 4 && sameName(shape.name.substr(0, 4), "msys");
    if (systemName || nameTaken(shape.name)) throw TableRefused(TableFault::NameTaken, shape.name);
    if (shape.columns.empty() || shape.columns.size() > 255) throw TableRefused(TableFault::ColumnCount, shape.name);
}

// The column as stored; `fixedOffset` and `slot` advance past it.
ColumnDefinition layOutColumn(const std::string& table, const ColumnShape& s, std::size_t number,
                              std::uint16_t& fixedOffset, std::uint16_t& slot) {
    ColumnDefinition c;
    c.name = s.name;
    c.type = s.type;
    c.number = c.numberAgain = static_cast<std::uint16_t>(number);
    c.varIndex = slot;
    switch (s.type) {
    case ColumnType::Int32:
        c.flags = kColumnFixed | kColumnUpdatable;
        c.fixedOffset = fixedOffset;
        c.length = 4;
        fixedOffset = static_cast<std::uint16_t>(fixedOffset + 4);
        break;
    case ColumnType::Bool:
        c.flags = kColumnFixed | kColumnUpdatable;
        c.length = 1;
        break;
    case ColumnType::Text:
        if (s.size < 1 || s.size > 255) throw TableRefused(TableFault::TextSize, table, s.name);
        c.flags = kColumnUpdatable;
        c.extFlags = kColumnCompressedUnicode;
        c.length = static_cast<std::uint16_t>(2 * s.size);
        ++slot;
        break;
    default:
        throw TableRefused(TableFault::UnsupportedType, table, s.name);
    }
    return c;
}

void addPrimaryKey(const TableShape& shape, TableDefinition& def) {
    const ColumnDefinition* key = def.columnByName(shape.primaryKey->column);
    if (!key || key->type != ColumnType::Int32) throw TableRefused(TableFault::KeyColumn, shape.name);
    if (shape.primaryKey->name.empty() || shape.primaryKey->name.size() > kMaxNameLength)
        throw TableRefused(TableFault::KeyName, shape.name);
    PhysicalIndex index;
    index.columns = {IndexColumn{key->number, true}};
    index.flags = kIndexAccess | kIndexRequired | kIndexUnique;
    def.physical.push_back(index);
    LogicalIndex logical;
    logical.name = shape.primaryKey->name;
    logical.type = 1;
    def.logical.push_back(logical);
}
}  // namespace

TableDefinition definitionForShape(const TableShape& shape,
                                   platform::FunctionRef<bool(const std::string&)> nameTaken) {
    checkTableName(shape, nameTaken);
    TableDefinition def;
    def.tableType = kUserTable;
    std::uint16_t fixedOffset = 0, slot = 0;
    for (std::size_t n = 0; n < shape.columns.size(); ++n) {
        const ColumnShape& s = shape.columns[n];
        if (s.name.empty() || s.name.size() > kMaxNameLength || !utf8ToUtf16Strict(s.name))
            throw TableRefused(TableFault::BadColumnName, shape.name, s.name, n + 1);
        for (const ColumnDefinition& earlier : def.columns)
            if (sameName(earlier.name, s.name)) throw TableRefused(TableFault::RepeatedColumn, shape.name, s.name);
        def.columns.push_back(layOutColumn(shape.name, s, n, fixedOffset, slot));
    }
    def.maxColumns = static_cast<std::uint16_t>(def.columns.size());
    def.varColumns = slot;
    if (shape.primaryKey) addPrimaryKey(shape, def);
    if (encodeRow(def, {}).size() > kMaxRowLength) throw TableRefused(TableFault::RowTooLong, shape.name);
    return def;
}

}  // namespace jet::write
