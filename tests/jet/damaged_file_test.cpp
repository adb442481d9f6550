// Refused and damaged files: every engine we do not read is named, every damage is a JetError
// naming the file (and page or table), and nothing in a file can make a scan loop or crash.
#include <gtest/gtest.h>

#include <functional>

#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/jet_error.h"
#include "tests/support/test_paths.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes corpusFile(const char* relative) {
    std::string text = testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / relative);
    return Bytes(text.begin(), text.end());
}

jet::Database openBytes(Bytes bytes) {
    return jet::Database(jet::memorySource(std::move(bytes), "damaged.mdb"));
}

std::size_t countRows(jet::Database& database, const std::string& table) {
    std::size_t rows = 0;
    jet::RowCursor cursor = database.table(table).rows();
    while (cursor.next()) ++rows;
    return rows;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const jet::JetError& error) {
        return error.what();
    }
    return "(no error)";
}

// Table1 of this file has 2 rows on one data page and a one-page definition.
constexpr const char* kFile = "jackcess/delColTestV2000.mdb";

struct Layout {
    std::uint32_t definitionPage;
    jet::RowPointer firstRow;
};

Layout layoutOf(const Bytes& bytes) {
    jet::Database database = openBytes(bytes);
    Layout layout{database.findTable("Table1")->definitionPage, {}};
    jet::RowCursor cursor = database.table("Table1").rows();
    EXPECT_TRUE(cursor.next());
    layout.firstRow = cursor.position();
    return layout;
}

void setU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(DamagedFileTest, OtherEnginesAndDamagedHeadersAreRefusedByName) {
    Bytes jet4 = corpusFile("jackcess/empty.mdb");
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* message;
    };
    const Case cases[] = {
        {"Jet 3 file", [](Bytes& b) { b = corpusFile("jet3-negative/testV1997.mdb"); }, "a Jet 3 database"},
        {"ACE signature", [](Bytes& b) { std::memcpy(&b[4], "Standard ACE DB", 15); }, "Access 2007 or later"},
        {"ACE version byte", [](Bytes& b) { b[0x14] = 2; }, "engine version 2 is not Jet 4"},
        {"encoded pages",
         [](Bytes& b) {
             jet::toggleHeaderMask(b);
             setU32(b, 0x3E, 0x1234);
             jet::toggleHeaderMask(b);
         },
         "pages are encrypted"},
        {"short file", [](Bytes& b) { b.resize(100); }, "shorter than one 4096-byte page"},
        {"no signature", [](Bytes& b) { b[5] = 'X'; }, "no Jet signature"},
    };
    for (const auto& c : cases) {
        Bytes bytes = jet4;
        c.damage(bytes);
        std::string message = errorOf([&] { openBytes(bytes); });
        EXPECT_NE(message.find("damaged.mdb: "), std::string::npos) << c.name << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
    }
}

TEST(DamagedFileTest, RowsAreCountedByScanningNotFromTheDefinition) {
    Bytes bytes = corpusFile(kFile);
    Layout layout = layoutOf(bytes);
    setU32(bytes, layout.definitionPage * jet::kPageSize + 16, 999);  // stale recorded count
    jet::Database database = openBytes(bytes);
    EXPECT_EQ(database.table("Table1").definition().storedRowCount, 999u);
    EXPECT_EQ(countRows(database, "Table1"), 2u);
}

TEST(DamagedFileTest, DeletedRowIsSkipped) {
    Bytes bytes = corpusFile(kFile);
    Layout layout = layoutOf(bytes);
    std::size_t entry = layout.firstRow.page * jet::kPageSize + 14 + 2 * layout.firstRow.row;
    bytes[entry + 1] |= 0xC0;
    jet::Database database = openBytes(bytes);
    EXPECT_EQ(countRows(database, "Table1"), 1u);
}

TEST(DamagedFileTest, DamagedPointersGiveErrorsNamingTheTableOrPage) {
    Bytes original = corpusFile(kFile);
    Layout layout = layoutOf(original);
    const std::size_t tdef = layout.definitionPage * jet::kPageSize;
    const std::size_t slot = layout.firstRow.page * jet::kPageSize + 14 + 2 * layout.firstRow.row;
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        std::string message;
    };
    const Case cases[] = {
        {"definition chain loops", [&](Bytes& b) { setU32(b, tdef + 4, layout.definitionPage); },
         "table Table1: page " + std::to_string(layout.definitionPage) + ": table definition pages form a loop"},
        {"definition continues outside the file", [&](Bytes& b) { setU32(b, tdef + 4, 0xFFFFFF); },
         "page number outside the file"},
        {"definition page of another type", [&](Bytes& b) { b[tdef] = 0x01; }, "expected a table definition page"},
        {"columns run past the definition", [&](Bytes& b) { b[tdef + 45] = 0xFF; }, "damaged table definition"},
        {"row starts inside the page header",
         [&](Bytes& b) {
             b[slot] = 5;
             b[slot + 1] = 0;
         },
         "damaged data page"},
        {"row shorter than its null mask",
         [&](Bytes& b) {
             // The row's column count claims far more columns than the row has bytes for.
             std::size_t start = layout.firstRow.page * jet::kPageSize + (jet::loadU16(b, slot - 0) & 0x1FFF);
             b[start] = 0xFF;
             b[start + 1] = 0x7F;
         },
         "damaged row"},
    };
    for (const auto& c : cases) {
        Bytes bytes = original;
        c.damage(bytes);
        std::string message = errorOf([&] {
            jet::Database database = openBytes(bytes);
            countRows(database, "Table1");
        });
        EXPECT_NE(message.find("damaged.mdb"), std::string::npos) << c.name << ": " << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
    }
}

