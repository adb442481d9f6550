// Encoding TDEF bytes; taking over decoded ones.
#include "jet/write/table_definition.h"

#include <algorithm>

#include "jet/jet_error.h"
#include "jet/write/page_cache.h"
#include "jet/write/text_encoding.h"

namespace jet::write {

namespace {
constexpr std::uint32_t kMagicTable = 1625;
constexpr std::uint32_t kMagicIndex = 1923;
constexpr std::size_t kContinuationHeader = 8;

void writeName(ByteWriter& out, const std::string& utf8) {
    const auto utf16 = utf8ToUtf16Strict(utf8).value_or(u"?");
    out.u16(static_cast<std::uint16_t>(utf16.size() * 2));
    for (char16_t c : utf16) out.u16(static_cast<std::uint16_t>(c));
}

// 25 bytes.
void writeColumnDescriptor(ByteWriter& out, const ColumnDefinition& c) {
    out.u8(static_cast<std::uint8_t>(c.type));
    out.u32(kMagicTable);
    out.u16(c.number);
    out.u16(c.varIndex);
    out.u16(c.numberAgain);
    for (auto m : c.misc) out.u8(m);
    out.u8(c.flags);
    out.u8(c.extFlags);
    out.u32(0);
    out.u16(c.fixedOffset);
    out.u16(c.length);
}

// 52 bytes: ten column slots, the usage map, the root page, the flags.
void writePhysicalIndex(ByteWriter& out, const PhysicalIndex& index) {
    out.u32(kMagicIndex);
    for (std::size_t slot = 0; slot < 10; ++slot) {
        if (slot < index.columns.size()) {
            out.u16(index.columns[slot].columnNumber);
            out.u8(index.columns[slot].ascending ? 0x01 : 0x00);
        } else {
            out.u16(0xFFFF);
            out.u8(0);
        }
    }
    out.u32(index.usageMap.encode());
    out.u32(index.root);
    out.u32(0);
    out.u8(index.flags);
    out.zeros(5);
}

// 28 bytes.
void writeLogicalIndex(ByteWriter& out, const LogicalIndex& index) {
    out.u32(kMagicTable);
    out.u32(index.number);
    out.u32(index.physical);
    out.u8(index.relatedType);
    out.i32(index.relatedIndex);
    out.u32(index.relatedTable);
    out.u8(index.cascadeUpdate);
    out.u8(index.cascadeDelete);
    out.u8(index.type);
    out.u32(0);
}
}  // namespace

const ColumnDefinition* TableDefinition::columnByNumber(std::uint16_t number) const {
    for (const auto& c : columns)
        if (c.number == number) return &c;
    return nullptr;
}

const ColumnDefinition* TableDefinition::columnByName(const std::string& name) const {
    for (const auto& c : columns)
        if (c.name == name) return &c;
    return nullptr;
}

std::size_t TableDefinition::fixedAreaSize() const {
    std::size_t size = 0;
    for (const auto& c : columns)
        if (c.fixed() && c.type != ColumnType::Bool)
            size = std::max<std::size_t>(size, std::size_t(c.fixedOffset) + c.length);
    return size;
}

std::vector<std::uint8_t> encodeTableDefinition(const TableDefinition& t) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.u8(static_cast<std::uint8_t>(PageType::TableDefinition));
    out.u8(0x01);
    out.u16(0);  // free space, set when laid out
    out.u32(0);  // next page, set when laid out
    out.u32(0);  // length, patched below
    out.u32(kMagicTable);
    out.u32(t.rowCount);
    out.u32(t.autoNumber);
    out.u8(0x01);
    out.zeros(15);
    out.u8(t.tableType);
    out.u16(t.maxColumns);
    out.u16(t.varColumns);
    out.u16(static_cast<std::uint16_t>(t.columns.size()));
    out.u32(static_cast<std::uint32_t>(t.logical.size()));
    out.u32(static_cast<std::uint32_t>(t.physical.size()));
    out.u32(t.owned.encode());
    out.u32(t.freeSpace.encode());
    for (const auto& index : t.physical) {
        out.u32(0);
        out.u32(index.distinctKeys);
        out.u32(0);
    }
    for (const auto& c : t.columns) writeColumnDescriptor(out, c);
    for (const auto& c : t.columns) writeName(out, c.name);
    for (const auto& index : t.physical) writePhysicalIndex(out, index);
    for (const auto& index : t.logical) writeLogicalIndex(out, index);
    for (const auto& index : t.logical) writeName(out, index.name);
    for (const auto& c : t.columns) {
        if (!c.longValue()) continue;
        out.u16(c.number);
        out.u32(c.longValueOwned.encode());
        out.u32(c.longValueFree.encode());
    }
    out.u16(0xFFFF);
    storeU32(MutableBytes(bytes), 8, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

// The reader's model in the writer's terms, one field a line. The writer's differs in what
// writing needs: row pointers as RowAddress, each memo/OLE column's two maps on the column,
// the logical index's kind as its stored byte, and the descriptor's and logical index's bytes
// the reader does not interpret (misc, cascade) as a new table's values: a definition taken
// over is patched in place (storeTableDefinitionU32), never encoded again.
namespace {

ColumnDefinition writableColumn(const jet::Column& from, const std::vector<jet::LongValueMaps>& longValueMaps) {
    ColumnDefinition c;
    c.type = from.type;
    c.name = from.name;
    c.number = c.numberAgain = from.number;
    c.varIndex = from.varIndex;
    c.flags = from.flags;
    c.extFlags = from.extendedFlags;
    c.fixedOffset = from.fixedOffset;
    c.length = from.length;
    for (const jet::LongValueMaps& maps : longValueMaps)
        if (maps.columnNumber == from.number) {
            c.longValueOwned = RowAddress::decode(maps.ownedMap);
            c.longValueFree = RowAddress::decode(maps.freeSpaceMap);
        }
    return c;
}

PhysicalIndex writablePhysicalIndex(const jet::PhysicalIndex& from) {
    return {.columns = from.columns, .usageMap = RowAddress::decode(from.usageMap),
            .root = from.rootPage, .flags = from.flags, .distinctKeys = from.uniqueEntryCount};
}

std::uint8_t storedIndexType(jet::IndexKind kind) {
    return kind == jet::IndexKind::PrimaryKey ? 1 : kind == jet::IndexKind::ForeignKey ? 2 : 0;
}

LogicalIndex writableLogicalIndex(const jet::Index& from) {
    return {.name = from.name, .number = from.number, .physical = from.physicalIndex,
            .relatedType = from.relatedIndexType, .relatedIndex = from.relatedIndex,
            .relatedTable = from.relatedTablePage, .type = storedIndexType(from.kind)};
}

}  // namespace

TableDefinition writableDefinition(const jet::TableDefinition& stored) {
    TableDefinition t;
    t.tableType = stored.tableType;
    t.rowCount = stored.storedRowCount;
    t.autoNumber = stored.autoNumber;
    t.maxColumns = stored.maxColumns;
    t.varColumns = stored.variableColumns;
    t.owned = RowAddress::decode(stored.ownedPagesMap);
    t.freeSpace = RowAddress::decode(stored.freeSpaceMap);
    for (const jet::Column& from : stored.columns) t.columns.push_back(writableColumn(from, stored.longValueMaps));
    for (const jet::PhysicalIndex& from : stored.physicalIndexes) t.physical.push_back(writablePhysicalIndex(from));
    for (const jet::Index& from : stored.indexes) t.logical.push_back(writableLogicalIndex(from));
    return t;
}

void storeTableDefinitionU32(PageCache& cache, PageNumber page, std::size_t offset,
                             std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        std::size_t at = offset + i;
        PageNumber current = page;
        while (at >= kPageSize) {
            current = loadU32(bytesOf(cache.read(current)), 4);
            if (current == 0) throwJetError(cache.fileName(), page, "table definition too short");
            at = at - kPageSize + kContinuationHeader;
        }
        storeU8(bytesOf(cache.modifyRanges(current, {{at, 1}})), at, static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::size_t tableDefinitionPagesNeeded(std::size_t length) {
    if (length <= kPageSize) return 1;
    const std::size_t rest = length - kPageSize;
    const std::size_t per = kPageSize - kContinuationHeader;
    return 1 + (rest + per - 1) / per;
}

std::vector<Page> layOutTableDefinition(Bytes definition, const std::vector<PageNumber>& pages) {
    std::vector<Page> out(tableDefinitionPagesNeeded(definition.size()));
    if (pages.size() < out.size()) throw std::logic_error("table definition: too few pages");
    std::size_t position = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        Page& page = out[i];
        page.fill(0);
        auto b = bytesOf(page);
        const std::size_t from = i == 0 ? 0 : kContinuationHeader;
        const std::size_t count = std::min(kPageSize - from, definition.size() - position);
        storeBytes(b, from, definition.subspan(position, count));
        position += count;
        storeU8(b, 0, static_cast<std::uint8_t>(PageType::TableDefinition));
        storeU8(b, 1, 0x01);
        storeU32(b, 4, i + 1 < out.size() ? pages[i + 1] : 0);
        if (i == 0) storeU32(b, 8, static_cast<std::uint32_t>(definition.size()));
        // Free space: what is left on a one-page definition, 0 on a chain's pages.
        const std::size_t free =
            out.size() == 1 && definition.size() + 8 <= kPageSize ? kPageSize - definition.size() - 8 : 0;
        storeU16(b, 2, static_cast<std::uint16_t>(free));
    }
    return out;
}

}  // namespace jet::write
