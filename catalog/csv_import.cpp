// CSV import into a catalog table.
#include "catalog/csv_import.h"

#include <functional>
#include <stdexcept>
#include <vector>

#include "catalog/catalog_error.h"
#include "catalog/csv_reader.h"
#include "catalog/decimal_text.h"
#include "catalog/jet_error_text.h"
#include "catalog/write_refusal_text.h"
#include "engine_text/file_error_text.h"
#include "jet/write/database_writer.h"
#include "jet/write/text_encoding.h"
#include "platform/ascii_case.h"
#include "platform/copy_file.h"

namespace catalog {

namespace {

// The CSV field as the value of the column, into `value` (a text keeps the string memory
// of the previous row's); throws std::runtime_error with the reason.
void fieldValue(const jet::write::ColumnDefinition& column, const std::string& field, jet::Value& value) {
    if (field.empty()) {
        value = jet::Value();
        return;
    }
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
            value = jet::Value(static_cast<std::int32_t>(n));
        } else if (column.type == jet::ColumnType::Int16) {
            if (n < INT16_MIN || n > INT16_MAX) throw std::runtime_error("liczba " + field + " jest poza zakresem");
            value = jet::Value(static_cast<std::int16_t>(n));
        } else {
            if (n < 0 || n > 255) throw std::runtime_error("liczba " + field + " jest poza zakresem 0-255");
            value = jet::Value(static_cast<std::uint8_t>(n));
        }
        return;
    }
    case jet::ColumnType::Bool: {
        const std::string v = platform::asciiLowered(field);
        if (v == "1" || v == "-1" || v == "true" || v == "tak" || v == "yes" || v == "prawda") value = jet::Value(true);
        else if (v == "0" || v == "false" || v == "nie" || v == "no" || v == "fałsz") value = jet::Value(false);
        else throw std::runtime_error("\"" + field + "\" nie jest wartością tak/nie (1/0, tak/nie, true/false)");
        return;
    }
    case jet::ColumnType::Double:
    case jet::ColumnType::Float: {
        const auto number = doubleFromText(field);
        if (!number) throw std::runtime_error("\"" + field + "\" nie jest liczbą (np. 12,5)");
        if (column.type == jet::ColumnType::Double) value = jet::Value(*number);
        else value = jet::Value(static_cast<float>(*number));
        return;
    }
    case jet::ColumnType::Currency: {
        const auto amount = currencyFromText(field);
        if (!amount) throw std::runtime_error("\"" + field + "\" nie jest kwotą (np. 1 234,50)");
        value = jet::Value(*amount);
        return;
    }
    case jet::ColumnType::Text:
    case jet::ColumnType::Memo:
        if (!jet::write::utf16Length(field)) throw std::runtime_error("tekst nie jest poprawnym UTF-8");
        value.resetText().assign(field);
        return;
    default:
        throw std::runtime_error("kolumn tego typu nie da się wypełnić z pliku CSV");
    }
}

std::string lineText(std::size_t line) { return "linia " + std::to_string(line); }

// Appends every record after `header`, one at a time.
void appendRecords(platform::FileSystem& files, const std::string& path, const std::string& tableName,
                   const CsvRecord& header, CsvReader& csv, std::size_t& added) {
    auto db = jet::write::DatabaseWriter::open(files, path);
    const jet::write::TableDefinition& def = db->table(tableName);
    std::vector<const jet::write::ColumnDefinition*> columns;
    for (const std::string& name : header.fields) {
        const jet::write::ColumnDefinition* found = nullptr;
        for (const auto& c : def.columns)
            if (platform::asciiLowered(c.name) == platform::asciiLowered(name)) found = &c;
        if (!found)
            throw std::runtime_error(lineText(header.line) + ": tabela `" + tableName + "` nie ma kolumny `" + name +
                                     "`");
        for (const auto* c : columns)
            if (c == found)
                throw std::runtime_error(lineText(header.line) + ": kolumna `" + name + "` powtarza się w nagłówku");
        columns.push_back(found);
    }
    // One row of values for the whole file: columns the header leaves out stay null.
    std::vector<jet::Value> values(def.maxColumns);
    CsvRecord record;
    while (csv.next(record)) {
        if (record.fields.size() != columns.size())
            throw std::runtime_error(lineText(record.line) + ": " + std::to_string(record.fields.size()) +
                                     " pól, a nagłówek ma " + std::to_string(columns.size()));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            try {
                fieldValue(*columns[k], record.fields[k], values[columns[k]->number]);
            } catch (const std::exception& e) {
                throw std::runtime_error(lineText(record.line) + ", kolumna `" + columns[k]->name + "`: " + e.what());
            }
        }
        try {
            db->appendRow(tableName, values);
        } catch (const jet::write::RowRefused& e) {
            throw std::runtime_error(lineText(record.line) + ": " + rowRefusedText(e));
        }
        ++added;
    }
    db->close();
}

}  // namespace

