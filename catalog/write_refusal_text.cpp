// One wording per refusal.
#include "catalog/write_refusal_text.h"

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace catalog {

namespace {

using jet::ColumnType;
using jet::Value;
using jet::write::RowFault;
using jet::write::TableFault;

std::string_view kindName(Value::Kind kind) {
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

// A column type in words: ours, or the engine's name of it after a lead.
std::pair<std::string_view, std::string_view> typeWords(ColumnType type) {
    switch (type) {
    case ColumnType::Bool: return {"wartości tak/nie", {}};
    case ColumnType::Int32: return {"liczby całkowite (długie)", {}};
    case ColumnType::Int16: return {"liczby całkowite", {}};
    case ColumnType::Byte: return {"bajty", {}};
    case ColumnType::Text: return {"tekst", {}};
    case ColumnType::Binary: return {"dane binarne", {}};
    case ColumnType::DateTime: return {"daty", {}};
    default: return {"wartości typu ", jet::columnTypeName(type)};
    }
}

void appendValueText(std::string& out, const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Null: out += "NULL"; return;
    case Value::Kind::Bool: out += v.asBool() ? "tak" : "nie"; return;
    case Value::Kind::Byte:
    case Value::Kind::Int16:
    case Value::Kind::Int32: out += std::string_view(platform::DecimalPiece(v.asInteger())); return;
    case Value::Kind::Text:
    case Value::Kind::Memo:
        out += '"';
        out += v.asString();
        out += '"';
        return;
    default: out += '?'; return;
    }
}

// "Tabela `T`, wiersz o kluczu ID = 5: " or "Tabela `T`, wiersz nr 12: ".
std::string rowPlace(const jet::write::RowRefusal& r) {
    std::string place = platform::concat({"Tabela `", r.table, "`, wiersz "});
    if (r.key.empty()) {
        place += "nr ";
        place += std::string_view(platform::DecimalPiece(r.rowNumber));
    } else {
        place += "o kluczu ";
        for (std::size_t i = 0; i < r.key.size(); ++i) {
            if (i > 0) place += ", ";
            place += r.key[i].first;
            place += " = ";
            appendValueText(place, r.key[i].second);
        }
    }
    place += ": ";
    return place;
}

std::string keyColumns(const jet::write::RowRefusal& r) {
    std::string columns;
    for (const auto& c : r.keyColumns) {
        if (!columns.empty()) columns += ", ";
        columns += '`';
        columns += c;
        columns += '`';
    }
    return columns;
}

// What is wrong with the table: the words before and after the column it names, if any.
struct TableFaultWords {
    enum Names { Nothing, ColumnName, ColumnNumber };
    std::string_view before;
    Names names = Nothing;
    std::string_view after = {};
};

TableFaultWords tableFault(TableFault fault) {
    switch (fault) {
    case TableFault::BadName: return {"nazwa jest pusta lub za długa"};
    case TableFault::NameNotSortable: return {"nazwa może zawierać tylko litery A-Z, cyfry, spację, '_' i '.'"};
    case TableFault::NameTaken: return {"tabela o tej nazwie już istnieje"};
    case TableFault::ColumnCount: return {"tabela musi mieć od 1 do 255 kolumn"};
    case TableFault::BadColumnName: return {"kolumna nr ", TableFaultWords::ColumnNumber, " ma złą nazwę"};
    case TableFault::RepeatedColumn: return {"kolumna ", TableFaultWords::ColumnName, " powtarza się"};
    case TableFault::TextSize:
        return {"kolumna tekstowa ", TableFaultWords::ColumnName, " musi mieć od 1 do 255 znaków"};
    case TableFault::UnsupportedType:
        return {"kolumna ", TableFaultWords::ColumnName, " ma typ, którego nie obsługujemy"};
    case TableFault::KeyColumn: return {"klucz podstawowy musi obejmować kolumnę liczb całkowitych tej tabeli"};
    case TableFault::KeyName: return {"klucz podstawowy musi mieć nazwę"};
    case TableFault::RowTooLong: return {"wiersz tabeli byłby za długi"};
    case TableFault::TooManyMaps: return {"tabela ma zbyt wiele indeksów i kolumn długich"};
    }
    return {"nie da się jej zapisać"};
}

}  // namespace

std::string tableRefusedText(const jet::write::TableRefused& refusal) {
    const TableFaultWords words = tableFault(refusal.fault());
    const bool quoted = words.names == TableFaultWords::ColumnName;
    const platform::DecimalPiece number(refusal.columnNumber());
    const std::string_view named = quoted                                          ? std::string_view(refusal.column())
                                   : words.names == TableFaultWords::ColumnNumber ? std::string_view(number)
                                                                                  : std::string_view();
    return platform::concat({"Nie można utworzyć tabeli `", refusal.table(), "`: ", words.before, quoted ? "`" : "",
                             named, quoted ? "`" : "", words.after, "."});
}

std::string rowRefusedText(const jet::write::RowRefused& refusal) {
    using platform::concat;
    const jet::write::RowRefusal& r = refusal.refusal();
    const std::string where = rowPlace(r);
    const std::string_view column = r.column;
    switch (r.fault) {
    case RowFault::TooManyValues:
        return concat({"Tabela `", r.table, "` ma ", platform::DecimalPiece(r.limit), " kolumn, a wiersz podaje ",
                       platform::DecimalPiece(r.given), " wartości."});
    case RowFault::WrongKind: {
        const auto [type, engineName] = typeWords(r.columnType);
        return concat({where, "kolumna `", column, "` przyjmuje ", type, engineName, ", a podano ",
                       kindName(r.givenKind), "."});
    }
    case RowFault::NotUtf8: return concat({where, "tekst w kolumnie `", column, "` nie jest poprawnym UTF-8."});
    case RowFault::TextTooLong:
        return concat({where, "tekst w kolumnie `", column, "` ma ", platform::DecimalPiece(r.given),
                       " znaków, a kolumna mieści ", platform::DecimalPiece(r.limit), "."});
    case RowFault::BinaryTooLong: return concat({where, "dane w kolumnie `", column, "` są za długie."});
    case RowFault::KeyMissing:
        return concat({where, "klucz `", r.index, "` wymaga wartości w kolumnie `", column, "`."});
    case RowFault::KeyNotStorable:
        return concat({where, "klucz `", r.index, "` nie przyjmie wartości z kolumny ", keyColumns(r), " (",
                       r.detail, ")."});
    case RowFault::KeyRepeated:
        return concat({where, "klucz `", r.index, "` ma już wiersz z tą wartością w kolumnie ", keyColumns(r),
                       "; wiersza nie dopisano."});
    case RowFault::RowTooLong:
        return concat({where, "wiersz jest dłuższy niż ", platform::DecimalPiece(r.limit),
                       " bajtów, które mieści strona bazy."});
    }
    return where + "wiersza nie dopisano.";
}

}  // namespace catalog
