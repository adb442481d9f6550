// Helpers of the writer's tests: rows kept as the test wrote them, turned into what the
// independent readers print, and checks that both readers read a table back exactly.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jet/value.h"
#include "tests/support/jet_oracles.h"

namespace jetwritetest {

using Row = std::vector<jet::Value>;

// What mdb-reader prints for a value (yes/no as true/false, text as text, null as null).
testsupport::OracleValue asMdbReader(const jet::Value& value);
// What mdbtools prints: yes/no as 1/0, and empty text like null.
testsupport::OracleValue asMdbTools(const jet::Value& value);

// Our own reader (jet/) reads the table's columns and exactly these rows, in this order.
void expectOurReaderSees(const std::string& file, const std::string& table,
                         const std::vector<std::string>& columns, const std::vector<Row>& rows);

// mdb-reader and mdbtools list the table with the given rows and count them right; the
// part of expectReadersSee that needs the outside readers (skip without them).
void expectOutsideReadersSee(const std::string& file, const std::string& table,
                             const std::vector<std::string>& columns, const std::vector<Row>& rows);

// Our reader, mdb-reader and mdbtools all list the table with the given rows (in this order), count them right and
// report the stored row count. Columns are the table's, in column order.
void expectReadersSee(const std::string& file, const std::string& table,
                      const std::vector<std::string>& columns, const std::vector<Row>& rows);

#define SKIP_WITHOUT_ORACLES()                                          \
    do {                                                                \
        const std::string missing = testsupport::oraclesMissing();     \
        if (!missing.empty()) GTEST_SKIP() << "oracles unavailable: " << missing; \
    } while (0)

}  // namespace jetwritetest