// Entry counts beyond the definition's bytes: the error names the first entry that is
// missing, whatever the count claims (the entries are not read one by one into a vector).
TEST(DamagedFileTest, CountsBeyondTheDefinitionNameTheFirstMissingEntry) {
    Bytes original = corpusFile(kFile);
    const std::size_t tdef = layoutOf(original).definitionPage * jet::kPageSize;
    ASSERT_EQ(jet::loadU32(original, tdef + 4), 0u) << "the definition is one page";
    const std::size_t realIndexes = jet::loadU32(original, tdef + 51);
    const std::size_t columnsAt = 63 + 12 * realIndexes;
    const auto firstMissing = [](std::size_t at, std::size_t size) {
        return at + (jet::kPageSize - at) / size * size;
    };
    struct Case {
        const char* name;
        std::size_t countAt;
        std::uint32_t count;
        std::size_t entrySize;
        std::size_t missingAt;
    };
    const Case cases[] = {
        {"columns", 45, 0xFFFF, 25, firstMissing(columnsAt, 25)},
        {"physical indexes", 51, 0xFFFFFFFF, 12, firstMissing(63, 12)},
        {"one column too many", 45, std::uint32_t((jet::kPageSize - columnsAt) / 25 + 1), 25, firstMissing(columnsAt, 25)},
    };
    for (const auto& c : cases) {
        Bytes bytes = original;
        if (c.countAt == 45) {
            bytes[tdef + 45] = static_cast<std::uint8_t>(c.count);
            bytes[tdef + 46] = static_cast<std::uint8_t>(c.count >> 8);
        } else {
            setU32(bytes, tdef + c.countAt, c.count);
        }
        const std::string message = errorOf([&] { openBytes(bytes).table("Table1"); });
        const std::string expected = "damaged table definition: field of " + std::to_string(c.entrySize) +
                                     " bytes at offset " + std::to_string(c.missingAt) +
                                     " runs past the end (4096 bytes)";
        EXPECT_NE(message.find(expected), std::string::npos) << c.name << ": " << message;
    }
}

TEST(DamagedFileTest, VariableFieldEndingInsideTheOffsetTableIsRefused) {
    Bytes bytes = corpusFile(kFile);
    Layout layout = layoutOf(bytes);
    const std::size_t page = layout.firstRow.page * jet::kPageSize;
    const std::size_t slot = page + 14 + 2 * layout.firstRow.row;
    // A row runs from its offset to the previous row's (the page's end for the first).
    const std::size_t rowStart = page + (jet::loadU16(bytes, slot) & 0x1FFF);
    const std::size_t rowEnd = layout.firstRow.row == 0 ? page + jet::kPageSize
                                                        : page + (jet::loadU16(bytes, slot - 2) & 0x1FFF);
    const std::size_t maskSize = (jet::loadU16(bytes, rowStart) + 7) / 8;
    const std::size_t trailer = rowEnd - maskSize;
    const std::size_t varCount = jet::loadU16(bytes, trailer - 2);
    ASSERT_GT(varCount, 0u);
    // The end-of-data offset, the last field's end, moved 2 bytes into the offset table it
    // heads: the field would read offsets as its text.
    const std::size_t eod = trailer - 4 - 2 * varCount;
    const std::size_t inside = eod - rowStart + 2;
    bytes[eod] = static_cast<std::uint8_t>(inside);
    bytes[eod + 1] = static_cast<std::uint8_t>(inside >> 8);
    const std::string message = errorOf([&] {
        jet::Database database = openBytes(bytes);
        jet::RowCursor cursor = database.table("Table1").rows();
        while (cursor.next()) cursor.values();
    });
    EXPECT_NE(message.find("damaged row"), std::string::npos) << message;
    EXPECT_NE(message.find("has bounds"), std::string::npos) << message;
}

// Every byte of the catalogue's definition, the table's definition and its data page, set to
// 0x00 or 0xFF in turn: reading everything must end, either with rows or with a JetError.
TEST(DamagedFileTest, AnySingleDamagedByteEndsInRowsOrJetError) {
    Bytes original = corpusFile(kFile);
    Layout layout = layoutOf(original);
    std::size_t opened = 0, refused = 0;
    for (std::uint32_t page : {jet::kCatalogPage, layout.definitionPage, layout.firstRow.page}) {
        for (std::size_t offset = 0; offset < jet::kPageSize; offset += 3) {
            for (std::uint8_t fill : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
                Bytes bytes = original;
                bytes[page * jet::kPageSize + offset] = fill;
                try {
                    jet::Database database = openBytes(bytes);
                    for (const auto& name : database.tableNames(true)) {
                        try {
                            countRows(database, name);
                        } catch (const jet::JetError&) {
                            ++refused;
                        }
                    }
                    ++opened;
                } catch (const jet::JetError&) {
                    ++refused;
                }
            }
        }
    }
    EXPECT_GT(opened, 0u);
    EXPECT_GT(refused, 0u);
}

}  // namespace
