// Property: over random catalogs, the record-by-record searches of debug mode and the hash
// indexes of normal mode write identical destination tables, row for row and in order, and
// both match a plain model of the merge rules. Each case prints its seed;
// LUMOR_MERGE_SEED=N reruns that one case.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>

#include "catalog/catalog_merge.h"
#include "catalog/field_value.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/test_paths.h"
#include "tests/support/random_seed.h"

namespace {

using namespace catalogtest;
using jet::Value;

struct Case {
    CatalogRows newRows, oldRows, destinationRows;
    bool withOld = true;
    bool withDestination = false;
};

Value pick(std::mt19937& random, const std::vector<Value>& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

// Names: markers, the marker in lower case, nulls and ordinary names.
const std::vector<Value>& names() {
    static const std::vector<Value> pool = {Value::text("DELETE"), Value::text("delete"), Value(),
                                            Value::text("Szafka"), Value::text("Blat ż"), Value::text("")};
    return pool;
}

CatalogRows randomRows(std::mt19937& random, bool allowEmpty) {
    static const std::vector<Value> codes = {Value::text("ABC"), Value::text("abc"), Value::text("B"),
                                             Value(), Value::text("Ż"), Value::text("B ")};
    CatalogRows rows;
    auto count = [&](int most) {
        return std::uniform_int_distribution<int>(allowEmpty ? 0 : 1, most)(random);
    };
    // info_producent has no key: codes repeat, a marker may be followed by an ordinary record.
    for (int n = count(8); n > 0; --n) rows.infoProducent.push_back(producent(pick(random, codes), pick(random, names())));
    // Dodatki's IDs are unique within a catalog (its primary key); catalogs overlap in them.
    std::vector<std::int32_t> ids(14);
    for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<std::int32_t>(i + 1);
    std::shuffle(ids.begin(), ids.end(), random);
    ids.resize(static_cast<std::size_t>(count(9)));
    for (std::int32_t id : ids) rows.dodatki.push_back(dodatek(Value(id), pick(random, names())));
    return rows;
}

Case randomCase(std::uint32_t seed) {
    std::mt19937 random(seed);
    Case c;
    c.newRows = randomRows(random, true);
    c.withOld = std::bernoulli_distribution(0.8)(random);
    if (c.withOld) c.oldRows = randomRows(random, true);
    c.withDestination = std::bernoulli_distribution(0.15)(random);
    if (c.withDestination) c.destinationRows = randomRows(random, false);
    return c;
}

bool isMarker(const Row& row, std::size_t name) { return catalog::valueAsText(row[name]) == "DELETE"; }

// The merge's rules, stated directly; nullopt when a post must be refused (a repeated ID).
std::optional<std::vector<Row>> model(const std::vector<Row>& newRows, const std::vector<Row>& oldRows,
                                      std::vector<Row> destination, bool dodatki) {
    const std::size_t name = dodatki ? 4 : 1;
    auto holds = [&](const Value& key) {
        for (const Row& d : destination)
            if (catalog::valuesEqual(key, d[0])) return true;
        return false;
    };
    auto post = [&](const Row& row) {
        if (dodatki && holds(row[0])) return false;
        destination.push_back(row);
        return true;
    };
    for (const Row& o : oldRows) {
        const Row* match = nullptr;
        for (const Row& n : newRows)
            if (catalog::valuesEqual(n[0], o[0])) {
                match = &n;
                break;
            }
        if (match && !isMarker(*match, name) && !post(*match)) return std::nullopt;
        if (!match && (!dodatki || !isMarker(o, name)) && !post(o)) return std::nullopt;
    }
    for (const Row& n : newRows)
        if (!isMarker(n, name) && !holds(n[0]) && !post(n)) return std::nullopt;
    return destination;
}

struct Outcome {
    bool ok = false;
    CatalogRows rows;
};

Outcome runMerge(const Case& c, bool debug) {
    testsupport::TempDir dir;
    const std::string nw = (dir.path() / "dodatki_new.mdb").string();
    const std::string od = (dir.path() / "dodatki_old.mdb").string();
    const std::string dn = (dir.path() / "dodatki.mdb").string();
    writeCatalog(nw, c.newRows);
    if (c.withOld) writeCatalog(od, c.oldRows);
    if (c.withDestination) writeCatalog(dn, c.destinationRows);
    RecordingLog log;
    session::DatabaseComponents components;
    catalog::CatalogMerge merge(log, platform::realFileSystem(), components, debug);
    Outcome out;
    out.ok = merge.CopyMdb(nw, od, dn);
    if (out.ok) out.rows = readCatalog(dn);
    else EXPECT_FALSE(std::filesystem::exists(dn));
    return out;
}

void expectSameRows(const std::vector<Row>& actual, const std::vector<Row>& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i].size(), expected[i].size());
        for (std::size_t k = 0; k < actual[i].size(); ++k)
            EXPECT_TRUE(actual[i][k].isNull() == expected[i][k].isNull() &&
                        catalog::valuesEqual(actual[i][k], expected[i][k]) &&
                        actual[i][k].kind() == expected[i][k].kind())
                << what << " row " << i << ": " << describeRow(actual[i]) << " vs " << describeRow(expected[i]);
    }
}

void checkSeed(std::uint32_t seed) {
    testsupport::announceSeed("merge property", seed, "LUMOR_MERGE_SEED");
    SCOPED_TRACE("seed " + std::to_string(seed));
    const Case c = randomCase(seed);
    const Outcome debug = runMerge(c, true);
    const Outcome normal = runMerge(c, false);
    ASSERT_EQ(debug.ok, normal.ok);
    const auto producenci = model(c.newRows.infoProducent, c.oldRows.infoProducent, c.destinationRows.infoProducent, false);
    const auto dodatki = model(c.newRows.dodatki, c.oldRows.dodatki, c.destinationRows.dodatki, true);
    ASSERT_EQ(debug.ok, producenci && dodatki);
    if (!debug.ok) return;
    expectSameRows(normal.rows.infoProducent, debug.rows.infoProducent, "info_producent, normal vs debug");
    expectSameRows(normal.rows.dodatki, debug.rows.dodatki, "Dodatki, normal vs debug");
    expectSameRows(debug.rows.infoProducent, *producenci, "info_producent vs model");
    expectSameRows(debug.rows.dodatki, *dodatki, "Dodatki vs model");
}

TEST(MergeProperty, BothSearchWaysWriteTheSameDestinationAsTheRules) {
    if (const char* env = std::getenv("LUMOR_MERGE_SEED"); env && *env) {
        checkSeed(static_cast<std::uint32_t>(std::strtoul(env, nullptr, 10)));
        return;
    }
    // Fixed seeds keep known cases; fresh ones explore.
    for (std::uint32_t seed = 1; seed <= 20; ++seed) checkSeed(seed);
    std::random_device device;
    for (int i = 0; i < 20; ++i) checkSeed(device());
}

}  // namespace
