// Rows of a CSV file appended to a catalog table, for publishers who keep catalogs in
// spreadsheets: the header line names the columns (any order, letter case ignored; columns
// left out stay null), an empty field is null, texts are UTF-8, yes/no fields read
// 1/0, -1, tak/nie, true/false, yes/no. All or nothing: the rows go into a copy of the file
// that replaces it in one step only when every row was taken and written. Rows are read and
// appended one at a time, so memory does not grow with the file.
#pragma once

#include <cstddef>
#include <string>

#include "catalog/csv_reader.h"
#include "platform/file_system.h"

namespace catalog {

// Returns the number of rows added. Throws CatalogError whose message names the line and
// the column of the first problem, or the file that could not be read or replaced.
// Files are reached through `files`.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, CsvReader& csv);
// The same for CSV text in memory.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, const std::string& csvText);
// The same for an opened CSV file, read a buffer at a time.
std::size_t importCsv(platform::FileSystem& files, const std::string& databasePath,
                      const std::string& table, platform::ReadableFile& csvFile);

}  // namespace catalog
