#include "cli/schema_listing.h"

#include <string_view>

#include "cli/polish_plural.h"

namespace cli {

namespace {

std::string_view baseTypeName(jet::ColumnType type) {
    switch (type) {
    case jet::ColumnType::Bool: return "tak/nie";
    case jet::ColumnType::Byte: return "bajt";
    case jet::ColumnType::Int16: return "liczba całkowita";
    case jet::ColumnType::Int32: return "liczba całkowita długa";
    case jet::ColumnType::Currency: return "waluta";
    case jet::ColumnType::Float: return "pojedyncza precyzja";
    case jet::ColumnType::Double: return "podwójna precyzja";
    case jet::ColumnType::DateTime: return "data/godzina";
    case jet::ColumnType::Binary: return "binarny";
    case jet::ColumnType::Text: return "tekst";
    case jet::ColumnType::Ole: return "obiekt OLE";
    case jet::ColumnType::Memo: return "nota";
    case jet::ColumnType::Unknown0D: return "nieznany 0x0D";
    case jet::ColumnType::Guid: return "identyfikator replikacji";
    case jet::ColumnType::Decimal: return "dziesiętna";
    case jet::ColumnType::Unknown11: return "nieznany 0x11";
    case jet::ColumnType::Complex: return "złożony";
    case jet::ColumnType::BigInt: return "duża liczba całkowita";
    case jet::ColumnType::ExtDate: return "data/godzina rozszerzona";
    }
    return "nieznany";
}

// `text` followed by blanks up to `width` characters (not bytes: Polish names line up too),
// and always one blank after it.
void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    out.append(text);
    out.append(characters < width ? width - characters + 1 : 1, ' ');
}

constexpr std::size_t kNameWidth = 30, kTypeWidth = 24;

}  // namespace

std::string polishTypeName(const jet::Column& column) {
    std::string name(baseTypeName(column.type));
    if (column.type == jet::ColumnType::Text) name += "(" + std::to_string(column.length / 2) + ")";
    if (column.type == jet::ColumnType::Decimal)
        name += "(" + std::to_string(column.precision) + "," + std::to_string(column.scale) + ")";
    return name;
}

void appendSchemaListing(const jet::Table& table, std::string& out) {
    const auto& definition = table.definition();
    out += "tabela " + table.name() + " (w definicji " +
           countOf(definition.storedRowCount, "wiersz", "wiersze", "wierszy") + ")\n";
    for (const auto& column : table.columns()) {
        out += "  kolumna ";
        appendPadded(out, column.name, kNameWidth);
        appendPadded(out, polishTypeName(column), kTypeWidth);
        // A yes/no column lives in the null mask: no bytes of its own.
        out += countOf(column.type == jet::ColumnType::Bool ? 0u : column.length, "bajt", "bajty", "bajtów");
        if (column.isFixed()) out += ", stała długość";
        if (column.isAutoNumber()) out += ", autonumerowanie";
        if (column.isAutoGuid()) out += ", automatyczny identyfikator";
        if (column.compressedUnicode()) out += ", kompresja Unicode";
        out += '\n';
    }
    for (const auto& index : table.indexes()) {
        const auto& physical = table.physicalIndex(index);
        out += "  indeks  " + index.name + " (";
        bool first = true;
        for (const auto& key : physical.columns) {
            if (!first) out += ", ";
            first = false;
            std::string name = "#" + std::to_string(key.columnNumber);
            for (const auto& column : table.columns())
                if (column.number == key.columnNumber) name = column.name;
            out += name + (key.ascending ? "" : " malejąco");
        }
        out += ")";
        if (index.kind == jet::IndexKind::PrimaryKey) out += ", klucz główny";
        if (index.kind == jet::IndexKind::ForeignKey) out += ", klucz obcy";
        if (physical.flags & 0x01) out += ", unikatowy";
        if (physical.flags & 0x02) out += ", pomija puste";
        if (physical.flags & 0x08) out += ", wymagany";
        out += '\n';
    }
}

}  // namespace cli
