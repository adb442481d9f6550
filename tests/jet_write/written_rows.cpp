// Comparison of written rows with the independent readers' output.
#include "tests/jet_write/written_rows.h"

#include "jet/database.h"
#include "tests/support/kept_jet_files.h"

namespace jetwritetest {

using testsupport::OracleValue;

OracleValue asMdbReader(const jet::Value& v) {
    switch (v.kind()) {
    case jet::Value::Kind::Null: return std::monostate{};
    case jet::Value::Kind::Bool: return v.asBool();
    case jet::Value::Kind::Byte:
    case jet::Value::Kind::Int16:
    case jet::Value::Kind::Int32: return v.asInteger();
    case jet::Value::Kind::Text:
    case jet::Value::Kind::Memo: return v.asString();
    default: return std::string("<unsupported in tests>");
    }
}

OracleValue asMdbTools(const jet::Value& v) {
    if (v.kind() == jet::Value::Kind::Bool) return std::int64_t(v.asBool() ? 1 : 0);
    if (v.kind() == jet::Value::Kind::Text && v.asString().empty()) return std::monostate{};
    return asMdbReader(v);
}

namespace {
void compare(const char* reader, const std::vector<testsupport::OracleRow>& seen,
             const std::vector<Row>& rows, OracleValue (*expect)(const jet::Value&)) {
    ASSERT_EQ(seen.size(), rows.size()) << reader << " row count";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(seen[r].size(), rows[r].size()) << reader << " row " << r;
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            ASSERT_EQ(seen[r][c], expect(rows[r][c]))
                << reader << " row " << r << " column " << c << ": read "
                << testsupport::describe(seen[r][c]) << ", wrote " << testsupport::describe(expect(rows[r][c]));
    }
}
}  // namespace

void expectOurReaderSees(const std::string& file, const std::string& table,
                         const std::vector<std::string>& columns, const std::vector<Row>& rows) {
    jet::Database db = jet::Database::open(platform::realFileSystem(), file);
    jet::Table t = db.table(table);
    std::vector<std::string> names;
    for (const auto& c : t.columns()) names.push_back(c.name);
    EXPECT_EQ(names, columns);
    auto cursor = t.rows();
    std::size_t r = 0;
    for (; cursor.next(); ++r) {
        ASSERT_LT(r, rows.size()) << "our reader finds more rows";
        ASSERT_EQ(cursor.values(), rows[r]) << "our reader, row " << r;
    }
    EXPECT_EQ(r, rows.size()) << "our reader's row count";
    testsupport::keepForOutsideReaders(file);
}

void expectReadersSee(const std::string& file, const std::string& table,
                      const std::vector<std::string>& columns, const std::vector<Row>& rows) {
    expectOurReaderSees(file, table, columns, rows);
    expectOutsideReadersSee(file, table, columns, rows);
}

void expectOutsideReadersSee(const std::string& file, const std::string& table,
                             const std::vector<std::string>& columns, const std::vector<Row>& rows) {
    const auto seen = testsupport::mdbReaderTable(file, table);
    EXPECT_EQ(seen.columns, columns);
    compare("mdb-reader", seen.rows, rows, asMdbReader);
    EXPECT_EQ(testsupport::mdbReaderRowCount(file, table), static_cast<std::int64_t>(rows.size()));
    compare("mdbtools", testsupport::mdbToolsRows(file, table, columns), rows, asMdbTools);
    EXPECT_EQ(testsupport::mdbToolsCount(file, table), static_cast<std::int64_t>(rows.size()));
}

}  // namespace jetwritetest
