// Rows of a CSV file appended to a catalog table, for publishers who keep catalogs in
// spreadsheets: the header line names the columns (any order, letter case ignored; columns
// left out stay null), an empty field is null, yes/no fields read 1/0, -1, tak/nie,
// true/false, yes/no, and number and currency fields take a decimal comma or point (with
// spaces between thousands and "zł" after a currency, as Excel shows them). Texts are UTF-8 or
// Windows-1250, and the separator a comma, semicolon or tab: given, or detected. All or nothing: the rows go into a copy of the file
// that replaces it in one step only when every row was taken and written. Rows are read and
// appended one at a time, so memory does not grow with the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "catalog/csv_encoding.h"
#include "catalog/csv_reader.h"
#include "platform/file_system.h"

namespace catalog {

// What the file is; what is left out is detected (the separator from the header line, the
// encoding from the whole file).
struct CsvFormat {
    std::optional<char> separator;
    std::optional<CsvEncoding> encoding;
};

struct CsvImportSummary {
    std::size_t rows = 0;
    char separator = ',';
    CsvEncoding encoding = CsvEncoding::Utf8;
    bool byteOrderMark = false;
    bool separatorDetected = false, encodingDetected = false;
};

// Rows of an opened CSV file, read twice when something is to be detected (memory stays flat
// either way). Throws CatalogError as below.
CsvImportSummary importCsv(platform::FileSystem& files, const std::string& databasePath,
                           const std::string& table, platform::ReadableFile& csvFile, const CsvFormat& format);
// The same for CSV text in memory.
CsvImportSummary importCsv(platform::FileSystem& files, const std::string& databasePath,
                           const std::string& table, const std::string& csvText, const CsvFormat& format);

// Returns the number of rows added. Throws CatalogError whose message names the line and
// the column of the first problem, or the file that could not be read or replaced.
// Files are reached through `files`.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, CsvReader& csv);
// The same for UTF-8, comma-separated text in memory.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, const std::string& csvText);
// The same for an opened UTF-8, comma-separated file, read a buffer at a time.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, platform::ReadableFile& csvFile);

}  // namespace catalog
