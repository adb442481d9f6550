// JSON spelling of a table's columns.
#include "jet/schema_text.h"

#include "jet/value_text.h"

namespace jet {

void appendSchemaJson(const Table& table, std::string& s) {
    s += "{\"table\":";
    appendJsonString(table.name(), s);
    s += ",\"rowCount\":" + std::to_string(table.definition().storedRowCount) + ",\"columns\":[";
    bool first = true;
    auto flag = [&](const char* name, bool value) {
        s += ",\"";
        s += name;
        s += value ? "\":true" : "\":false";
    };
    for (const auto& column : table.columns()) {
        if (!first) s += ',';
        first = false;
        s += "{\"name\":";
        appendJsonString(column.name, s);
        s += ",\"type\":";
        appendJsonString(columnTypeName(column.type), s);
        // A yes/no value lives in the null mask and takes no bytes of the row.
        s += ",\"size\":" + std::to_string(column.type == ColumnType::Bool ? 0 : column.length);
        flag("fixedLength", column.isFixed());
        flag("nullable", column.flags & kColumnUpdatable);
        flag("autoLong", column.isAutoNumber());
        flag("autoUUID", column.isAutoGuid());
        if (column.type == ColumnType::Decimal)
            s += ",\"precision\":" + std::to_string(column.precision) +
                 ",\"scale\":" + std::to_string(column.scale);
        s += '}';
    }
    s += "]}\n";
}

}  // namespace jet
