// Differential test against mdb-reader's output for every file and table of the shared corpus:
// the same user tables, the same schema, and the same rows as a multiset of typed values
// (moved rows come back in another order from each reader, so order is not compared).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "jet/database.h"
#include "jet/schema_text.h"
#include "jet/value_text.h"
#include "tests/jet/golden_json.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

// Milliseconds since 1970 of a "YYYY-MM-DD HH:MM:SS.mmm" wall-clock text.
long long millisOfText(const std::string& text) {
    int y, mo, d, h, mi, s, ms;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d.%d", &y, &mo, &d, &h, &mi, &s, &ms) != 7)
        return -1;
    // Days from civil (proleptic Gregorian), counted here independently of the library.
    long long yy = y - (mo <= 2);
    long long era = (yy >= 0 ? yy : yy - 399) / 400;
    long long yoe = yy - era * 400;
    long long doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    return ((days * 24 + h) * 60 + mi) * 60000LL + s * 1000LL + ms;
}

// mdb-reader turns the stored days into a JavaScript Date linearly, rounded to the
// millisecond; for days before 1899-12-30 with a time part that is another instant than
// Access means (we print those correctly), so the comparison uses its arithmetic.
long long oracleMillis(jet::DateTime value) {
    return std::llround((value.days - 25569.0) * 86400000.0);
}

std::string keyOf(const jet::Value& v) {
    using K = jet::Value::Kind;
    switch (v.kind()) {
    case K::Null: return "n";
    case K::Bool: return v.asBool() ? "b1" : "b0";
    case K::Byte:
    case K::Int16:
    case K::Int32: return "i" + std::to_string(v.asInteger());
    case K::Float: return "d" + jet::formatDouble(double(v.asFloat()));
    case K::Double: return "d" + jet::formatDouble(v.asDouble());
    case K::Currency: return "s" + jet::formatCurrency(v.asCurrency());
    case K::Decimal: return "s" + jet::formatDecimal(v.asDecimal());
    case K::Guid: return "s" + jet::formatGuid(v.asGuid());
    case K::Text:
    case K::Memo: return "s" + v.asString();
    case K::DateTime: return "t" + std::to_string(oracleMillis(v.asDateTime()));
    case K::Binary:
    case K::Ole: return "x" + jet::formatHex(v.asBytes());
    }
    return "?";
}

std::string keyOf(const jettest::Json& v, const std::string& type) {
    using K = jettest::Json::Kind;
    switch (v.kind) {
    case K::Null: return "n";
    case K::Bool: return v.boolean ? "b1" : "b0";
    case K::Number:
        if (type == "byte" || type == "integer" || type == "long") return "i" + v.text;
        return "d" + jet::formatDouble(std::strtod(v.text.c_str(), nullptr));
    case K::String: return "s" + v.text;
    case K::Object:
        if (v.members.count("dt")) return "t" + std::to_string(millisOfText(v.members.at("dt").text));
        if (v.members.count("hex")) return "x" + v.members.at("hex").text;
        return "?object";
    case K::Array: return "?array";
    }
    return "?";
}

std::string rowKey(const std::vector<std::string>& keys) {
    std::string joined;
    for (const auto& k : keys) joined += k + '\x1f';
    return joined;
}

// The golden file name make-golden.sh uses: every byte outside [A-Za-z0-9_.-] becomes '_'.
std::string safeName(const std::string& table) {
    std::string out = table;
    for (auto& c : out)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.' && c != '-') c = '_';
    return out;
}

struct CorpusFile {
    fs::path database;
    fs::path golden;
};

std::vector<CorpusFile> corpusFiles() {
    std::vector<CorpusFile> files;
    fs::path golden = testsupport::testDataDir() / "jet4" / "oracles" / "golden";
    fs::path corpus = testsupport::testDataDir() / "jet4" / "corpus";
    if (!fs::is_directory(golden)) return files;
    for (const auto& source : fs::directory_iterator(golden))
        for (const auto& file : fs::directory_iterator(source.path()))
            files.push_back({corpus / source.path().filename() / file.path().filename(), file.path()});
    std::sort(files.begin(), files.end(),
              [](const CorpusFile& a, const CorpusFile& b) { return a.database < b.database; });
    return files;
}

TEST(JetGoldenTest, CorpusIsPresent) {
    // Every other test here would pass vacuously without the goldens.
    EXPECT_GE(corpusFiles().size(), 30u) << testsupport::testDataDir();
}

TEST(JetGoldenTest, UserTablesMatchOracleList) {
    for (const auto& file : corpusFiles()) {
        SCOPED_TRACE(file.database.string());
        jet::Database database = jet::Database::open(platform::realFileSystem(), file.database.string());
        std::vector<std::string> expected;
        for (const auto& line : lines(file.golden / "tables.mdbreader.jsonl"))
            expected.push_back(jettest::parseJson(line).text);
        EXPECT_EQ(database.tableNames(), expected);
    }
}

TEST(JetGoldenTest, SchemaMatchesOracle) {
    for (const auto& file : corpusFiles()) {
        SCOPED_TRACE(file.database.string());
        jet::Database database = jet::Database::open(platform::realFileSystem(), file.database.string());
        std::vector<std::string> expected = lines(file.golden / "schema.mdbreader.jsonl");
        std::vector<std::string> ours;
        for (const auto& name : database.tableNames()) {
            std::string line;
            jet::appendSchemaJson(database.table(name), line);
            line.pop_back();
            ours.push_back(line);
        }
        EXPECT_EQ(ours, expected);
    }
}

TEST(JetGoldenTest, RowsMatchOracleAsMultisets) {
    std::size_t tables = 0, rows = 0;
    for (const auto& file : corpusFiles()) {
        jet::Database database = jet::Database::open(platform::realFileSystem(), file.database.string());
        for (const auto& name : database.tableNames()) {
            SCOPED_TRACE(file.database.string() + " table " + name);
            auto golden = lines(file.golden / (safeName(name) + ".mdbreader.jsonl"));
            ASSERT_FALSE(golden.empty());
            jettest::Json header = jettest::parseJson(golden[0]);
            jet::Table table = database.table(name);
            std::vector<std::string> types;
            ASSERT_EQ(header.members["columns"].items.size(), table.columns().size());
            for (std::size_t i = 0; i < table.columns().size(); ++i) {
                EXPECT_EQ(header.members["columns"].items[i].text, table.columns()[i].name);
                types.push_back(header.members["types"].items[i].text);
                EXPECT_EQ(types.back(), jet::columnTypeName(table.columns()[i].type));
            }
            std::vector<std::string> expected, ours;
            for (std::size_t r = 1; r < golden.size(); ++r) {
                jettest::Json row = jettest::parseJson(golden[r]);
                std::vector<std::string> keys;
                for (std::size_t i = 0; i < row.items.size(); ++i) keys.push_back(keyOf(row.items[i], types.at(i)));
                expected.push_back(rowKey(keys));
            }
            jet::RowCursor cursor = table.rows();
            while (cursor.next()) {
                std::vector<std::string> keys;
                for (const auto& value : cursor.values()) keys.push_back(keyOf(value));
                ours.push_back(rowKey(keys));
            }
            std::sort(expected.begin(), expected.end());
            std::sort(ours.begin(), ours.end());
            EXPECT_EQ(ours, expected);
            ++tables;
            rows += ours.size();
        }
    }
    EXPECT_GE(tables, 40u);
    EXPECT_GE(rows, 1000u);
}

}  // namespace
