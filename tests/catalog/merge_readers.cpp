// Cross-reading a merged catalog.
#include "tests/catalog/merge_readers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/catalog_schema.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/jackcess_oracle.h"
#include "tests/support/kept_jet_files.h"

namespace catalogtest {

std::string readersMissing() {
    if (auto missing = testsupport::oraclesMissing(); !missing.empty()) return missing;
    return testsupport::jackcessMissing();
}

void expectEveryReaderReads(const std::string& file) {
    const CatalogRows ours = readCatalog(file);
    // The check's other parts have run; without the outside readers it counts as skipped,
    // so that the run names what was not compared.
    testsupport::keepForOutsideReaders(file);
    if (const std::string missing = readersMissing(); !missing.empty())
        GTEST_SKIP() << "the merged catalog is not cross-read by other engines: " << missing;
    for (const auto& [table, schema, rows] :
         {std::make_tuple("info_producent", catalog::infoProducentColumns(), &ours.infoProducent),
          std::make_tuple("Dodatki", catalog::dodatkiColumns(), &ours.dodatki)}) {
        SCOPED_TRACE(table);
        std::vector<std::string> columns;
        for (const auto& c : schema) columns.emplace_back(c.name);
        jetwritetest::expectReadersSee(file, table, columns, *rows);
        const auto jackcess = testsupport::jackcessRows(file, table);
        EXPECT_EQ(jackcess.columns, columns);
        ASSERT_EQ(jackcess.rows.size(), rows->size()) << "Jackcess row count";
        for (std::size_t r = 0; r < rows->size(); ++r)
            for (std::size_t c = 0; c < columns.size(); ++c)
                EXPECT_EQ(jackcess.rows[r][c], jetwritetest::asMdbReader((*rows)[r][c]))
                    << "Jackcess, row " << r << ", " << columns[c] << ": " << testsupport::describe(jackcess.rows[r][c]);
    }
    std::vector<std::int64_t> ids;
    for (const Row& row : ours.dodatki) ids.push_back(row[0].asInteger());
    std::sort(ids.begin(), ids.end());
    std::vector<testsupport::OracleValue> expected(ids.begin(), ids.end());
    EXPECT_EQ(testsupport::jackcessPrimaryKeyWalk(file, "Dodatki"), expected) << "Jackcess's walk of Primary";
}

}  // namespace catalogtest