std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, CsvReader& csv) {
    CsvRecord header;
    try {
        if (!csv.next(header)) throw CatalogError("brak wiersza nagłówka z nazwami kolumn");
    } catch (const platform::FileError& e) {
        throw CatalogError(engine_text::fileErrorText(e));
    } catch (const CatalogError&) {
        throw;
    } catch (const std::exception& e) {
        throw CatalogError(e.what());
    }
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
        appendRecords(files, work, table, header, csv, added);
    } catch (const jet::JetError& e) {
        files.deleteFile(work);
        throw CatalogError(jetErrorText(e, databasePath));
    } catch (const platform::FileError& e) {
        // Reading the CSV failed part-way.
        files.deleteFile(work);
        throw CatalogError(engine_text::fileErrorText(e));
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

namespace {

// The format with what was not given detected: `pass` hands every byte of the file over, a
// piece at a time, to the encoding's detector; the header line comes from its first piece.
CsvImportSummary detectFormat(const CsvFormat& format,
                              const std::function<void(const std::function<void(std::string_view)>&)>& pass) {
    CsvImportSummary summary;
    summary.separatorDetected = !format.separator;
    summary.encodingDetected = !format.encoding;
    EncodingDetector detector;
    std::string start;
    const bool needsWholeFile = !format.encoding;
    try {
        pass([&](std::string_view piece) {
            if (start.size() < (1u << 16)) start.append(piece.substr(0, (1u << 16) - start.size()));
            if (needsWholeFile) detector.feed(piece);
        });
    } catch (const platform::FileError& e) {
        throw CatalogError(engine_text::fileErrorText(e));
    }
    if (!needsWholeFile) detector.feed(std::string_view(start).substr(0, 3));
    summary.byteOrderMark = detector.hasByteOrderMark();
    summary.encoding = format.encoding.value_or(detector.result());
    summary.separator = format.separator.value_or(detectSeparator(start));
    return summary;
}

CsvSource decoded(CsvSource raw, CsvEncoding encoding) {
    return encoding == CsvEncoding::Windows1250 ? windows1250Source(std::move(raw)) : std::move(raw);
}

}  // namespace

CsvImportSummary importCsv(platform::FileSystem& files, const std::string& databasePath,
                           const std::string& table, platform::ReadableFile& csvFile, const CsvFormat& format) {
    const auto readFrom = [&csvFile](std::int64_t& at) {
        return [&csvFile, &at](char* buffer, std::size_t capacity) {
            const std::size_t got = csvFile.readAt(at, buffer, capacity);
            at += static_cast<std::int64_t>(got);
            return got;
        };
    };
    CsvImportSummary summary = detectFormat(format, [&](const std::function<void(std::string_view)>& take) {
        std::vector<char> buffer(1 << 16);
        std::int64_t at = 0;
        auto read = readFrom(at);
        // Only the header line is needed when the encoding is given.
        for (std::size_t got; (got = read(buffer.data(), buffer.size())) != 0;) {
            take(std::string_view(buffer.data(), got));
            if (format.encoding) break;
        }
    });
    std::int64_t at = 0;
    CsvReader csv(decoded(readFrom(at), summary.encoding), summary.separator);
    summary.rows = importCsv(files, databasePath, table, csv);
    return summary;
}

CsvImportSummary importCsv(platform::FileSystem& files, const std::string& databasePath,
                           const std::string& table, const std::string& csvText, const CsvFormat& format) {
    CsvImportSummary summary =
        detectFormat(format, [&](const std::function<void(std::string_view)>& take) { take(csvText); });
    CsvReader csv(decoded(
                      [&csvText, at = std::size_t(0)](char* out, std::size_t capacity) mutable {
                          const std::size_t n = csvText.copy(out, capacity, at);
                          at += n;
                          return n;
                      },
                      summary.encoding),
                  summary.separator);
    summary.rows = importCsv(files, databasePath, table, csv);
    return summary;
}

std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, const std::string& csvText) {
    CsvReader csv(csvText);
    return importCsv(files, databasePath, table, csv);
}

std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, platform::ReadableFile& csvFile) {
    CsvReader csv([&csvFile, at = std::int64_t(0)](char* buffer, std::size_t capacity) mutable {
        const std::size_t got = csvFile.readAt(at, buffer, capacity);
        at += static_cast<std::int64_t>(got);
        return got;
    });
    return importCsv(files, databasePath, table, csv);
}

}  // namespace catalog
