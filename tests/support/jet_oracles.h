// The independent Jet 4 readers the writer's tests compare against: mdb-reader (npm, through
// the shared dump script under $LUMOR_ORACLES) and mdbtools' command-line programs. Rows come
// back as simple values, so a test can compare them with what it wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace testsupport {

// null, true/false, integer, text (numbers with a fraction are not needed by the writer)
using OracleValue = std::variant<std::monostate, bool, std::int64_t, std::string>;
using OracleRow = std::vector<OracleValue>;

// Why an oracle cannot run here ("" when both can), for GTEST_SKIP.
std::string oraclesMissing();

// mdb-reader: table names (user tables, or all with `system`), rows in column order, the
// stored row count of a table. Throw std::runtime_error when the reader fails.
std::vector<std::string> mdbReaderTables(const std::string& file, bool system = false);
std::vector<OracleRow> mdbReaderRows(const std::string& file, const std::string& table);
std::int64_t mdbReaderRowCount(const std::string& file, const std::string& table);
std::vector<std::string> mdbReaderColumns(const std::string& file, const std::string& table);
// Columns and rows from one run.
struct OracleTable {
    std::vector<std::string> columns;
    std::vector<OracleRow> rows;
};
OracleTable mdbReaderTable(const std::string& file, const std::string& table);

// mdbtools: table names, rows from mdb-json as values in the order of `columns` (mdbtools
// leaves out nulls and empty texts alike: both come back null), mdb-count's count, and the
// DDL mdb-schema prints.
std::vector<std::string> mdbToolsTables(const std::string& file, bool system = false);
std::vector<OracleRow> mdbToolsRows(const std::string& file, const std::string& table,
                                    const std::vector<std::string>& columns);
std::int64_t mdbToolsCount(const std::string& file, const std::string& table);
std::string mdbToolsSchema(const std::string& file, const std::string& table);

// Runs a shell command and returns what it printed on standard output; throws
// std::runtime_error naming the command when it fails. For the other oracles' wrappers.
std::string runOracleCommand(const std::string& command);
std::string shellQuoted(const std::string& text);

// A readable spelling of a value for failure messages.
std::string describe(const OracleValue& value);

}  // namespace testsupport
