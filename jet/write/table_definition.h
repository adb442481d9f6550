// A table definition (TDEF) as the writer needs it: columns, physical and logical indexes,
// usage-map pointers and counters. New tables' definitions are encoded here; a file's
// existing definitions are decoded by the reader (jet/table_definition.h) and taken over.
// The layout is the reader's (doc/jet4-format.md); encoding adds the bytes reading skips:
//
//   header (63 bytes): 0x02 0x01, free u16, next TDEF page u32, length u32, 1625, row count,
//     autonumber, 0x01, zeros, table type @40, max columns @41, variable columns @43,
//     columns @45, logical indexes @47, physical indexes @51, owned map @55, free map @59
//   then: 12 bytes per physical index (0, distinct keys, 0) · 25 bytes per column ·
//     column names · 52 bytes per physical index · 28 bytes per logical index ·
//     logical index names · {column, owned, free} per memo/OLE column · FF FF
// A definition longer than a page continues on further TDEF pages from their byte 8.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "jet/column_type.h"
#include "jet/table_definition.h"
#include "jet/write/page.h"

namespace jet::write {

class PageCache;

struct ColumnDefinition {
    ColumnType type = ColumnType::Text;
    std::string name;  // UTF-8
    std::uint16_t number = 0;
    std::uint16_t varIndex = 0;  // slot of a variable column; for fixed ones the engine's counter
    std::uint16_t numberAgain = 0;
    std::array<std::uint8_t, 4> misc{0x09, 0x04, 0x00, 0x00};  // collation 0x409, version 0
    std::uint8_t flags = kColumnUpdatable;
    std::uint8_t extFlags = 0;  // 0x01: text may be stored compressed
    std::uint16_t fixedOffset = 0;
    std::uint16_t length = 0;  // bytes (text: 2 per character)
    RowAddress longValueOwned, longValueFree;  // memo/OLE only

    bool fixed() const { return flags & kColumnFixed; }
    bool longValue() const { return isLongValue(type); }
};

// An index's columns are the reader's jet::IndexColumn (column number, order).
using jet::IndexColumn;

struct PhysicalIndex {
    std::vector<IndexColumn> columns;
    RowAddress usageMap;
    PageNumber root = 0;
    std::uint8_t flags = kIndexAccess;
    std::uint32_t distinctKeys = 0;
    bool unique() const { return flags & kIndexUnique; }
};

struct LogicalIndex {
    std::string name;
    std::uint32_t number = 0;
    std::uint32_t physical = 0;
    std::uint8_t relatedType = 0;
    std::int32_t relatedIndex = -1;
    std::uint32_t relatedTable = 0;
    std::uint8_t cascadeUpdate = 4;
    std::uint8_t cascadeDelete = 4;
    std::uint8_t type = 0;  // 1 primary key, 2 foreign key
};

struct TableDefinition {
    std::uint8_t tableType = kUserTable;
    std::uint32_t rowCount = 0;
    std::uint32_t autoNumber = 0;
    std::uint16_t maxColumns = 0;
    std::uint16_t varColumns = 0;
    std::vector<ColumnDefinition> columns;  // in stored order
    std::vector<PhysicalIndex> physical;
    std::vector<LogicalIndex> logical;  // in stored order
    RowAddress owned, freeSpace;

    // The column with this number, or nullptr.
    const ColumnDefinition* columnByNumber(std::uint16_t number) const;
    // The column with this name (compared exactly), or nullptr.
    const ColumnDefinition* columnByName(const std::string& name) const;
    // Bytes of the rows' fixed area.
    std::size_t fixedAreaSize() const;
};

// Offsets of the counters the writer keeps up to date.
constexpr std::size_t kTdefRowCount = 16;
constexpr std::size_t kTdefAutoNumber = 20;
constexpr std::size_t kTdefHeader = 63;
inline std::size_t tdefDistinctKeysOffset(std::size_t physicalIndex) {
    return kTdefHeader + 12 * physicalIndex + 4;
}

// The definition's bytes, FF FF included, without page headers or continuation.
std::vector<std::uint8_t> encodeTableDefinition(const TableDefinition& table);
// A definition the reader decoded, as the writer keeps it (the one conversion between the two
// models, in table_definition.cpp). Columns stay in number order.
TableDefinition writableDefinition(const jet::TableDefinition& stored);
// Writes a 32-bit field of the definition that starts at `page`, continuation aware.
void storeTableDefinitionU32(PageCache& cache, PageNumber page, std::size_t offset,
                             std::uint32_t value);

// Lays a definition out on pages: the first page, then continuation pages, each with its
// 8-byte header; `pages` gives the page numbers to use (enough for the length).
std::size_t tableDefinitionPagesNeeded(std::size_t length);
std::vector<Page> layOutTableDefinition(Bytes definition, const std::vector<PageNumber>& pages);

}  // namespace jet::write
