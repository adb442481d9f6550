// CopyMdb and the two table merges: what reaches the destination, in which order, with which
// log lines; failures that delete the destination; the new and old catalogs left untouched.
// Result cases run both ways (record-by-record searches in debug mode, hash indexes otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalog/catalog_merge.h"
#include "catalog/connection.h"
#include "catalog/field_value.h"
#include "catalog/table.h"
#include "jet/write/database_writer.h"
#include "tests/catalog/merge_catalogs.h"
#include "tests/catalog/merge_readers.h"
#include "tests/catalog/recording_log.h"
#include "tests/support/test_paths.h"

namespace {

using namespace catalogtest;
using jet::Value;

Value T(const std::string& s) { return Value::text(s); }
Value I(std::int32_t n) { return Value(n); }

std::vector<std::string> keys(const std::vector<Row>& rows) {
    std::vector<std::string> out;
    for (const Row& r : rows) out.push_back(catalog::valueAsText(r[0]) + ":" + catalog::valueAsText(r[r.size() == 9 ? 1 : 4]));
    return out;
}

class Merge : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string nw = (dir.path() / "dodatki_new.mdb").string();
    std::string od = (dir.path() / "dodatki_old.mdb").string();
    std::string dn = (dir.path() / "dodatki.mdb").string();

    bool merge(bool debug) {
        catalog::CatalogMerge m(log, platform::realFileSystem(), components,
                                  debug ? session::LogLevel::Debug : session::LogLevel::Normal);
        const bool ok = m.CopyMdb(nw, od, dn);
        producentCounts = m.infoProducentCounts();
        dodatkiCounts = m.dodatkiCounts();
        // Normal mode's destinations are cross-read; the property test holds debug mode's to them.
        if (ok && !debug) expectEveryReaderReads(dn);
        return ok;
    }
    std::vector<std::string> level(std::int32_t lvl) const {
        std::vector<std::string> out;
        for (const auto& [l, t] : log.lines)
            if (l == lvl) out.push_back(t);
        return out;
    }
    bool logged(const std::string& text) const {
        return std::any_of(log.lines.begin(), log.lines.end(), [&](const auto& l) { return l.second == text; });
    }

    RecordingLog log;
    catalog::DatabaseComponents components;
    catalog::TableMergeCounts producentCounts, dodatkiCounts;
};

