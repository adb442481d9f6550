// English notes for the writer's refusals; the installer and pakiet word them in Polish.
#include "jet/write/row_refused.h"
#include "jet/write/table_refused.h"
#include "platform/concat.h"

namespace jet::write {

namespace {
const char* rowFaultNote(RowFault fault) {
    switch (fault) {
    case RowFault::TooManyValues: return "more values than the table has columns";
    case RowFault::WrongKind: return "a value of another type than its column's";
    case RowFault::NotUtf8: return "a text that is not UTF-8";
    case RowFault::TextTooLong: return "a text longer than its column";
    case RowFault::BinaryTooLong: return "binary data longer than its column";
    case RowFault::KeyMissing: return "a required key without a value";
    case RowFault::KeyNotStorable: return "a key the index cannot hold";
    case RowFault::KeyRepeated: return "a unique key repeated";
    case RowFault::RowTooLong: return "a row longer than a page holds";
    }
    return "refused";
}

const char* tableFaultNote(TableFault fault) {
    switch (fault) {
    case TableFault::BadName: return "the name is empty or too long";
    case TableFault::NameNotSortable: return "the name has letters the catalog cannot sort";
    case TableFault::NameTaken: return "a table of that name exists";
    case TableFault::ColumnCount: return "a table has 1 to 255 columns";
    case TableFault::BadColumnName: return "a column has a bad name";
    case TableFault::RepeatedColumn: return "a column is repeated";
    case TableFault::TextSize: return "a text column holds 1 to 255 characters";
    case TableFault::UnsupportedType: return "a column of a type the writer does not make";
    case TableFault::KeyColumn: return "the primary key must be over a long integer column";
    case TableFault::KeyName: return "the primary key needs a name";
    case TableFault::RowTooLong: return "the table's rows would be too long";
    case TableFault::TooManyMaps: return "too many indexes and long-value columns";
    }
    return "refused";
}

std::string rowNote(const RowRefusal& r) {
    const bool column = !r.column.empty();
    return platform::concat({"table ", r.table, column ? ", column " : "", r.column, ": ", rowFaultNote(r.fault)});
}
}  // namespace

RowRefused::RowRefused(RowRefusal refusal) : std::runtime_error(rowNote(refusal)), refusal_(std::move(refusal)) {}

TableRefused::TableRefused(TableFault fault, std::string_view table, std::string_view column, std::size_t columnNumber)
    : std::invalid_argument(platform::concat({"cannot create table ", table, column.empty() ? "" : ", column ", column,
                                              ": ", tableFaultNote(fault)})),
      fault_(fault), table_(table), column_(column), columnNumber_(columnNumber) {}

}  // namespace jet::write
