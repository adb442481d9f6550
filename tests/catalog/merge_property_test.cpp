// Property: over random catalogs, the record-by-record searches of debug mode and the hash
// indexes of normal mode both write exactly the rows a plain model of the merge rules
// computes. The model knows nothing of the catalog layer: its values are plain integers,
// texts and flags, its numbers are counted in quarters so that an ID in a Decimal, Double or
// Currency column compares by value with a Long one, and the product's rows are turned into
// plain values here, by kind. One property runs on catalogs of our writer (Long IDs, many
// cases); the other on catalogs whose `ID` Jackcess makes Decimal, Double or Currency (fewer
// cases: each catalog costs a Java run). Each case prints its seed; LUMOR_MERGE_SEED=N or
// LUMOR_MERGE_TYPES_SEED=N reruns that one case.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "catalog/catalog_merge.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/jackcess_oracle.h"
#include "tests/support/random_seed.h"
#include "tests/support/test_paths.h"

namespace {

using testsupport::JackcessVariant;

// A field as the model sees it. Numbers are whole quarters (5.5 is 22), so every key the
// cases use is exact; `Other` is what the product wrote that the model never expects.
struct Plain {
    enum class Type { Null, Number, Text, Flag, Other };
    Type type = Type::Null;
    std::int64_t quarters = 0;
    std::string text;  // Text; Other: a description
    bool flag = false;
    bool operator==(const Plain&) const = default;
};
using PlainRow = std::vector<Plain>;

Plain null() { return {}; }
Plain number(std::int64_t quarters) { return {Plain::Type::Number, quarters, "", false}; }
Plain text(std::string s) { return {Plain::Type::Text, 0, std::move(s), false}; }
Plain flag(bool b) { return {Plain::Type::Flag, 0, "", b}; }

std::string decimalText(std::int64_t quarters) {
    const std::int64_t whole = quarters / 4, rest = (quarters < 0 ? -quarters : quarters) % 4;
    std::string out = (quarters < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
    return rest == 0 ? out : out + (rest == 1 ? ".25" : rest == 2 ? ".5" : ".75");
}

void PrintTo(const Plain& p, std::ostream* os) {
    switch (p.type) {
    case Plain::Type::Null: *os << "null"; break;
    case Plain::Type::Number: *os << decimalText(p.quarters); break;
    case Plain::Type::Text: *os << '`' << p.text << '`'; break;
    case Plain::Type::Flag: *os << (p.flag ? "yes" : "no"); break;
    case Plain::Type::Other: *os << "<" << p.text << ">"; break;
    }
}

// ---- The model: the merge rules over plain rows ------------------------------------------

// Keys are equal when both are null, both texts with the same bytes, or both the same number.
bool sameKey(const Plain& a, const Plain& b) {
    if (a.type != b.type) return false;
    if (a.type == Plain::Type::Number) return a.quarters == b.quarters;
    if (a.type == Plain::Type::Text) return a.text == b.text;
    return a.type == Plain::Type::Null;
}

bool isMarker(const Plain& name) { return name.type == Plain::Type::Text && name.text == "DELETE"; }

struct TableRules {
    std::size_t name;        // the name column
    bool itemTable;          // Dodatki: a primary key on a Long ID, old markers not carried
};
const TableRules kProducenci{1, false};
const TableRules kDodatki{4, true};

// The destination the rules write, from a destination that already holds `destination`;
// nothing when a record cannot be posted (an ID the destination holds, or one no Long holds).
std::optional<std::vector<PlainRow>> model(const std::vector<PlainRow>& newRows, const std::vector<PlainRow>* oldRows,
                                           std::vector<PlainRow> destination, TableRules rules) {
    auto holds = [&](const Plain& key) {
        for (const PlainRow& d : destination)
            if (sameKey(d[0], key)) return true;
        return false;
    };
    auto post = [&](const PlainRow& row) {
        if (rules.itemTable && (row[0].type != Plain::Type::Number || row[0].quarters % 4 != 0 || holds(row[0])))
            return false;
        destination.push_back(row);
        return true;
    };
    if (oldRows) {
        for (const PlainRow& o : *oldRows) {
            const PlainRow* match = nullptr;
            for (const PlainRow& n : newRows)
                if (sameKey(n[0], o[0])) {
                    match = &n;  // the first in table order
                    break;
                }
            if (match) {
                if (!isMarker((*match)[rules.name]) && !post(*match)) return std::nullopt;
            } else if (!(rules.itemTable && isMarker(o[rules.name])) && !post(o)) {
                return std::nullopt;
            }
        }
    }
    for (const PlainRow& n : newRows)
        if (!isMarker(n[rules.name]) && !holds(n[0]) && !post(n)) return std::nullopt;
    return destination;
}

// ---- Cases --------------------------------------------------------------------------------

struct PlainCatalog {
    std::vector<PlainRow> producenci, dodatki;
    std::optional<JackcessVariant> idType;  // Jackcess's catalog with this ID type; ours when empty
};

struct Case {
    PlainCatalog newCatalog, oldCatalog, destination;
    bool withOld = true;
    bool withDestination = false;
};

template <typename T>
const T& pick(std::mt19937& random, const std::vector<T>& pool) {
    return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
}

// Names: markers, the marker in lower case, nulls and ordinary names.
Plain randomName(std::mt19937& random) {
    static const std::vector<Plain> pool = {text("DELETE"), text("delete"), null(), text("Szafka"), text("Blat ż"), text("")};
    return pick(random, pool);
}

// The other columns tell which catalog and which row a record came from.
PlainRow producentRow(const Plain& code, const Plain& name, const std::string& origin) {
    return {code, name, text("ul. " + origin), text("Miasto"), text(origin.substr(0, 10)), text("tel " + origin), null(),
            text(origin + "@example.invalid"), text("Osoba")};
}

PlainRow dodatekRow(const Plain& id, const Plain& name, const std::string& origin, bool yes) {
    PlainRow row;
    for (std::size_t column = 0; column < 27; ++column) {
        if (column == 0) row.push_back(id);
        else if (column == 4) row.push_back(name);
        else if (column == 7) row.push_back(flag(yes));
        else if (column == 8) row.push_back(text(origin.substr(0, 3)));
        else if (column == 11) row.push_back(text(origin.substr(0, 10)));
        else row.push_back(text("c" + std::to_string(column) + "-" + origin));
    }
    return row;
}

// Quarters an ID column of this type holds exactly, as IDs of a catalog.
std::vector<std::int64_t> idPool(std::optional<JackcessVariant> type) {
    std::vector<std::int64_t> pool;
    for (std::int64_t n = 1; n <= 12; ++n) pool.push_back(4 * n);
    pool.push_back(0);
    pool.push_back(-12);
    pool.push_back(4 * 2147483647LL);
    // Decimal(12,2), Double and Currency also hold fractions; a fraction is never a Long.
    if (type == JackcessVariant::ScaledDecimalId || type == JackcessVariant::DoubleId || type == JackcessVariant::CurrencyId)
        for (std::int64_t q : {22, 29, -3}) pool.push_back(q);
    return pool;
}

PlainCatalog randomCatalog(std::mt19937& random, const std::string& tag, bool allowEmpty, std::optional<JackcessVariant> idType,
                           double fractionChance) {
    static const std::vector<Plain> codes = {text("ABC"), text("abc"), text("B"), null(), text("Ż"), text("B ")};
    PlainCatalog c;
    c.idType = idType;
    auto count = [&](int most) { return std::uniform_int_distribution<int>(allowEmpty ? 0 : 1, most)(random); };
    // info_producent has no key: codes repeat, a marker may be followed by an ordinary record.
    for (int n = count(8), i = 0; i < n; ++i)
        c.producenci.push_back(producentRow(pick(random, codes), randomName(random), tag + std::to_string(i)));
    // Dodatki's IDs are unique within a catalog (its primary key); catalogs overlap in them.
    std::vector<std::int64_t> ids;
    for (std::int64_t q : idPool(idType))
        if (q % 4 == 0 || std::bernoulli_distribution(fractionChance)(random)) ids.push_back(q);
    std::shuffle(ids.begin(), ids.end(), random);
    ids.resize(std::min<std::size_t>(ids.size(), static_cast<std::size_t>(count(9))));
    for (std::size_t i = 0; i < ids.size(); ++i)
        c.dodatki.push_back(dodatekRow(number(ids[i]), randomName(random), tag + std::to_string(i), random() % 2 == 0));
    return c;
}

// ---- Catalog files from plain rows, and plain rows from files --------------------------------

jet::Value toValue(const Plain& p) {
    switch (p.type) {
    case Plain::Type::Number: return jet::Value(static_cast<std::int32_t>(p.quarters / 4));  // our writer: Long IDs
    case Plain::Type::Text: return jet::Value::text(p.text);
    case Plain::Type::Flag: return jet::Value(p.flag);
    default: return jet::Value();
    }
}

testsupport::OracleValue toOracle(const Plain& p) {
    testsupport::OracleValue v;
    if (p.type == Plain::Type::Number) v.emplace<std::string>(decimalText(p.quarters));  // read as a decimal number
    else if (p.type == Plain::Type::Text) v.emplace<std::string>(p.text);
    else if (p.type == Plain::Type::Flag) v.emplace<bool>(p.flag);
    return v;
}

void writePlainCatalog(const std::string& path, const PlainCatalog& c) {
    if (c.idType) {
        testsupport::JackcessTables tables = {{"info_producent", {}}, {"Dodatki", {}}};
        for (const auto* rows : {&c.producenci, &c.dodatki})
            for (const PlainRow& row : *rows) {
                testsupport::OracleRow o;
                for (const Plain& p : row) o.push_back(toOracle(p));
                tables[rows == &c.producenci ? 0 : 1].second.push_back(o);
            }
        testsupport::jackcessMakeCatalog(path, *c.idType, tables);
        return;
    }
    catalogtest::CatalogRows rows;
    for (const PlainRow& row : c.producenci) {
        rows.infoProducent.emplace_back();
        for (const Plain& p : row) rows.infoProducent.back().push_back(toValue(p));
    }
    for (const PlainRow& row : c.dodatki) {
        rows.dodatki.emplace_back();
        for (const Plain& p : row) rows.dodatki.back().push_back(toValue(p));
    }
    catalogtest::writeCatalog(path, rows);
}

// The destination's columns are Long, Text and Yes/No; anything else is reported as such.
Plain fromValue(const jet::Value& v) {
    switch (v.kind()) {
    case jet::Value::Kind::Null: return null();
    case jet::Value::Kind::Int32: return number(4 * std::int64_t(v.asInt32()));
    case jet::Value::Kind::Text: return text(v.asString());
    case jet::Value::Kind::Bool: return flag(v.asBool());
    default: return {Plain::Type::Other, 0, "kind " + std::to_string(static_cast<int>(v.kind())), false};
    }
}

std::vector<PlainRow> plainRows(const std::string& path, const std::string& table) {
    std::vector<PlainRow> out;
    for (const catalogtest::Row& row : catalogtest::readRows(path, table)) {
        out.emplace_back();
        for (const jet::Value& v : row) out.back().push_back(fromValue(v));
    }
    return out;
}

// ---- The property ----------------------------------------------------------------------------

// Each catalog is made once (a Java run for Jackcess's) and merged in both modes.
void checkCase(const Case& c) {
    const auto producenci = model(c.newCatalog.producenci, c.withOld ? &c.oldCatalog.producenci : nullptr,
                                  c.destination.producenci, kProducenci);
    const auto dodatki = model(c.newCatalog.dodatki, c.withOld ? &c.oldCatalog.dodatki : nullptr, c.destination.dodatki, kDodatki);
    const bool mergeable = producenci && dodatki;
    testsupport::TempDir dir;
    const std::string nw = (dir.path() / "dodatki_new.mdb").string();
    const std::string od = (dir.path() / "dodatki_old.mdb").string();
    writePlainCatalog(nw, c.newCatalog);
    if (c.withOld) writePlainCatalog(od, c.oldCatalog);
    for (bool debug : {true, false}) {
        SCOPED_TRACE(debug ? "debug mode" : "normal mode");
        const std::string dn = (dir.path() / (debug ? "debug.mdb" : "normal.mdb")).string();
        if (c.withDestination) writePlainCatalog(dn, c.destination);
        catalogtest::RecordingLog log;
        catalog::DatabaseComponents components;
        catalog::CatalogMerge merge(log, platform::realFileSystem(), components,
                                  debug ? session::LogLevel::Debug : session::LogLevel::Normal);
        const bool ok = merge.CopyMdb(nw, od, dn);
        ASSERT_EQ(ok, mergeable) << (log.lines.empty() ? "" : log.lines.back().second);
        if (!ok) {
            EXPECT_FALSE(std::filesystem::exists(dn)) << "a failed merge leaves no destination";
            continue;
        }
        EXPECT_EQ(plainRows(dn, "info_producent"), *producenci);
        EXPECT_EQ(plainRows(dn, "Dodatki"), *dodatki);
    }
}

void checkOurSeed(std::uint32_t seed) {
    testsupport::announceSeed("merge property", seed, "LUMOR_MERGE_SEED");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Case c;
    c.newCatalog = randomCatalog(random, "N", true, std::nullopt, 0);
    c.withOld = std::bernoulli_distribution(0.8)(random);
    if (c.withOld) c.oldCatalog = randomCatalog(random, "O", true, std::nullopt, 0);
    c.withDestination = std::bernoulli_distribution(0.15)(random);
    if (c.withDestination) c.destination = randomCatalog(random, "D", false, std::nullopt, 0);
    checkCase(c);
}

void checkTypesSeed(std::uint32_t seed) {
    testsupport::announceSeed("merge property, other ID types", seed, "LUMOR_MERGE_TYPES_SEED");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    static const std::vector<std::optional<JackcessVariant>> types = {
        std::nullopt, JackcessVariant::DecimalId, JackcessVariant::NarrowDecimalId, JackcessVariant::ScaledDecimalId,
        JackcessVariant::DoubleId, JackcessVariant::CurrencyId};
    Case c;
    // Fractions are rare: an ordinary record numbered by one fails the whole merge.
    c.newCatalog = randomCatalog(random, "N", true, pick(random, types), 0.15);
    c.withOld = true;
    c.oldCatalog = randomCatalog(random, "O", true, pick(random, types), 0.15);
    checkCase(c);
}

TEST(MergeProperty, BothSearchWaysWriteWhatTheRulesWrite) {
    if (const auto seed = testsupport::seedFromEnvironment("LUMOR_MERGE_SEED"))
        return checkOurSeed(static_cast<std::uint32_t>(*seed));
    // Fixed seeds keep known cases; fresh ones explore.
    for (std::uint32_t seed = 1; seed <= 20; ++seed) checkOurSeed(seed);
    std::random_device device;
    for (int i = 0; i < 20; ++i) checkOurSeed(device());
}

TEST(MergeProperty, IdsOfOtherNumberTypesMeetByValue) {
    if (const std::string missing = testsupport::jackcessMissing(); !missing.empty())
        GTEST_SKIP() << "Jackcess unavailable, catalogs with other ID types cannot be made: " << missing;
    if (const auto seed = testsupport::seedFromEnvironment("LUMOR_MERGE_TYPES_SEED"))
        return checkTypesSeed(static_cast<std::uint32_t>(*seed));
    for (std::uint32_t seed = 1; seed <= 4; ++seed) checkTypesSeed(seed);
    checkTypesSeed(std::random_device{}());
}

}  // namespace
