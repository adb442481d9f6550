// One wording per refusal.
#include "catalog/write_refusal_text.h"

namespace catalog {

namespace {

using jet::ColumnType;
using jet::Value;
using jet::write::RowFault;
using jet::write::TableFault;

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
    default: return std::string("wartości typu ") + std::string(jet::columnTypeName(type));
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

// "Tabela `T`, wiersz o kluczu ID = 5: " or "Tabela `T`, wiersz nr 12: ".
std::string rowPlace(const jet::write::RowRefusal& r) {
    std::string key;
    for (const auto& [column, value] : r.key) key += (key.empty() ? "" : ", ") + column + " = " + valueText(value);
    return "Tabela " + quoted(r.table) + ", wiersz " +
           (r.key.empty() ? "nr " + std::to_string(r.rowNumber) : "o kluczu " + key) + ": ";
}

std::string keyColumns(const jet::write::RowRefusal& r) {
    std::string columns;
    for (const auto& c : r.keyColumns) columns += (columns.empty() ? "" : ", ") + quoted(c);
    return columns;
}

std::string tableFault(const jet::write::TableRefused& e) {
    switch (e.fault()) {
    case TableFault::BadName: return "nazwa jest pusta lub za długa";
    case TableFault::NameNotSortable: return "nazwa może zawierać tylko litery A-Z, cyfry, spację, '_' i '.'";
    case TableFault::NameTaken: return "tabela o tej nazwie już istnieje";
    case TableFault::ColumnCount: return "tabela musi mieć od 1 do 255 kolumn";
    case TableFault::BadColumnName: return "kolumna nr " + std::to_string(e.columnNumber()) + " ma złą nazwę";
    case TableFault::RepeatedColumn: return "kolumna " + quoted(e.column()) + " powtarza się";
    case TableFault::TextSize: return "kolumna tekstowa " + quoted(e.column()) + " musi mieć od 1 do 255 znaków";
    case TableFault::UnsupportedType: return "kolumna " + quoted(e.column()) + " ma typ, którego nie obsługujemy";
    case TableFault::KeyColumn: return "klucz podstawowy musi obejmować kolumnę liczb całkowitych tej tabeli";
    case TableFault::KeyName: return "klucz podstawowy musi mieć nazwę";
    case TableFault::RowTooLong: return "wiersz tabeli byłby za długi";
    case TableFault::TooManyMaps: return "tabela ma zbyt wiele indeksów i kolumn długich";
    }
    return "nie da się jej zapisać";
}

}  // namespace

std::string tableRefusedText(const jet::write::TableRefused& refusal) {
    return "Nie można utworzyć tabeli " + quoted(refusal.table()) + ": " + tableFault(refusal) + ".";
}

std::string rowRefusedText(const jet::write::RowRefused& refusal) {
    const jet::write::RowRefusal& r = refusal.refusal();
    const std::string where = rowPlace(r);
    const std::string column = quoted(r.column);
    switch (r.fault) {
    case RowFault::TooManyValues:
        return "Tabela " + quoted(r.table) + " ma " + std::to_string(r.limit) + " kolumn, a wiersz podaje " +
               std::to_string(r.given) + " wartości.";
    case RowFault::WrongKind:
        return where + "kolumna " + column + " przyjmuje " + typeName(r.columnType) + ", a podano " +
               kindName(r.givenKind) + ".";
    case RowFault::NotUtf8: return where + "tekst w kolumnie " + column + " nie jest poprawnym UTF-8.";
    case RowFault::TextTooLong:
        return where + "tekst w kolumnie " + column + " ma " + std::to_string(r.given) +
               " znaków, a kolumna mieści " + std::to_string(r.limit) + ".";
    case RowFault::BinaryTooLong: return where + "dane w kolumnie " + column + " są za długie.";
    case RowFault::KeyMissing:
        return where + "klucz " + quoted(r.index) + " wymaga wartości w kolumnie " + column + ".";
    case RowFault::KeyNotStorable:
        return where + "klucz " + quoted(r.index) + " nie przyjmie wartości z kolumny " + keyColumns(r) + " (" +
               r.detail + ").";
    case RowFault::KeyRepeated:
        return where + "klucz " + quoted(r.index) + " ma już wiersz z tą wartością w kolumnie " + keyColumns(r) +
               "; wiersza nie dopisano.";
    case RowFault::RowTooLong:
        return where + "wiersz jest dłuższy niż " + std::to_string(r.limit) + " bajtów, które mieści strona bazy.";
    }
    return where + "wiersza nie dopisano.";
}

}  // namespace catalog
