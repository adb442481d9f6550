// CSV import into a catalog table.
#include "catalog/csv_import.h"

#include <stdexcept>

#include "catalog/catalog_error.h"
#include "catalog/csv_reader.h"
#include "catalog/jet_error_text.h"
#include "catalog/write_refusal_text.h"
#include "engine_text/file_error_text.h"
#include "jet/write/database_writer.h"
#include "jet/write/text_encoding.h"
#include "platform/ascii_case.h"
#include "platform/copy_file.h"

namespace catalog {

namespace {

// The CSV field as a value of the column; throws std::runtime_error with the reason.
jet::Value fieldValue(const jet::write::ColumnDefinition& column, const std::string& field) {
    if (field.empty()) return jet::Value();
    switch (column.type) {
    case jet::ColumnType::Int32:
    case jet::ColumnType::Int16:
    case jet::ColumnType::Byte: {
        std::size_t used = 0;
        long long n = 0;
        try {
            n = std::stoll(field, &used);
        } catch (...) {
            used = 0;
        }
        if (used != field.size()) throw std::runtime_error("\"" + field + "\" nie jest liczbą całkowitą");
        if (column.type == jet::ColumnType::Int32) {
            if (n < INT32_MIN || n > INT32_MAX) throw std::runtime_error("liczba " + field + " jest poza zakresem");
            return jet::Value(static_cast<std::int32_t>(n));
        }
        if (column.type == jet::ColumnType::Int16) {
            if (n < INT16_MIN || n > INT16_MAX) throw std::runtime_error("liczba " + field + " jest poza zakresem");
            return jet::Value(static_cast<std::int16_t>(n));
        }
        if (n < 0 || n > 255) throw std::runtime_error("liczba " + field + " jest poza zakresem 0-255");
        return jet::Value(static_cast<std::uint8_t>(n));
    }
    case jet::ColumnType::Bool: {
        const std::string v = platform::asciiLowered(field);
        if (v == "1" || v == "-1" || v == "true" || v == "tak" || v == "yes" || v == "prawda") return jet::Value(true);
        if (v == "0" || v == "false" || v == "nie" || v == "no" || v == "fałsz") return jet::Value(false);
        throw std::runtime_error("\"" + field + "\" nie jest wartością tak/nie (1/0, tak/nie, true/false)");
    }
    case jet::ColumnType::Text:
    case jet::ColumnType::Memo:
        if (!jet::write::utf16Length(field)) throw std::runtime_error("tekst nie jest poprawnym UTF-8");
        return jet::Value::text(field);
    default:
        throw std::runtime_error("kolumn tego typu nie da się wypełnić z pliku CSV");
    }
}

void appendRecords(platform::FileSystem& files, const std::string& path, const std::string& tableName,
                   const std::vector<CsvRecord>& records, std::size_t& added) {
    auto db = jet::write::DatabaseWriter::open(files, path);
    const jet::write::TableDefinition& def = db->table(tableName);
    std::vector<const jet::write::ColumnDefinition*> columns;
    for (const std::string& name : records[0].fields) {
        const jet::write::ColumnDefinition* found = nullptr;
        for (const auto& c : def.columns)
            if (platform::asciiLowered(c.name) == platform::asciiLowered(name)) found = &c;
        if (!found)
            throw std::runtime_error("linia " + std::to_string(records[0].line) + ": tabela `" + tableName +
                                     "` nie ma kolumny `" + name + "`");
        for (const auto* c : columns)
            if (c == found)
                throw std::runtime_error("linia " + std::to_string(records[0].line) + ": kolumna `" + name +
                                         "` powtarza się w nagłówku");
        columns.push_back(found);
    }
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string where = "linia " + std::to_string(record.line);
        if (record.fields.size() != columns.size())
            throw std::runtime_error(where + ": " + std::to_string(record.fields.size()) + " pól, a nagłówek ma " +
                                     std::to_string(columns.size()));
        std::vector<jet::Value> values(def.maxColumns);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            try {
                values[columns[k]->number] = fieldValue(*columns[k], record.fields[k]);
            } catch (const std::exception& e) {
                throw std::runtime_error(where + ", kolumna `" + columns[k]->name + "`: " + e.what());
            }
        }
        try {
            db->appendRow(tableName, values);
        } catch (const jet::write::RowRefused& e) {
            throw std::runtime_error(where + ": " + rowRefusedText(e));
        }
        ++added;
    }
    db->close();
}

}  // namespace

std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, const std::string& csvText) {
    std::vector<CsvRecord> records;
    try {
        records = parseCsv(csvText);
    } catch (const std::exception& e) {
        throw CatalogError(e.what());
    }
    if (records.empty()) throw CatalogError("brak wiersza nagłówka z nazwami kolumn");
    const std::string work = databasePath + ".import-tmp";
    try {
        platform::copyFile(files, databasePath, work);
    } catch (const platform::FileError& e) {
        files.deleteFile(work);
        throw CatalogError("nie można skopiować bazy " + databasePath + ": " + engine_text::fileErrorText(e));
    }
    std::size_t added = 0;
    try {
        // close() inside writes every row before the copy may replace the original.
        appendRecords(files, work, table, records, added);
    } catch (const jet::JetError& e) {
        files.deleteFile(work);
        throw CatalogError(jetErrorText(e, databasePath));
    } catch (const std::exception& e) {
        files.deleteFile(work);
        throw CatalogError(e.what());
    }
    if (!files.replaceFile(work, databasePath)) {
        files.deleteFile(work);
        throw CatalogError("nie można zastąpić bazy " + databasePath + " (nie zmieniono jej)");
    }
    return added;
}

}  // namespace catalog
