// Catalogs of the installer's schema for the merge tests: made from rows in code, read back
// as rows, and summed up byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/value.h"

namespace catalogtest {

// Values in schema column order (9 for info_producent, 27 for Dodatki).
using Row = std::vector<jet::Value>;

struct CatalogRows {
    std::vector<Row> infoProducent;
    std::vector<Row> dodatki;
};

// A manufacturer with the given code and name and the rest filled from them.
Row producent(const jet::Value& code, const jet::Value& name);
// An add-on item: every column filled (from the ID), with the given name.
Row dodatek(const jet::Value& id, const jet::Value& name);

// Creates `path` with the installer's schema (our writer) and the rows.
void writeCatalog(const std::string& path, const CatalogRows& rows);
// The same tables made directly with the writer, every text column 255 characters wide,
// as a publisher's tool might make them.
void writeWideCatalog(const std::string& path, const CatalogRows& rows);
// Every row of a table, in table order, columns in schema order.
std::vector<Row> readRows(const std::string& path, const std::string& table);
CatalogRows readCatalog(const std::string& path);

// FNV-1a of the file's bytes.
std::uint64_t fileChecksum(const std::string& path);

std::string describeRow(const Row& row);

}  // namespace catalogtest
