// A table's definition (TDEF): its columns, physical and logical indexes, row counters and
// the row pointers of its usage maps, read from the chain of definition pages. Columns come
// sorted by column number, as every reader presents them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/column_type.h"
#include "jet/page_file.h"

namespace jet {

// Column descriptor flags (byte 15). The engine sets 0x10 on system tables' columns and
// 0x20 on the owner SID columns.
constexpr std::uint8_t kColumnFixed = 0x01;
constexpr std::uint8_t kColumnUpdatable = 0x02;
constexpr std::uint8_t kColumnAutoNumber = 0x04;
constexpr std::uint8_t kColumnReplication = 0x10;
constexpr std::uint8_t kColumnOwnerSid = 0x20;
constexpr std::uint8_t kColumnAutoGuid = 0x40;
constexpr std::uint8_t kColumnHyperlink = 0x80;
// Extended flags (byte 16).
constexpr std::uint8_t kColumnCompressedUnicode = 0x01;

// Physical index flags (byte 46 of its entry).
constexpr std::uint8_t kIndexUnique = 0x01;
constexpr std::uint8_t kIndexIgnoreNulls = 0x02;
constexpr std::uint8_t kIndexRequired = 0x08;
constexpr std::uint8_t kIndexAccess = 0x80;  // set on every index the engine makes

// Table types (byte 40 of the definition).
constexpr std::uint8_t kUserTable = 0x4E;    // 'N'
constexpr std::uint8_t kSystemTable = 0x53;  // 'S'

struct Column {
    std::string name;
    ColumnType type = ColumnType::Binary;
    std::uint8_t typeCode = 0;       // as stored, also for types no Jet 4 file should hold
    std::uint16_t number = 0;        // col_num: null-mask bit, what indexes refer to
    std::uint16_t varIndex = 0;      // position in the var table (variable columns)
    std::uint16_t fixedOffset = 0;   // position in the fixed area (fixed columns)
    std::uint16_t length = 0;        // bytes; text: 2 x characters
    std::uint8_t flags = 0;
    std::uint8_t extendedFlags = 0;
    std::uint16_t collation = 0;     // text and memo: LCID
    std::uint8_t precision = 0;      // numeric
    std::uint8_t scale = 0;          // numeric

    bool isFixed() const { return flags & kColumnFixed; }
    bool isAutoNumber() const { return flags & kColumnAutoNumber; }
    bool isAutoGuid() const { return flags & kColumnAutoGuid; }
    bool compressedUnicode() const { return extendedFlags & kColumnCompressedUnicode; }
};

struct IndexColumn {
    std::uint16_t columnNumber = 0;
    bool ascending = true;
};

// Physical index ("index data"): what is stored in index pages.
struct PhysicalIndex {
    std::vector<IndexColumn> columns;
    std::uint32_t usageMap = 0;  // row pointer
    std::uint32_t rootPage = 0;
    std::uint8_t flags = 0;      // 0x01 unique, 0x02 ignore nulls, 0x08 required
    std::uint32_t entryCount = 0;
    std::uint32_t uniqueEntryCount = 0;
};

enum class IndexKind { Normal, PrimaryKey, ForeignKey };

// Logical index: a named index as Access shows it; several may share one physical index.
struct Index {
    std::string name;
    std::uint32_t number = 0;
    std::uint32_t physicalIndex = 0;  // into TableDefinition::physicalIndexes
    IndexKind kind = IndexKind::Normal;
    std::int32_t relatedIndex = -1;   // foreign keys: the related logical index number
    std::uint32_t relatedTablePage = 0;
    std::uint8_t relatedIndexType = 0;
    bool cascadeUpdates = false;
    bool cascadeDeletes = false;
};

// Owned and free-space maps of one memo or OLE column.
struct LongValueMaps {
    std::uint16_t columnNumber = 0;
    std::uint32_t ownedMap = 0;
    std::uint32_t freeSpaceMap = 0;
};

struct TableDefinition {
    std::uint32_t page = 0;           // first TDEF page, the table's id in data pages
    std::vector<std::uint32_t> pages; // the chain, first page first
    std::uint32_t definitionLength = 0;
    std::uint32_t storedRowCount = 0; // as last recorded; not reliable
    std::uint32_t autoNumber = 0;     // last value handed out
    std::uint8_t tableType = 0;       // 'N' user, 'S' system
    std::uint16_t maxColumns = 0;
    std::uint16_t variableColumns = 0;
    std::uint32_t ownedPagesMap = 0;  // row pointers
    std::uint32_t freeSpaceMap = 0;
    std::vector<Column> columns;      // sorted by number
    std::vector<PhysicalIndex> physicalIndexes;
    std::vector<Index> indexes;
    std::vector<LongValueMaps> longValueMaps;

    // The column named `name` (case-insensitive, ASCII letters), or nullptr.
    const Column* findColumn(std::string_view name) const;
};

// Reads the definition starting at `page`; throws JetError naming the page on damage.
TableDefinition readTableDefinition(PageFile& file, std::uint32_t page);

// Compares names as Jet does for lookups: ASCII letters without case.
bool sameName(std::string_view a, std::string_view b);

}  // namespace jet
