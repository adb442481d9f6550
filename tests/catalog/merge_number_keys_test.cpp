// Merges whose `Dodatki.ID` is another number type than Long, as catalogs of other engines
// (Jackcess) have it: Decimal of several precisions and scales, Double, Currency. An item is
// the same item when its numbers are equal, whatever the column types: a Decimal 5 "DELETE"
// removes a Long 5, a Currency 6 replaces a Double 6, and normal mode (hash indexes) writes
// exactly what debug mode (record-by-record searches) writes. Integral IDs reach the Long
// column of the destination as Longs.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/catalog_merge.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/jackcess_oracle.h"
#include "tests/support/test_paths.h"

namespace {

using namespace catalogtest;
using jet::Value;
using testsupport::JackcessVariant;

// An item as the test states it: its number as decimal text ("5", "5.5") and its name.
struct Item {
    std::string id;
    std::string name;
};
using Items = std::vector<Item>;

// What a destination row says, read without the catalog layer's conversions.
struct Written {
    std::int64_t id;
    std::string name;
    bool operator==(const Written&) const = default;
};
void PrintTo(const Written& w, std::ostream* os) { *os << "(" << w.id << ", " << w.name << ")"; }

std::string plain(const Value& v) {
    if (v.isNull()) return "null";
    if (v.kind() == Value::Kind::Int32) return std::to_string(v.asInt32());
    if (v.kind() == Value::Kind::Text) return v.asString();
    return "kind " + std::to_string(static_cast<int>(v.kind()));
}

std::vector<Written> writtenItems(const std::string& file) {
    std::vector<Written> out;
    for (const Row& row : readRows(file, "Dodatki")) {
        EXPECT_EQ(row[0].kind(), Value::Kind::Int32) << "ID " << plain(row[0]) << " is no Long";
        EXPECT_EQ(row[4].kind(), Value::Kind::Text);
        out.push_back({row[0].kind() == Value::Kind::Int32 ? row[0].asInt32() : -1, plain(row[4])});
    }
    return out;
}

// A catalog of these items: ours (Long IDs) when `variant` is empty, else Jackcess's.
void makeCatalog(const std::string& path, std::optional<JackcessVariant> variant, const Items& items) {
    if (!variant) {
        CatalogRows rows;
        for (const Item& i : items) rows.dodatki.push_back(dodatek(Value(static_cast<std::int32_t>(std::stoi(i.id))), Value::text(i.name)));
        writeCatalog(path, rows);
        return;
    }
    testsupport::JackcessTables tables = {{"info_producent", {}}, {"Dodatki", {}}};
    for (const Item& i : items) {
        // The tool reads an ID cell as a decimal number; the other columns are texts but for
        // the yes/no flag.
        testsupport::OracleRow row(27);
        for (std::size_t column = 0; column < row.size(); ++column)
            row[column].emplace<std::string>(column == 0 ? i.id : column == 4 ? i.name : column == 8 ? "K" : "c" + std::to_string(column));
        row[7].emplace<bool>(false);
        tables[1].second.push_back(row);
    }
    testsupport::jackcessMakeCatalog(path, *variant, tables);
}

std::string variantName(std::optional<JackcessVariant> v) {
    if (!v) return "Long";
    switch (*v) {
    case JackcessVariant::DecimalId: return "Decimal18";
    case JackcessVariant::NarrowDecimalId: return "Decimal10";
    case JackcessVariant::ScaledDecimalId: return "Decimal12s2";
    case JackcessVariant::DoubleId: return "Double";
    case JackcessVariant::CurrencyId: return "Currency";
    default: return "Other";
    }
}

class NumberKeys : public ::testing::TestWithParam<std::pair<std::optional<JackcessVariant>, std::optional<JackcessVariant>>> {
protected:
    void SetUp() override {
        if (const std::string missing = testsupport::jackcessMissing(); !missing.empty())
            GTEST_SKIP() << "Jackcess unavailable, catalogs of other number types cannot be made: " << missing;
    }
    // Merges in debug and in normal mode; nothing when the merge fails.
    std::optional<std::vector<Written>> merge(bool debug) {
        const std::string dn = (dir.path() / (debug ? "debug.mdb" : "normal.mdb")).string();
        RecordingLog log;
        catalog::DatabaseComponents components;
        catalog::CatalogMerge m(log, platform::realFileSystem(), components,
                                  debug ? session::LogLevel::Debug : session::LogLevel::Normal);
        if (!m.CopyMdb(nw, od, dn)) {
            ADD_FAILURE() << (debug ? "debug" : "normal") << " merge failed: "
                          << (log.lines.empty() ? "" : log.lines.back().second);
            return std::nullopt;
        }
        return writtenItems(dn);
    }
    void expectBothModesWrite(const std::vector<Written>& expected) {
        const auto debug = merge(true), normal = merge(false);
        if (debug) {
            EXPECT_EQ(*debug, expected) << "debug mode";
        }
        if (normal) {
            EXPECT_EQ(*normal, expected) << "normal mode";
        }
    }
    testsupport::TempDir dir;
    std::string nw = (dir.path() / "dodatki_new.mdb").string();
    std::string od = (dir.path() / "dodatki_old.mdb").string();
};

TEST_P(NumberKeys, EqualNumbersAreOneItemInBothModes) {
    const auto [oldType, newType] = GetParam();
    makeCatalog(od, oldType, {{"5", "stary 5"}, {"6", "stary 6"}, {"7", "stary 7"}, {"8", "DELETE"}});
    makeCatalog(nw, newType, {{"9", "nowy 9"}, {"5", "DELETE"}, {"6", "nowy 6"}, {"10", "DELETE"}});
    // 5 removed by the new marker, 6 replaced, 7 kept, 8 an old marker dropped, 9 added,
    // 10 a marker of nothing.
    expectBothModesWrite({{6, "nowy 6"}, {7, "stary 7"}, {9, "nowy 9"}});
}

INSTANTIATE_TEST_SUITE_P(
    Types, NumberKeys,
    ::testing::Values(std::make_pair(std::nullopt, JackcessVariant::DecimalId),
                      std::make_pair(std::nullopt, JackcessVariant::ScaledDecimalId),
                      std::make_pair(std::nullopt, JackcessVariant::DoubleId),
                      std::make_pair(std::nullopt, JackcessVariant::CurrencyId),
                      std::make_pair(std::optional(JackcessVariant::DecimalId), std::nullopt),
                      std::make_pair(std::optional(JackcessVariant::CurrencyId), std::nullopt),
                      std::make_pair(std::optional(JackcessVariant::NarrowDecimalId), std::optional(JackcessVariant::DecimalId)),
                      std::make_pair(std::optional(JackcessVariant::ScaledDecimalId), std::optional(JackcessVariant::DoubleId)),
                      std::make_pair(std::optional(JackcessVariant::DoubleId), std::optional(JackcessVariant::CurrencyId))),
    [](const auto& param) { return variantName(param.param.first) + "Old" + variantName(param.param.second) + "New"; });

// A marker numbered in another type removes the old item of that number; only markers in
// the new catalog, so nothing of another type has to be written.
TEST_F(NumberKeys, ADecimalMarkerRemovesTheLongItem) {
    makeCatalog(od, std::nullopt, {{"5", "stary 5"}, {"6", "stary 6"}});
    makeCatalog(nw, JackcessVariant::DecimalId, {{"5", "DELETE"}, {"7", "DELETE"}});
    expectBothModesWrite({{6, "stary 6"}});
}

// Decimal columns of the same scale and different precisions hold the same numbers.
TEST_F(NumberKeys, DecimalPrecisionDoesNotSeparateItems) {
    makeCatalog(od, JackcessVariant::NarrowDecimalId, {{"5", "stary 5"}, {"12", "DELETE"}});
    makeCatalog(nw, JackcessVariant::DecimalId, {{"5", "DELETE"}});
    expectBothModesWrite({});
}

// Fractions meet exactly, across Decimal and Currency.
TEST_F(NumberKeys, FractionalNumbersMeetByValue) {
    makeCatalog(od, JackcessVariant::ScaledDecimalId, {{"5.5", "stary"}, {"7.25", "stary"}, {"-0.75", "stary"}});
    makeCatalog(nw, JackcessVariant::CurrencyId, {{"7.25", "DELETE"}, {"5.50", "DELETE"}, {"-0.75", "DELETE"}});
    expectBothModesWrite({});
}

// Integral values of the destination's Long `ID` written in another type.
TEST_F(NumberKeys, IntegralIdsOfOtherTypesAreWrittenAsLongs) {
    makeCatalog(od, JackcessVariant::DoubleId, {{"-3", "stary"}, {"2147483647", "stary"}});
    makeCatalog(nw, JackcessVariant::ScaledDecimalId, {{"4.00", "nowy"}});
    expectBothModesWrite({{-3, "stary"}, {2147483647, "stary"}, {4, "nowy"}});
}

// A number that no Long holds cannot be written to the destination's Long `ID`: the merge
// fails (and the destination goes) rather than write another number.
TEST_F(NumberKeys, AFractionalItemFailsTheMerge) {
    makeCatalog(od, std::nullopt, {{"1", "stary 1"}});
    makeCatalog(nw, JackcessVariant::DoubleId, {{"2.5", "nowy"}});
    for (bool debug : {true, false}) {
        const std::string dn = (dir.path() / "dodatki.mdb").string();
        RecordingLog log;
        catalog::DatabaseComponents components;
        catalog::CatalogMerge m(log, platform::realFileSystem(), components,
                                  debug ? session::LogLevel::Debug : session::LogLevel::Normal);
        EXPECT_FALSE(m.CopyMdb(nw, od, dn));
        EXPECT_FALSE(std::filesystem::exists(dn));
    }
}

}  // namespace
