// The engine's messages word for word: they are joined from pieces out of line (numbers
// through platform::DecimalPiece), and traces and the damaged-file reports quote them as they are.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "jet/byte_codec.h"
#include "jet/data_page.h"
#include "jet/database_header.h"
#include "jet/jet_error.h"
#include "jet/long_value.h"
#include "jet/page_file.h"
#include "platform/decimal_piece.h"
#include "tests/support/test_paths.h"

namespace {

std::string digits(std::uint64_t n) { return std::string(std::string_view(platform::DecimalPiece(n))); }

template <typename Error, typename Action>
std::string messageOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(ErrorMessageTest, DigitsSpellNumbersLikeToString) {
    for (std::uint64_t n : {std::uint64_t(0), std::uint64_t(7), std::uint64_t(10), std::uint64_t(4096),
                            std::uint64_t(0xFFFFFFFFu), std::numeric_limits<std::uint64_t>::max()})
        EXPECT_EQ(digits(n), std::to_string(n));
}

TEST(ErrorMessageTest, JetErrorsNameFilePageAndTable) {
    const jet::JetError onPage("a.mdb", 17u, "usage map row too short");
    EXPECT_STREQ(onPage.what(), "a.mdb, page 17: usage map row too short");
    EXPECT_EQ(onPage.page(), 17u);
    EXPECT_EQ(onPage.detail(), "usage map row too short");

    const jet::JetError inTable(jet::JetFault::NoSuchTable, "a.mdb", "Dodatki", "no such table");
    EXPECT_STREQ(inTable.what(), "a.mdb, table Dodatki: no such table");
    EXPECT_EQ(inTable.table(), "Dodatki");
    EXPECT_EQ(inTable.page(), jet::JetError::kNoPage);

    const auto system = jet::JetError::system(jet::JetFault::CannotWrite, "a.mdb", "cannot flush", "disk full");
    EXPECT_STREQ(system.what(), "a.mdb: cannot flush: disk full");
    EXPECT_EQ(system.systemReason(), "disk full");
    EXPECT_EQ(system.detail(), "cannot flush: disk full");

    const auto column = jet::JetError::noSuchColumn("a.mdb", "Dodatki", "Kod");
    EXPECT_STREQ(column.what(), "a.mdb, table Dodatki: no column named Kod");
    EXPECT_EQ(column.column(), "Kod");
    EXPECT_EQ(column.fault(), jet::JetFault::NoSuchColumn);

    EXPECT_EQ(messageOf<jet::JetError>([] { jet::throwJetError(jet::JetFault::NotJet4, "a.mdb", {"x ", "y"}); }),
              "a.mdb: x y");
    EXPECT_EQ(messageOf<jet::JetError>([] { jet::throwJetError("a.mdb", 3u, "loop"); }), "a.mdb, page 3: loop");
}

TEST(ErrorMessageTest, DecodersSayWhereTheBytesEnd) {
    const std::vector<std::uint8_t> six(6);
    EXPECT_EQ(messageOf<jet::TruncatedData>([&] { (void)jet::loadU32(six, 4); }),
              "field of 4 bytes at offset 4 runs past the end (6 bytes)");

    std::vector<std::uint8_t> page(jet::kPageSize);
    page[jet::kDataPageRowCountOffset] = 2;
    EXPECT_EQ(messageOf<jet::TruncatedData>([&] { (void)jet::rowSlot(page, 3); }), "row 3 is not on the page (2 rows)");
    page[jet::kDataPageHeaderSize] = 0x10;  // row 0 starts inside the offset table
    EXPECT_EQ(messageOf<jet::TruncatedData>([&] { (void)jet::rowSlot(page, 0); }),
              "row 0 has bounds 16..4096 outside the page's row area");
    page[jet::kDataPageRowCountOffset] = 0xFF;
    page[jet::kDataPageRowCountOffset + 1] = 0x07;
    EXPECT_EQ(messageOf<jet::TruncatedData>([&] { (void)jet::rowCount(page); }),
              "row-offset table of 2047 entries does not fit in the page");
}

TEST(ErrorMessageTest, OtherEngineVersionsAreNamed) {
    std::vector<std::uint8_t> page0(jet::kPageSize);
    page0[1] = 0x01;
    std::memcpy(page0.data() + 4, "Standard Jet DB", 15);
    page0[0x14] = 2;
    EXPECT_EQ(messageOf<jet::JetError>([&] { (void)jet::readDatabaseHeader(page0, "v.mdb"); }),
              "v.mdb: engine version 2 is not Jet 4; only Access 2000-2003 files are supported");
}

// A long value whose chain of rows comes back to its first row is refused, whichever way the
// links run, instead of being read forever.
TEST(ErrorMessageTest, LongValueChainThatLoopsIsRefused) {
    const std::string text =
        testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / "jackcess/delColTestV2000.mdb");
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    const auto chainPage = static_cast<std::uint32_t>(bytes.size() / jet::kPageSize);
    // A data page of three chain rows, each a 4-byte link and 4 bytes of data: 0 -> 2 -> 1 -> 0.
    std::vector<std::uint8_t> page(jet::kPageSize);
    page[0] = 0x01;
    page[jet::kDataPageRowCountOffset] = 3;
    const std::uint8_t next[] = {2, 0, 1};
    for (std::uint8_t row = 0; row < 3; ++row) {
        const std::size_t start = jet::kPageSize - 8 * (row + 1u);
        jet::storeU16(page, jet::kDataPageHeaderSize + 2 * row, static_cast<std::uint16_t>(start));
        jet::storeU32(page, start, jet::RowPointer{chainPage, next[row]}.encode());
    }
    bytes.insert(bytes.end(), page.begin(), page.end());
    jet::PageFile file(jet::memorySource(bytes, "chain.mdb"));

    std::vector<std::uint8_t> field(jet::kLongValueReferenceSize);
    jet::storeU32(field, 0, 100);  // more bytes than the three rows hold
    jet::storeU32(field, 4, jet::RowPointer{chainPage, 0}.encode());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(messageOf<jet::JetError>([&] { jet::readLongValue(file, field, 5, out); }),
              "chain.mdb, page " + std::to_string(chainPage) + ": long-value chain loops back on itself");

    jet::storeU32(field, 0, 12);  // exactly what the three rows hold
    jet::readLongValue(file, field, 5, out);
    EXPECT_EQ(out.size(), 12u);
}

}  // namespace
