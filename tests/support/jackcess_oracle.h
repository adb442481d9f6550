// Jackcess, a Jet 4 engine in Java independent of ours, through the small tool
// tests/support/jackcess/CatalogTool.java (compiled once per test run): it makes catalogs of the
// installer's schema as another engine makes them, reads tables back, and walks a table's
// Primary index in key order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/jet_oracles.h"

namespace testsupport {

// Why Jackcess cannot run here ("" when it can), for GTEST_SKIP.
std::string jackcessMissing();

// plain: the installer's schema; memo: `Opis_Produktu` is a memo; counter: `ID` is an
// automatic counter (the given IDs are kept); the others make `ID` another number type:
// Decimal (18,0), Decimal (10,0), Decimal (12,2), Double or Currency, their IDs given as
// integers or as decimal texts ("5.5").
enum class JackcessVariant {
    Plain, MemoDescription, CounterId, DecimalId, NarrowDecimalId, ScaledDecimalId, DoubleId, CurrencyId
};

// Rows in schema column order, for tables "info_producent" and "Dodatki".
using JackcessTables = std::vector<std::pair<std::string, std::vector<OracleRow>>>;

// Throw std::runtime_error when Jackcess fails.
void jackcessMakeCatalog(const std::string& file, JackcessVariant variant, const JackcessTables& tables);
OracleTable jackcessRows(const std::string& file, const std::string& table);
// The key of every row, in the order of the Primary index; each is also found through it.
std::vector<OracleValue> jackcessPrimaryKeyWalk(const std::string& file, const std::string& table);

}  // namespace testsupport
