// Merges whose old or new catalog another engine made (Jackcess): the installer's schema, a
// memo `Opis_Produktu` and a counter `ID`, as users' and publishers' catalogs may have. The
// destination is the same as from our own catalogs, every reader reads it alike, and the
// other engine's files stay byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/catalog_merge.h"
#include "catalog/field_value.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/catalog/merge_readers.h"
#include "tests/catalog/recording_log.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/jackcess_oracle.h"
#include "tests/support/test_paths.h"

namespace {

using namespace catalogtest;
using jet::Value;
using testsupport::JackcessVariant;

Value T(const std::string& s) { return Value::text(s); }
Value I(std::int32_t n) { return Value(n); }

testsupport::JackcessTables asJackcess(const CatalogRows& rows) {
    testsupport::JackcessTables tables = {{"info_producent", {}}, {"Dodatki", {}}};
    for (const Row& r : rows.infoProducent) {
        testsupport::OracleRow o;
        for (const Value& v : r) o.push_back(jetwritetest::asMdbReader(v));
        tables[0].second.push_back(o);
    }
    for (const Row& r : rows.dodatki) {
        testsupport::OracleRow o;
        for (const Value& v : r) o.push_back(jetwritetest::asMdbReader(v));
        tables[1].second.push_back(o);
    }
    return tables;
}

const CatalogRows kOld = {
    {producent(T("ABC"), T("stary")), producent(T("abc"), T("DELETE")), producent(T("Ż"), T("Żółw"))},
    {dodatek(I(10), T("stary 10")), dodatek(I(11), T("DELETE")), dodatek(I(12), T("delete")),
     dodatek(I(13), T("stary 13")), dodatek(I(14), Value())}};
const CatalogRows kNew = {
    {producent(T("ABC"), T("nowy")), producent(T("Ż"), T("DELETE")), producent(Value(), T("bez kodu"))},
    {dodatek(I(13), T("nowy 13 — opis ąę")), dodatek(I(10), T("DELETE")), dodatek(I(20), T("nowy 20"))}};

class OtherEngines : public ::testing::TestWithParam<std::tuple<JackcessVariant, bool>> {
protected:
    void SetUp() override {
        if (const std::string missing = testsupport::jackcessMissing(); !missing.empty())
            GTEST_SKIP() << "Jackcess unavailable, catalogs of another engine cannot be made: " << missing;
    }
    bool merge(const std::string& dn) {
        catalog::DatabaseComponents components;
        catalog::CatalogMerge m(log, platform::realFileSystem(), components, session::LogLevel::Normal);
        return m.CopyMdb(nw, od, dn);
    }
    testsupport::TempDir dir;
    std::string nw = (dir.path() / "dodatki_new.mdb").string();
    std::string od = (dir.path() / "dodatki_old.mdb").string();
    RecordingLog log;
};

TEST_P(OtherEngines, MergeAsFromOurOwnCatalogsAndEveryReaderAgrees) {
    const auto [variant, oldIsOthers] = GetParam();
    // The reference: the same rows in catalogs of our writer.
    writeCatalog(nw, kNew);
    writeCatalog(od, kOld);
    const std::string reference = (dir.path() / "reference.mdb").string();
    ASSERT_TRUE(merge(reference));
    std::filesystem::remove(oldIsOthers ? od : nw);
    testsupport::jackcessMakeCatalog(oldIsOthers ? od : nw, variant, asJackcess(oldIsOthers ? kOld : kNew));
    const auto before = std::make_pair(fileChecksum(nw), fileChecksum(od));

    const std::string dn = (dir.path() / "dodatki.mdb").string();
    ASSERT_TRUE(merge(dn)) << (log.lines.empty() ? "" : log.lines.back().second);
    EXPECT_EQ(before, std::make_pair(fileChecksum(nw), fileChecksum(od)));
    const CatalogRows got = readCatalog(dn), want = readCatalog(reference);
    EXPECT_EQ(got.infoProducent, want.infoProducent);
    EXPECT_EQ(got.dodatki, want.dodatki);
    EXPECT_EQ(got.dodatki.size(), 4u);  // 12 "delete", 13 new, 14, 20
    expectEveryReaderReads(dn);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogs, OtherEngines,
    ::testing::Combine(::testing::Values(JackcessVariant::Plain, JackcessVariant::MemoDescription,
                                         JackcessVariant::CounterId),
                       ::testing::Bool()),
    [](const auto& param) {
        const JackcessVariant v = std::get<0>(param.param);
        return std::string(v == JackcessVariant::Plain ? "Plain" : v == JackcessVariant::MemoDescription ? "MemoOpis" : "CounterId") +
               (std::get<1>(param.param) ? "Old" : "New");
    });

}  // namespace