class MergeBothWays : public Merge, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(Searches, MergeBothWays, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Debug" : "Normal"; });

TEST_P(MergeBothWays, NewWinsOldStaysMarkersRemoveInTheDocumentedOrder) {
    writeCatalog(od, {{producent(T("A"), T("stary A")), producent(T("B"), T("DELETE")), producent(T("C"), T("stary C")),
                       producent(T("A"), T("drugi A")), producent(T("D"), T("stary D")), producent(T("abc"), T("x"))},
                      {dodatek(I(1), T("stary 1")), dodatek(I(2), T("DELETE")), dodatek(I(3), T("stary 3")),
                       dodatek(I(4), T("delete")), dodatek(I(5), T("stary 5")), dodatek(I(6), T("stary 6"))}});
    writeCatalog(nw, {{producent(T("C"), T("DELETE")), producent(T("A"), T("nowy A")), producent(T("E"), T("DELETE")),
                       producent(T("D"), T("DELETE")), producent(T("D"), T("nowy D")), producent(T("ABC"), T("y")),
                       producent(T("F"), Value()), producent(T("F"), T("drugi F"))},
                      {dodatek(I(5), T("DELETE")), dodatek(I(3), T("nowy 3")), dodatek(I(7), T("nowy 7")),
                       dodatek(I(8), T("DELETE")), dodatek(I(9), Value())}});
    ASSERT_TRUE(merge(GetParam())) << (log.lines.empty() ? "" : log.lines.back().second);

    const CatalogRows out = readCatalog(dn);
    // Old pass: A twice with the new values, B carried (old "DELETE" in this table is no marker),
    // C removed by the new marker, D removed (its first match is the marker); then the new pass.
    EXPECT_EQ(keys(out.infoProducent), (std::vector<std::string>{"A:nowy A", "B:DELETE", "A:nowy A", "abc:x",
                                                                  "D:nowy D", "ABC:y", "F:"}));
    EXPECT_EQ(out.infoProducent[0], producent(T("A"), T("nowy A")));
    // Old pass: 1 kept, 2 dropped (own name), 3 new values, "delete" kept, 5 removed, 6 kept.
    EXPECT_EQ(keys(out.dodatki), (std::vector<std::string>{"1:stary 1", "3:nowy 3", "4:delete", "6:stary 6",
                                                            "7:nowy 7", "9:"}));
    EXPECT_EQ(out.dodatki[1], dodatek(I(3), T("nowy 3")));
    EXPECT_TRUE(out.dodatki[5][4].isNull());

    EXPECT_EQ(dodatkiCounts.written, 6u);
    EXPECT_EQ(dodatkiCounts.fromNew, 3u);
    EXPECT_EQ(dodatkiCounts.keptFromOld, 3u);
    EXPECT_EQ(dodatkiCounts.removedByMarkers, 2u);
    EXPECT_EQ(producentCounts.removedByMarkers, 2u);
    EXPECT_TRUE(level(1).empty());
}

TEST_P(MergeBothWays, FirstInstallationTakesTheNewCatalogWithoutMarkersAndRepeats) {
    writeCatalog(nw, {{producent(T("A"), T("1")), producent(T("A"), T("2")), producent(T("B"), T("DELETE"))},
                      {dodatek(I(2), T("dwa")), dodatek(I(1), T("DELETE")), dodatek(I(3), T("trzy"))}});
    ASSERT_TRUE(merge(GetParam()));
    const CatalogRows out = readCatalog(dn);
    EXPECT_EQ(keys(out.infoProducent), (std::vector<std::string>{"A:1"}));
    EXPECT_EQ(keys(out.dodatki), (std::vector<std::string>{"2:dwa", "3:trzy"}));
    EXPECT_FALSE(logged("Tworzymy połączenie do " + od));
}

TEST_P(MergeBothWays, EmptyNewTablesCarryTheOldCatalogOver) {
    writeCatalog(od, {{producent(T("A"), T("DELETE"))}, {dodatek(I(1), T("DELETE")), dodatek(I(2), T("x"))}});
    writeCatalog(nw, {});
    ASSERT_TRUE(merge(GetParam()));
    const CatalogRows out = readCatalog(dn);
    EXPECT_EQ(keys(out.infoProducent), (std::vector<std::string>{"A:DELETE"}));
    EXPECT_EQ(keys(out.dodatki), (std::vector<std::string>{"2:x"}));
}

TEST_P(MergeBothWays, AnExistingDestinationIsAddedToAndItsKeysCount) {
    writeCatalog(dn, {{producent(T("A"), T("już"))}, {dodatek(I(1), T("już"))}});
    writeCatalog(nw, {{producent(T("A"), T("nowy")), producent(T("B"), T("nowy"))},
                      {dodatek(I(1), T("nowy")), dodatek(I(2), T("nowy"))}});
    ASSERT_TRUE(merge(GetParam()));
    const CatalogRows out = readCatalog(dn);
    EXPECT_EQ(keys(out.infoProducent), (std::vector<std::string>{"A:już", "B:nowy"}));
    EXPECT_EQ(keys(out.dodatki), (std::vector<std::string>{"1:już", "2:nowy"}));
    EXPECT_FALSE(logged("Brak pliku docelowego. Tworzymy nowy."));
}

TEST_P(MergeBothWays, AnIdTheDestinationHoldsFailsTheMergeAndDeletesIt) {
    writeCatalog(dn, {{}, {dodatek(I(1), T("już"))}});
    writeCatalog(od, {{}, {dodatek(I(1), T("stary"))}});
    writeCatalog(nw, {});
    const auto before = std::make_pair(fileChecksum(nw), fileChecksum(od));
    EXPECT_FALSE(merge(GetParam()));
    ASSERT_EQ(level(1).size(), 1u);
    EXPECT_NE(level(1)[0].find("Primary"), std::string::npos) << level(1)[0];
    EXPECT_FALSE(std::filesystem::exists(dn));
    EXPECT_EQ(before, std::make_pair(fileChecksum(nw), fileChecksum(od)));
}

TEST_P(MergeBothWays, AValueTooLongForTheDestinationIsRefusedNamingTableColumnKeyAndLength) {
    // A publisher's catalog with wider columns than the installer's schema gives.
    Row maker = producent(T("LONG"), T("n"));
    maker[2] = T(std::string(60, 'u'));
    struct Case {
        CatalogRows rows;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases = {
        {{{}, {dodatek(I(42), T(std::string(101, 'x')))}}, {"`Dodatki`", "`Nazwa`", "ID = 42", "101", "100"}},
        {{{maker}, {}}, {"`info_producent`", "`Ulica`", "`LONG`", "60", "50"}},
    };
    for (const Case& c : cases) {
        log.lines.clear();
        // Creating a catalog never replaces a file, so each case starts without them.
        std::filesystem::remove(std::filesystem::path(nw));
        std::filesystem::remove(std::filesystem::path(od));
        writeCatalog(nw, {});
        writeWideCatalog(od, c.rows);
        const std::uint64_t before = fileChecksum(od);
        EXPECT_FALSE(merge(GetParam()));
        ASSERT_EQ(level(1).size(), 1u);
        for (const auto& mention : c.mentions)
            EXPECT_NE(level(1)[0].find(mention), std::string::npos) << level(1)[0] << " lacks " << mention;
        EXPECT_FALSE(std::filesystem::exists(dn));
        EXPECT_EQ(fileChecksum(od), before);
    }
}

TEST_F(Merge, DebugModeTracesEverySearchFromTheFirstRecord) {
    writeCatalog(od, {{producent(T("B"), T("b")), producent(T("A"), T("a"))}, {dodatek(I(2), T("dwa"))}});
    writeCatalog(nw, {{producent(T("A"), T("nowy")), producent(Value(), T("bez kodu")), producent(T("C"), T("DELETE"))},
                      {dodatek(I(2), T("nowe dwa")), dodatek(I(3), T("DELETE"))}});
    ASSERT_TRUE(merge(true));
    std::vector<std::string> trace = level(2);
    // From the first connection on; MDBCreate's own lines come before.
    trace.erase(trace.begin(), std::find(trace.begin(), trace.end(), "Znaleniono oba istniejące pliki z dazą danych."));
    EXPECT_EQ(trace, (std::vector<std::string>{
                         "Znaleniono oba istniejące pliki z dazą danych.",
                         "Tworzymy połączenie do " + dn,
                         "Tworzymy połączenie do " + od,
                         "Tworzymy połączenie do " + nw,
                         "[B] : b",
                         "A : B",
                         " : B",
                         "C : B",
                         "[A] : a",
                         "A : A",
                         "Przenosimy z dodatki_new.mdb",
                         "[NW] A",
                         "[DN] B",
                         "[DN] A",
                         "[NW] ",
                         "[DN] B",
                         "[DN] A",
                         "[NW] C",
                         "[2] : dwa",
                         "2 : 2",
                         "Przenosimy dodatki z dodatki_new.mdb",
                         "[NW] 2 : nowe dwa - dopisano",
                         "[DN] 2",
                         "Poprawnie przeniesiono dane.",
                     }));
    EXPECT_EQ(keys(readRows(dn, "info_producent")), (std::vector<std::string>{"B:b", "A:nowy", ":bez kodu"}));
}

TEST_F(Merge, NormalModeWritesNoTraceLineOfTheMerge) {
    writeCatalog(od, {{producent(T("A"), T("a"))}, {dodatek(I(1), T("x"))}});
    writeCatalog(nw, {{producent(T("A"), T("b"))}, {dodatek(I(1), T("y"))}});
    ASSERT_TRUE(merge(false));
    EXPECT_EQ(level(2).back(), "Poprawnie przeniesiono dane.");
    for (const auto& line : level(2)) EXPECT_EQ(line.find("["), std::string::npos) << line;
}

TEST_F(Merge, SuccessReleasesEverySlotAndLeavesTheSourcesByteForByte) {
    writeCatalog(od, {{producent(T("A"), T("a"))}, {dodatek(I(1), T("x")), dodatek(I(2), T("DELETE"))}});
    writeCatalog(nw, {{producent(T("A"), T("DELETE"))}, {dodatek(I(1), T("y")), dodatek(I(3), T("z"))}});
    const auto before = std::make_pair(fileChecksum(nw), fileChecksum(od));
    const auto times = std::make_pair(std::filesystem::last_write_time(nw), std::filesystem::last_write_time(od));
    ASSERT_TRUE(merge(false));
    EXPECT_EQ(before, std::make_pair(fileChecksum(nw), fileChecksum(od)));
    EXPECT_EQ(times, std::make_pair(std::filesystem::last_write_time(nw), std::filesystem::last_write_time(od)));
    EXPECT_FALSE(components.DNconnection || components.NWconnection || components.ODConnection);
    EXPECT_FALSE(components.DNTable || components.NWTable || components.ODTable);
    // Nothing holds the files: the install transaction renames and deletes them next.
    std::filesystem::rename(dn, dn + ".moved");
    std::filesystem::remove(nw);
    std::filesystem::remove(od);
}

TEST_F(Merge, AMissingNewCatalogLeavesTheEmptyDestination) {
    EXPECT_FALSE(merge(false));
    EXPECT_EQ(level(1), (std::vector<std::string>{"Brak pliku: " + nw}));
    ASSERT_TRUE(std::filesystem::exists(dn));
    EXPECT_TRUE(readRows(dn, "Dodatki").empty());
    EXPECT_FALSE(components.DNconnection);
}

TEST_F(Merge, AMissingColumnFailsWithTheMessageClosesEverythingAndDeletesTheDestination) {
    writeCatalog(od, {{producent(T("A"), T("a"))}, {}});
    {
        auto db = jet::write::DatabaseWriter::create(platform::realFileSystem(), nw);
        db->createTable({"info_producent", {{"Producent", jet::ColumnType::Text, 50}, {"Nazwa", jet::ColumnType::Text, 50}}, std::nullopt});
        db->close();
    }
    const auto before = std::make_pair(fileChecksum(nw), fileChecksum(od));
    EXPECT_FALSE(merge(true));
    ASSERT_EQ(level(1).size(), 1u);
    EXPECT_NE(level(1)[0].find("`Ulica`"), std::string::npos) << level(1)[0];
    EXPECT_NE(level(1)[0].find("`info_producent`"), std::string::npos) << level(1)[0];
    EXPECT_FALSE(std::filesystem::exists(dn));
    EXPECT_EQ(before, std::make_pair(fileChecksum(nw), fileChecksum(od)));
    for (const auto* c : {&components.DNconnection, &components.NWconnection, &components.ODConnection})
        if (*c) {
            EXPECT_FALSE((*c)->connected());
        }
    for (const auto* t : {&components.DNTable, &components.NWTable, &components.ODTable})
        if (*t) {
            EXPECT_FALSE((*t)->active());
        }
}

TEST_F(Merge, ADamagedOldCatalogFailsTheMergeAndStaysAsItWas) {
    writeCatalog(nw, {{producent(T("A"), T("a"))}, {}});
    testsupport::writeFile(od, std::string(4096, '\x5a'));
    EXPECT_FALSE(merge(false));
    ASSERT_EQ(level(1).size(), 1u);
    EXPECT_NE(level(1)[0].find(od), std::string::npos) << level(1)[0];
    EXPECT_EQ(testsupport::readFile(od), std::string(4096, '\x5a'));
    EXPECT_FALSE(std::filesystem::exists(dn));
}

}  // namespace
