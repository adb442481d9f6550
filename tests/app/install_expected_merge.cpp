#include "tests/app/install_expected_merge.h"

#include <algorithm>
#include <stdexcept>

#include "jet/database.h"
#include "platform/file_system.h"

namespace installtest {

namespace {

// A row by its key and its line; `marker` when its name is "DELETE".
struct PlainRow {
    std::string key;
    std::string line;
    bool marker;
};

// Old rows first (replaced by the first new row of their key, dropped by a new marker; the
// item table drops the user's own markers too), then the new rows no key held yet.
std::vector<std::string> merged(const std::vector<PlainRow>& newRows, const std::vector<PlainRow>& oldRows,
                                bool dropOldMarkers) {
    std::vector<PlainRow> out;
    const auto held = [&](const std::string& key) {
        return std::any_of(out.begin(), out.end(), [&](const PlainRow& r) { return r.key == key; });
    };
    const auto post = [&](const PlainRow& row) {
        if (held(row.key)) throw std::logic_error("expected merge: key posted twice: " + row.key);
        out.push_back(row);
    };
    for (const PlainRow& o : oldRows) {
        const auto match =
            std::find_if(newRows.begin(), newRows.end(), [&](const PlainRow& n) { return n.key == o.key; });
        if (match != newRows.end()) {
            if (!match->marker) post(*match);
        } else if (!(dropOldMarkers && o.marker)) {
            post(o);
        }
    }
    for (const PlainRow& n : newRows)
        if (!n.marker && !held(n.key)) post(n);
    std::vector<std::string> lines;
    for (const PlainRow& row : out) lines.push_back(row.line);
    return lines;
}

std::vector<PlainRow> makerRows(const CatalogContent& content) {
    std::vector<PlainRow> rows;
    for (const Maker& m : content.makers)
        rows.push_back({m.producent, "info_producent|" + m.producent + "|" + m.nazwa, m.nazwa == "DELETE"});
    return rows;
}

// The fixture writes every item for the maker "Wrzos", not an add-on by default.
std::vector<PlainRow> itemRows(const CatalogContent& content) {
    std::vector<PlainRow> rows;
    for (const Item& item : content.items)
        rows.push_back({std::to_string(item.id),
                        "Dodatki|" + std::to_string(item.id) + "|Wrzos|" + item.nazwa + "|" + item.opis + "|no",
                        item.nazwa == "DELETE"});
    return rows;
}

std::string plain(const jet::Value& value) {
    switch (value.kind()) {
        case jet::Value::Kind::Null: return "";
        case jet::Value::Kind::Text:
        case jet::Value::Kind::Memo: return value.asString();
        case jet::Value::Kind::Int32: return std::to_string(value.asInt32());
        case jet::Value::Kind::Bool: return value.asBool() ? "yes" : "no";
        default: return "<kind " + std::to_string(static_cast<int>(value.kind())) + ">";
    }
}

}  // namespace

std::vector<std::string> expectedMergedRows(const std::optional<CatalogContent>& user, const CatalogContent& package) {
    const CatalogContent none;
    const CatalogContent& old = user ? *user : none;
    std::vector<std::string> rows = merged(makerRows(package), makerRows(old), false);
    for (std::string& line : merged(itemRows(package), itemRows(old), true)) rows.push_back(std::move(line));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> plainCatalogRows(const std::string& path) {
    jet::Database database = jet::Database::open(platform::realFileSystem(), path);
    std::vector<std::string> rows;
    const std::vector<std::pair<const char*, std::vector<const char*>>> tables = {
        {"info_producent", {"Producent", "Nazwa"}},
        {"Dodatki", {"ID", "Producent", "Nazwa", "Opis_Produktu", "Dodatek_wst"}}};
    for (const auto& [name, columns] : tables) {
        const jet::Table table = database.table(name);
        std::vector<std::size_t> positions;
        for (const char* column : columns) positions.push_back(table.columnIndex(column).value());
        jet::RowCursor cursor = table.rows();
        while (cursor.next()) {
            const std::vector<jet::Value>& values = cursor.values();
            std::string line = name;
            for (std::size_t position : positions) line += "|" + plain(values.at(position));
            rows.push_back(line);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace installtest
